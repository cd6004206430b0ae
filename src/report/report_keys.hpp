#pragma once

#include <optional>
#include <string>
#include <string_view>

// The keys of the year report's tables: the quantity, kind and reason of a
// budget row and the severity and reason of a problem. Each has one table of
// the texts that the page, the CSV files and the console show, so that a key
// cannot be misspelt, and a text is spelt once.
namespace tessadro {

// The amounts the budget follows from the files to the arrays.
enum class Quantity { pumping, return_flow, acres, mi_pumping, authorized_acres };

enum class Severity { error, warning, note };

// The rows of a quantity's budget: what the file holds, what is lost, what a
// factor changes, what the arrays hold, a note on part of what they hold (not
// counted in the balance) and, for the arrays, the fields of asterisks and
// what the model reads; then, below the budget, the rounding (of the 4-byte
// sums, of the F6.1 fields, of the check report's total) and the check
// report's total itself.
enum class BudgetKind { in_file, loss, change, placed, note, unreadable, written, rounding, check_report };

// Why a budget row or a problem is there.
enum class Reason {
    // The input warnings, in the order the page's header counts them: first
    // what the record readers notice (in the order of RecordNote), then the
    // checks of plausible ranges (docs/formats.md, section 9).
    null_value,
    continued,
    extra_numbers,
    slash_end,
    decimal_comma,
    byte_order_mark,
    negative_acres,
    month_factor,
    county_sum,
    outside_survey,
    // Where a quantity's budget starts.
    pumping_file,
    authorized_acres_file,
    mi_file,
    // What the run was given: its arguments and the year's files.
    argument_cut,
    factor_not_read_whole,
    factor_outside,
    year_file_missing,
    // Losses, and the problems of what was lost.
    off_grid,
    inactive,
    pumping_off_grid,
    pumping_inactive,
    mi_off_grid,
    mi_inactive,
    negative_pumping,
    negative_return_flow,
    negative_mi,
    tract_without_coordinates,
    tract_at_origin,
    tract_off_grid,
    tract_inactive,
    reassignment_cap,
    group_beyond_tables,
    // Placed, though the point lies outside the grid: the cell rule truncates
    // toward zero, so a point less than a cell west or north of the grid falls
    // in column or row 1, while one as near to the east or south is off it.
    well_in_edge_cell,
    mi_in_edge_cell,
    tract_in_edge_cell,
    from_outside_the_grid,
    // Changes.
    county_factors,
    exchange_area_factor,
    // Where a quantity ends.
    monthly_pmp,
    monthly_rcg,
    agw_array,
    mi_array,
    group_totals,
    balance,
    written_as_asterisks,
    value_as_asterisks,
    f6_1_fields,
    as_the_model_reads,
    // The totals of the check report, by their labels there, and how they
    // come to differ from the exact sums.
    check_pumping,
    check_gw_returns,
    check_gw_acres,
    check_mi_pumping,
    running_sum,
};
constexpr int input_warning_reasons = static_cast<int>(Reason::outside_survey) + 1;

// The last key of each kind, named once: its table of texts must hold one text
// a key up to it, and a text read back from a CSV file is looked for up to it,
// so that a key added at the end is both written and read.
constexpr Quantity last_quantity = Quantity::authorized_acres;
constexpr Severity last_severity = Severity::note;
constexpr BudgetKind last_budget_kind = BudgetKind::check_report;
constexpr Reason last_reason = Reason::running_sum;
// The first of them are records the reading rules probably misread; the rest
// are values read as written but outside the plausible ranges.
constexpr int misread_reasons = static_cast<int>(Reason::byte_order_mark) + 1;

const std::string& text_of(Quantity quantity);
const std::string& text_of(Severity severity);
const std::string& text_of(BudgetKind kind);
const std::string& text_of(Reason reason);

// A problem about a point outside the grid whose amounts the run placed in an
// edge cell.
bool placed_from_outside(Reason reason);

// The unit of a quantity's amounts, as the input files give them: the run
// converts none.
const std::string& unit_of(Quantity quantity);

// The key a text of these tables stands for, as the CSV files write it back;
// none for any other text.
std::optional<Quantity> quantity_named(std::string_view text);
std::optional<Severity> severity_named(std::string_view text);
std::optional<BudgetKind> kind_named(std::string_view text);
std::optional<Reason> reason_named(std::string_view text);

}  // namespace tessadro
