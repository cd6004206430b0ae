// The year report of the example year against golden files derived without
// the report's code (tests/report/example_2010/derive.py and README).
#include <gtest/gtest.h>

#include "run/run_helpers.hpp"

namespace tessadro::test {
namespace {

TEST(ExampleReport, MatchesGoldenFiles) {
    const fs::path golden = fs::path(TESSADRO_REPORT_DATA) / "example_2010";
    const fs::path work = prepare(fs::path(TESSADRO_TEST_DATA) / ".." / ".." / "example", "example");
    const Outcome r = run_program(work, {TESSADRO_REPORT_BINARY, "2010", "0.7187758", "--gis"});
    ASSERT_EQ(0, r.status) << r.err;
    const fs::path report = work / "report" / "2010";
    EXPECT_EQ(slurp(golden / "budget.csv"), slurp(report / "budget.csv"));
    EXPECT_EQ(slurp(golden / "problems.csv"), slurp(report / "problems.csv"));
    for (const char* name : {"2010.07.pmp.asc", "2010.07.rcg.asc", "2010.agw.asc", "2010.mi.asc"}) {
        EXPECT_EQ(slurp(golden / name), slurp(report / "gis" / name)) << name;
    }
    // The page's header names the program and the project's version.
    const std::string program = std::string("id=\"head-program\">tessadro-report ") + TESSADRO_VERSION + "<";
    EXPECT_NE(std::string::npos, slurp(report / "index.html").find(program));
    // The console block: where the page is, then the budget in five lines.
    EXPECT_NE(std::string::npos, r.out.find("year report: report/2010/index.html\n"));
    EXPECT_NE(std::string::npos, r.out.find("pumping: 7,133.51 in file, 235.87 lost, 0.04 by factors, "
                                            "6,897.68 placed (residual 0.0000), 6,898.3 as written\n"));
    // Its last lines count the input warnings (none misread; the three wells
    // outside the survey's extent, derive.py) and problems.csv's rows by
    // severity: 29 warnings, and 17 of points west or north of the grid in
    // edge cells (nine wells and eight tracts of groups 84 and 4827, README).
    EXPECT_TRUE(r.out.ends_with("input warnings: 0 records the reading rules probably misread, "
                                "3 implausible values read as written\n"
                                "problems: 0 errors, 46 warnings, 1 note\n"))
        << r.out;
    clean_up(work);
}

}  // namespace
}  // namespace tessadro::test
