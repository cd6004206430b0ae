// The year report in a hostile environment: a year that would name another
// folder, a report folder holding the user's files or links, a report that
// cannot be written (a file or a folder in the way, a full disk), and two runs
// of a year at once. Whatever happens to the report, out/ is the run's, and a
// page never stands beside missing or partial files.
#include <gtest/gtest.h>

#include <sys/file.h>
#include <sys/mount.h>
#include <sys/statvfs.h>

#include "report/report_files.hpp"
#include "run/run_helpers.hpp"

namespace {

using namespace tessadro::test;

const std::string name = "tracts_distribution";  // a clean year 2010, factor 1.0

std::vector<std::string> report_args(const std::string& year, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {TESSADRO_REPORT_BINARY, year, "1.0"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

// Every entry below a folder, links and folders included.
std::set<std::string> entries_below(const fs::path& root) {
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(root)) names.insert(fs::relative(e.path(), root).string());
    return names;
}

const std::string page_files[] = {"index.html", "budget.csv", "problems.csv"};

// No file of a report, finished or partial, in the year's folder.
void expect_no_report(const fs::path& year_dir) {
    for (const std::string& file : tessadro::report_file_names("2010")) {
        EXPECT_FALSE(fs::is_regular_file(year_dir / file)) << file;
    }
    if (!fs::is_directory(year_dir)) return;
    for (const auto& e : fs::recursive_directory_iterator(year_dir)) {
        EXPECT_FALSE(e.path().filename().string().ends_with(".partial")) << e.path();
    }
}

// A year that is not a plain name ends the program before anything is read,
// written or removed: "../." once removed the working folder, "/adq" the
// absolute folder, as report/<year> named them.
TEST(HostileEnvironment, AYearThatIsNotAPlainNameRunsNothing) {
    const fs::path work = prepare(name, "year");
    std::ofstream(work / "keep.txt") << "keep\n";
    fs::create_directories(work / "report" / "2010");
    std::ofstream(work / "report" / "2010" / "index.html") << "earlier\n";
    for (const std::string year : {"../.", "/adq", "..", ".", "..  x", "-v", "", "    ", "a/b", "\t201"}) {
        SCOPED_TRACE("year '" + year + "'");
        std::set<std::string> before = entries_below(work);
        const Outcome r = run_program(work, report_args(year), [] {});
        EXPECT_EQ(2, r.status);
        EXPECT_EQ("", r.out);
        EXPECT_EQ("Error: the year '" + year +
                      "' cannot name the report's folder: give a plain year such as 2010 (no '/', not '.' or "
                      "'..', not starting with '-')\n",
                  r.err);
        before.insert({"stdout.txt", "stderr.txt"});
        EXPECT_EQ(before, entries_below(work));
    }
    EXPECT_EQ("earlier\n", slurp(work / "report" / "2010" / "index.html"));
    clean_up(work);
}

// An earlier report of the year goes, by its own file names only: the user's
// files beside it stay, a link at one of its names is removed and not
// followed, and a report folder reached through a link is written there. A
// run that fails leaves no report, and the user's files.
TEST(HostileEnvironment, TheReportRemovesOnlyItsOwnFiles) {
    struct Row {
        const char* dataset;
        bool report_is_link;
        int status;
    };
    for (const Row row : {Row{"tracts_distribution", false, 0}, Row{"tracts_distribution", true, 0},
                          Row{"groups_error_group_5001", false, 2}}) {
        SCOPED_TRACE(std::string(row.dataset) + (row.report_is_link ? ", report/ a link" : ""));
        const fs::path work = prepare(row.dataset, "own");
        const fs::path folder = row.report_is_link ? work / "elsewhere" : work / "report";
        const fs::path year = folder / "2010";
        fs::create_directories(year / "gis");
        if (row.report_is_link) fs::create_directory_symlink("elsewhere", work / "report");
        for (const char* stale : {"index.html", "problems.csv", ".budget.csv.partial", "gis/2010.agw.asc"}) {
            std::ofstream(year / stale) << "earlier\n";
        }
        std::ofstream(work / "mine.csv") << "mine\n";
        fs::create_symlink("../../mine.csv", year / "budget.csv");
        for (const char* own : {"notes.txt", "gis/mine.asc", "index.html.old"}) std::ofstream(year / own) << "mine\n";
        const Outcome r = run_program(work, dataset_args(row.dataset, TESSADRO_REPORT_BINARY), [] {});
        EXPECT_EQ(row.status, r.status);
        EXPECT_EQ(expected(row.dataset, "stderr"), r.err);
        for (const char* own : {"notes.txt", "gis/mine.asc", "index.html.old"}) {
            EXPECT_EQ("mine\n", slurp(year / own)) << own;
        }
        EXPECT_EQ("mine\n", slurp(work / "mine.csv"));
        EXPECT_FALSE(fs::exists(year / ".budget.csv.partial"));
        EXPECT_FALSE(fs::exists(year / "gis" / "2010.agw.asc"));
        if (row.status == 0) {
            for (const std::string& file : page_files) {
                EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(year / file))) << file;
                EXPECT_NE("earlier\n", slurp(year / file)) << file;
            }
        } else {
            expect_no_report(year);
        }
        clean_up(work);
    }
}

// A report that cannot be written ends with status 2 and the system's reason,
// after the run has written out/ in full, and leaves no page and no partial
// file: report/ a regular file, a folder where the page goes, a file where
// gis/ goes.
TEST(HostileEnvironment, AReportThatCannotBeWrittenLeavesNoPage) {
    struct Row {
        const char* spoil;
        std::vector<std::string> extra;
        std::string message;
    };
    const Row rows[] = {
        {"report", {}, "Cannot create folder 'report/2010': Not a directory"},
        {"report/2010/index.html/", {}, "Cannot write file 'report/2010/index.html': Is a directory"},
        {"report/2010/gis", {"--gis"}, "Cannot write file 'report/2010/gis/2010.05.pmp.asc': Not a directory"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.spoil);
        const fs::path work = prepare(name, "unwritable");
        const fs::path spoiled = work / row.spoil;
        if (std::string(row.spoil).ends_with("/")) {
            fs::create_directories(spoiled);
        } else {
            fs::create_directories(spoiled.parent_path());
            std::ofstream(spoiled) << "mine\n";
        }
        const Outcome r = run_program(work, report_args("2010", row.extra), [] {});
        EXPECT_EQ(2, r.status);
        EXPECT_EQ(expected(name, "stdout"), r.out);
        EXPECT_EQ("At line 0 of file tessadrov11\nError: " + row.message + "\n", r.err);
        expect_expected_files(name, work);
        if (!std::string(row.spoil).ends_with("/")) {
            EXPECT_EQ("mine\n", slurp(spoiled));
        }
        expect_no_report(work / "report" / "2010");
        clean_up(work);
    }
}

// Bytes in use on the file system that holds path.
unsigned long long used_bytes(const fs::path& path) {
    struct statvfs s {};
    if (::statvfs(path.c_str(), &s) != 0) return 0;
    return static_cast<unsigned long long>(s.f_blocks - s.f_bfree) * s.f_frsize;
}

// A disk that fills while the report is written (a tmpfs just large enough
// for the year's files and out/): status 2 with "No space left on device",
// out/ complete, and no page, CSV or GIS file, whole or partial. Needs root
// to mount the tmpfs, which CI has: without it the test fails.
TEST(HostileEnvironment, AFullDiskLeavesNoPage) {
    for (const bool gis : {false, true}) {
        SCOPED_TRACE(gis ? "--gis" : "page only");
        const fs::path work = fs::temp_directory_path() / ("tessadro-env-full-" + std::to_string(::getpid()));
        fs::create_directories(work);
        ASSERT_EQ(0, ::mount("tmpfs", work.c_str(), "tmpfs", 0, "size=8m")) << "mounting a tmpfs needs root";
        fs::copy(dataset(name) / "work", work, fs::copy_options::recursive);
        fs::copy(dataset(name) / "static", work / "static", fs::copy_options::recursive);
        // The legacy run fills out/; the report's run writes the same again.
        ASSERT_EQ(0, run_in(work, name, [] {}).status);
        const std::string size = "size=" + std::to_string(used_bytes(work) + 16384);
        ASSERT_EQ(0, ::mount("tmpfs", work.c_str(), "tmpfs", MS_REMOUNT, size.c_str()));
        const Outcome r = run_program(work, report_args("2010", gis ? std::vector<std::string>{"--gis"}
                                                                    : std::vector<std::string>{}),
                                      [] {});
        EXPECT_EQ(2, r.status);
        EXPECT_TRUE(r.err.starts_with("At line 0 of file tessadrov11\nError: Cannot write file 'report/2010/")) << r.err;
        EXPECT_TRUE(r.err.ends_with("': No space left on device\n")) << r.err;
        EXPECT_EQ(expected(name, "stdout"), r.out);
        expect_expected_files(name, work);
        expect_no_report(work / "report" / "2010");
        ::umount2(work.c_str(), MNT_DETACH);
        fs::remove_all(work);
    }
}

// Two runs of a year in one folder take turns: the second waits, before it
// writes anything, until the first lets go of the year's report folder (here
// the test holds it). A run of another year does not wait.
TEST(HostileEnvironment, RunsOfOneYearTakeTurns) {
    const fs::path work = prepare(name, "lock");
    fs::create_directories(work / "report" / "2010");
    const int held = ::open((work / "report" / "2010").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_EQ(0, ::flock(held, LOCK_EX));
    const Outcome waiting = run_program(work, report_args("2010"), [] {}, false);
    const fs::path other = prepare(name, "lock-other");
    fs::create_symlink(work / "report", other / "report");
    EXPECT_EQ(0, run_program(other, report_args("2011"), [] {}).status);  // report/2011 beside the held 2010
    ::usleep(300000);
    EXPECT_FALSE(fs::exists(work / "out")) << "the second run of 2010 did not wait";
    ::close(held);
    const Outcome r = finish(work, waiting);
    EXPECT_EQ(0, r.status);
    expect_expected_files(name, work);
    EXPECT_TRUE(fs::exists(work / "report" / "2011" / "index.html"));
    clean_up(other);
    clean_up(work);
}

}  // namespace
