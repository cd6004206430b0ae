#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "report/year_jobs.hpp"
#include "report/year_report.hpp"

// A year of a period as its own report folder tells it once the year has
// ended: what the period's page, period.csv and changes.csv are made from.
namespace tessadro {

struct YearResult {
    PeriodYear given;
    YearEnd end;
    bool ran = false;         // its report was read back
    std::string message;      // why it failed: the run's error, a signal
    std::vector<BudgetRow> budget;
    std::string budget_rows;  // the rows of budget.csv as written, without the header
    long problems[3] = {0, 0, 0};  // by Severity
    std::vector<AreaTotals> groups, counties;

    // The budget's amount of a quantity and kind, losses summed.
    double amount(Quantity quantity, BudgetKind kind) const;
};

// Reads back what the year wrote to dir (report/<year>): budget.csv,
// problems.csv, groups.csv and counties.csv, and the run-error message of
// stderr.txt when it failed.
YearResult read_year_result(const std::filesystem::path& dir, const PeriodYear& given, const YearEnd& end);

}  // namespace tessadro
