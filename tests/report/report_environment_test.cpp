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

namespace tessadro::test {
namespace {

const std::string name = "tracts_distribution";  // a clean year 2010, factor 1.0

std::vector<std::string> report_of(const std::string& year) { return {TESSADRO_REPORT_BINARY, year, "1.0"}; }

// Every entry below a folder, links and folders included.
std::set<std::string> entries_below(const fs::path& root) {
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(root)) names.insert(fs::relative(e.path(), root).string());
    return names;
}

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
        const Outcome r = run_program(work, report_of(year));
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
    const struct {
        const char* dataset;
        bool report_is_link;
    } rows[] = {{"tracts_distribution", false}, {"tracts_distribution", true}, {"groups_error_group_5001", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.dataset) + (row.report_is_link ? ", report/ a link" : ""));
        const fs::path work = prepare(row.dataset, "own");
        const fs::path year = work / (row.report_is_link ? "elsewhere" : "report") / "2010";
        fs::create_directories(year / "gis");
        if (row.report_is_link) fs::create_directory_symlink("elsewhere", work / "report");
        for (const char* stale : {"index.html", "problems.csv", ".budget.csv.partial", "gis/2010.agw.asc"}) {
            std::ofstream(year / stale) << "earlier\n";
        }
        std::ofstream(work / "mine.csv") << "mine\n";
        fs::create_symlink("../../mine.csv", year / "budget.csv");
        for (const char* own : {"notes.txt", "gis/mine.asc", "index.html.old"}) std::ofstream(year / own) << "mine\n";
        const Outcome r = run_program(work, dataset_args(row.dataset, TESSADRO_REPORT_BINARY));
        EXPECT_EQ("", how_ending_differs(expected(row.dataset), r, true));
        for (const char* own : {"notes.txt", "gis/mine.asc", "index.html.old", "../../mine.csv"}) {
            EXPECT_EQ("mine\n", slurp(year / own)) << own;
        }
        EXPECT_FALSE(fs::exists(year / ".budget.csv.partial"));
        EXPECT_FALSE(fs::exists(year / "gis" / "2010.agw.asc"));
        if (r.status != 0) {
            expect_no_report(year);
        } else {
            for (const char* file : {"index.html", "budget.csv", "problems.csv"}) {
                EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(year / file))) << file;
                EXPECT_NE("earlier\n", slurp(year / file)) << file;
            }
        }
        clean_up(work);
    }
}

// Bytes in use on the file system that holds path.
unsigned long long used_bytes(const fs::path& path) {
    struct statvfs s {};
    if (::statvfs(path.c_str(), &s) != 0) return 0;
    return static_cast<unsigned long long>(s.f_blocks - s.f_bfree) * s.f_frsize;
}

// A tmpfs at work just large enough for the year's files and out/, which a
// run of tessadro fills; the report's run writes the same again. Needs root
// to mount the tmpfs, which CI has: without it the test fails.
void fill_the_disk(const fs::path& work) {
    ASSERT_EQ(0, ::mount("tmpfs", work.c_str(), "tmpfs", 0, "size=8m")) << "mounting a tmpfs needs root";
    fs::copy(dataset(name) / "work", work, fs::copy_options::recursive);
    fs::copy(dataset(name) / "static", work / "static", fs::copy_options::recursive);
    ASSERT_EQ(0, run_program(work, dataset_args(name, TESSADRO_BINARY)).status);
    const std::string size = "size=" + std::to_string(used_bytes(work) + 16384);
    ASSERT_EQ(0, ::mount("tmpfs", work.c_str(), "tmpfs", MS_REMOUNT, size.c_str()));
}

// A report that cannot be written ends with status 2 and the system's reason,
// after the run has written out/ in full, and leaves no page and no partial
// file, whole or partial: report/ a regular file, a folder where the page
// goes, a file where gis/ goes, a disk that fills while the report is written.
TEST(HostileEnvironment, AReportThatCannotBeWrittenLeavesNoPage) {
    const auto file_at = [](const char* path) {
        return [=](const fs::path& work) {
            fs::create_directories((work / path).parent_path());
            std::ofstream(work / path) << "mine\n";
        };
    };
    const struct {
        std::function<void(const fs::path&)> spoil;
        std::vector<std::string> extra;
        std::string message;  // '*' stands for any file name
    } rows[] = {
        {file_at("report"), {}, "Cannot create folder 'report/2010': Not a directory"},
        {[](const fs::path& work) { fs::create_directories(work / "report/2010/index.html"); }, {},
         "Cannot write file 'report/2010/index.html': Is a directory"},
        {file_at("report/2010/gis"), {"--gis"}, "Cannot write file 'report/2010/gis/2010.05.pmp.asc': Not a directory"},
        {fill_the_disk, {}, "Cannot write file 'report/2010/*': No space left on device"},
        {fill_the_disk, {"--gis"}, "Cannot write file 'report/2010/*': No space left on device"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message + (row.extra.empty() ? "" : " --gis"));
        const fs::path work = prepare(name, "unwritable");
        row.spoil(work);
        const Outcome r = run_program(work, dataset_args(name, TESSADRO_REPORT_BINARY, row.extra));
        Outcome want = expected(name);
        want.status = 2;
        want.err = "At line 0 of file tessadrov11\nError: " + row.message + "\n";
        const std::size_t star = want.err.find('*');
        if (star != std::string::npos && r.err.starts_with(want.err.substr(0, star)) &&
            r.err.ends_with(want.err.substr(star + 1))) {
            want.err = r.err;
        }
        EXPECT_EQ("", how_ending_differs(want, r));
        expect_no_report(work / "report" / "2010");
        ::umount2(work.c_str(), MNT_DETACH);
        clean_up(work);
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
    const Outcome waiting = run_program(work, report_of("2010"), {}, false);
    const fs::path other = prepare(name, "lock-other");
    fs::create_symlink(work / "report", other / "report");
    EXPECT_EQ(0, run_program(other, report_of("2011")).status);  // report/2011 beside the held 2010
    ::usleep(300000);
    EXPECT_FALSE(fs::exists(work / "out")) << "the second run of 2010 did not wait";
    ::close(held);
    EXPECT_EQ("", how_ending_differs(expected(name), finish(waiting), true));
    EXPECT_TRUE(fs::exists(work / "report" / "2011" / "index.html"));
    clean_up(other);
    clean_up(work);
}

}  // namespace
}  // namespace tessadro::test
