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
    std::string notes;
    void noticed(RecordNote note, const std::string& file, long line, std::string_view text) override {
        notes += (notes.empty() ? "" : " | ") + file + ":" + std::to_string(line) + " " +
                 kind_names[static_cast<int>(note)] + " [" + std::string(text) + "]";
    }
};

// The file's text read to its end, each read taking `reals` reals then
// `texts` two-character texts then `more` reals, as the year files do.
struct NotesCase {
    std::string text;
    int reals, texts, more;
    std::string heard;  // the notes, joined by " | "
};

// What the listener heard.
std::string notes_of(const NotesCase& c) {
    Heard heard;
    InputFile file("year/x.txt", 10, c.text, &heard);
    std::array<float, 12> r{};
    std::array<std::array<char, 2>, 2> t{};
    std::vector<Target> targets;
    for (int k = 0; k < c.reals; ++k) targets.emplace_back(r[static_cast<std::size_t>(k)]);
    for (int k = 0; k < c.texts; ++k) targets.emplace_back(t[static_cast<std::size_t>(k)]);
    for (int k = 0; k < c.more; ++k) targets.emplace_back(r[static_cast<std::size_t>(c.reals + k)]);
    while (read_list(file, targets).status == 0) {
    }
    return heard.notes;
}

TEST(RecordNotes, EachKindOnTheRecordThatShowsIt) {
    const NotesCase cases[] = {
        // A leading comma and "r*" keep the previous record's value, as an empty cell does.
        {",2,3\n", 3, 0, 0, "year/x.txt:1 null [,2,3]"},
        {"1 2*\n", 3, 0, 0, "year/x.txt:1 null [1 2*]"},
        // A comma after a value and blanks around commas are separators only.
        {"1 , 2 ,3\n4,5,6,\n", 3, 0, 0, ""},
        // A short last record is dropped at the end of the file.
        {"1 2 3\n4 5\n", 3, 0, 0, "year/x.txt:2 continued [4 5]"},
        // Blank lines before a read and at the end of the file are harmless.
        {"\n1 2 3\n   \n4 5 6\n\n\n", 3, 0, 0, ""},
        {"1 2 3 4\n1 2 3 -.5e1\n", 3, 0, 0, "year/x.txt:1 extra [1 2 3 4] | year/x.txt:2 extra [1 2 3 -.5e1]"},
        // Names, comments, quoted texts and a slash after the last value are not numbers.
        {"1 2 3 Harford\n1,2,3,Inf\n1 2 3 'N 4'\n1 2 3 / 4\n1 2 3 NaN 5\n", 3, 0, 0, ""},
        // Found on the full reader's road too (a null value sends the read there).
        {"1 2 3\n,2,3,4\n", 3, 0, 0, "year/x.txt:2 null [,2,3,4] | year/x.txt:2 extra [,2,3,4]"},
        {"8 NE 5.0 6.0 a/b\n", 1, 1, 2, ""},
        // Semicolons with decimal points, or commas between digits of a
        // comma-separated file, are read as meant.
        {"84;9;7.04\n84,9,7.04\n", 3, 0, 0, ""},
        {"\xEF\xBB\xBFname 1 2\n", 0, 1, 2, "year/x.txt:1 bom [\xEF\xBB\xBFname 1 2]"},
        // A header skipped by an empty read, however it looks.
        {"header 1,5;2 3\n", 0, 0, 0, ""},
    };
    for (const NotesCase& c : cases) EXPECT_EQ(c.heard, notes_of(c)) << c.text;
}

}  // namespace
}  // namespace tessadro::test
