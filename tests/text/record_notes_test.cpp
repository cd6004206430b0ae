// What the free-form reader tells a listener about the records it probably
// misread: each kind on the record that shows it, and nothing on the forms
// these files use on purpose (a name after the last value, a decimal point,
// blank lines, a header that is skipped).
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "text/free_form.hpp"
#include "text/record_notes.hpp"

namespace tessadro::test {
namespace {

const char* const kind_names[] = {"null", "continued", "extra", "slash", "decimal-comma", "bom"};

struct Heard : RecordListener {
    std::vector<std::string> notes;
    void noticed(RecordNote note, const std::string& file, long line, std::string_view text) override {
        notes.push_back(file + ":" + std::to_string(line) + " " + kind_names[static_cast<int>(note)] + " [" +
                        std::string(text) + "]");
    }
};

// Reads the text to its end, each read taking `reals` reals then `texts`
// two-character texts then `more` reals, as the year files do; returns what
// the listener heard.
std::vector<std::string> notes_of(const std::string& text, int reals, int texts = 0, int more = 0) {
    Heard heard;
    InputFile file("year/x.txt", 10, text, &heard);
    std::array<float, 12> r{};
    std::array<std::array<char, 2>, 2> t{};
    std::vector<Target> targets;
    for (int k = 0; k < reals; ++k) targets.emplace_back(r[static_cast<std::size_t>(k)]);
    for (int k = 0; k < texts; ++k) targets.emplace_back(t[static_cast<std::size_t>(k)]);
    for (int k = 0; k < more; ++k) targets.emplace_back(r[static_cast<std::size_t>(reals + k)]);
    while (read_list(file, targets).status == 0) {
    }
    return heard.notes;
}

using Notes = std::vector<std::string>;

TEST(RecordNotes, NullValues) {
    // An empty cell keeps the previous record's value; so do a leading comma and "r*".
    EXPECT_EQ((Notes{"year/x.txt:2 null [4,,6]"}), notes_of("1,2,3\n4,,6\n", 3));
    EXPECT_EQ((Notes{"year/x.txt:1 null [,2,3]"}), notes_of(",2,3\n", 3));
    EXPECT_EQ((Notes{"year/x.txt:1 null [1 2*]"}), notes_of("1 2*\n", 3));
    // A comma after a value and blanks around commas are separators only.
    EXPECT_EQ(Notes{}, notes_of("1 , 2 ,3\n4,5,6,\n", 3));
}

TEST(RecordNotes, ShortRecords) {
    // The read takes its last value from the next line; the next record is lost.
    EXPECT_EQ((Notes{"year/x.txt:1 continued [1 2]"}), notes_of("1 2\n3 4 5\n6 7 8\n", 3));
    // A short last record is dropped at the end of the file.
    EXPECT_EQ((Notes{"year/x.txt:2 continued [4 5]"}), notes_of("1 2 3\n4 5\n", 3));
    // Blank lines before a read and at the end of the file are harmless.
    EXPECT_EQ(Notes{}, notes_of("\n1 2 3\n   \n4 5 6\n\n\n", 3));
}

TEST(RecordNotes, ExtraNumbers) {
    // A thousands separator: 1 and 049.27, and the last value is left over.
    EXPECT_EQ((Notes{"year/x.txt:1 extra [8 GW 1,049.27 11.67 31.73]"}),
              notes_of("8 GW 1,049.27 11.67 31.73\n", 1, 1, 3));
    EXPECT_EQ((Notes{"year/x.txt:1 extra [1 2 3 4]", "year/x.txt:2 extra [1 2 3 -.5e1]"}),
              notes_of("1 2 3 4\n1 2 3 -.5e1\n", 3));
    // Names, comments, quoted texts and a slash after the last value are not numbers.
    EXPECT_EQ(Notes{}, notes_of("1 2 3 Harford\n1,2,3,Inf\n1 2 3 'N 4'\n1 2 3 / 4\n1 2 3 NaN 5\n", 3));
    // Found on the full reader's road too (a null value sends the read there).
    EXPECT_EQ((Notes{"year/x.txt:2 null [,2,3,4]", "year/x.txt:2 extra [,2,3,4]"}), notes_of("1 2 3\n,2,3,4\n", 3));
}

TEST(RecordNotes, SlashBeforeTheLastValue) {
    EXPECT_EQ((Notes{"year/x.txt:1 slash [8 N/E 5.0 6.0]"}), notes_of("8 N/E 5.0 6.0\n", 1, 1, 2));
    EXPECT_EQ(Notes{}, notes_of("8 NE 5.0 6.0 a/b\n", 1, 1, 2));
}

TEST(RecordNotes, DecimalCommasAndByteOrderMark) {
    // "7,04" read as 7, with 04 left over: both notes on that record.
    EXPECT_EQ((Notes{"year/x.txt:1 extra [84;9;7,04]", "year/x.txt:1 decimal-comma [84;9;7,04]"}),
              notes_of("84;9;7,04\n", 3));
    // Semicolons with decimal points, or commas between digits of a
    // comma-separated file, are read as meant.
    EXPECT_EQ(Notes{}, notes_of("84;9;7.04\n84,9,7.04\n", 3));
    EXPECT_EQ((Notes{"year/x.txt:1 bom [\xEF\xBB\xBFname 1 2]"}), notes_of("\xEF\xBB\xBFname 1 2\n", 0, 1, 2));
}

TEST(RecordNotes, NothingWithoutAListenerOrForASkippedHeader) {
    InputFile quiet("x.txt", 10, "1,,3\n");
    EXPECT_EQ(nullptr, quiet.listener());
    Heard heard;
    InputFile file("x.txt", 10, "header 1,5;2 3\n1 2 3\n", &heard);
    EXPECT_EQ(0, read_list(file, {}).status);
    EXPECT_EQ(Notes{}, heard.notes);
}

}  // namespace
}  // namespace tessadro::test
