// The input warnings of the year report on the datasets tests/data/lint_*:
// the rows of problems.csv that name records the reading rules probably
// misread are exactly those of the dataset's lint.csv (reasoned in its
// README), and they head the problem list. That out/ stays the legacy out/ is
// checked for every dataset by the whole-run tests.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <sstream>

#include "run/run_helpers.hpp"

namespace tessadro::test {
namespace {

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class InputWarnings : public testing::TestWithParam<std::string> {};

TEST_P(InputWarnings, RowsOfProblemsCsv) {
    const fs::path work = prepare(GetParam(), "lint");
    const Outcome run = run_program(work, dataset_args(GetParam(), TESSADRO_REPORT_BINARY));
    ASSERT_EQ(0, run.status) << run.err;
    const std::vector<std::string> expected = lines_of(slurp(dataset(GetParam()) / "lint.csv"));
    std::vector<std::string> problems = lines_of(slurp(run.work / "report" / "2010" / "problems.csv"));
    // Most of these years have no M&I file: the report's error about it comes first.
    while (problems.size() > 1 && problems[1].starts_with("error,year file missing")) {
        problems.erase(problems.begin() + 1);
    }
    ASSERT_GT(problems.size(), expected.size());
    EXPECT_TRUE(problems[0].ends_with(",record")) << problems[0];
    // An input warning is the only problem with a record text, the last field.
    std::vector<std::string> warnings;
    for (std::size_t k = 1; k < problems.size(); ++k) {
        if (!problems[k].ends_with(",")) warnings.push_back(problems[k]);
    }
    EXPECT_EQ(expected, warnings);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), problems.begin() + 1)) << "at the top of the list";
    // The console block counts them: values outside the plausible ranges
    // (docs/formats.md, section 9) apart from records probably misread.
    std::size_t implausible = 0;
    for (const std::string& w : expected) {
        for (const char* range : {",negative acres,", ",month factor outside 0 to 1,",
                                  ",county factors do not add up to 1 within 0.001,",
                                  ",well outside the survey's extent,"}) {
            implausible += w.find(range) != std::string::npos ? 1 : 0;
        }
    }
    const std::size_t misread = expected.size() - implausible;
    EXPECT_NE(std::string::npos,
              run.out.find("input warnings: " + std::to_string(misread) + (misread == 1 ? " record" : " records") +
                           " the reading rules probably misread, " + std::to_string(implausible) +
                           (implausible == 1 ? " implausible value" : " implausible values") + " read as written\n"))
        << run.out;
    if (!HasFailure()) fs::remove_all(run.work);
}

INSTANTIATE_TEST_SUITE_P(Datasets, InputWarnings,
                         testing::Values("lint_null_value", "lint_short_record", "lint_extra_numbers", "lint_slash",
                                         "lint_decimal_comma", "lint_negative_acres",
                                         "lint_month_factor", "lint_county_sum", "lint_survey_extent"));

// The input files are read once, the record texts taken as the run reads
// them: with the year's pumping and M&I files as pipes, which can be read
// only once, the report ends as with plain files and lists the same rows.
TEST(InputWarnings, FromPipesAsFromFiles) {
    for (const char* name : {"lint_survey_extent", "lint_negative_acres"}) {
        const fs::path files = prepare(name, "files");
        ASSERT_EQ(0, run_program(files, dataset_args(name, TESSADRO_REPORT_BINARY)).status);
        const fs::path work = prepare(name, "pipes");
        for (const char* year_file : {"tessadro2010.txt", "2010mi.txt"}) {
            if (!fs::exists(work / year_file)) continue;  // missing in both runs, each naming its own folder
            const std::string text = slurp(work / year_file);
            fs::remove(work / year_file);
            ASSERT_EQ(0, ::mkfifo((work / year_file).c_str(), 0600));
            feed_fifo(work / year_file, text);
        }
        const Outcome pipes = run_program(work, {TESSADRO_REPORT_BINARY, "2010", "1.0"});
        EXPECT_EQ(0, pipes.status) << name << ": " << pipes.err;
        const fs::path problems = fs::path("report") / "2010" / "problems.csv";
        std::string want = slurp(files / problems);
        for (std::size_t at; (at = want.find(files.string())) != std::string::npos;) {
            want.replace(at, files.string().size(), work.string());
        }
        EXPECT_EQ(want, slurp(work / problems)) << name;
        fs::remove_all(files);
        fs::remove_all(work);
    }
}

}  // namespace
}  // namespace tessadro::test
