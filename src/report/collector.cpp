#include "report/collector.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <span>
#include <utility>

#include "run/fp_flags.hpp"

namespace tessadro {
namespace {

// The rows of each quantity's budget, in the order the page shows them.
struct QuantityRows {
    const char* quantity;
    const char* file_reason;
    std::vector<const char*> losses;
    std::vector<const char*> changes;
    const char* placed_reason;
    bool arrays;  // written to array files: unreadable fields, rounding
};

const std::vector<QuantityRows>& budget_layout() {
    static const std::vector<QuantityRows> layout = {
        {"pumping", "pumping file",
         {"off the grid", "on an inactive cell", "negative pumping not placed"},
         {"county monthly factors"}, "monthly .pmp arrays", true},
        {"return flow", "pumping file",
         {"off the grid", "on an inactive cell", "tract without coordinates", "tract off the grid",
          "tract on an inactive cell", "640-acre cap of the reassignment", "negative return flow not placed"},
         {"county monthly factors"}, "monthly .rcg arrays", true},
        {"acres", "pumping file",
         {"off the grid", "on an inactive cell", "tract without coordinates", "tract off the grid",
          "tract on an inactive cell", "640-acre cap of the reassignment"},
         {"exchange-area factor"}, ".agw array", true},
        {"m&i pumping", "M&I file",
         {"off the grid", "on an inactive cell", "negative M&I pumping not placed"}, {}, ".mi array", true},
        {"authorized acres", "authorized-acres file", {"group beyond 5000"}, {}, "group totals", false},
    };
    return layout;
}

std::size_t cells_of(const Grid& grid) {
    if (grid.nrow <= 0 || grid.ncol <= 0) return 0;
    return static_cast<std::size_t>(grid.nrow) * static_cast<std::size_t>(grid.ncol);
}

std::vector<float> grid_values(const Grid& grid, const Table<float, 2>& table) {
    std::vector<float> values;
    values.reserve(cells_of(grid));
    for (std::int32_t i = 1; i <= grid.nrow; ++i) {
        for (std::int32_t j = 1; j <= grid.ncol; ++j) values.push_back(table(j, i));
    }
    return values;
}

double sum_of(const std::vector<float>& values) {
    double sum = 0.0;
    for (float v : values) sum += v;
    return sum;
}

double written_sum(const std::vector<WrittenValue>& written) {
    long long tenths = 0;
    for (const WrittenValue& w : written) tenths += w.tenths;
    return static_cast<double>(tenths) / 10.0;
}

// The record number of a cell's field in an array file: rows of more than
// 326 columns take two records.
long array_line(const Grid& grid, std::int32_t row, std::int32_t column) {
    const long records_per_row = (grid.ncol + 325) / 326;
    return (row - 1) * records_per_row + (column - 1) / 326 + 1;
}

const char* quantity_of_array(const std::string& file) {
    if (file.ends_with(".pmp")) return "pumping";
    if (file.ends_with(".rcg")) return "return flow";
    if (file.ends_with(".agw")) return "acres";
    return "m&i pumping";
}

// The input warnings, in the order the page's header counts them: first what
// the record readers notice (by RecordNote), then the checks of plausible
// ranges (docs/formats.md, section 9).
const std::vector<std::string>& input_warning_reasons() {
    static const std::vector<std::string> reasons = {
        "null value: the column kept the previous record's value",
        "values ran onto the next line",
        "more numbers than the read takes",
        "a slash ended the record early",
        "semicolons between fields and decimal commas",
        "byte-order mark at the start of the file",
        "negative acres",
        "month factor outside 0 to 1",
        "county factors do not add up to 1 within 0.001",
        "well outside the survey's extent",
    };
    return reasons;
}

enum RangeWarning { negative_acres = record_note_kinds, month_factor, county_sum, outside_survey };

const std::string& range_reason(RangeWarning w) { return input_warning_reasons()[static_cast<std::size_t>(w)]; }

}  // namespace

ReportCollector::ReportCollector(std::string chyear)
    : year_(std::move(chyear)),
      pumping_file_("tessadro" + year_ + ".txt"),
      authorized_file_("authacres" + year_ + ".txt"),
      mi_file_(year_ + "mi.txt") {}

ReportCollector::Tally ReportCollector::get(const std::string& quantity, const std::string& reason) const {
    const auto at = tallies_.find(quantity + "|" + reason);
    return at == tallies_.end() ? Tally{} : at->second;
}

void ReportCollector::pumping(const PumpingDecision& d) {
    const FlagsKept kept;
    ++pumping_records_;
    if (d.acloc < 0.0f) range_warning(range_reason(negative_acres), pumping_file_, d.line, d.record).acres = d.acloc;
    check_well(pumping_file_, d.line, d.x, d.y, d.record);
    in_file_.pumping.add(d.pumploc);
    in_file_.return_flow.add(d.gwloc);
    in_file_.acres.add(d.acloc);
    if (d.acfact != 1.0f) {
        tally("acres", "exchange-area factor").add(static_cast<double>(d.acloc * d.acfact) - d.acloc);
    }
    if (d.unauthorized) unauthorized_lines_.push_back(d.line);
    if (d.placement == Placement::placed) return;  // most records
    Problem p{"warning", "", pumping_file_, d.line, d.grp, d.cell.row, d.cell.column, d.x, d.y,
              d.pumploc, d.gwloc, d.acloc, std::nullopt, {}};
    if (d.placement == Placement::off_grid || d.placement == Placement::inactive) {
        const char* reason = d.placement == Placement::off_grid ? "off the grid" : "on an inactive cell";
        tally("pumping", reason).add(d.pumploc);
        tally("return flow", reason).add(d.gwloc);
        tally("acres", reason).add(d.acloc);
        p.reason = std::string("pumping record ") + reason;
        problems_.push_back(std::move(p));
        return;
    }
    if (d.pumploc < 0.0f) {
        tally("pumping", "negative pumping not placed").add(d.pumploc);
        p.severity = "note";
        p.reason = "negative pumping not placed";
        p.return_flow.reset();
        p.acres.reset();
        problems_.push_back(std::move(p));
    }
}

void ReportCollector::tract(const TractDecision& d) {
    const FlagsKept kept;
    ++tract_records_;
    if (d.authacres < 0.0f) {
        range_warning(range_reason(negative_acres), authorized_file_, d.line, d.record).acres = d.authacres;
    }
    in_file_.authorized_acres.add(d.authacres);
    // A tract that the coordinates file does not list stands at (0, 0).
    const bool no_coordinates = d.xloc == 0.0f && d.yloc == 0.0f;
    if (d.placement == Placement::placed && !no_coordinates) return;  // most tracts
    Problem p{"warning", "", authorized_file_, d.line, d.grp, d.cell.row, d.cell.column, d.xloc,
              d.yloc, std::nullopt, d.gwret, d.acres, std::nullopt, {}};
    std::string reason;
    switch (d.placement) {
        case Placement::beyond_tables:
            tally("authorized acres", "group beyond 5000").add(d.authacres);
            p.reason = "group beyond 5000";
            p.row = p.column = 0;
            p.return_flow.reset();
            p.acres.reset();
            problems_.push_back(std::move(p));
            return;
        case Placement::placed:
            p.reason = "tract without coordinates placed at (0, 0)";
            problems_.push_back(std::move(p));
            return;
        case Placement::inactive:
            reason = no_coordinates ? "tract without coordinates" : "tract on an inactive cell";
            break;
        default:
            reason = no_coordinates ? "tract without coordinates" : "tract off the grid";
            break;
    }
    tally("return flow", reason).add(d.gwret);
    tally("acres", reason).add(d.acres);
    p.reason = reason;
    problems_.push_back(std::move(p));
}

void ReportCollector::reassignment(const ReassignDecision& d) {
    const FlagsKept kept;
    const double acres_lost = static_cast<double>(d.acloc) - d.reassgn;
    if (acres_lost == 0.0 && d.gwret_placed) return;
    tally("acres", "640-acre cap of the reassignment").add(acres_lost);
    Problem p{"warning", "640-acre cap of the reassignment", pumping_file_, 0, d.grp, d.cell.row,
              d.cell.column, 0.0f, 0.0f, std::nullopt, std::nullopt, acres_lost, std::nullopt, {}};
    const auto index = static_cast<std::size_t>(d.idxna - 1);
    if (index < unauthorized_lines_.size()) p.line = unauthorized_lines_[index];
    if (!d.gwret_placed) {
        tally("return flow", "640-acre cap of the reassignment").add(d.gwloc);
        p.return_flow = d.gwloc;
    }
    problems_.push_back(std::move(p));
}

void ReportCollector::mi(const MiDecision& d) {
    const FlagsKept kept;
    ++mi_records_;
    check_well(mi_file_, d.line, d.x, d.y, d.record);
    in_file_.mi.add(d.amount);
    if (d.placement == Placement::placed) return;
    Problem p{"warning", "", mi_file_, d.line, std::nullopt, d.cell.row, d.cell.column, d.x, d.y,
              std::nullopt, std::nullopt, std::nullopt, d.amount, {}};
    switch (d.placement) {
        case Placement::off_grid:
            tally("m&i pumping", "off the grid").add(d.amount);
            p.reason = "M&I well off the grid";
            break;
        case Placement::inactive:
            tally("m&i pumping", "on an inactive cell").add(d.amount);
            p.reason = "M&I well on an inactive cell";
            break;
        case Placement::not_positive:
            if (!(d.amount < 0.0f)) return;
            tally("m&i pumping", "negative M&I pumping not placed").add(d.amount);
            p.severity = "note";
            p.reason = "negative M&I pumping not placed";
            break;
        default:
            return;
    }
    problems_.push_back(std::move(p));
}

YearReport ReportCollector::finish(const RunState& state) {
    YearReport report;
    const Grid& grid = state.grid;
    report.year = state.text.chyear;
    report.factor_text = state.text.chfact;
    report.factor = state.queltafact;
    report.grid = grid;
    for (std::int32_t i = 1; i <= grid.nrow; ++i) {
        for (std::int32_t j = 1; j <= grid.ncol; ++j) {
            report.ibound.push_back(state.grids.ibound(j, i));
            if (report.ibound.back() != 0) ++report.active_cells;
        }
    }
    report.pump = grid_values(grid, state.grids.pump);
    report.gwret = grid_values(grid, state.grids.gwret);
    report.acres = grid_values(grid, state.grids.acres);
    report.pumpmi = grid_values(grid, state.grids.pumpmi);
    add_arrays(report, state);
    add_factor_changes(report);
    double authtot = 0.0;
    long groups = 0;
    for (std::int32_t g = 1; g <= n_groups; ++g) {
        authtot += state.groups.authtot(g);
        if (state.groups.authtot(g) != 0.0f) ++groups;
    }
    tally("authorized acres", "group totals") = Tally{groups, authtot};

    report.inputs = {
        {pumping_file_, pumping_records_, "records"},
        {authorized_file_, tract_records_, "records"},
        {mi_file_, mi_records_, "records"},
        {"02.ibound", std::max(grid.nrow, 0), "rows"},
        {"cty.flg", std::max(grid.nrow, 0), "rows"},
        {"monthlyfactorsbycounty.txt", n_counties, "counties"},
        {"queltapdivs.txt", state.pdivs.npdivs, "points of diversion"},
    };
    // Reassigned records are shown at their well's cell centre.
    for (Problem& p : problems_) {
        if (p.reason != "640-acre cap of the reassignment") continue;
        p.x = centre_x(grid, p.column);
        p.y = centre_y(grid, p.row);
    }
    tally("pumping", "pumping file") = in_file_.pumping;
    tally("return flow", "pumping file") = in_file_.return_flow;
    tally("acres", "pumping file") = in_file_.acres;
    tally("authorized acres", "authorized-acres file") = in_file_.authorized_acres;
    tally("m&i pumping", "M&I file") = in_file_.mi;
    add_cell_problems(report);
    add_budget(report);
    add_factor_warnings(state);
    add_input_warnings(report);
    report.problems = std::move(problems_);
    return report;
}

// The arrays as the run wrote them, in the order of the run's check report:
// the .pmp and .rcg of each month, then .agw and .mi. An array of a grid
// without rows was written empty, and is so here.
void ReportCollector::add_arrays(YearReport& report, const RunState& state) {
    for (const std::string& name : array_file_names(state.text.chyear)) {
        const auto at =
            std::find_if(arrays_.begin(), arrays_.end(), [&name](const ArrayValues& a) { return a.file == name; });
        report.arrays.push_back(at != arrays_.end() ? std::move(*at) : ArrayValues{name, {}, {}});
    }
    arrays_.clear();
    for (std::size_t k = 0; k + 1 < 12; k += 2) {
        const ArrayValues& p = report.arrays[k];
        const ArrayValues& r = report.arrays[k + 1];
        report.months.push_back({static_cast<int>(5 + k / 2), sum_of(p.values), sum_of(r.values),
                                 written_sum(p.written), written_sum(r.written)});
    }
}

// What the county factors change: in each cell the run split into months
// (a positive annual value), the six monthly values it wrote against the
// annual value. The factors of a county need not add up to 1.
void ReportCollector::add_factor_changes(const YearReport& report) {
    const std::size_t cells = report.pump.size();
    for (const auto& [quantity, annual, first] : {std::tuple{"pumping", &report.pump, std::size_t{0}},
                                                  std::tuple{"return flow", &report.gwret, std::size_t{1}}}) {
        Tally& change = tally(quantity, "county monthly factors");
        for (std::size_t c = 0; c < cells; ++c) {
            if (!((*annual)[c] > 0.0f)) continue;
            double season = 0.0;
            for (std::size_t k = first; k < 12; k += 2) {
                const std::vector<float>& month = report.arrays[k].values;
                if (c < month.size()) season += month[c];
            }
            change.add(season - (*annual)[c]);
        }
    }
}

void ReportCollector::county_factors(std::int32_t county, long line, std::string_view record) {
    if (county < 1) return;
    const auto k = static_cast<std::size_t>(county);
    if (county_records_.size() <= k) county_records_.resize(k + 1);
    county_records_[k] = {line, std::string(record)};
}

void ReportCollector::tract_points(const TractCoords& coords) {
    const FlagsKept kept;
    Extent e;
    const auto& xs = coords.xcoord;
    const auto& ys = coords.ycoord;
    // Township by township along storage: one checked run of the table for
    // each range, section and tract. A point that is not a number marks no
    // extent.
    for (std::int32_t k = 1; k <= xs.extent(3); ++k) {
        for (std::int32_t s = 1; s <= xs.extent(2); ++s) {
            for (std::int32_t r = 1; r <= xs.extent(1); ++r) {
                const std::span<const float> xrun = xs.run(xs.extent(0), r, s, k);
                const std::span<const float> yrun = ys.run(ys.extent(0), r, s, k);
                for (std::size_t t = 0; t < xrun.size() && t < yrun.size(); ++t) {
                    const float x = xrun[t], y = yrun[t];
                    if ((x == 0.0f && y == 0.0f) || !std::isfinite(x) || !std::isfinite(y)) continue;
                    if (!e.known) e = {true, x, x, y, y};
                    e.xmin = std::min(e.xmin, x);
                    e.xmax = std::max(e.xmax, x);
                    e.ymin = std::min(e.ymin, y);
                    e.ymax = std::max(e.ymax, y);
                }
            }
        }
    }
    extent_ = e;
}

void ReportCollector::array_row(std::string_view file, std::int32_t row, std::int32_t nrow,
                                std::span<const float> values) {
    const FlagsKept kept;
    // A file's rows come in order, one file after another (two at a time
    // when a month's recharge comes before its pumping): the last one or
    // two are the ones at hand.
    auto at = std::find_if(arrays_.rbegin(), arrays_.rend(), [file](const ArrayValues& a) { return a.file == file; });
    ArrayValues& a = at != arrays_.rend() ? *at : arrays_.emplace_back(ArrayValues{std::string(file), {}, {}});
    if (row == 1 && nrow > 0) {  // the whole array at once: a grid's arrays are most of the report's memory
        a.values.reserve(static_cast<std::size_t>(nrow) * values.size());
        a.written.reserve(a.values.capacity());
    }
    a.values.insert(a.values.end(), values.begin(), values.end());
    for (float v : values) a.written.push_back(as_written(v));
}

Problem& ReportCollector::range_warning(const std::string& reason, const std::string& file, long line,
                                        std::string_view record) {
    Problem p;
    p.severity = "warning";
    p.reason = reason;
    p.file = file;
    p.line = line;
    p.record = std::string(record);
    const std::lock_guard<std::mutex> hold(input_lock_);
    return input_.emplace_back(std::move(p));
}

// A well outside the survey's extent, once the extent is known: before the
// pumping file when the coordinates were read ahead (see coords_ahead.hpp),
// else only for the M&I wells, read after the coordinates.
void ReportCollector::check_well(const std::string& file, long line, float x, float y, std::string_view record) {
    if (!extent_.known || extent_.holds(x, y)) return;
    Problem& p = range_warning(range_reason(outside_survey), file, line, record);
    p.x = x;
    p.y = y;
}

// The factors of each county as the run read them, with the record's text.
void ReportCollector::add_factor_warnings(const RunState& state) {
    const std::string factors_file = "monthlyfactorsbycounty.txt";
    for (std::size_t k = 1; k < county_records_.size(); ++k) {
        const auto county = static_cast<std::int32_t>(k);
        double season = 0.0;
        bool outside = false;
        for (std::int32_t m = 5; m <= 10; ++m) {
            const float f = state.xmonfactors(county, m);
            season += f;
            outside |= !(f >= 0.0f && f <= 1.0f);
        }
        const CountyRecord& r = county_records_[k];
        if (outside) range_warning(range_reason(month_factor), factors_file, r.line, r.text);
        if (!(std::fabs(season - 1.0) <= 0.001)) range_warning(range_reason(county_sum), factors_file, r.line, r.text);
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
    Problem p;
    p.severity = "warning";
    p.reason = input_warning_reasons()[static_cast<std::size_t>(note)];
    p.file = std::move(name);
    p.line = line;
    p.record = std::string(text);
    input_.push_back(std::move(p));
}

// Input warnings head the problem list, file by file and record by record:
// a misread record usually explains the losses and cells listed after it.
void ReportCollector::add_input_warnings(YearReport& report) {
    for (const std::string& reason : input_warning_reasons()) {
        report.input_warnings.push_back({reason, 0});
    }
    for (const Problem& p : input_) {
        for (InputWarningCount& c : report.input_warnings) c.count += c.reason == p.reason ? 1 : 0;
    }
    std::stable_sort(input_.begin(), input_.end(), [](const Problem& a, const Problem& b) {
        return a.file != b.file ? a.file < b.file : a.line < b.line;
    });
    problems_.insert(problems_.begin(), std::make_move_iterator(input_.begin()), std::make_move_iterator(input_.end()));
    input_.clear();
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
            tally("return flow", "negative return flow not placed").add(v);
            problems_.push_back({"note", "negative return flow not placed", "", 0, std::nullopt, i, j,
                                 centre_x(grid, j), centre_y(grid, i), std::nullopt, v, std::nullopt, std::nullopt, {}});
        }
    }
    for (const ArrayValues& a : report.arrays) {
        const std::string quantity = quantity_of_array(a.file);
        Tally& stars = tally(quantity, "written as ******");
        if (a.written.size() < cells_of(grid)) continue;  // a run that ends well writes every cell
        for (std::int32_t i = 1; i <= grid.nrow; ++i) {
            for (std::int32_t j = 1; j <= grid.ncol; ++j) {
                const std::size_t c = report.cell(i, j);
                if (!a.written[c].unreadable) continue;
                stars.add(a.values[c]);
                Problem p{"error", "value written as ******", a.file, array_line(grid, i, j), std::nullopt, i, j,
                          centre_x(grid, j), centre_y(grid, i), std::nullopt, std::nullopt, std::nullopt, std::nullopt, {}};
                if (quantity == std::string("pumping")) p.pumping = a.values[c];
                else if (quantity == std::string("return flow")) p.return_flow = a.values[c];
                else if (quantity == std::string("acres")) p.acres = a.values[c];
                else p.mi = a.values[c];
                problems_.push_back(std::move(p));
            }
        }
    }
}

void ReportCollector::add_budget(YearReport& report) const {
    auto row = [&report](const std::string& quantity, const char* kind, const std::string& reason, Tally t) {
        report.budget.push_back({quantity, kind, reason, t.count, t.amount});
    };
    for (const QuantityRows& q : budget_layout()) {
        const Tally input = get(q.quantity, q.file_reason);
        row(q.quantity, "in file", q.file_reason, input);
        double residual = input.amount;
        for (const char* reason : q.losses) {
            const Tally t = get(q.quantity, reason);
            row(q.quantity, "loss", reason, t);
            residual -= t.amount;
        }
        for (const char* reason : q.changes) {
            const Tally t = get(q.quantity, reason);
            row(q.quantity, "change", reason, t);
            residual += t.amount;
        }
        Tally placed = get(q.quantity, q.placed_reason);
        long long written_tenths = 0;
        if (q.arrays) {
            for (const ArrayValues& a : report.arrays) {
                if (quantity_of_array(a.file) != std::string(q.quantity)) continue;
                for (std::size_t c = 0; c < a.values.size(); ++c) {
                    if (a.values[c] != 0.0f) placed.add(a.values[c]);
                    written_tenths += a.written[c].tenths;
                }
            }
        }
        row(q.quantity, "placed", q.placed_reason, placed);
        row(q.quantity, "residual", "in file - losses + changes - placed", Tally{0, residual - placed.amount});
        if (!q.arrays) continue;
        const Tally stars = get(q.quantity, "written as ******");
        const double written = static_cast<double>(written_tenths) / 10.0;
        row(q.quantity, "unreadable", "written as ******", stars);
        row(q.quantity, "rounding", "F6.1 fields", Tally{0, written - (placed.amount - stars.amount)});
        row(q.quantity, "written", "as the model reads it", Tally{0, written});
    }
}

std::vector<std::string> array_file_names(const std::string& year) {
    std::vector<std::string> names;
    for (const char* month : {"05", "06", "07", "08", "09", "10"}) {
        for (const char* kind : {".pmp", ".rcg"}) names.push_back(year + "." + month + kind);
    }
    names.push_back(year + ".agw");
    names.push_back(year + ".mi");
    return names;
}

long YearReport::count_of(const std::string& severity) const {
    long n = 0;
    for (const Problem& p : problems) n += p.severity == severity ? 1 : 0;
    return n;
}

}  // namespace tessadro
