#include "record_mutator.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t max_size);

namespace fuzz {
namespace {

// Values at the edges of the run's tables and of 4-byte numbers: whole
// numbers for a whole number, any for a real one.
const char* const whole_edges[] = {"0",   "1",   "-1",  "2",   "16",   "17",   "20",   "21",
                                   "36",  "37",  "44",  "45",  "326",  "327",  "400",  "401",
                                   "500", "501", "4999", "5000", "5001", "2147483647"};
const char* const real_edges[] = {"0.0", "-0.0", "0.5", "1e6", "1e38", "1e39", "-1e39", "inf", "-inf", "nan", "1e-45"};

using Parts = std::vector<std::string>;

Parts split(std::string_view text, char separator) {
    Parts parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        parts.emplace_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

std::string join(const Parts& parts, char separator) {
    std::string text;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        if (k > 0) text += separator;
        text += parts[k];
    }
    return text;
}

// The [begin, end) spans of the numbers in a record.
std::vector<std::pair<std::size_t, std::size_t>> numbers(const std::string& line) {
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    std::size_t k = 0;
    while (k < line.size()) {
        const unsigned char c = static_cast<unsigned char>(line[k]);
        if (!std::isdigit(c) && !(c == '-' && k + 1 < line.size() && std::isdigit(static_cast<unsigned char>(line[k + 1])))) {
            ++k;
            continue;
        }
        const std::size_t begin = k++;
        while (k < line.size() && (std::isdigit(static_cast<unsigned char>(line[k])) || line[k] == '.' ||
                                   line[k] == 'e' || line[k] == 'E' ||
                                   ((line[k] == '-' || line[k] == '+') && (line[k - 1] == 'e' || line[k - 1] == 'E')))) {
            ++k;
        }
        spans.emplace_back(begin, k);
    }
    return spans;
}

// A step from a number: most of them keep the record in range.
std::string step(const std::string& number, std::mt19937& random) {
    const bool whole = number.find_first_of(".eE") == std::string::npos;
    const double value = std::strtod(number.c_str(), nullptr);
    double next = value;
    switch (random() % 6) {
    case 0: next = value + 1; break;
    case 1: next = value - 1; break;
    case 2: next = value * 2; break;
    case 3: next = whole ? std::floor(value / 2) : value / 2; break;
    case 4: next = whole ? value * 10 : value * 10 + 0.5; break;
    default: next = -value; break;
    }
    char text[64];
    if (whole && std::fabs(next) < 1e15) std::snprintf(text, sizeof text, "%.0f", next);
    else std::snprintf(text, sizeof text, "%.7g", next);
    return text;
}

// libFuzzer's byte mutations of one piece of text, within a size.
void mutate_bytes(std::string& text, std::size_t room) {
    const std::size_t size = text.size();
    text.resize(size + room);
    const std::size_t n = LLVMFuzzerMutate(reinterpret_cast<std::uint8_t*>(text.data()), size, size + room);
    text.resize(n);
}

// The first five files (the grid's parameters, its two cell arrays, the
// county factors and the exchange-area list) have their records counted: a
// record more or fewer ends the run at once.
constexpr std::size_t counted_files = 5;

// A record of each file after the counted ones (tract points, authorized
// acres, pumping, M&I), for a file without one.
const char* const templates[] = {"1 1 1 1 1150.0 5250.0", "7 1 1 1 1 40.0",
                                 "12 1201 1050.0 5250.0 0.0 AB 300.0 60.0 50.0", "1001 1 1500.0 6500.0 1.5 2.5 3.5 10.0"};

// The cell arrays (active flags, counties) are fields of two characters: a
// code, an odd one now and then.
const char* const cell_codes[] = {" 0", " 1", " 2", " 3", " 0", " 1", " 2", " 3",
                                  " 1", " 1", " 9", "44", "-1", "45", "99", " 1"};
constexpr std::size_t first_cell_file = 1, last_cell_file = 2;

std::string edge(bool whole, std::mt19937& random) {
    const std::size_t k = random() % (std::size(whole_edges) + (whole ? 0 : std::size(real_edges)));
    return k < std::size(whole_edges) ? whole_edges[k] : real_edges[k - std::size(whole_edges)];
}

}  // namespace

std::size_t mutate_records(std::uint8_t* data, std::size_t size, std::size_t max_size, unsigned seed) {
    std::mt19937 random(seed);
    // Byte mutations one time in fifty: the reading rules have targets of
    // their own, and a dataset they break ends the run at its first file.
    unsigned choice = random() % 100;
    if (choice == 0 || size == 0) return LLVMFuzzerMutate(data, size, max_size);
    choice = choice < 2 ? 1 : 2 + choice % 18;

    Parts files = split(std::string_view(reinterpret_cast<const char*>(data), size), '\0');
    const std::size_t which = random() % files.size();
    std::string& file = files[which];
    if (which < counted_files && choice >= 14) choice = 2;
    Parts lines = split(file, '\n');
    std::size_t at = random() % lines.size();
    // The grid's size, changed, leaves the cell arrays a row or column short
    // or long: now and then only.
    if (which == 0 && at == 0 && lines.size() > 2 && random() % 4 != 0) at = 1 + random() % 2;
    // A record with numbers, when the file has one.
    for (int tries = 0; tries < 8 && numbers(lines[at]).empty(); ++tries) at = random() % lines.size();
    if (numbers(lines[at]).empty() && which >= counted_files && which - counted_files < std::size(templates)) {
        lines[at] = templates[which - counted_files];
    }
    std::string& line = lines[at];
    const std::size_t room = max_size > size ? max_size - size : 0;

    if (choice < 2) {
        mutate_bytes(line, std::min<std::size_t>(room, 64));
    } else if (which >= first_cell_file && which <= last_cell_file && line.size() >= 2 && choice < 14) {
        const std::size_t field = random() % (line.size() / 2);
        line.replace(2 * field, 2, cell_codes[random() % std::size(cell_codes)]);
    } else if (choice < 14) {
        const auto spans = numbers(line);
        if (spans.empty()) {
            mutate_bytes(line, std::min<std::size_t>(room, 16));
        } else {
            // Amounts and points (reals) three times in four: a whole number
            // is mostly an index (group, tract, county), which ends the run
            // once outside its table.
            std::vector<std::pair<std::size_t, std::size_t>> reals;
            for (const auto& span : spans) {
                if (line.substr(span.first, span.second - span.first).find_first_of(".eE") != std::string::npos) {
                    reals.push_back(span);
                }
            }
            const auto& pool = !reals.empty() && random() % 4 != 0 ? reals : spans;
            const auto [begin, end] = pool[random() % pool.size()];
            const std::string number = line.substr(begin, end - begin);
            const bool whole = number.find_first_of(".eE") == std::string::npos;
            const std::string value = random() % 4 == 0 ? edge(whole, random) : step(number, random);
            line.replace(begin, end - begin, value);
        }
    } else if (choice < 17) {
        if (line.size() + 1 <= room) lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), line);
    } else if (choice < 19) {
        if (lines.size() > 1) lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
    } else if (lines.size() > 1) {
        std::swap(line, lines[random() % lines.size()]);
    }
    file = join(lines, '\n');
    const std::string mutated = join(files, '\0');
    if (mutated.size() > max_size) return size;
    std::memcpy(data, mutated.data(), mutated.size());
    return mutated.size();
}

}  // namespace fuzz
