// The year report's water budget on the hand-made whole-run datasets: every
// kind of loss at least once, with the amounts reasoned from each dataset's
// README (tests/data/<name>/README), and for every quantity the file's amount
// minus the losses plus the changes equal to what the arrays hold.
#include <gtest/gtest.h>

#include <cstdlib>

#include "dataset_run.hpp"

namespace tessadro::test {
namespace {

struct Entry {
    long count;
    double amount;
};

// budget.csv by "quantity|kind|reason".
class Budget {
public:
    explicit Budget(const std::string& dataset) {
        run_ = run_dataset(dataset_path(dataset), TESSADRO_REPORT_BINARY, "budget");
        std::ifstream args(dataset_path(dataset) / "args");
        std::string year;
        std::getline(args, year);
        const auto rows = csv_rows(slurp(run_.work / "report" / year / "budget.csv"));
        for (std::size_t k = 1; k < rows.size(); ++k) {
            const auto& f = rows[k];
            if (f.size() != 5) continue;
            rows_[f[0] + "|" + f[1] + "|" + f[2]] = {std::stol(f[3]), std::stod(f[4])};
            quantities_.push_back(f[0]);
        }
        problems_ = csv_rows(slurp(run_.work / "report" / year / "problems.csv"));
    }
    ~Budget() { fs::remove_all(run_.work); }

    void expect(const std::string& key, long count, double amount) const {
        const auto at = rows_.find(key);
        ASSERT_NE(at, rows_.end()) << key;
        EXPECT_EQ(count, at->second.count) << key;
        EXPECT_NEAR(amount, at->second.amount, 1e-4) << key;
    }
    // File minus losses plus changes equals placed, for every quantity.
    void expect_balanced() const {
        for (const std::string& q : quantities_) {
            const auto at = rows_.find(q + "|residual|in file - losses + changes - placed");
            ASSERT_NE(at, rows_.end()) << q;
            EXPECT_NEAR(0.0, at->second.amount, 1e-3) << q;
        }
    }
    // Problems with this reason: their file, line, row and column.
    std::vector<std::string> problems(const std::string& reason) const {
        std::vector<std::string> found;
        for (const auto& p : problems_) {
            if (p.size() > 6 && p[1] == reason) found.push_back(p[2] + ":" + p[3] + " (" + p[5] + "," + p[6] + ")");
        }
        return found;
    }

private:
    DatasetRun run_;
    std::map<std::string, Entry> rows_;
    std::vector<std::string> quantities_;
    std::vector<std::vector<std::string>> problems_;
};

using Lines = std::vector<std::string>;

// groups_basic_year: 12 pumping records, factor 0.5.
TEST(ReportBudget, PumpingRecordsOffTheGridInactiveNegativeAndExchangeArea) {
    const Budget b("groups_basic_year");
    // 300+100-5+50+400+150+11+12+13+55.5+120+80 of pumping in 12 records.
    b.expect("pumping|in file|pumping file", 12, 1286.5);
    // Records 7, 8, 9 (11, 12, 13 pumped; 1 return flow and 1 acre each) lie
    // off the grid; record 10 (55.5 pumped, 1 return flow, 2 acres) on the
    // inactive cell (2,2).
    b.expect("pumping|loss|off the grid", 3, 36.0);
    b.expect("return flow|loss|off the grid", 3, 3.0);
    b.expect("acres|loss|off the grid", 3, 3.0);
    b.expect("pumping|loss|on an inactive cell", 1, 55.5);
    b.expect("acres|loss|on an inactive cell", 1, 2.0);
    // Record 3's -5.0 counts in its group but is not put on the grid.
    b.expect("pumping|loss|negative pumping not placed", 1, -5.0);
    // Exchange-area records 5, 6 and 11 keep half their 100, 40 and 36 acres:
    // the accepted acres are 991 - 3 - 2 - 88 = 898, the run's sumacres.
    b.expect("acres|in file|pumping file", 12, 991.0);
    b.expect("acres|change|exchange-area factor", 3, -88.0);
    b.expect_balanced();
    EXPECT_EQ((Lines{"tessadro2010.txt:7 (-2,0)", "tessadro2010.txt:8 (2,5)", "tessadro2010.txt:9 (0,2)"}),
              b.problems("pumping record off the grid"));
    EXPECT_EQ((Lines{"tessadro2010.txt:10 (2,2)"}), b.problems("pumping record on an inactive cell"));
}

// tracts_unplaced: group 4's five tracts of 10, 20, 30, 15 and 25 acres share
// its 30 of return flow and 20 acres; only tract 5 is placed.
TEST(ReportBudget, TractsWithoutCoordinatesOffTheGridAndInactiveAndGroupBeyondTables) {
    const Budget b("tracts_unplaced");
    // Tract 1 (share 0.1) is not in 40coords.dat: 3.0 and 2.0 lost.
    b.expect("return flow|loss|tract without coordinates", 1, 3.0);
    b.expect("acres|loss|tract without coordinates", 1, 2.0);
    // Tracts 2 and 4 (0.2 and 0.15) lie off the grid: 6 + 4.5 and 4 + 3.
    b.expect("return flow|loss|tract off the grid", 2, 10.5);
    b.expect("acres|loss|tract off the grid", 2, 7.0);
    // Tract 3 (0.3) lies on the inactive cell (4,3): the "I" record's 9 and 6.
    b.expect("return flow|loss|tract on an inactive cell", 1, 9.0);
    b.expect("acres|loss|tract on an inactive cell", 1, 6.0);
    // The first pumping record (75 pumped, 5, 5) is off the grid; the file
    // holds 53 of return flow: 53 - 5 - 3 - 10.5 - 9 = 25.5 in gwret.
    b.expect("return flow|in file|pumping file", 4, 53.0);
    b.expect("pumping|loss|off the grid", 1, 75.0);
    // Group 6001's 10 acres count only in the file's sum of 110.
    b.expect("authorized acres|in file|authorized-acres file", 8, 110.0000005);
    b.expect("authorized acres|loss|group beyond 5000", 1, 10.0);
    b.expect_balanced();
    EXPECT_EQ((Lines{"authacres2010.txt:1 (24,-9)"}), b.problems("tract without coordinates"));
    EXPECT_EQ((Lines{"authacres2010.txt:2 (4,2)", "authacres2010.txt:4 (2,5)"}), b.problems("tract off the grid"));
    EXPECT_EQ((Lines{"authacres2010.txt:3 (3,4)"}), b.problems("tract on an inactive cell"));
}

// tracts_reassign: six records of groups without authorized acres placed in
// their wells' cells under the 640-acre cap.
TEST(ReportBudget, TheCapOfTheReassignment) {
    const Budget b("tracts_reassign");
    // Entry 1 gets 40 of its 100 acres (60 lost), entry 3 nothing of 30 acres
    // and 9 of return flow, entry 5 nothing of 10 acres and 4 of return flow.
    b.expect("acres|loss|640-acre cap of the reassignment", 3, 100.0);
    b.expect("return flow|loss|640-acre cap of the reassignment", 2, 13.0);
    b.expect_balanced();
}

// mi_placement: ten M&I records read.
TEST(ReportBudget, MiOffTheGridInactiveNegativeAndTooWide) {
    const Budget b("mi_placement");
    // 10 + 5.5 + 7 + 8 - 4 - 2.5 + 3.25 + 1 + 20000 + 2.
    b.expect("m&i pumping|in file|M&I file", 10, 20030.25);
    // Records 3, 6 and 8 lie off the grid: 7 - 2.5 + 1, the off-grid total.
    b.expect("m&i pumping|loss|off the grid", 3, 5.5);
    b.expect("m&i pumping|loss|on an inactive cell", 1, 8.0);
    b.expect("m&i pumping|loss|negative M&I pumping not placed", 1, -4.0);
    // pumpmi: 17.5 + 3.25 + 20000, of which 20000 is written as ******;
    // the model reads 17.5 and 3.2 (the tie 3.25 goes to the even 3.2).
    b.expect("m&i pumping|placed|.mi array", 3, 20020.75);
    b.expect("m&i pumping|unreadable|written as ******", 1, 20000.0);
    b.expect("m&i pumping|written|as the model reads it", 0, 20.7);
    b.expect("m&i pumping|rounding|F6.1 fields", 0, -0.05);
    // Before the M&I file: a pumping record off the grid and group 1's tract
    // of share 0.75 on the inactive cell (3,2): 7.5 and 15 not placed.
    b.expect("return flow|loss|tract on an inactive cell", 1, 7.5);
    b.expect("acres|loss|tract on an inactive cell", 1, 15.0);
    b.expect_balanced();
    EXPECT_EQ((Lines{"2010.mi:2 (2,2)"}), b.problems("value written as ******"));
}

// monthly_wide_grid: 330 columns, each array row two records.
TEST(ReportBudget, NegativeReturnFlowAndFieldsTooWide) {
    const Budget b("monthly_wide_grid");
    // Column 328's return flow of -40 is written as 0.0 every month.
    b.expect("return flow|loss|negative return flow not placed", 1, -40.0);
    // August: 45000 * 0.25 and 44000 * 0.25; .agw: -2000 and 12000.
    b.expect("pumping|unreadable|written as ******", 2, 22250.0);
    b.expect("acres|unreadable|written as ******", 2, 10000.0);
    // Season pumping 90820 (the check report), acres 10140.
    b.expect("acres|placed|.agw array", 5, 10140.0);
    b.expect_balanced();
    // Column 330 stands in the second record of its row.
    EXPECT_EQ((Lines{"2010.08.pmp:1 (1,1)", "2010.08.pmp:2 (1,330)", "2010.agw:1 (1,325)", "2010.agw:1 (1,326)"}),
              b.problems("value written as ******"));
}

}  // namespace
}  // namespace tessadro::test
