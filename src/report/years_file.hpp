#pragma once

#include <string>
#include <vector>

// The years file of a period of record: plain text, one year a line,
// "<year> <factor>" (the year in four digits, the factor as tessadro takes
// it), separated by blanks or tabs; blank lines and lines whose first
// non-blank character is '#' are ignored.
namespace tessadro {

struct PeriodYear {
    std::string year;    // four digits
    std::string factor;  // as written
};

struct YearsFile {
    std::vector<PeriodYear> years;  // in the file's order
    std::string problem;            // one line naming the file, the line and what is wrong; empty when none
};

// The years of the file at path. A line that is not a year and a number, a
// year listed twice, a file without a year or one that cannot be read is a
// problem, and then no year is given.
YearsFile read_years_file(const std::string& path);

}  // namespace tessadro
