#pragma once

#include <string>

#include "report/map_figure.hpp"
#include "report/report_limits.hpp"
#include "report/year_report.hpp"
#include "run/second_thread.hpp"

namespace tessadro {

// The year report as one self-contained HTML page: no network, and nothing
// that needs its script (which only answers a pointer on the maps); maps are
// PNG images inside the page. The numbers of the budget and monthly
// tables carry data- attributes (quantity, kind, reason, count, amount; month,
// field, value) so that they can be read back from the document.
// The page's twelve monthly maps, drawn on a second processor from the moment
// the report's grid, activity codes and arrays are known (nothing changes
// them after), while the rest of the report is made: they need nothing else.
// The report must outlive the drawing, which the destructor waits for.
class MonthlyMaps {
public:
    explicit MonthlyMaps(bool threaded) : thread_(threaded) {}
    void start(const YearReport& report);
    bool started() const { return started_; }
    // Waits for the drawing: the maps' figures, in the page's order.
    std::string take();

private:
    SecondThread thread_;
    std::string figures_;
    bool started_ = false;
};

// months: the monthly maps drawn ahead, if started; else they are drawn here
// (the page is the same either way).
std::string html_page(const YearReport& report, MonthlyMaps* months = nullptr);

// The maps of the page, by kind, each kind in the page's order. They read
// the report's arrays, which must outlive them.
struct ReportMaps {
    std::vector<MapData> annual;           // season pumping and recharge, irrigated acres, M&I pumping
    std::vector<MapData> pumping_months;   // May to October
    std::vector<MapData> recharge_months;  // May to October
};
ReportMaps report_maps(const YearReport& report);

}  // namespace tessadro
