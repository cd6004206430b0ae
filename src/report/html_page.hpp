#pragma once

#include <string>

#include "report/map_figure.hpp"
#include "report/report_limits.hpp"
#include "report/year_report.hpp"

namespace tessadro {

// The year report as one self-contained HTML page: no script, no network;
// maps are PNG images inside the page. The numbers of the budget and monthly
// tables carry data- attributes (quantity, kind, reason, count, amount; month,
// field, value) so that they can be read back from the document.
std::string html_page(const YearReport& report);

// Maps in the page's order: season pumping and recharge, irrigated acres, M&I
// pumping, then the six monthly pumping and the six monthly recharge arrays.
std::vector<MapData> report_maps(const YearReport& report);

}  // namespace tessadro
