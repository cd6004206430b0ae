#include "report/collector.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <span>
#include <utility>

#include "model/static_files.hpp"
#include "monthly/monthly_arrays.hpp"
#include "report/nonzero_cells.hpp"
#include "run/fp_flags.hpp"

namespace tessadro {
namespace {

// The rows of each quantity's budget, in the order the page shows them.
struct QuantityRows {
    Quantity quantity;
    Reason file_reason;
    std::vector<Reason> losses;
    std::vector<Reason> changes;
    Reason placed_reason;
    // The arrays it is written to, if any: their unreadable fields, their
    // rounding and the check report's total.
    std::optional<ArrayKind> arrays;
};

const std::vector<QuantityRows>& budget_layout() {
    using enum Reason;
    static const std::vector<QuantityRows> layout = {
        {Quantity::pumping, pumping_file, {off_grid, inactive, negative_pumping}, {county_factors}, monthly_pmp,
         ArrayKind::pumping},
        {Quantity::return_flow, pumping_file,
         {off_grid, inactive, tract_without_coordinates, tract_off_grid, tract_inactive, reassignment_cap,
          negative_return_flow},
         {county_factors}, monthly_rcg, ArrayKind::recharge},
        {Quantity::acres, pumping_file,
         {off_grid, inactive, tract_without_coordinates, tract_off_grid, tract_inactive, reassignment_cap},
         {exchange_area_factor}, agw_array, ArrayKind::acres},
        {Quantity::mi_pumping, mi_file, {off_grid, inactive, negative_mi}, {}, mi_array, ArrayKind::mi},
        {Quantity::authorized_acres, authorized_acres_file, {group_beyond_tables}, {}, group_totals, std::nullopt},
    };
    return layout;
}

// The quantity an array file holds.
Quantity quantity_of(ArrayKind kind) {
    switch (kind) {
        case ArrayKind::pumping: return Quantity::pumping;
        case ArrayKind::recharge: return Quantity::return_flow;
        case ArrayKind::acres: return Quantity::acres;
        case ArrayKind::mi: break;
    }
    return Quantity::mi_pumping;
}

// The label of an array kind's total in the check report.
Reason check_label(ArrayKind kind) {
    switch (kind) {
        case ArrayKind::pumping: return Reason::check_pumping;
        case ArrayKind::recharge: return Reason::check_gw_returns;
        case ArrayKind::acres: return Reason::check_gw_acres;
        case ArrayKind::mi: break;
    }
    return Reason::check_mi_pumping;
}

// A problem about a cell of the grid, at the cell's centre.
Problem cell_problem(Severity severity, Reason reason, const std::string& file, long line, const Grid& grid,
                     std::int32_t row, std::int32_t column) {
    Problem p = problem_of(severity, reason, file, line);
    p.cell = Cell{column, row};
    p.point = Point{centre_x(grid, column), centre_y(grid, row)};
    return p;
}

// Column 1 or row 1: where the truncating cell rule also puts points less
// than a cell outside the grid.
bool edge_cell(Cell cell) { return cell.column == 1 || cell.row == 1; }

// How far a point lies outside the grid, in feet; 0 for a point on it. The
// differences of two 4-byte values are exact in double.
double outside_distance(const Grid& grid, float x, float y) {
    const double west = std::max(0.0, static_cast<double>(grid.xorigin) - x);
    const double north = std::max(0.0, static_cast<double>(y) - grid.ytop);
    return std::hypot(west, north);
}

std::size_t cells_of(const Grid& grid) {
    if (grid.nrow <= 0 || grid.ncol <= 0) return 0;
    return static_cast<std::size_t>(grid.nrow) * static_cast<std::size_t>(grid.ncol);
}

// A table's grid, row by row: a grid row lies side by side in the table.
template <class T>
std::vector<T> grid_values(const Grid& grid, const Table<T, 2>& table) {
    std::vector<T> values;
    values.reserve(cells_of(grid));
    for (std::int32_t i = 1; i <= grid.nrow; ++i) {
        const std::span<const T> row = table.run(grid.ncol, i);
        values.insert(values.end(), row.begin(), row.end());
    }
    return values;
}

// The sum of the values in order. Zeros leave it as it is: it starts at
// plus zero, and a sum of nonzero values is never minus zero.
double sum_of(const std::vector<float>& values) {
    double sum = 0.0;
    for_nonzero(values, [&sum](std::size_t, float v) { sum += v; });
    return sum;
}

double written_sum(const ArrayValues& array) { return static_cast<double>(array.written_tenths) / 10.0; }

// The array of a kind and month (0 for the annual ones) among those of a year.
const ArrayValues& array_of(const YearReport& report, ArrayKind kind, int month) {
    return *std::find_if(report.arrays.begin(), report.arrays.end(),
                         [kind, month](const ArrayValues& a) { return a.kind == kind && a.month == month; });
}

// The record number of a cell's field in an array file: rows of more than
// 326 columns take two records.
long array_line(const Grid& grid, std::int32_t row, std::int32_t column) {
    const long records_per_row = (grid.ncol + 325) / 326;
    return (row - 1) * records_per_row + (column - 1) / 326 + 1;
}

// The input warning of what a record reader noticed.
Reason reason_of(RecordNote note) {
    switch (note) {
        case RecordNote::null_value: return Reason::null_value;
        case RecordNote::continued: return Reason::continued;
        case RecordNote::extra_numbers: return Reason::extra_numbers;
        case RecordNote::slash_end: return Reason::slash_end;
        case RecordNote::decimal_comma: return Reason::decimal_comma;
        case RecordNote::byte_order_mark: break;
    }
    return Reason::byte_order_mark;
}

}  // namespace

ReportCollector::ReportCollector(std::string chyear)
    : year_(std::move(chyear)),
      pumping_file_(pumping_file_name(year_)),
      authorized_file_(authorized_acres_file_name(year_)),
      mi_file_(mi_file_name(year_)) {}

ReportCollector::Tally ReportCollector::get(Quantity quantity, Reason reason) const {
    const auto at = tallies_.find({quantity, reason});
    return at == tallies_.end() ? Tally{} : at->second;
}

void ReportCollector::pumping(const PumpingDecision& d) {
    const FlagsKept kept;
    ++pumping_records_;
    if (d.acloc < 0.0f) range_warning(Reason::negative_acres, pumping_file_, d.line, d.record).acres = d.acloc;
    // The tract points come after the pumping file: its wells wait for them.
    // Once they are known no well waits, also when not one of them marked an
    // extent (check_well then has nothing to check).
    if (points_known_) {
        check_well(pumping_file_, d.line, d.x, d.y, d.record);
    } else {
        // In blocks that are never moved, as a year's records add up to
        // megabytes; a megabyte each, which the allocator maps apart and
        // gives back to the system once the wells are checked.
        if (pending_text_.empty() ||
            pending_text_.back().capacity() - pending_text_.back().size() < d.record.size()) {
            pending_text_.emplace_back().reserve(std::max<std::size_t>(std::size_t{1} << 20, d.record.size()));
        }
        std::string& block = pending_text_.back();
        pending_wells_.push_back({d.line, d.x, d.y, pending_text_.size() - 1, block.size(), d.record.size()});
        block.append(d.record);
    }
    in_file_.pumping.add(d.pumploc);
    in_file_.return_flow.add(d.gwloc);
    in_file_.acres.add(d.acloc);
    if (d.acfact != 1.0f) {
        exchange_area_.add(static_cast<double>(d.acloc * d.acfact) - d.acloc);
    }
    if (d.unauthorized) unauthorized_lines_.push_back(d.line);
    const bool accepted = d.placement == Placement::placed || d.placement == Placement::not_positive;
    if (accepted) {
        // The group's totals, as the run forms them for its group report.
        // The file lists a group's wells together: one look-up a group.
        if (last_group_ == nullptr || last_group_id_ != d.grp) {
            last_group_ = &groups_[d.grp];
            last_group_id_ = d.grp;
        }
        AreaTotals& group = *last_group_;
        group.pumping += d.pumploc;
        group.return_flow += d.gwloc;
        group.acres += d.acloc * d.acfact;
        if (edge_cell(d.cell)) well_in_edge_cell(d);
    }
    if (d.placement == Placement::placed) return;  // most records
    Problem p = problem_at(Severity::warning, Reason::pumping_off_grid, pumping_file_, d.line, d.cell, d.x, d.y);
    p.group = d.grp;
    p.pumping = d.pumploc;
    if (d.placement == Placement::off_grid || d.placement == Placement::inactive) {
        const bool off = d.placement == Placement::off_grid;
        const Reason reason = off ? Reason::off_grid : Reason::inactive;
        tally(Quantity::pumping, reason).add(d.pumploc);
        tally(Quantity::return_flow, reason).add(d.gwloc);
        tally(Quantity::acres, reason).add(d.acloc);
        p.reason = off ? Reason::pumping_off_grid : Reason::pumping_inactive;
        p.return_flow = d.gwloc;
        p.acres = d.acloc;
        problems_.push_back(std::move(p));
        return;
    }
    if (d.pumploc < 0.0f) {
        tally(Quantity::pumping, Reason::negative_pumping).add(d.pumploc);
        p.severity = Severity::note;
        p.reason = Reason::negative_pumping;
        problems_.push_back(std::move(p));
    }
}

// An accepted record in column or row 1. Its pumping goes to the well's
// cell; its return flow and acres too when its group has no authorized
// acres, once reassigned.
void ReportCollector::well_in_edge_cell(const PumpingDecision& d) {
    Problem p = problem_at(Severity::warning, Reason::well_in_edge_cell, pumping_file_, d.line, d.cell, d.x, d.y);
    p.cell = d.cell;  // where its amounts went, even from (0, 0)
    p.group = d.grp;
    if (d.pumploc > 0.0f) p.pumping = d.pumploc;
    if (d.unauthorized) unauthorized_at_edge_[unauthorized_lines_.size() - 1] = problems_.size();
    if (p.pumping || d.unauthorized) problems_.push_back(std::move(p));
}

void ReportCollector::tract(const TractDecision& d) {
    const FlagsKept kept;
    ++tract_records_;
    if (d.authacres < 0.0f) {
        range_warning(Reason::negative_acres, authorized_file_, d.line, d.record).acres = d.authacres;
    }
    in_file_.authorized_acres.add(d.authacres);
    // A tract that the coordinates file does not list stands at (0, 0).
    const bool no_coordinates = d.xloc == 0.0f && d.yloc == 0.0f;
    const bool placed = d.placement == Placement::placed && !no_coordinates;
    if (placed && !edge_cell(d.cell)) return;  // most tracts
    Problem p =
        problem_at(Severity::warning, Reason::tract_at_origin, authorized_file_, d.line, d.cell, d.xloc, d.yloc);
    p.group = d.grp;
    if (placed) {
        p.reason = Reason::tract_in_edge_cell;
        p.return_flow = d.gwret;
        p.acres = d.acres;
        problems_.push_back(std::move(p));
        return;
    }
    if (d.placement == Placement::beyond_tables) {
        tally(Quantity::authorized_acres, Reason::group_beyond_tables).add(d.authacres);
        // The tables end before its group: its tract is never looked up.
        p.reason = Reason::group_beyond_tables;
        p.cell.reset();
        p.point.reset();
        p.acres = d.authacres;
        problems_.push_back(std::move(p));
        return;
    }
    p.return_flow = d.gwret;
    p.acres = d.acres;
    if (d.placement != Placement::placed) {
        const Reason lost = d.placement == Placement::inactive ? Reason::tract_inactive : Reason::tract_off_grid;
        p.reason = no_coordinates ? Reason::tract_without_coordinates : lost;
        tally(Quantity::return_flow, p.reason).add(d.gwret);
        tally(Quantity::acres, p.reason).add(d.acres);
    }
    problems_.push_back(std::move(p));
}

void ReportCollector::reassignment(const ReassignDecision& d) {
    const FlagsKept kept;
    const auto at_edge = unauthorized_at_edge_.find(static_cast<std::size_t>(d.idxna - 1));
    if (at_edge != unauthorized_at_edge_.end() && d.gwret_placed) {
        problems_[at_edge->second].return_flow = d.gwloc;
        problems_[at_edge->second].acres = d.reassgn;
    }
    const double acres_lost = static_cast<double>(d.acloc) - d.reassgn;
    if (acres_lost == 0.0 && d.gwret_placed) return;
    tally(Quantity::acres, Reason::reassignment_cap).add(acres_lost);
    const auto index = static_cast<std::size_t>(d.idxna - 1);
    const long line = index < unauthorized_lines_.size() ? unauthorized_lines_[index] : 0;
    // Shown at the well's cell centre, once the grid is known.
    Problem p = problem_of(Severity::warning, Reason::reassignment_cap, pumping_file_, line);
    p.cell = d.cell;
    p.group = d.grp;
    p.acres = acres_lost;
    if (!d.gwret_placed) {
        tally(Quantity::return_flow, Reason::reassignment_cap).add(d.gwloc);
        p.return_flow = d.gwloc;
    }
    problems_.push_back(std::move(p));
}

void ReportCollector::mi(const MiDecision& d) {
    const FlagsKept kept;
    ++mi_records_;
    check_well(mi_file_, d.line, d.x, d.y, d.record);
    in_file_.mi.add(d.amount);
    const bool placed = d.placement == Placement::placed;
    if (placed && !edge_cell(d.cell)) return;
    Problem p = problem_at(Severity::warning, Reason::mi_off_grid, mi_file_, d.line, d.cell, d.x, d.y);
    p.mi = d.amount;
    if (placed) {
        p.reason = Reason::mi_in_edge_cell;
        p.cell = d.cell;
        problems_.push_back(std::move(p));
        return;
    }
    switch (d.placement) {
        case Placement::off_grid:
            tally(Quantity::mi_pumping, Reason::off_grid).add(d.amount);
            break;
        case Placement::inactive:
            tally(Quantity::mi_pumping, Reason::inactive).add(d.amount);
            p.reason = Reason::mi_inactive;
            break;
        case Placement::not_positive:
            if (!(d.amount < 0.0f)) return;
            tally(Quantity::mi_pumping, Reason::negative_mi).add(d.amount);
            p.severity = Severity::note;
            p.reason = Reason::negative_mi;
            break;
        default:
            return;
    }
    problems_.push_back(std::move(p));
}

void ReportCollector::report_into(YearReport& report, std::function<void(const YearReport&)> arrays_known) {
    report_ = &report;
    arrays_known_ = std::move(arrays_known);
}

YearReport ReportCollector::finish(const RunState& state) {
    YearReport report;
    report_into(report, {});
    finish_into(state);
    return report;
}

void ReportCollector::arrays_written(const Grid& grid, const Table<std::int32_t, 2>& ibound) {
    if (report_ == nullptr) return;  // placed by finish()
    const FlagsKept kept;            // the report's arithmetic and its listener's
    place_arrays(grid, ibound);
}

// The grid, its activity codes and the arrays written so far, into the
// report; then whoever waits for them is told.
void ReportCollector::place_arrays(const Grid& grid, const Table<std::int32_t, 2>& ibound) {
    YearReport& report = *report_;
    report.grid = grid;
    report.ibound = grid_values(grid, ibound);
    report.active_cells = static_cast<long>(report.ibound.size()) - std::ranges::count(report.ibound, 0);
    add_arrays(report);
    arrays_placed_ = true;
    if (arrays_known_) arrays_known_(report);
}

void ReportCollector::finish_into(const RunState& state) {
    YearReport& report = *report_;
    const Grid& grid = state.grid;
    if (!arrays_placed_) place_arrays(grid, state.grids.ibound);
    add_arrays(report);  // the M&I array, written after the others
    report.year = state.text.chyear;
    report.factor_text = state.text.chfact;
    report.factor = state.queltafact;
    report.pump = grid_values(grid, state.grids.pump);
    report.gwret = grid_values(grid, state.grids.gwret);
    report.acres = grid_values(grid, state.grids.acres);
    report.pumpmi = grid_values(grid, state.grids.pumpmi);
    add_area_totals(report, state);
    add_factor_changes(report);
    double authtot = 0.0;
    long groups = 0;
    for (std::int32_t g = 1; g <= n_groups; ++g) {
        authtot += state.groups.authtot(g);
        if (state.groups.authtot(g) != 0.0f) ++groups;
    }
    tally(Quantity::authorized_acres, Reason::group_totals) = Tally{groups, authtot};

    report.inputs = {
        {pumping_file_, pumping_records_, "records"},
        {authorized_file_, tract_records_, "records"},
        {mi_file_, mi_records_, "records"},
        {activity_grid_file, std::max(grid.nrow, 0), "rows"},
        {county_grid_file, std::max(grid.nrow, 0), "rows"},
        {monthly_factors_file, n_counties, "counties"},
        {exchange_pdivs_file, state.pdivs.npdivs, "points of diversion"},
    };
    // Reassigned records are shown at their well's cell centre.
    for (Problem& p : problems_) {
        if (p.reason != Reason::reassignment_cap || !p.cell) continue;
        p.point = Point{centre_x(grid, p.cell->column), centre_y(grid, p.cell->row)};
    }
    tally(Quantity::pumping, Reason::pumping_file) = in_file_.pumping;
    tally(Quantity::return_flow, Reason::pumping_file) = in_file_.return_flow;
    tally(Quantity::acres, Reason::pumping_file) = in_file_.acres;
    tally(Quantity::authorized_acres, Reason::authorized_acres_file) = in_file_.authorized_acres;
    if (exchange_area_.count > 0) tally(Quantity::acres, Reason::exchange_area_factor) = exchange_area_;
    tally(Quantity::mi_pumping, Reason::mi_file) = in_file_.mi;
    add_edge_placements(grid);
    add_cell_problems(report);
    add_budget(report);
    add_factor_warnings(state);
    add_input_warnings(report);
    report.problems = std::move(problems_);
}

// The arrays as the run wrote them, in the order of the run's check report:
// the .pmp and .rcg of each month, then .agw and .mi. An array of a grid
// without rows was written empty, and is so here.
void ReportCollector::add_arrays(YearReport& report) {
    const bool first = report.arrays.empty();
    if (first) {
        // Every array at once: the report's arrays stay where they are from
        // here on, for those who read them while the rest is added.
        for (const YearArray& array : year_arrays(year_)) static_cast<YearArray&>(report.arrays.emplace_back()) = array;
    }
    for (ArrayValues& written : arrays_) {
        const auto at = std::find_if(report.arrays.begin(), report.arrays.end(),
                                     [&written](const ArrayValues& a) { return a.file == written.file; });
        if (at == report.arrays.end()) continue;
        at->values = std::move(written.values);
        at->written_tenths = written.written_tenths;
        at->unreadable_cells = written.unreadable_cells;
    }
    arrays_.clear();
    if (!first) return;
    for (int m = first_month; m <= last_month; ++m) {
        const ArrayValues& p = array_of(report, ArrayKind::pumping, m);
        const ArrayValues& r = array_of(report, ArrayKind::recharge, m);
        report.months.push_back(
            {m, sum_of(p.values), sum_of(r.values), written_sum(p), written_sum(r)});
    }
}

void ReportCollector::add_area_totals(YearReport& report, const RunState& state) {
    for (auto& [id, totals] : groups_) {
        totals.id = id;
        report.groups.push_back(totals);
    }
    for (std::int32_t k = 1; k <= n_counties; ++k) report.counties.push_back({k, 0.0, 0.0, 0.0});
    const Grid& grid = state.grid;
    // Each cell's county, in the arrays' order. A county number outside 1 to
    // 44 ended the run before the arrays were written.
    std::vector<std::uint8_t> county_of;
    county_of.reserve(cells_of(grid));
    for (std::int32_t i = 1; i <= grid.nrow; ++i) {
        for (const std::int32_t county : state.grids.icty.run(grid.ncol, i)) {
            county_of.push_back(static_cast<std::uint8_t>(std::clamp(county, 1, n_counties)));
        }
    }
    // Each array once, in the arrays' order: its cells to the sums of its
    // quantity's budget (the cells placed) and of its counties, each sum
    // formed in the order of the cells. A zero leaves a sum as it is.
    for (const ArrayValues& a : report.arrays) {
        const QuantityRows& q = *std::ranges::find(budget_layout(), std::optional(a.kind), &QuantityRows::arrays);
        Tally placed = get(q.quantity, q.placed_reason);
        double AreaTotals::*const sum = a.kind == ArrayKind::pumping    ? &AreaTotals::pumping
                                        : a.kind == ArrayKind::recharge ? &AreaTotals::return_flow
                                                                        : &AreaTotals::acres;
        std::array<double, n_counties + 1> sums{};  // by county, from 1; the .mi arrays have none
        for (std::size_t k = 1; k < sums.size(); ++k) sums[k] = report.counties[k - 1].*sum;
        const std::size_t counted = a.kind == ArrayKind::mi ? 0 : std::min(a.values.size(), county_of.size());
        const std::span<const float> values(a.values);
        for_nonzero(values.first(counted), [&](std::size_t c, float v) {
            placed.add(v);
            sums[county_of[c]] += v;
        });
        for_nonzero(values.subspan(counted), [&placed](std::size_t, float v) { placed.add(v); });
        tally(q.quantity, q.placed_reason) = placed;
        if (a.kind == ArrayKind::mi) continue;
        for (std::size_t k = 1; k < sums.size(); ++k) report.counties[k - 1].*sum = sums[k];
    }
}

// What the county factors change: in each cell the run split into months,
// the monthly values it wrote against the annual value. The factors of a
// county need not add up to 1.
void ReportCollector::add_factor_changes(const YearReport& report) {
    const std::size_t cells = report.pump.size();
    for (const auto& [kind, annual] : {std::pair{ArrayKind::pumping, &report.pump},
                                       std::pair{ArrayKind::recharge, &report.gwret}}) {
        Tally& change = tally(quantity_of(kind), Reason::county_factors);
        std::vector<const std::vector<float>*> months;  // May to October
        for (const ArrayValues& a : report.arrays) {
            if (a.kind == kind) months.push_back(&a.values);
        }
        // A cell split into months holds more than zero.
        for_nonzero(std::span<const float>(*annual).first(cells), [&](std::size_t c, float value) {
            if (!split_into_months(value)) return;
            double season = 0.0;
            for (const std::vector<float>* month : months) {
                if (c < month->size()) season += (*month)[c];
            }
            change.add(season - value);
        });
    }
}

void ReportCollector::county_factors(std::int32_t county, long line, std::string_view record) {
    if (county < 1) return;
    const auto k = static_cast<std::size_t>(county);
    if (county_records_.size() <= k) county_records_.resize(k + 1);
    county_records_[k] = {line, std::string(record)};
}

void ReportCollector::tract_points(const TractCoords& coords, bool read_ahead) {
    if (points_known_) return;  // handed over before the pumping file, and again after their phase
    points_known_ = true;
    const FlagsKept kept;
    extent_ = survey_extent(coords);
    // The wells of the pumping file, in their order, when the points were
    // known before it was read (the warnings are sorted by line at the end).
    if (read_ahead) {
        for (const PendingWell& w : pending_wells_) {
            const std::string_view record = std::string_view(pending_text_[w.block]).substr(w.start, w.length);
            check_well(pumping_file_, w.line, w.x, w.y, record);
        }
    }
    std::vector<PendingWell>().swap(pending_wells_);  // their memory goes too
    std::vector<std::string>().swap(pending_text_);
}

void ReportCollector::array_row(std::string_view file, std::int32_t row, std::int32_t nrow,
                                std::span<const float> values) {
    const FlagsKept kept;
    // A file's rows come in order, one file after another (two at a time
    // when a month's recharge comes before its pumping): the last one or
    // two are the ones at hand.
    auto at = std::find_if(arrays_.rbegin(), arrays_.rend(), [file](const ArrayValues& a) { return a.file == file; });
    if (at == arrays_.rend()) {
        arrays_.emplace_back().file = file;  // its kind and month found by its name at the end
        at = arrays_.rbegin();
    }
    ArrayValues& a = *at;
    if (row == 1 && nrow > 0) {  // the whole array at once: a grid's arrays are most of the report's memory
        a.values.reserve(static_cast<std::size_t>(nrow) * values.size());
    }
    a.append(values);
}

Problem& ReportCollector::range_warning(Reason reason, const std::string& file, long line, std::string_view record) {
    Problem p = problem_of(Severity::warning, reason, file, line);
    p.record = std::string(record);
    const std::lock_guard<std::mutex> hold(input_lock_);
    return input_.emplace_back(std::move(p));
}

// A well outside the survey's extent, once the extent is known: the pumping
// file's when the coordinates were read ahead of it (see coords_ahead.hpp),
// and the M&I wells, read after the coordinates.
void ReportCollector::check_well(const std::string& file, long line, float x, float y, std::string_view record) {
    if (!extent_.known || extent_.holds(x, y)) return;
    Problem& p = range_warning(Reason::outside_survey, file, line, record);
    p.point = location(x, y);
}

// The factors of each county as the run read them, with the record's text.
void ReportCollector::add_factor_warnings(const RunState& state) {
    const std::string factors_file = monthly_factors_file;
    for (std::size_t k = 1; k < county_records_.size(); ++k) {
        const auto county = static_cast<std::int32_t>(k);
        double season = 0.0;
        bool outside = false;
        for (std::int32_t m = first_month; m <= last_month; ++m) {
            const float f = state.xmonfactors(county, m);
            season += f;
            outside |= !(f >= 0.0f && f <= 1.0f);
        }
        const CountyRecord& r = county_records_[k];
        if (outside) range_warning(Reason::month_factor, factors_file, r.line, r.text);
        if (!(std::fabs(season - 1.0) <= 0.001)) range_warning(Reason::county_sum, factors_file, r.line, r.text);
    }
}

void ReportCollector::noticed(RecordNote note, const std::string& file, long line, std::string_view text) {
    // Problems name input files without the folder, as the run's own do.
    std::string name = std::filesystem::path(file).filename().string();
    const std::lock_guard<std::mutex> hold(input_lock_);
    // A decimal-comma export or a byte-order mark is a property of the whole
    // file: its first record stands for the rest.
    // The authorized-acres file is read twice: its records are noted once.
    if (note == RecordNote::decimal_comma || note == RecordNote::byte_order_mark) {
        if (!whole_file_notes_.insert({name, note}).second) return;
    } else if (!noted_records_.insert({name, line, note}).second) {
        return;
    }
    Problem p = problem_of(Severity::warning, reason_of(note), std::move(name), line);
    p.record = std::string(text);
    input_.push_back(std::move(p));
}

// Input warnings head the problem list, file by file and record by record:
// a misread record usually explains the losses and cells listed after it.
void ReportCollector::add_input_warnings(YearReport& report) {
    for (int k = 0; k < input_warning_reasons; ++k) report.input_warnings.push_back({static_cast<Reason>(k), 0});
    for (const Problem& p : input_) {
        for (InputWarningCount& c : report.input_warnings) c.count += c.reason == p.reason ? 1 : 0;
    }
    std::stable_sort(input_.begin(), input_.end(), [](const Problem& a, const Problem& b) {
        return a.file != b.file ? a.file < b.file : a.line < b.line;
    });
    problems_.insert(problems_.begin(), std::make_move_iterator(input_.begin()), std::make_move_iterator(input_.end()));
    input_.clear();
}

// Of the records and tracts placed in column or row 1 (kept as problems while
// the run goes on, as the grid is known only at its end), those whose points
// lie outside the grid: their amounts stay in the arrays, and the budget notes
// the sum of each quantity over those that put some of it there. The
// others, and those that put nothing in the cell (a meter correction of a
// group with authorized acres, a tract of a group without pumping), are no
// problem.
void ReportCollector::add_edge_placements(const Grid& grid) {
    auto amounts = [](const Problem& p) {
        return std::array{std::pair{Quantity::pumping, p.pumping}, std::pair{Quantity::return_flow, p.return_flow},
                          std::pair{Quantity::acres, p.acres}, std::pair{Quantity::mi_pumping, p.mi}};
    };
    for (Problem& p : problems_) {
        if (!placed_from_outside(p.reason)) continue;
        // A point at (0, 0) has no place in the row, but the cell rule placed it.
        const Point at = p.point.value_or(Point{});
        const double outside = outside_distance(grid, at.x, at.y);
        bool water = false;
        for (const auto& [quantity, amount] : amounts(p)) water = water || amount.value_or(0.0) != 0.0;
        if (outside > 0.0 && water) p.outside = outside;
    }
    std::erase_if(problems_, [](const Problem& p) { return placed_from_outside(p.reason) && !p.outside; });
    for (const Problem& p : problems_) {
        if (!p.outside) continue;
        for (const auto& [quantity, amount] : amounts(p)) {
            if (amount.value_or(0.0) != 0.0) tally(quantity, Reason::from_outside_the_grid).add(*amount);
        }
    }
}

// Cells lost on the way from the annual grids to the array files: negative
// return flow (the recharge arrays hold only positive cells) and fields too
// wide for F6.1.
void ReportCollector::add_cell_problems(YearReport& report) {
    const Grid& grid = report.grid;
    for (std::int32_t i = 1; i <= grid.nrow; ++i) {
        for (std::int32_t j = 1; j <= grid.ncol; ++j) {
            const float v = report.gwret[report.cell(i, j)];
            if (!(v < 0.0f)) continue;
            tally(Quantity::return_flow, Reason::negative_return_flow).add(v);
            Problem& p =
                problems_.emplace_back(cell_problem(Severity::note, Reason::negative_return_flow, "", 0, grid, i, j));
            p.return_flow = v;
        }
    }
    for (const ArrayValues& a : report.arrays) {
        Tally& stars = tally(quantity_of(a.kind), Reason::written_as_asterisks);
        // A run that ends well writes every cell.
        if (a.unreadable_cells == 0 || a.values.size() < cells_of(grid)) continue;
        for (std::int32_t i = 1; i <= grid.nrow; ++i) {
            for (std::int32_t j = 1; j <= grid.ncol; ++j) {
                const std::size_t c = report.cell(i, j);
                if (!as_written(a.values[c]).unreadable) continue;
                stars.add(a.values[c]);
                const long line = array_line(grid, i, j);
                Problem& p = problems_.emplace_back(
                    cell_problem(Severity::error, Reason::value_as_asterisks, a.file, line, grid, i, j));
                switch (a.kind) {
                    case ArrayKind::pumping: p.pumping = a.values[c]; break;
                    case ArrayKind::recharge: p.return_flow = a.values[c]; break;
                    case ArrayKind::acres: p.acres = a.values[c]; break;
                    case ArrayKind::mi: p.mi = a.values[c]; break;
                }
            }
        }
    }
}

// Each quantity's budget, then below them all the rounding: of the 4-byte
// sums, of the F6.1 fields, and of the check report's running sum, with the
// check report's total itself.
void ReportCollector::add_budget(YearReport& report) const {
    std::vector<BudgetRow> rounding;
    auto row = [](std::vector<BudgetRow>& rows, Quantity quantity, BudgetKind kind, Reason reason, Tally t) {
        rows.push_back({quantity, kind, reason, t.count, t.amount});
    };
    for (const QuantityRows& q : budget_layout()) {
        const Tally input = get(q.quantity, q.file_reason);
        row(report.budget, q.quantity, BudgetKind::in_file, q.file_reason, input);
        double residual = input.amount;
        for (Reason reason : q.losses) {
            const Tally t = get(q.quantity, reason);
            row(report.budget, q.quantity, BudgetKind::loss, reason, t);
            residual -= t.amount;
        }
        for (Reason reason : q.changes) {
            const Tally t = get(q.quantity, reason);
            row(report.budget, q.quantity, BudgetKind::change, reason, t);
            residual += t.amount;
        }
        // The arrays' cells are added up with the counties'.
        const Tally placed = get(q.quantity, q.placed_reason);
        long long written_tenths = 0;
        if (q.arrays) {
            for (const ArrayValues& a : report.arrays) {
                if (a.kind == *q.arrays) written_tenths += a.written_tenths;
            }
        }
        row(report.budget, q.quantity, BudgetKind::placed, q.placed_reason, placed);
        row(rounding, q.quantity, BudgetKind::rounding, Reason::balance, Tally{0, residual - placed.amount});
        if (!q.arrays) continue;
        const Tally outside = get(q.quantity, Reason::from_outside_the_grid);
        row(report.budget, q.quantity, BudgetKind::note, Reason::from_outside_the_grid, outside);
        const Tally stars = get(q.quantity, Reason::written_as_asterisks);
        const double written = static_cast<double>(written_tenths) / 10.0;
        row(report.budget, q.quantity, BudgetKind::unreadable, Reason::written_as_asterisks, stars);
        row(report.budget, q.quantity, BudgetKind::written, Reason::as_the_model_reads, Tally{0, written});
        row(rounding, q.quantity, BudgetKind::rounding, Reason::f6_1_fields,
            Tally{0, written - (placed.amount - stars.amount)});
        const std::optional<float> check = check_totals_[static_cast<std::size_t>(*q.arrays)];
        if (!check) continue;
        row(rounding, q.quantity, BudgetKind::check_report, check_label(*q.arrays), Tally{0, *check});
        row(rounding, q.quantity, BudgetKind::rounding, Reason::running_sum, Tally{0, *check - placed.amount});
    }
    report.budget.insert(report.budget.end(), rounding.begin(), rounding.end());
}

void ReportCollector::check_total(ArrayKind kind, float total) {
    check_totals_[static_cast<std::size_t>(kind)] = total;
}

}  // namespace tessadro
