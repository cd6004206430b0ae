#pragma once

#include <string>

#include "report/year_report.hpp"

namespace tessadro {

// budget.csv: quantity,kind,reason,count,amount; one header row.
std::string budget_csv(const YearReport& report);

// problems.csv: every problem, one header row; empty fields where an item has
// no group, line or amount of that quantity.
std::string problems_csv(const YearReport& report);

// groups.csv and counties.csv: id,pumping,return_flow,acres; one header row.
std::string area_totals_csv(const std::vector<AreaTotals>& areas);

}  // namespace tessadro
