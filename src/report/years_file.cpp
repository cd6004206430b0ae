#include "report/years_file.hpp"

#include <algorithm>

#include "report/csv_reader.hpp"
#include "report/given_checks.hpp"
#include "report/shown_text.hpp"
#include "text/line_reader.hpp"

namespace tessadro {
namespace {

// A years file lists a century of years in a few kilobytes; anything much
// larger is not one.
constexpr std::size_t max_years_file = 1 << 20;

std::vector<std::string_view> words_of(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t", at);
        if (start == std::string_view::npos) break;
        const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
        words.push_back(line.substr(start, end - start));
        at = end;
    }
    return words;
}

bool four_digits(std::string_view year) {
    return year.size() == 4 && year.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

YearsFile read_years_file(const std::string& path) {
    YearsFile file;
    std::string text, reason;
    if (!read_whole(path, max_years_file, text, reason)) {
        file.problem = "cannot read the years file '" + path + "': " + reason;
        return file;
    }
    LineReader lines(std::move(text));
    std::vector<long> line_of;  // of each year
    for (std::string_view line; lines.next(line);) {
        const std::vector<std::string_view> words = words_of(line);
        if (words.empty() || words.front().starts_with("#")) continue;
        const std::string at = path + ":" + std::to_string(lines.records()) + ": ";
        if (words.size() != 2 || !four_digits(words[0]) || !plain_number(words[1])) {
            file.problem = at + "expected a four-digit year and a factor ('2010 0.7187758'), got '" +
                           shown_text(line, 80).text + "'";
            break;
        }
        for (std::size_t k = 0; k < file.years.size(); ++k) {
            if (file.years[k].year != words[0]) continue;
            file.problem = at + "year " + std::string(words[0]) + " is listed twice (line " +
                           std::to_string(line_of[k]) + " too)";
            break;
        }
        if (!file.problem.empty()) break;
        file.years.push_back({std::string(words[0]), std::string(words[1])});
        line_of.push_back(lines.records());
    }
    if (file.problem.empty() && file.years.empty()) file.problem = "the years file '" + path + "' lists no year";
    if (!file.problem.empty()) file.years.clear();
    return file;
}

}  // namespace tessadro
