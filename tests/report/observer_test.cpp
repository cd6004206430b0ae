// The year report's water budget on the hand-made whole-run datasets: the
// kinds of loss the example year (the golden files) does not have, and points
// outside the grid placed in edge cells, with the amounts, distances and map
// rings reasoned from each dataset's README (tests/data/<name>/README), and
// for every quantity the file's amount minus the losses plus the changes equal
// to what the arrays hold.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "run/run_helpers.hpp"

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
    std::vector<std::string> lines = {};  // of problems.csv, whole
    std::map<std::string, int> edge_rings = {};  // by map: the rings of edge cells placed from outside the grid
};

// Each case's year reported: the given rows of budget.csv, every quantity's
// 4-byte sums' rounding (file - losses + changes - placed) and the problems
// listed.
TEST(ReportBudget, EveryLossOfTheDatasets) {
    const Case cases[] = {
        // groups_basic_year: record 3's -5.0 counts in its group but is not
        // put on the grid.
        {"groups_basic_year", {{"pumping|loss|negative pumping not placed", 1, -5.0}}, {}},
        // tracts_unplaced: group 4's five tracts of 10, 20, 30, 15 and 25
        // acres share its 30 of return flow and 20 acres. Tract 1 (share 0.1)
        // is not in 40coords.dat, so its row has no cell (empty fields).
        {"tracts_unplaced",
         {{"return flow|loss|tract without coordinates", 1, 3.0}, {"acres|loss|tract without coordinates", 1, 2.0}},
         {{"tract without coordinates", {"authacres2010.txt:1 (,)"}}}},
        // tracts_reassign: six records of groups without authorized acres
        // placed in their wells' cells under the 640-acre cap. Entry 1 gets 40
        // of its 100 acres (60 lost), entry 3 nothing of 30 acres and 9 of
        // return flow, entry 5 nothing of 10 acres and 4 of return flow.
        {"tracts_reassign",
         {{"acres|loss|640-acre cap of the reassignment", 3, 100.0},
          {"return flow|loss|640-acre cap of the reassignment", 2, 13.0}},
         {}},
        // mi_placement: record 5 is -4 of M&I pumping. pumpmi holds 17.5 +
        // 3.25 + 20000, of which 20000 is written as ******; the model reads
        // 17.5 and 3.2 (the tie 3.25 goes to the even 3.2).
        {"mi_placement",
         {{"m&i pumping|loss|negative M&I pumping not placed", 1, -4.0},
          {"m&i pumping|unreadable|written as ******", 1, 20000.0},
          {"m&i pumping|written|as the model reads it", 0, 20.7}, {"m&i pumping|rounding|F6.1 fields", 0, -0.05},
          {"m&i pumping|note|placed in edge cells from points outside the grid", 1, 3.25}},
         {{"value written as ******", {"2010.mi:2 (2,2)"}},
          // Record 7 is 500 ft west of the grid; record 10, on its north-west
          // corner, is on the grid.
          {"M&I well outside the grid placed in an edge cell", {"2010mi.txt:7 (2,1)"}}}},
        // report_edge_cells: wells 250 ft west, 400 ft north and 500 ft
        // north-west of the grid, and a tract 100 ft west, in edge cells with
        // the amounts they put there; the well 100 ft east is off the grid.
        {"report_edge_cells",
         {{"pumping|note|placed in edge cells from points outside the grid", 3, 46.5},
          {"return flow|note|placed in edge cells from points outside the grid", 2, 5.0},
          {"acres|note|placed in edge cells from points outside the grid", 2, 19.0}},
         {{"well outside the grid placed in an edge cell",
           {"tessadro2010.txt:1 (2,1)", "tessadro2010.txt:2 (1,2)", "tessadro2010.txt:4 (1,1)"}},
          {"tract outside the grid placed in an edge cell", {"authacres2010.txt:2 (1,1)"}},
          {"pumping record off the grid", {"tessadro2010.txt:3 (1,4)"}}},
         {"warning,well outside the grid placed in an edge cell,tessadro2010.txt,1,11,2,1,9750,20500,30.0000,,,,"
          "250.0000,",
          "warning,well outside the grid placed in an edge cell,tessadro2010.txt,2,11,1,2,11500,22400,12.5000,,,,"
          "400.0000,",
          "warning,well outside the grid placed in an edge cell,tessadro2010.txt,4,20,1,1,9700,22400,4.0000,1.0000,"
          "5.0000,,500.0000,",
          "warning,tract outside the grid placed in an edge cell,authacres2010.txt,2,11,1,1,9900,21200,,4.0000,"
          "14.0000,,100.0000,"},
         // Pumping in A, B and D; return flow and acres only in A.
         {{"map-season-pumping", 3}, {"map-season-recharge", 1}, {"map-acres", 1}, {"map-mi", 0}}},
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
        const fs::path work = prepare(c.dataset, "budget");
        ASSERT_EQ(0, run_program(work, dataset_args(c.dataset, TESSADRO_REPORT_BINARY)).status) << c.dataset;
        std::map<std::string, std::pair<long, double>> budget;
        std::set<std::string> quantities;
        for (const auto& f : csv_rows(slurp(work / "report" / "2010" / "budget.csv"))) {
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
            const auto at = budget.find(q + "|rounding|4-byte sums: in file - losses + changes - placed");
            EXPECT_TRUE(at != budget.end() && std::abs(at->second.second) < 1e-3) << q << " does not balance";
        }
        const std::string problems_csv = slurp(work / "report" / "2010" / "problems.csv");
        for (const std::string& line : c.lines) {
            EXPECT_NE(std::string::npos, problems_csv.find("\n" + line + "\n")) << c.dataset << ": " << line;
        }
        const std::string page = slurp(work / "report" / "2010" / "index.html");
        const std::string rings = "class=\"edge-marks\" data-count=\"";
        for (const auto& [map, count] : c.edge_rings) {
            const std::size_t at = page.find("id=\"" + map + "\"");
            const std::string figure = at == std::string::npos ? "" : page.substr(at, page.find("</figure>", at) - at);
            const std::size_t ring = figure.find(rings);
            EXPECT_EQ(count, ring == std::string::npos ? 0 : std::stoi(figure.substr(ring + rings.size()))) << map;
        }
        const auto found = csv_rows(problems_csv);
        for (const auto& [reason, lines] : c.problems) {
            std::vector<std::string> listed;
            for (const auto& p : found) {
                if (p.size() < 7 || p[1] != reason) continue;
                listed.push_back(p[2] + ":" + p[3] + " (" + p[5] + "," + p[6] + ")");
            }
            EXPECT_EQ(lines, listed) << c.dataset << ": " << reason;
        }
        fs::remove_all(work);
    }
}

}  // namespace
}  // namespace tessadro::test
