#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "report/report_keys.hpp"
#include "report/year_result.hpp"

// Changes between consecutive years of a period that stand out from the
// normal variation of water use: a group's pumping that jumps tenfold because
// one year's export was in gallons, a county whose records were not
// delivered, a year run with another year's files.
namespace tessadro {

enum class ChangeLevel { group, county, total };

const std::string& text_of(ChangeLevel level);

struct Change {
    std::string year, previous_year;
    ChangeLevel level = ChangeLevel::group;
    std::int32_t id = 0;  // the group or county; 0 for a total
    Quantity quantity = Quantity::pumping;
    double previous = 0.0, current = 0.0;

    std::optional<double> ratio() const;  // none when the previous amount is 0
    bool appears_or_disappears() const;   // one of the amounts is 0
};

// Compares each year that ran with the previous year that ran, in calendar
// order (years: in that order). A group's or county's pumping, return flow or
// acres is listed when it changed by more than a factor of 3 either way and
// is at least 100 in the larger year, or when it appears or disappears with
// at least 100; a year's total pumping in the pumping file when it changed by
// more than 50 %. Appearances and disappearances come first (the larger
// amount first), then the others by the size of the log of the ratio.
std::vector<Change> find_changes(const std::vector<YearResult>& years);

// changes.csv: year,previous_year,level,id,quantity,previous,current,ratio;
// id empty for a total, ratio empty where the previous amount is 0.
std::string changes_csv(const std::vector<Change>& changes);

}  // namespace tessadro
