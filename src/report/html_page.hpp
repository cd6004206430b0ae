#pragma once

#include <string>

#include "report/page_maps.hpp"
#include "report/report_limits.hpp"
#include "report/year_report.hpp"

namespace tessadro {

// The year report as one self-contained HTML page: no network, and nothing
// that needs its script (which only answers a pointer on the maps); maps are
// PNG images inside the page. The numbers of the budget and monthly
// tables carry data- attributes (quantity, kind, reason, count, amount; month,
// field, value) so that they can be read back from the document.
//
// maps: the maps drawn as shared work, which is finished; else they are
// drawn here (the page is the same either way).
std::string html_page(const YearReport& report, PageMaps* maps = nullptr);

}  // namespace tessadro
