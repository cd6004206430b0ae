// tessadro-report's command line, and what the report checks of the year and
// factor it was given and of the year's files: one row a command line, with
// its exit status, the first lines of standard output and error, whether it
// ran, and the problem rows of what was given.
#include <gtest/gtest.h>

#include "run/run_helpers.hpp"

namespace tessadro::test {
namespace {

using GivenRows = std::vector<std::pair<std::string, std::string>>;

// The rows of problems.csv about what was given: each as the row of want that
// it starts and ends as (severity, reason and file; the record field, {work}
// standing for the working folder), or whole when none.
GivenRows given_rows(const fs::path& work, const fs::path& report, const GivenRows& want) {
    GivenRows found;
    std::istringstream problems(slurp(report / "problems.csv"));
    for (std::string p; std::getline(problems, p);) {
        const auto same = std::find_if(want.begin(), want.end(), [&](const auto& w) {
            std::string tail = "," + w.second;
            if (const std::size_t at = tail.find("{work}"); at != std::string::npos) tail.replace(at, 6, work.string());
            return p.starts_with(w.first) && p.ends_with(tail);
        });
        if (same != want.end()) {
            found.push_back(*same);
        } else if (p.find(",argument longer") != p.npos || p.find(",factor ") != p.npos ||
                   p.find(",exchange-area factor") != p.npos || p.find(",year file") != p.npos) {
            found.push_back({p, ""});
        }
    }
    return found;
}

TEST(ReportCommand, ArgumentsAndYearFiles) {
    const std::string usage_error = "tessadro-report: ", run = " run for year ", version = "tessadro-report ";
    const std::string count = usage_error + "expected 2 arguments, the year and the quelta factor, but got ";
    const char* clean = "tracts_distribution";  // a clean year 2010 with all its files
    const struct {
        const char* dataset;
        std::vector<std::string> args;
        int status;
        std::string out, err;  // how the first lines start; "" when nothing is written there
        bool ran;
        GivenRows given = {};  // problems.csv rows of what was given
    } rows[] = {
        {clean, {}, 2, "", count + "0", false},
        {clean, {"--gis", "2010"}, 2, "", count + "1", false},
        {clean, {"2010", "1.0", "--gsi"}, 2, "", usage_error + "unknown option '--gsi'", false},
        {clean, {"--gis=yes", "2010", "1.0"}, 2, "", usage_error + "option '--gis' takes no value", false},
        {clean, {"--help", "--gsi"}, 0, "usage: tessadro-report [options] [--] <year> <quelta factor>", "", false},
        {clean, {"--version", "--gis"}, 0, version + TESSADRO_VERSION, "", false},
        {clean, {"--", "--gis", "1.0"}, 2, "", "Error: the year '--gis' cannot name the report's folder", false},
        // Options anywhere; no problem, so --strict changes nothing.
        {clean, {"--gis", "2010", "--strict", "1.0"}, 0, run, "", true},
        // A negative factor after "--" or not: an argument.
        {clean, {"--", "2010", "-1"}, 0, run, "", true,
         {{"warning,exchange-area factor outside 0 to 1,", "factor '-1' was read as -1"}}},
        // The G read stops at the comma, and ignores blanks: an empty field is 0.
        {clean, {"2010", "0,7187758", "--strict"}, 1, run, "", true,
         {{"error,factor not read whole,", "\"factor '0,7187758' was read as 0\""}}},
        {clean, {"2010", ""}, 0, run, "", true, {{"error,factor not read whole,", "factor '' was read as 0"}}},
        // A sign inside the field starts the exponent: 1 x 10^5.
        {clean, {"2010", "1+5"}, 0, run, "", true,
         {{"error,factor not read whole,", "factor '1+5' was read as 100000"},
          {"warning,exchange-area factor outside 0 to 1,", "factor '1+5' was read as 100000"}}},
        // The run names its files by the year's first 4 characters and reads
        // the factor's first 10.
        {clean, {"20100", "0.71877581234"}, 0, run, "", true,
         {{"warning,argument longer than the run reads,", "year '20100' was cut to its first 4 characters: '2010'"},
          {"warning,argument longer than the run reads,",
           "factor '0.71877581234' was cut to its first 10 characters: '0.71877581'"}}},
        {"mi_missing_file", {"2011", "1.0"}, 0, run, "Warning: file '2011mi.txt' does not exist", true,
         {{"error,year file missing: read as empty,2011mi.txt,", "looked for in {work}"}}},
        {"groups_missing_year_files", {"--strict", "2011", "0.5"}, 1, run, "Warning: file 'authacres2011.txt'", true,
         {{"error,year file missing: read as empty,authacres2011.txt,", "looked for in {work}"},
          {"error,year file missing: read as empty,tessadro2011.txt,", "looked for in {work}"},
          {"error,year file missing: read as empty,2011mi.txt,", "looked for in {work}"}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dataset + testing::PrintToString(row.args));
        const fs::path work = prepare(row.dataset, "command");
        std::vector<std::string> args = {TESSADRO_REPORT_BINARY};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const Outcome r = run_program(work, args);
        EXPECT_EQ(row.status, r.status) << r.err;
        for (const auto& [want, got] : {std::pair{row.out, r.out}, {row.err, r.err}}) {
            EXPECT_TRUE(want.empty() ? got.empty() : got.substr(0, got.find('\n')).starts_with(want)) << got;
        }
        EXPECT_EQ(row.ran, fs::exists(work / "out"));
        EXPECT_EQ(row.ran, fs::exists(work / "report"));
        if (row.ran) {
            const fs::path report = fs::directory_iterator(work / "report")->path();
            const bool gis = std::find(row.args.begin(), row.args.end(), "--gis") != row.args.end();
            EXPECT_EQ(gis, fs::exists(report / "gis"));
            EXPECT_EQ(row.given, given_rows(work, report, row.given));
            // The page opens with one line when none of the year's files was found.
            const bool alert = std::string(row.dataset) == "groups_missing_year_files";
            EXPECT_EQ(alert, slurp(report / "index.html").find("<p id=\"alert\"") != std::string::npos);
        }
        clean_up(work);
    }
}

}  // namespace
}  // namespace tessadro::test
