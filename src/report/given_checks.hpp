#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/year_report.hpp"

// What the run was given, checked by the report because the run takes it as
// it comes: the year and factor arguments as typed (the run keeps their first
// 4 and 10 characters and reads a factor such as "0,7187758" as 0), and the
// year's three input files, which the run reads as empty when they are not in
// the working folder.
namespace tessadro {

struct GivenToRun {
    std::string year, factor;          // the arguments as typed
    std::string folder;                // where the year files were looked for
    std::vector<std::string> missing;  // those not found there, in the order the run reads them
};

// Whether the factor's text is one plain number, which the run's read takes
// whole: a sign, digits with at most one decimal point, and an exponent
// (E or D, as the read takes them). The read ignores blanks, and so does
// this. Anything else ("0,7187758", "1+5", "nan", a blank) the read takes in
// part or as something else, without a word.
bool plain_number(std::string_view text);

// The arguments, and the year files looked for in the working folder as the
// run looks for them; called just before the run.
GivenToRun given_to_run(std::string_view year, std::string_view factor);

// Puts the problems of what was given at the head of the report's problems
// (they explain what follows them), and the page's alert when none of the
// year's files was found.
void add_given_problems(const GivenToRun& given, YearReport& report);

}  // namespace tessadro
