// Whole runs of both programs on small hand-made datasets, compared byte for
// byte with expected files.
//
// A dataset is a folder under tests/data holding
//   args          the command-line arguments, one per line
//   static/       the static tables, copied to static/ in the working
//                 directory, where TESSADRO_STATIC points
//   work/         the year files; the run's working directory starts as a copy
//   expected/     stdout, stderr and status (the exit status), and out/ with
//                 every file the run must write: no more, no fewer
//   README        how the expected numbers follow from the inputs
//
// tessadro-report can replace tessadro in a user's script: given a year and a
// factor it ends with the same status, out/ and standard error, its console is
// the expected one followed by the report's block, and it writes a report only
// beside a complete run. Other argument counts are its usage error. Neither creates or removes anything outside out/ and report/.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "run_helpers.hpp"

namespace tessadro::test {
namespace {

std::vector<std::string> dataset_names() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(TESSADRO_TEST_DATA)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

class WholeRun : public testing::TestWithParam<std::string> {};

TEST_P(WholeRun, MatchesExpectedFiles) {
    const std::string name = GetParam();
    const fs::path work = prepare(name, "run-" + name), report_work = prepare(name, "report-" + name);
    const std::set<std::string> before = entries_outside_out(work);
    const Outcome run = run_program(work, dataset_args(name, TESSADRO_BINARY));
    EXPECT_EQ("", how_ending_differs(expected(name), run));
    EXPECT_EQ(before, entries_outside_out(work));
    const std::vector<std::string> args = dataset_args(name, TESSADRO_REPORT_BINARY);
    const std::string year = args.size() > 1 ? args[1].substr(0, 4) : "";
    const Outcome report = run_program(report_work, args);
    if (args.size() == 3) {
        EXPECT_EQ("", how_ending_differs(expected(name), report, true));
    } else {
        EXPECT_EQ(2, report.status);
    }
    EXPECT_EQ(before, entries_outside_out(report_work));
    // A report only beside a complete run; the usage path runs nothing.
    const bool ran = run.status == 0 && fs::exists(work / "out");
    for (const char* file : {"index.html", "budget.csv", "problems.csv"}) {
        EXPECT_EQ(ran, fs::exists(report_work / "report" / year / file)) << file;
    }
    EXPECT_TRUE(!ran || report.out.substr(run.out.size()).starts_with("year report: report/")) << report.out;
    clean_up(work);
    clean_up(report_work);
}

// A dataset's name as a test name: letters and digits, the rest '_'.
INSTANTIATE_TEST_SUITE_P(Datasets, WholeRun, testing::ValuesIn(dataset_names()), [](const auto& param) {
    std::string name = param.param;
    std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
});

}  // namespace
}  // namespace tessadro::test
