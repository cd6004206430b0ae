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
std::string html_page(const YearReport& report);

// The same page made in parts, for its maps to be drawn apart (PageMaps):
// the text before the maps' section and after it, and the page of them.
struct PageFrame {
    std::string before_maps, after_maps;
};
PageFrame page_frame(const YearReport& report);
std::string html_page(const PageFrame& frame, const std::string& maps_section);

}  // namespace tessadro
