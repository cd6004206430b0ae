// The year report's water budget on the hand-made whole-run datasets: every
// kind of loss at least once, with the amounts reasoned from each dataset's
// README (tests/data/<name>/README), and for every quantity the file's amount
// minus the losses plus the changes equal to what the arrays hold.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "dataset_run.hpp"

namespace tessadro::test {
namespace {

struct Row {
    std::string key;  // "quantity|kind|reason" of budget.csv
    long count;
    double amount;
};
using Problems = std::map<std::string, std::vector<std::string>>;  // by reason: "file:line (row,column)"

struct Case {
    const char* dataset;
    std::vector<Row> rows;  // of budget.csv
    Problems problems;      // of problems.csv
};

// Each case's year reported: the given rows of budget.csv, every quantity's
// residual (file - losses + changes - placed) and the problems listed.
TEST(ReportBudget, EveryLossOfTheDatasets) {
    const Case cases[] = {
        // groups_basic_year: 12 pumping records, factor 0.5. Records 7, 8, 9
        // (11, 12, 13 pumped; 1 return flow and 1 acre each) lie off the
        // grid; record 10 (55.5 pumped, 1 return flow, 2 acres) on the
        // inactive cell (2,2). Record 3's -5.0 counts in its group but is not
        // put on the grid. Exchange-area records 5, 6 and 11 keep half their
        // 100, 40 and 36 acres: the accepted acres are 991 - 3 - 2 - 88 = 898,
        // the run's sumacres.
        {"groups_basic_year",
         {{"pumping|in file|pumping file", 12, 1286.5},  // 300+100-5+50+400+150+11+12+13+55.5+120+80
          {"pumping|loss|off the grid", 3, 36.0},
          {"return flow|loss|off the grid", 3, 3.0}, {"acres|loss|off the grid", 3, 3.0},
          {"pumping|loss|on an inactive cell", 1, 55.5}, {"acres|loss|on an inactive cell", 1, 2.0},
          {"pumping|loss|negative pumping not placed", 1, -5.0},
          {"acres|in file|pumping file", 12, 991.0}, {"acres|change|exchange-area factor", 3, -88.0}},
         {{"pumping record off the grid",
           {"tessadro2010.txt:7 (-2,0)", "tessadro2010.txt:8 (2,5)", "tessadro2010.txt:9 (0,2)"}},
          {"pumping record on an inactive cell", {"tessadro2010.txt:10 (2,2)"}}}},
        // tracts_unplaced: group 4's five tracts of 10, 20, 30, 15 and 25
        // acres share its 30 of return flow and 20 acres; only tract 5 is
        // placed. Tract 1 (share 0.1) is not in 40coords.dat; tracts 2 and 4
        // (0.2 and 0.15) lie off the grid (6 + 4.5 and 4 + 3); tract 3 (0.3)
        // on the inactive cell (4,3), the "I" record. The first pumping record
        // (75 pumped, 5, 5) is off the grid; the file holds 53 of return flow:
        // 53 - 5 - 3 - 10.5 - 9 = 25.5 in gwret. Group 6001's 10 acres count
        // only in the file's sum of 110.
        {"tracts_unplaced",
         {{"return flow|loss|tract without coordinates", 1, 3.0}, {"acres|loss|tract without coordinates", 1, 2.0},
          {"return flow|loss|tract off the grid", 2, 10.5}, {"acres|loss|tract off the grid", 2, 7.0},
          {"return flow|loss|tract on an inactive cell", 1, 9.0}, {"acres|loss|tract on an inactive cell", 1, 6.0},
          {"return flow|in file|pumping file", 4, 53.0}, {"pumping|loss|off the grid", 1, 75.0},
          {"authorized acres|in file|authorized-acres file", 8, 110.0000005},
          {"authorized acres|loss|group beyond 5000", 1, 10.0}},
         {{"tract without coordinates", {"authacres2010.txt:1 (24,-9)"}},
          {"tract off the grid", {"authacres2010.txt:2 (4,2)", "authacres2010.txt:4 (2,5)"}},
          {"tract on an inactive cell", {"authacres2010.txt:3 (3,4)"}}}},
        // tracts_reassign: six records of groups without authorized acres
        // placed in their wells' cells under the 640-acre cap. Entry 1 gets 40
        // of its 100 acres (60 lost), entry 3 nothing of 30 acres and 9 of
        // return flow, entry 5 nothing of 10 acres and 4 of return flow.
        {"tracts_reassign",
         {{"acres|loss|640-acre cap of the reassignment", 3, 100.0},
          {"return flow|loss|640-acre cap of the reassignment", 2, 13.0}},
         {}},
        // mi_placement: ten M&I records read, 10 + 5.5 + 7 + 8 - 4 - 2.5 +
        // 3.25 + 1 + 20000 + 2. Records 3, 6 and 8 lie off the grid: 7 - 2.5 +
        // 1. pumpmi holds 17.5 + 3.25 + 20000, of which 20000 is written as
        // ******; the model reads 17.5 and 3.2 (the tie 3.25 goes to the even
        // 3.2). Before the M&I file: a pumping record off the grid and group
        // 1's tract of share 0.75 on the inactive cell (3,2): 7.5 and 15 not
        // placed.
        {"mi_placement",
         {{"m&i pumping|in file|M&I file", 10, 20030.25}, {"m&i pumping|loss|off the grid", 3, 5.5},
          {"m&i pumping|loss|on an inactive cell", 1, 8.0},
          {"m&i pumping|loss|negative M&I pumping not placed", 1, -4.0},
          {"m&i pumping|placed|.mi array", 3, 20020.75},
          {"m&i pumping|unreadable|written as ******", 1, 20000.0},
          {"m&i pumping|written|as the model reads it", 0, 20.7}, {"m&i pumping|rounding|F6.1 fields", 0, -0.05},
          {"return flow|loss|tract on an inactive cell", 1, 7.5}, {"acres|loss|tract on an inactive cell", 1, 15.0}},
         {{"value written as ******", {"2010.mi:2 (2,2)"}}}},
        // monthly_wide_grid: 330 columns, each array row two records, so
        // column 330 stands in the second record of its row. Column 328's
        // return flow of -40 is written as 0.0 every month. August: 45000 *
        // 0.25 and 44000 * 0.25; .agw: -2000 and 12000. Season pumping 90820
        // (the check report), acres 10140.
        {"monthly_wide_grid",
         {{"return flow|loss|negative return flow not placed", 1, -40.0},
          {"pumping|unreadable|written as ******", 2, 22250.0}, {"acres|unreadable|written as ******", 2, 10000.0},
          {"acres|placed|.agw array", 5, 10140.0}},
         {{"value written as ******",
           {"2010.08.pmp:1 (1,1)", "2010.08.pmp:2 (1,330)", "2010.agw:1 (1,325)", "2010.agw:1 (1,326)"}}}},
    };
    for (const Case& c : cases) {
        const DatasetRun run = run_dataset(dataset_path(c.dataset), TESSADRO_REPORT_BINARY, "budget");
        std::map<std::string, std::pair<long, double>> budget;
        std::set<std::string> quantities;
        for (const auto& f : csv_rows(slurp(run.work / "report" / "2010" / "budget.csv"))) {
            if (f.size() != 5 || f[0] == "quantity") continue;
            budget[f[0] + "|" + f[1] + "|" + f[2]] = {std::stol(f[3]), std::stod(f[4])};
            quantities.insert(f[0]);
        }
        for (const Row& row : c.rows) {
            const auto at = budget.find(row.key);
            ASSERT_NE(budget.end(), at) << c.dataset << ": no row " << row.key;
            EXPECT_EQ(row.count, at->second.first) << row.key;
            EXPECT_NEAR(row.amount, at->second.second, 1e-4) << row.key;
        }
        for (const std::string& q : quantities) {
            const auto at = budget.find(q + "|residual|in file - losses + changes - placed");
            EXPECT_TRUE(at != budget.end() && std::abs(at->second.second) < 1e-3) << q << " does not balance";
        }
        const auto found = csv_rows(slurp(run.work / "report" / "2010" / "problems.csv"));
        for (const auto& [reason, lines] : c.problems) {
            std::vector<std::string> listed;
            for (const auto& p : found) {
                if (p.size() < 7 || p[1] != reason) continue;
                listed.push_back(p[2] + ":" + p[3] + " (" + p[5] + "," + p[6] + ")");
            }
            EXPECT_EQ(lines, listed) << c.dataset << ": " << reason;
        }
        fs::remove_all(run.work);
    }
}

}  // namespace
}  // namespace tessadro::test
