#pragma once

#include <array>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "model/run_observer.hpp"
#include "model/run_state.hpp"
#include "report/survey_extent.hpp"
#include "report/year_report.hpp"
#include "text/record_notes.hpp"

namespace tessadro {

// Listens to the phases' decisions, to the rows of the array files as the run
// writes them and to the record readers during a run and, once the run is
// over, turns them and the run's final tables into the year report. It keeps
// what it is told about problems, never every record: its memory grows with
// the problems of a year and the size of its grid, not with its records. It
// reads no file: the record texts it shows are those the run read.
class ReportCollector : public RunObserver, public RecordListener {
public:
    // chyear: the 4-character year text, which names the year files.
    explicit ReportCollector(std::string chyear);

    void pumping(const PumpingDecision& d) override;
    void tract(const TractDecision& d) override;
    void reassignment(const ReassignDecision& d) override;
    void mi(const MiDecision& d) override;
    void county_factors(std::int32_t county, long line, std::string_view record) override;
    void tract_points(const TractCoords& coords, bool read_ahead) override;
    void array_row(std::string_view file, std::int32_t row, std::int32_t nrow, std::span<const float> values) override;
    void noticed(RecordNote note, const std::string& file, long line, std::string_view text) override;
    void check_total(ArrayKind kind, float total) override;

    void arrays_written(const Grid& grid, const Table<std::int32_t, 2>& ibound) override;
    // Where the report of the run goes, and whom to tell as soon as its grid,
    // activity codes and monthly arrays are in place, before the run is
    // over: nothing changes them after, while the rest of the report is
    // made. Both must outlive the run and finish_into().
    void report_into(YearReport& report, std::function<void(const YearReport&)> arrays_known);
    // The report of the finished run.
    YearReport finish(const RunState& state);
    // The same into the report given to report_into().
    void finish_into(const RunState& state);

private:
    struct Tally {
        long count = 0;
        double amount = 0.0;
        void add(double value) {
            ++count;
            amount += value;
        }
    };
    // Tallies by quantity and reason.
    Tally& tally(Quantity quantity, Reason reason) { return tallies_[{quantity, reason}]; }
    Tally get(Quantity quantity, Reason reason) const;

    void place_arrays(const Grid& grid, const Table<std::int32_t, 2>& ibound);
    void add_arrays(YearReport& report);
    void add_factor_changes(const YearReport& report);
    void add_cell_problems(YearReport& report);
    void well_in_edge_cell(const PumpingDecision& d);
    void add_edge_placements(const Grid& grid);
    void add_budget(YearReport& report) const;
    void add_area_totals(YearReport& report, const RunState& state);
    void add_input_warnings(YearReport& report);
    void add_factor_warnings(const RunState& state);
    Problem& range_warning(Reason reason, const std::string& file, long line, std::string_view record);
    void check_well(const std::string& file, long line, float x, float y, std::string_view record);

    std::map<std::pair<Quantity, Reason>, Tally> tallies_;
    // What the files hold, tallied apart: every record adds to these.
    struct InFile {
        Tally pumping, return_flow, acres, authorized_acres, mi;
    } in_file_;
    Tally exchange_area_;  // what the factor adds to the acres of the records it applies to
    std::vector<Problem> problems_;
    std::vector<long> unauthorized_lines_;  // pumping file lines of the records placed at their wells
    // The rows in problems_ of the records placed at their wells that stand
    // in column or row 1, by list index: their return flow and acres reach
    // the cell at the reassignment.
    std::map<std::size_t, std::size_t> unauthorized_at_edge_;
    std::map<std::int32_t, AreaTotals> groups_;  // accepted pumping records, by group
    AreaTotals* last_group_ = nullptr;           // the last one of them added to
    std::int32_t last_group_id_ = 0;
    long pumping_records_ = 0, tract_records_ = 0, mi_records_ = 0;
    std::string year_;
    std::string pumping_file_, authorized_file_, mi_file_;

    // The check report's totals, by array kind, once the run has written them.
    std::array<std::optional<float>, 4> check_totals_;

    // The array files as written, in the order they came, until they go to
    // the report.
    std::vector<ArrayValues> arrays_;
    YearReport* report_ = nullptr;
    std::function<void(const YearReport&)> arrays_known_;
    bool arrays_placed_ = false;

    // Input warnings: records the reading rules probably misread, and values
    // outside the plausible ranges of docs/formats.md, section 9. The
    // coordinates may be read on a thread of their own, hence the lock.
    std::mutex input_lock_;
    std::vector<Problem> input_;
    std::set<std::pair<std::string, RecordNote>> whole_file_notes_;  // one row a file for these
    std::set<std::tuple<std::string, long, RecordNote>> noted_records_;
    // Wells are checked against the survey's extent as they are read, once
    // it is known.
    SurveyExtent extent_;
    // The wells of the pumping file, read before the extent is known: each
    // one's line, point and record (its text in a block of pending_text_),
    // checked when the tract points come.
    struct PendingWell {
        long line;
        float x, y;
        std::size_t block, start, length;
    };
    std::vector<PendingWell> pending_wells_;
    bool points_known_ = false;
    std::vector<std::string> pending_text_;
    // The record of each county's factors, checked once the run is over.
    struct CountyRecord {
        long line = 0;
        std::string text;
    };
    std::vector<CountyRecord> county_records_;  // by county, from 1
};

}  // namespace tessadro
