// The period of record: six generated years whose groups vary from year to
// year, one group's pumping tenfold in one year and a run error planted in
// another, run with --period and compared with the single-year runs of the
// same years; and the years files and command lines that run nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <map>
#include <random>
#include <sstream>

#include "run/run_helpers.hpp"

namespace tessadro::test {
namespace {

constexpr int first_year = 2001, last_year = 2006;
constexpr int jump_year = 2003;    // the group's pumping times 10
constexpr int failed_year = 2005;  // a pumping record whose group is not a number

// A record of the example pumping file: grp pdid x y capacity source pumploc
// gwloc acloc.
std::vector<std::string> words_of(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// The group with the most pumping in the file.
std::string largest_group(const fs::path& pumping) {
    std::map<std::string, double> sums;
    std::istringstream in(slurp(pumping));
    for (std::string line; std::getline(in, line);) {
        const auto w = words_of(line);
        if (w.size() == 9) sums[w[0]] += std::stod(w[6]);
    }
    return std::max_element(sums.begin(), sums.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

// Every group's amounts times a factor of its own for the year, 0.7 to 1.3:
// from one year to the next a group changes by at most 1.3 / 0.7 = 1.86,
// well inside the factor of 3 that makes a change stand out. jump: a group
// whose pumping is also multiplied by 10.
void vary(const fs::path& pumping, int year, const std::string& jump) {
    std::mt19937 random(static_cast<unsigned>(year));
    std::map<std::string, double> factor;
    std::istringstream in(slurp(pumping));
    std::string out;
    for (std::string line; std::getline(in, line);) {
        auto w = words_of(line);
        if (w.size() != 9) {
            out += line + "\n";
            continue;
        }
        if (!factor.contains(w[0])) factor[w[0]] = 0.7 + 0.6 * static_cast<double>(random()) / 4294967296.0;
        for (std::size_t k = 6; k < 9; ++k) {
            const double times = factor[w[0]] * (k == 6 && w[0] == jump ? 10.0 : 1.0);
            char text[32];
            std::snprintf(text, sizeof text, "%.2f", std::stod(w[k]) * times);
            w[k] = text;
        }
        for (std::size_t k = 0; k < w.size(); ++k) out += (k == 0 ? "" : " ") + w[k];
        out += "\n";
    }
    std::ofstream(pumping, std::ios::binary) << out;
}

std::string lines_starting(const std::string& text, const std::string& start) {
    std::istringstream in(text);
    std::string out;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with(start)) out += line + "\n";
    }
    return out;
}

TEST(Period, SixYearsAgainstTheirSingleYearRuns) {
    const fs::path period = fresh_folder("period"), single = fresh_folder("period-single");
    std::string years_file = "# year factor\n", jump;
    for (int year = first_year; year <= last_year; ++year) {
        const std::string y = std::to_string(year);
        ASSERT_EQ(0, run_program(period, {TESSADRO_MAKE_YEAR, ".", y, "--size", "example"}).status);
        const fs::path pumping = period / ("tessadro" + y + ".txt");
        if (jump.empty()) jump = largest_group(pumping);
        vary(pumping, year, year == jump_year ? jump : "");
        if (year == failed_year) std::ofstream(pumping, std::ios::app) << "x 1 0 0 0 GW 1 1 1\n";
        years_file += y + " 0.7187758\n";
    }
    std::ofstream(period / "years.txt") << years_file;
    fs::copy(period, single, fs::copy_options::recursive);
    // An earlier report of the year that will fail, and a file of the user's.
    fs::create_directories(period / "report" / "2005");
    std::ofstream(period / "report" / "2005" / "index.html") << "stale";
    std::ofstream(period / "report" / "2005" / "notes.txt") << "mine";

    const Outcome r = run_program(period, {TESSADRO_REPORT_BINARY, "--period", "years.txt", "--jobs", "3"});
    EXPECT_EQ(2, r.status) << r.err;
    EXPECT_EQ(6u, occurrences("\n" + r.out, "\n200")) << r.out;
    EXPECT_NE(std::string::npos, r.out.find("period: 6 years, 5 ran, 1 failed (2005)")) << r.out;

    // Each year as tessadro-report runs it alone: the same out/, the same
    // report files, its console and standard error in console.txt and
    // stderr.txt; the failed year's folder holds only these and the user's.
    const std::string period_csv = slurp(period / "report" / "period.csv");
    for (int year = first_year; year <= last_year; ++year) {
        const std::string y = std::to_string(year);
        SCOPED_TRACE(y);
        const Outcome alone = run_program(single, {TESSADRO_REPORT_BINARY, y, "0.7187758"});
        EXPECT_EQ(year == failed_year ? 2 : 0, alone.status);
        const fs::path dir = period / "report" / y, alone_dir = single / "report" / y;
        std::set<std::string> want = files_below(alone_dir);
        want.insert({"console.txt", "stderr.txt"});
        if (year == failed_year) want.insert("notes.txt");
        EXPECT_EQ(want, files_below(dir));
        for (const std::string& name : files_below(alone_dir)) EXPECT_EQ(slurp(alone_dir / name), slurp(dir / name));
        EXPECT_EQ(alone.out, slurp(dir / "console.txt"));
        EXPECT_EQ(alone.err, slurp(dir / "stderr.txt"));
        // period.csv: the year's budget.csv rows behind its year.
        std::string rows;
        for (const auto& row : csv_rows(slurp(alone_dir / "budget.csv"))) {
            std::string line = y;
            for (const std::string& f : row) line += "," + f;
            if (row[0] != "quantity") rows += line + "\n";
        }
        EXPECT_EQ(rows, lines_starting(period_csv, y + ","));
    }
    EXPECT_EQ(files_below(single / "out"), files_below(period / "out"));
    for (const std::string& name : files_below(single / "out")) {
        EXPECT_EQ(slurp(single / "out" / name), slurp(period / "out" / name)) << name;
    }

    // The changes name the group up in 2003 (ten times its 0.7 to 1.3 of
    // 2002, so more than 10 x 0.7 / 1.3 = 5.4) and down in 2004 (less than
    // 1.3 / 7 = 0.19), 2004 against 2003; no other group, no 2005.
    std::vector<std::string> groups;
    for (const auto& c : csv_rows(slurp(period / "report" / "changes.csv"))) {
        ASSERT_EQ(8u, c.size());
        EXPECT_NE("2005", c[0]);
        EXPECT_NE("2005", c[1]);
        if (c[2] != "group") continue;
        groups.push_back(c[0] + " " + c[1] + " " + c[3] + " " + c[4]);
        EXPECT_TRUE(c[0] == "2003" ? std::stod(c[7]) > 5.4 : std::stod(c[7]) < 0.19) << c[7];
    }
    std::sort(groups.begin(), groups.end());
    EXPECT_EQ((std::vector<std::string>{"2003 2002 " + jump + " pumping", "2004 2003 " + jump + " pumping"}), groups);
    const std::string page = slurp(period / "report" / "index.html");
    for (const char* year : {"2003", "2004"}) {
        EXPECT_NE(std::string::npos, page.find("<tr class=\"change\" data-year=\"" + std::string(year) +
                                               "\" data-level=\"group\" data-id=\"" + jump + "\""));
    }
    EXPECT_NE(std::string::npos, page.find("<li data-failed-year=\"2005\">2005: At line 194 of file tessadrov11 "
                                           "(unit = 13, file = 'tessadro2005.txt'): Error: Bad integer for item 1 in list input"))
        << page;
    clean_up(period);
    clean_up(single);
}

// A year that a signal ends: its authorized-acres file twice over makes its
// tract table (out/authacres2002.out, 557,290 bytes against the others'
// 473,830) pass a file-size limit of 500 KiB, and the system ends the run
// with SIGXFSZ. The years before and after it are complete.
TEST(Period, AYearEndedByASignalHarmsNoOther) {
    const fs::path work = fresh_folder("period-signal");
    for (const char* year : {"2001", "2002", "2003"}) {
        ASSERT_EQ(0, run_program(work, {TESSADRO_MAKE_YEAR, ".", year, "--size", "example"}).status);
    }
    const std::string tracts = slurp(work / "authacres2002.txt");
    std::ofstream(work / "authacres2002.txt", std::ios::binary) << tracts << tracts;
    std::ofstream(work / "years.txt") << "2001 0.7187758\n2002 0.7187758\n2003 0.7187758\n";
    const Outcome r = run_program(work, {TESSADRO_REPORT_BINARY, "--period", "years.txt"}, [] {
        const rlimit limit{500 * 1024, 500 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(2, r.status) << r.err;
    const std::string ended = "2002: failed: ended by signal " + std::to_string(SIGXFSZ) + " (" + ::strsignal(SIGXFSZ);
    EXPECT_NE(std::string::npos, r.out.find(ended)) << r.out;
    EXPECT_EQ((std::set<std::string>{"console.txt", "stderr.txt"}), files_below(work / "report" / "2002"));
    for (const char* year : {"2001", "2003"}) EXPECT_TRUE(fs::exists(work / "report" / year / "index.html")) << year;
    EXPECT_NE(std::string::npos, slurp(work / "report" / "index.html").find("<li data-failed-year=\"2002\">"));
    clean_up(work);
}

// A years file or command line that runs nothing: exit status 2, one line on
// standard error, no out/ and no report/.
TEST(Period, YearsFilesAndCommandLinesThatRunNothing) {
    const std::string me = "tessadro-report: ", line = me + "years.txt:";
    const std::string expected = ": expected a four-digit year and a factor ('2010 0.7187758'), got ";
    const struct {
        std::string years;
        std::vector<std::string> args;
        std::string err;  // the first line of standard error
    } rows[] = {
        {"2010 0.7\n20100 0.5\n", {}, line + "2" + expected + "'20100 0.5'"},
        {"2010 0,7187758\n", {}, line + "1" + expected + "'2010 0,7187758'"},
        {" 2010\n", {}, line + "1" + expected + "' 2010'"},
        {"2010 0.7 0.8\n", {}, line + "1" + expected + "'2010 0.7 0.8'"},
        {"# twice\n2010 0.7\n\n\t2010 0.5\r\n", {}, line + "4: year 2010 is listed twice (line 2 too)"},
        {"# none\n\n", {}, me + "the years file 'years.txt' lists no year"},
        {"2010 0.7\n", {"--period", "none.txt"}, me + "cannot read the years file 'none.txt': No such file or directory"},
        {"2010 0.7\n", {"--period", "static"}, me + "cannot read the years file 'static': Is a directory"},
        {"2010 0.7\n", {"--period", "years.txt", "2010"},
         me + "expected no arguments with --period, the years file names the years, but got 1"},
        {"2010 0.7\n", {"--period", "years.txt", "--jobs", "0"},
         me + "option '--jobs' needs a whole number from 1 to 1024, got '0'"},
        {"2010 0.7\n", {"--jobs=2", "2010", "0.7"}, me + "option '--jobs' runs the years of a period: give --period too"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.years + testing::PrintToString(row.args));
        const fs::path work = prepare("tracts_distribution", "period-usage");
        std::ofstream(work / "years.txt") << row.years;
        std::vector<std::string> args = {TESSADRO_REPORT_BINARY};
        if (row.args.empty()) args.insert(args.end(), {"--period", "years.txt"});
        args.insert(args.end(), row.args.begin(), row.args.end());
        const Outcome r = run_program(work, args);
        EXPECT_EQ(2, r.status);
        EXPECT_EQ(row.err, r.err.substr(0, r.err.find('\n')));
        EXPECT_EQ("", r.out);
        EXPECT_FALSE(fs::exists(work / "out"));
        EXPECT_FALSE(fs::exists(work / "report"));
        clean_up(work);
    }
}

}  // namespace
}  // namespace tessadro::test
