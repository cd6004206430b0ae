#pragma once

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "model/run_observer.hpp"
#include "model/run_state.hpp"
#include "report/year_report.hpp"
#include "text/record_notes.hpp"

namespace tessadro {

// Listens to the phases' decisions and to the record readers during a run
// and, once the run is over, turns them and the run's final tables into the
// year report.
class ReportCollector : public RunObserver, public RecordListener {
public:
    // chyear: the 4-character year text, which names the year files.
    explicit ReportCollector(std::string chyear);

    void pumping(const PumpingDecision& d) override;
    void tract(const TractDecision& d) override;
    void reassignment(const ReassignDecision& d) override;
    void mi(const MiDecision& d) override;
    void county_factors(std::int32_t county, long line) override;
    void noticed(RecordNote note, const std::string& file, long line, std::string_view text) override;

    // The report of the finished run.
    YearReport finish(const RunState& state);

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
    Tally& tally(const std::string& quantity, const std::string& reason) { return tallies_[quantity + "|" + reason]; }
    Tally get(const std::string& quantity, const std::string& reason) const;

    void add_cell_problems(YearReport& report);
    void add_budget(YearReport& report) const;
    void add_input_warnings(YearReport& report);
    void add_range_warnings(const RunState& state);
    void range_warning(const std::string& reason, const std::string& file, long line);

    std::map<std::string, Tally> tallies_;
    // What the files hold, tallied apart: every record adds to these.
    struct InFile {
        Tally pumping, return_flow, acres, authorized_acres, mi;
    } in_file_;
    std::vector<Problem> problems_;
    std::vector<long> unauthorized_lines_;  // pumping file lines of the records placed at their wells
    long pumping_records_ = 0, tract_records_ = 0, mi_records_ = 0;
    std::string year_;
    std::string pumping_file_, authorized_file_, mi_file_;

    // Input warnings: records the reading rules probably misread. The
    // coordinates are read on a thread of their own, hence the lock.
    std::mutex input_lock_;
    std::vector<Problem> input_;
    std::set<std::pair<std::string, RecordNote>> whole_file_notes_;  // one row a file for these
    std::set<std::tuple<std::string, long, RecordNote>> noted_records_;
    // Values outside the plausible ranges of docs/formats.md, section 9:
    // the wells' points (checked once the survey's extent is known) and the
    // record of each county's factors.
    struct WellPoint {
        bool mi;
        long line;
        float x, y;
    };
    std::vector<WellPoint> wells_;
    std::vector<long> county_lines_;
    std::vector<Problem> ranges_;
};

}  // namespace tessadro
