#pragma once

#include <string>
#include <vector>

#include "report/html_page.hpp"
#include "report/report_folder.hpp"
#include "report/year_report.hpp"
#include "run/shared_work.hpp"

namespace tessadro {

// Every file a report of the year may write, as paths below its folder.
std::vector<std::string> report_file_names(const std::string& year);

// Writes budget.csv, problems.csv, gis/ when asked, and index.html into the
// report's folder, whole or not at all, then the console block: where the
// report is, the budget a quantity, the input warnings and the problems.
// maps: the page's maps, the monthly ones perhaps added to work already;
// work: where the files and maps are done, finished here.
void write_report(const YearReport& report, ReportFolder& folder, bool gis, PageMaps& maps, SharedWork& work);

// The console block's budget lines, one a quantity, the input warnings
// (records probably misread apart from implausible values) and the problem
// counts.
std::string budget_lines(const YearReport& report);

}  // namespace tessadro
