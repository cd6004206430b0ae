// Whole runs in a hostile environment: an input file that is a pipe, a console
// that cannot be written, standard descriptors closed at the start, an output
// that is a link, stale outputs of the year, memory that runs out. Each starts
// from a dataset of tests/data and holds the run to that dataset's expected
// ending, changed only by what the environment must change. (An output path
// that is a FIFO is in the bad-input catalogue.)
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include "run_helpers.hpp"

namespace tessadro::test {
namespace {

const std::string name = "tracts_distribution";  // a clean year 2010

// Puts a FIFO in place of the file at path; gives the file's text.
std::string fifo_instead_of(const fs::path& path) {
    const std::string text = slurp(path);
    fs::remove(path);
    EXPECT_EQ(0, ::mkfifo(path.c_str(), 0644));
    return text;
}

// The authorized acres are read twice. From a pipe the second pass has nothing
// to read unless it works from the first read's bytes; then the run is the
// same as from a regular file.
TEST(HostileEnvironment, AuthorizedAcresFromAPipe) {
    const fs::path work = prepare(name, "fifo"), acres = work / "authacres2010.txt";
    const std::string text = fifo_instead_of(acres);
    const Outcome r = run_program(work, dataset_args(name, TESSADRO_BINARY), [&] { feed_fifo(acres, text); });
    EXPECT_EQ("", how_ending_differs(expected(name), r));
    clean_up(work);
}

// A console that cannot be written does not stop the run: every file is
// written, the exit status is that of the data, and one line at the end of
// standard error says why the console log is missing. With all three standard
// descriptors closed (no reason), the files the run opens must not take their
// numbers: the warning and the note meant for standard error would land in a
// report.
TEST(HostileEnvironment, AConsoleThatCannotBeWritten) {
    const struct { const char* reason; void (*spoil)(); } rows[] = {
        {"No space left on device", [] {
             const int full = ::open("/dev/full", O_WRONLY);
             ::dup2(full, 1);
             ::close(full);
         }},
        {"Bad file descriptor", [] { ::close(1); }},
        {"Broken pipe", [] {
             int ends[2];
             if (::pipe(ends) != 0) ::_exit(125);
             ::close(ends[0]);
             ::dup2(ends[1], 1);
             ::close(ends[1]);
         }},
        {nullptr, [] { ::close(0), ::close(1), ::close(2); }},
    };
    const std::string note = "run_floating_point_note";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason ? row.reason : "standard descriptors closed");
        const fs::path work = prepare(note, "console");
        Outcome want = expected(note);
        want.out = "";
        want.err = row.reason ? want.err + "Warning: the console log could not be written: " + row.reason + "\n" : "";
        EXPECT_EQ("", how_ending_differs(want, run_program(work, dataset_args(note, TESSADRO_BINARY), row.spoil)));
        clean_up(work);
    }
}

// A symbolic link where an output of the year goes (to a user's file, to a
// device, to nowhere) is removed and replaced by the new file, never written
// through.
TEST(HostileEnvironment, AnOutputThatIsALinkIsReplacedNotFollowed) {
    const fs::path work = prepare(name, "link");
    fs::create_directories(work / "out");
    std::ofstream(work / "mine.txt") << "mine\n";
    fs::create_symlink("../mine.txt", work / "out" / "2010.agw");
    fs::create_symlink("/dev/null", work / "out" / "2010.mi");
    fs::create_symlink("../gone.txt", work / "out" / "2010.05.pmp");
    EXPECT_EQ("", how_ending_differs(expected(name), run_program(work, dataset_args(name, TESSADRO_BINARY))));
    EXPECT_EQ("mine\n", slurp(work / "mine.txt"));
    EXPECT_FALSE(fs::exists(work / "gone.txt"));
    for (const char* file : {"2010.agw", "2010.mi", "2010.05.pmp"}) {
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(work / "out" / file))) << file;
    }
    clean_up(work);
}

// A run starts by removing the files of its year that it writes, so that one
// that fails leaves no arrays of an earlier run beside its own partial
// reports; files of other years and other names stay. A run stopped at the
// factor writes nothing; one stopped in the pumping file leaves its reports as
// written (the dataset's expected files).
TEST(HostileEnvironment, AFailedRunLeavesNoStaleFilesOfItsYear) {
    const std::set<std::string> foreign = {"2009.agw", "2010.agw.bak", "notes.txt", "output2010.dat.old"};
    for (const std::string failed : {"run_factor_not_a_number", "groups_error_bad_pumping_record"}) {
        SCOPED_TRACE(failed);
        const fs::path work = prepare(failed, "stale");
        fs::copy(dataset(name) / "expected" / "out", work / "out");
        for (const std::string& file : foreign) std::ofstream(work / "out" / file) << "keep\n";
        const Outcome r = run_program(work, dataset_args(failed, TESSADRO_BINARY));
        for (const std::string& file : foreign) {
            EXPECT_EQ("keep\n", slurp(work / "out" / file)) << file;
            fs::remove(work / "out" / file);
        }
        EXPECT_EQ("", how_ending_differs(expected(failed), r));
        clean_up(work);
    }
}

// Memory that runs out while a file is read (a record of 300 MB under a limit
// of 200 MB of address space) is reported at the file and the record, like a
// bad record. The sanitizers' own memory map does not fit such a limit.
TEST(HostileEnvironment, MemoryExhaustedOnAHugeRecord) {
#ifdef TESSADRO_SANITIZED
    GTEST_SKIP() << "the sanitizers need more address space than the limit";
#else
    const fs::path work = prepare(name, "memory"), pumping = work / "tessadro2010.txt";
    fifo_instead_of(pumping);
    const Outcome r = run_program(work, dataset_args(name, TESSADRO_BINARY), [&] {
        feed_fifo(pumping, "1 101 100.0 100.0 0.0 GW 1.0 1.0 1.0\n1 102 ", 300);
        const rlimit limit{200u << 20, 200u << 20};
        ::setrlimit(RLIMIT_AS, &limit);
    });
    EXPECT_EQ(2, r.status);
    EXPECT_EQ("At line 2 of file tessadrov11 (unit = 13, file = 'tessadro2010.txt')\nError: Out of memory\n", r.err);
    clean_up(work);
#endif
}

}  // namespace
}  // namespace tessadro::test
