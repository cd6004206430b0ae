#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/grid_geometry.hpp"
#include "model/year_files.hpp"
#include "report/report_keys.hpp"
#include "report/written_value.hpp"

// Everything the year report shows, gathered from one run: plain tables that
// the page, the CSV files and the GIS files are written from.
namespace tessadro {

// One row of the water budget of a quantity. Losses are what the files hold
// that the arrays do not; changes are not losses (a factor that scales the
// amounts). Inputs minus losses plus changes minus placed is the rounding of
// the 4-byte sums; the rounding rows of every quantity follow the budgets.
struct BudgetRow {
    Quantity quantity;
    BudgetKind kind;
    Reason reason;
    long count = 0;       // records, tracts, entries or cells, as the reason says
    double amount = 0.0;  // sums of 4-byte values, formed in double
};

struct Point {
    float x = 0.0f;
    float y = 0.0f;
};

// A rejected or lost item: a record of an input file, or a cell of an array.
// What does not apply to it is left empty: the cell and point of a record
// that names no place (or stands at (0, 0), which in these files means no
// location), its group and amounts.
struct Problem {
    Severity severity = Severity::warning;
    Reason reason = Reason::off_grid;
    std::string file;
    long line = 0;         // record number in the file, 0 when none
    std::optional<std::int32_t> group;
    std::optional<Cell> cell;
    std::optional<Point> point;
    std::optional<double> pumping, return_flow, acres, mi;
    std::optional<double> outside;  // feet from the point to the grid, for a point placed in an edge cell
    std::string record;  // the input record's text, for the input warnings
};

// A point of a record; none at (0, 0), which in these files means that the
// record has no location.
std::optional<Point> location(float x, float y);

// A problem about a record of a file (line 0: none), without a place; its
// group, the amounts it names and its record are set by name.
Problem problem_of(Severity severity, Reason reason, std::string file, long line);

// A problem at the point (x, y), in the given cell; a record without a
// location gets neither.
Problem problem_at(Severity severity, Reason reason, std::string file, long line, Cell cell, float x, float y);

// How many records of the input files each input warning names.
struct InputWarningCount {
    Reason reason;
    long count = 0;
};

// An array file of the run as written: its name, kind and month, the 4-byte
// values by cell, row 1 (the north edge) first, and what its F6.1 fields hold
// in all: the tenths the model reads, and the fields of asterisks. A cell's
// own field is as_written() of its value.
struct ArrayValues : YearArray {
    std::vector<float> values;
    long long written_tenths = 0;
    long unreadable_cells = 0;

    // Appends the values of a row as it was written.
    void append(std::span<const float> row) {
        values.insert(values.end(), row.begin(), row.end());
        add_written(row, written_tenths, unreadable_cells);
    }
};

struct MonthTotals {
    int month = 0;
    double pumping = 0.0, recharge = 0.0;                  // 4-byte cells summed
    double pumping_written = 0.0, recharge_written = 0.0;  // F6.1 fields summed
};

struct InputCount {
    std::string file;
    long records = 0;
    std::string what;  // "records", "rows", ...
};

// What a water-right group or a county adds up to over the year.
struct AreaTotals {
    std::int32_t id = 0;
    double pumping = 0.0, return_flow = 0.0, acres = 0.0;
};

struct YearReport {
    std::string year;         // the 4-character year text
    std::string factor_text;  // the factor argument as given (10 characters)
    float factor = 0.0f;
    std::string alert;  // one line at the top of the page when the run read none of the year's files
    Grid grid;
    std::vector<std::int32_t> ibound;  // by cell, north row first
    long active_cells = 0;
    std::vector<InputCount> inputs;
    std::vector<BudgetRow> budget;
    std::vector<Problem> problems;  // input warnings first
    std::vector<InputWarningCount> input_warnings;  // every kind, in a fixed order
    std::vector<MonthTotals> months;  // May to October
    std::vector<ArrayValues> arrays;  // those of year_arrays(), in its order
    // The annual grids of the plot files, by cell, north row first.
    std::vector<float> pump, gwret, acres, pumpmi;
    // The group totals of the accepted pumping records (pumping, return flow,
    // acres with the exchange-area factor), by group number; and what the
    // season's .pmp and .rcg arrays and the .agw array hold in the cells of
    // each county, counties 1 to 44 (county 0 counts as 1, as in the monthly
    // split).
    std::vector<AreaTotals> groups, counties;

    std::size_t cell(std::int32_t row, std::int32_t column) const {
        return static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(grid.ncol) +
               static_cast<std::size_t>(column - 1);
    }
    long count_of(Severity severity) const;
    // The rows of the input warnings: records the reading rules probably
    // misread, or values outside the plausible ranges (read as written).
    long misread_count() const;
    long implausible_count() const;
};

}  // namespace tessadro
