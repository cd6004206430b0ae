// Whole runs in a hostile environment: an input file that is a pipe, a console
// that cannot be written, standard descriptors closed at the start, an output
// path that is not a regular file, memory that runs out. Each starts from a
// dataset of tests/data and holds the run to that dataset's expected files,
// changed only by what the environment must change.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "run_helpers.hpp"

namespace {

using namespace tessadro::test;

// The authorized acres are read twice. From a pipe the second pass has nothing
// to read unless it works from the first read's bytes; then the run is the
// same as from a regular file.
TEST(HostileEnvironment, AuthorizedAcresFromAPipe) {
    const std::string name = "tracts_distribution";
    const fs::path work = prepare(name, "fifo");
    const fs::path acres = work / "authacres2010.txt";
    const std::string text = slurp(acres);
    fs::remove(acres);
    ASSERT_EQ(0, ::mkfifo(acres.c_str(), 0644));
    const Outcome r = run_in(work, name, [&] { feed_fifo(acres, text); });
    EXPECT_EQ(0, r.status);
    EXPECT_EQ(expected(name, "stdout"), r.out);
    EXPECT_EQ(expected(name, "stderr"), r.err);
    expect_expected_files(name, work);
    clean_up(work);
}

// A console that cannot be written does not stop the run: every file is
// written, the exit status is that of the data, and one line at the end of
// standard error says why the console log is missing.
void expect_run_without_console(const char* tag, const char* reason, void (*spoil)()) {
    const std::string name = "run_floating_point_note";
    const fs::path work = prepare(name, tag);
    const Outcome r = run_in(work, name, spoil);
    EXPECT_EQ(0, r.status) << tag;
    EXPECT_EQ(expected(name, "stderr") + "Warning: the console log could not be written: " + reason + "\n", r.err)
        << tag;
    expect_expected_files(name, work);
    clean_up(work);
}

TEST(HostileEnvironment, ConsoleOnAFullDevice) {
    expect_run_without_console("full", "No space left on device", [] {
        const int full = ::open("/dev/full", O_WRONLY);
        ::dup2(full, 1);
        ::close(full);
    });
}

TEST(HostileEnvironment, ConsoleClosed) {
    expect_run_without_console("closed", "Bad file descriptor", [] { ::close(1); });
}

TEST(HostileEnvironment, ConsolePipeWhoseReaderHasGone) {
    expect_run_without_console("pipe", "Broken pipe", [] {
        int ends[2];
        if (::pipe(ends) != 0) ::_exit(125);
        ::close(ends[0]);
        ::dup2(ends[1], 1);
        ::close(ends[1]);
    });
}

// With all three standard descriptors closed, the files the run opens must
// not take their numbers: the warning and the note meant for standard error
// would land in a report.
TEST(HostileEnvironment, StandardDescriptorsClosed) {
    const std::string name = "run_floating_point_note";
    const fs::path work = prepare(name, "nostd");
    const Outcome r = run_in(work, name, [] {
        ::close(0);
        ::close(1);
        ::close(2);
    });
    EXPECT_EQ(0, r.status);
    expect_expected_files(name, work);
    clean_up(work);
}

// An output path that exists and is not a regular file ends the run at its
// opening, without waiting for a FIFO's reader; the files written before stay.
void expect_refused_output(const char* tag, void (*make)(const fs::path&)) {
    const std::string name = "tracts_distribution";
    const fs::path work = prepare(name, tag);
    fs::create_directories(work / "out");
    make(work / "out" / "2010.agw");
    const Outcome r = run_in(work, name, [] {});
    EXPECT_EQ(2, r.status) << tag;
    EXPECT_EQ("At line 0 of file tessadrov11 (unit = 8)\nError: 'out/2010.agw' is not a regular file\n", r.err)
        << tag;
    // The console stops after the phase that writes the arrays has begun.
    const std::string full = expected(name, "stdout");
    const std::string last = " ..writing pmp, rcg, and agw files\n";
    EXPECT_EQ(full.substr(0, full.find(last) + last.size()), r.out) << tag;
    EXPECT_EQ(slurp(dataset(name) / "expected" / "out" / "2010.10.rcg"), slurp(work / "out" / "2010.10.rcg"));
    clean_up(work);
}

TEST(HostileEnvironment, OutputPathIsAFifo) {
    expect_refused_output("outfifo", [](const fs::path& p) { ASSERT_EQ(0, ::mkfifo(p.c_str(), 0644)); });
}

TEST(HostileEnvironment, OutputPathIsADevice) {
    expect_refused_output("outdev", [](const fs::path& p) { fs::create_symlink("/dev/null", p); });
}

// A run starts by removing the files of its year that it writes, so that one
// that fails leaves no arrays of an earlier run beside its own partial
// reports; files of other years and other names stay. A run stopped at the
// factor writes nothing; one stopped in the pumping file leaves its reports as
// written (the dataset's expected files).
TEST(HostileEnvironment, AFailedRunLeavesNoStaleFilesOfItsYear) {
    const fs::path earlier = dataset("tracts_distribution") / "expected" / "out";
    const std::set<std::string> foreign = {"2009.agw", "2010.agw.bak", "notes.txt", "output2010.dat.old"};
    for (const std::string name : {"run_factor_not_a_number", "groups_error_bad_pumping_record"}) {
        const fs::path work = prepare(name, "stale");
        fs::copy(earlier, work / "out");
        for (const std::string& file : foreign) std::ofstream(work / "out" / file) << "keep\n";
        const Outcome r = run_in(work, name, [] {});
        EXPECT_EQ(2, r.status) << name;
        EXPECT_EQ(expected(name, "stderr"), r.err) << name;
        std::set<std::string> want = files_below(dataset(name) / "expected" / "out");
        want.insert(foreign.begin(), foreign.end());
        EXPECT_EQ(want, files_below(work / "out")) << name;
        for (const std::string& file : files_below(dataset(name) / "expected" / "out")) {
            EXPECT_EQ(slurp(dataset(name) / "expected" / "out" / file), slurp(work / "out" / file)) << file;
        }
        for (const std::string& file : foreign) EXPECT_EQ("keep\n", slurp(work / "out" / file)) << file;
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
    const std::string name = "tracts_distribution";
    const fs::path work = prepare(name, "memory");
    const fs::path pumping = work / "tessadro2010.txt";
    fs::remove(pumping);
    ASSERT_EQ(0, ::mkfifo(pumping.c_str(), 0644));
    const Outcome r = run_in(work, name, [&] {
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
