// tessadro-report can replace tessadro in a user's script: on every whole-run
// dataset it writes the same out/, console and standard error (the report's
// block comes after the legacy console) and ends with the same status; a run
// that fails leaves no report.
#include <gtest/gtest.h>

#include "dataset_run.hpp"

namespace tessadro::test {
namespace {

class ReportWholeRun : public testing::TestWithParam<std::string> {};

TEST_P(ReportWholeRun, OutIsTheLegacyOut) {
    const fs::path dataset = dataset_path(GetParam());
    const DatasetRun legacy = run_dataset(dataset, TESSADRO_BINARY, "legacy");
    const DatasetRun report = run_dataset(dataset, TESSADRO_REPORT_BINARY, "report");
    ASSERT_EQ("", how_endings_differ(legacy, report));
    // A report only beside a complete run; the usage path runs nothing.
    std::ifstream args(dataset / "args");
    std::string year;
    std::getline(args, year);
    const bool ran = legacy.status == 0 && fs::exists(legacy.work / "out");
    for (const char* name : {"index.html", "budget.csv", "problems.csv"}) {
        EXPECT_EQ(ran, fs::exists(report.work / "report" / year.substr(0, 4) / name)) << name;
    }
    if (ran) {
        const std::string block = report.stdout_text.substr(legacy.stdout_text.size());
        EXPECT_TRUE(block.starts_with("year report: report/")) << block;
    }
    if (!HasFailure()) {
        fs::remove_all(legacy.work);
        fs::remove_all(report.work);
    }
}

INSTANTIATE_TEST_SUITE_P(Datasets, ReportWholeRun, testing::ValuesIn(dataset_names()), DatasetTestName());

}  // namespace
}  // namespace tessadro::test
