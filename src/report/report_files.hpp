#pragma once

#include <filesystem>
#include <string_view>

#include "report/year_report.hpp"

namespace tessadro {

// report/<year>/ in the working directory, beside out/; the year as the run
// takes it, its first four characters padded with blanks.
std::filesystem::path report_directory(std::string_view year);

// Writes index.html, budget.csv, problems.csv (and gis/ when asked) into dir,
// then the console block: where the report is and the budget in five lines.
void write_report(const YearReport& report, const std::filesystem::path& dir, bool gis);

// The console block's budget lines, one a quantity, and the problem counts.
std::string budget_lines(const YearReport& report);

}  // namespace tessadro
