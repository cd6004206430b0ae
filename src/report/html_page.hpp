#pragma once

#include <string>

#include "report/map_figure.hpp"
#include "report/report_limits.hpp"
#include "report/year_report.hpp"

namespace tessadro {

// The year report as one self-contained HTML page: no network, and nothing
// that needs its script (which only answers a pointer on the maps); maps are
// PNG images inside the page. The numbers of the budget and monthly
// tables carry data- attributes (quantity, kind, reason, count, amount; month,
// field, value) so that they can be read back from the document.
// maps_beside: the monthly maps are drawn on a second processor while the
// annual ones are drawn here (the page is the same either way).
std::string html_page(const YearReport& report, bool maps_beside = false);

// The maps of the page, by kind, each kind in the page's order. They read
// the report's arrays, which must outlive them.
struct ReportMaps {
    std::vector<MapData> annual;           // season pumping and recharge, irrigated acres, M&I pumping
    std::vector<MapData> pumping_months;   // May to October
    std::vector<MapData> recharge_months;  // May to October
};
ReportMaps report_maps(const YearReport& report);

}  // namespace tessadro
