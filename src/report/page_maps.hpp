#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "report/class_breaks.hpp"
#include "report/map_figure.hpp"
#include "report/year_report.hpp"
#include "run/shared_work.hpp"

namespace tessadro {

// The maps of the page, by kind, each kind in the page's order. They read
// the report's arrays, which must outlive them.
struct ReportMaps {
    std::vector<MapData> annual;           // season pumping and recharge, irrigated acres, M&I pumping
    std::vector<MapData> pumping_months;   // May to October
    std::vector<MapData> recharge_months;  // May to October
};
ReportMaps report_maps(const YearReport& report);

// The page's maps, each drawn as a piece of shared work, so that the maps,
// which are most of the report's work, go to whichever processor is free.
// The report must stay as it was given, and outlive the work, until the
// section is taken; what each map draws is the same on either thread.
class PageMaps {
public:
    // The twelve monthly maps, from the moment the report's grid, activity
    // codes and arrays are in place: they need nothing else.
    void add_months(const YearReport& report, SharedWork& work);
    // The annual maps, which mark the problems' cells: once the problems
    // are all known.
    void add_annual(const YearReport& report, SharedWork& work);
    // The page's section of maps, once the work is finished.
    std::string section(const YearReport& report);

private:
    // What every map of the page shares, found once by the first map that
    // needs it while the others wait: the constant-head outline, the active
    // cells and the monthly maps' colour scales (pumping, recharge).
    const std::string& outline(const YearReport& report);
    const std::vector<std::uint32_t>& active(const YearReport& report);
    const ClassBreaks& month_breaks(const YearReport& report, int kind);

    std::once_flag outline_once_, active_once_;
    std::array<std::once_flag, 2> breaks_once_;
    std::string outline_;
    std::vector<std::uint32_t> active_;
    std::array<ClassBreaks, 2> breaks_;
    std::array<std::vector<MapData>, 2> months_;  // pumping, recharge
    std::vector<MapData> annual_;
    std::vector<std::string> month_figures_, annual_figures_;
};

}  // namespace tessadro
