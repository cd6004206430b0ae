// tessadro-report can replace tessadro in a user's script: on every whole-run
// dataset it writes the same out/, console and standard error (the report's
// block comes after the legacy console) and ends with the same status; a run
// that fails leaves no report.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "dataset_run.hpp"

namespace tessadro::test {
namespace {

std::set<std::string> files_below(const fs::path& root) {
    std::set<std::string> names;
    if (!fs::exists(root)) return names;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) names.insert(fs::relative(entry.path(), root).string());
    }
    return names;
}

class ReportWholeRun : public testing::TestWithParam<std::string> {};

TEST_P(ReportWholeRun, OutIsTheLegacyOut) {
    const fs::path dataset = dataset_path(GetParam());
    const DatasetRun legacy = run_dataset(dataset, TESSADRO_BINARY, "legacy");
    const DatasetRun report = run_dataset(dataset, TESSADRO_REPORT_BINARY, "report");
    EXPECT_EQ(legacy.status, report.status);
    EXPECT_EQ(legacy.stderr_text, report.stderr_text);
    ASSERT_GE(report.stdout_text.size(), legacy.stdout_text.size());
    EXPECT_EQ(legacy.stdout_text, report.stdout_text.substr(0, legacy.stdout_text.size()));
    const std::set<std::string> names = files_below(legacy.work / "out");
    EXPECT_EQ(names, files_below(report.work / "out"));
    for (const std::string& name : names) {
        EXPECT_EQ(slurp(legacy.work / "out" / name), slurp(report.work / "out" / name)) << "out/" << name;
    }
    // A report only beside a complete run; the usage path runs nothing.
    std::ifstream args(dataset / "args");
    std::string year;
    std::getline(args, year);
    const bool ran = legacy.status == 0 && fs::exists(legacy.work / "out");
    EXPECT_EQ(ran, fs::exists(report.work / "report" / year.substr(0, 4) / "index.html")) << "report written";
    if (ran) {
        const std::string block = report.stdout_text.substr(legacy.stdout_text.size());
        EXPECT_TRUE(block.starts_with("year report: report/")) << block;
        for (const char* name : {"index.html", "budget.csv", "problems.csv"}) {
            EXPECT_TRUE(fs::exists(report.work / "report" / year.substr(0, 4) / name)) << name;
        }
    }
    if (!HasFailure()) {
        fs::remove_all(legacy.work);
        fs::remove_all(report.work);
    }
}

INSTANTIATE_TEST_SUITE_P(Datasets, ReportWholeRun, testing::ValuesIn(dataset_names()), DatasetTestName());

}  // namespace
}  // namespace tessadro::test
