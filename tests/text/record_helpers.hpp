// Shared helpers of the record tests: what a file holds after some writes, and
// a compact picture of what a sequence of reads stored.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "support/test_files.hpp"
#include "text/fixed_field.hpp"

namespace tessadro::test {

inline std::filesystem::path scratch(const std::string& name) {
    return std::filesystem::temp_directory_path() / ("recordtests-" + name + "-" + std::to_string(::getpid()));
}

// What a file holds after the writes. The file first holds an old, longer
// text: an output file keeps only the records of this run.
template <class Write>
std::string written(Write write) {
    const auto path = scratch("out");
    std::ofstream(path, std::ios::binary) << std::string(3000, 'o') << "\r\nold record\r\n";
    {
        OutputFile out(path.string(), 8);
        write(out);
    }
    std::string text = slurp(path);
    std::filesystem::remove(path);
    return text;
}

// One row of a read table: reads of the given target patterns on the records,
// free-form when format is null, else under the field format. A pattern holds
// one letter a target: i integer, f real, a text of 5 characters; target k of a
// read is slot k of its type. Slots keep their values across the reads of a
// row and start as -1, 9 and ".....", so a value kept from before shows.
struct ReadCase {
    const char* format;
    std::string records;
    std::vector<std::string_view> reads;
    std::string expected;  // per read "status[ message]: values", joined by " | "
};

inline std::string show_reads(const ReadCase& c) {
    LineReader in(c.records);
    std::array<std::int32_t, 12> ints;
    std::array<float, 12> reals;
    std::array<std::array<char, 5>, 12> texts;
    ints.fill(-1);
    reals.fill(9.0f);
    for (auto& t : texts) t.fill('.');
    std::string shown;
    for (const std::string_view pattern : c.reads) {
        std::vector<Target> targets;
        for (std::size_t k = 0; k < pattern.size(); ++k) {
            if (pattern[k] == 'i') targets.emplace_back(ints[k]);
            else if (pattern[k] == 'f') targets.emplace_back(reals[k]);
            else targets.emplace_back(texts[k]);
        }
        const ReadResult r = c.format ? read_fixed(in, Format(c.format), targets) : read_list(in, targets);
        if (!shown.empty()) shown.append(" | ");
        shown.append(std::to_string(r.status)).append(r.message.empty() ? "" : " ").append(r.message).append(":");
        // A failed fixed-field read ends the run: what it stored is of no use.
        if (c.format && r.status != 0) continue;
        for (std::size_t k = 0; k < pattern.size(); ++k) {
            shown.append(k == 0 ? " " : ",");
            char number[32];
            if (pattern[k] == 'i') shown.append(std::to_string(ints[k]));
            else if (pattern[k] == 'f') shown.append(number, std::to_chars(number, number + 32, reals[k]).ptr);
            else shown.append("[").append(texts[k].data(), 5).append("]");
        }
    }
    return shown;
}

inline void expect_reads(const std::vector<ReadCase>& cases) {
    for (const ReadCase& c : cases) EXPECT_EQ(c.expected, show_reads(c)) << "records \"" << c.records << '"';
}

}  // namespace tessadro::test
