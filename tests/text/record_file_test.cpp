// Opening and writing files: every failure ends the run with a message that
// names the file, never a silent loss of output.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "text/free_form.hpp"
#include "text/record_file.hpp"
#include "text/run_error.hpp"

namespace fs = std::filesystem;
using namespace tessadro;

namespace {

void write_records(OutputFile& file, int first, int count);

enum class Opening { reading, writing, formatted_ahead };

std::string message_of_opening(const std::string& path, Opening opening) {
    try {
        if (opening == Opening::reading) InputFile file(path, 11);
        if (opening == Opening::writing) OutputFile file(path, 8);
        if (opening == Opening::formatted_ahead) {
            OutputFile later(path, 8, OutputFile::Later{});
            write_records(later, 1, 3);
            later.open();
        }
    } catch (const RunError& e) {
        return e.location() + " | " + e.what();
    }
    return "opened";
}

// A failed opening names the path; a file formatted ahead (OutputFile::Later)
// fails at its opening as a direct file does. Only regular files are written:
// a FIFO would block the run until a reader came, a device would swallow the
// arrays.
TEST(RecordFile, OpeningFailuresNameThePath) {
    const std::string folder = fs::temp_directory_path().string();
    const fs::path fifo = fs::temp_directory_path() / ("tessadro-fifo-" + std::to_string(::getpid()));
    fs::remove(fifo);
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0644));
    for (const Opening opening : {Opening::reading, Opening::writing, Opening::formatted_ahead}) {
        const std::string at = opening == Opening::reading ? "At line 0 of file tessadrov11 (unit = 11) | "
                                                           : "At line 0 of file tessadrov11 (unit = 8) | ";
        EXPECT_EQ(at + "File '/no/such/dir/x.txt' does not exist", message_of_opening("/no/such/dir/x.txt", opening));
        EXPECT_EQ(at + "'" + folder + "' is a directory", message_of_opening(folder, opening));
        if (opening == Opening::reading) continue;
        for (const std::string& path : {fifo.string(), std::string("/dev/null")}) {
            EXPECT_EQ(at + "'" + path + "' is not a regular file", message_of_opening(path, opening));
        }
    }
    fs::remove(fifo);
    // A year file that may be missing reads as empty and is not created.
    const fs::path path = fs::temp_directory_path() / "tessadro-no-such-year-file.txt";
    fs::remove(path);
    InputFile file = InputFile::open_or_empty(path.string(), 13);
    std::int32_t value = 0;
    EXPECT_FALSE(read_record(file, {value}));
    EXPECT_FALSE(fs::exists(path));
}

// A file that cannot take its bytes (here past the file-size limit, as on a
// full disk) ends the run at the write, naming the file.
TEST(RecordFile, AWriteThatFailsEndsTheRun) {
    const fs::path path = fs::temp_directory_path() / ("tessadro-big-" + std::to_string(::getpid()));
    rlimit saved{};
    ASSERT_EQ(0, ::getrlimit(RLIMIT_FSIZE, &saved));
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);  // EFBIG instead of the signal
    rlimit small = saved;
    small.rlim_cur = 10;
    ASSERT_EQ(0, ::setrlimit(RLIMIT_FSIZE, &small));
    std::string outcome = "closed";
    {
        OutputFile file(path.string(), 8);
        write_list(file, {"more than ten bytes"});
        try {
            file.close();
        } catch (const RunError& e) {
            outcome = e.location() + " | " + e.what();
        }
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_EQ("At line 1 of file tessadrov11 (unit = 8, file = '" + path.string() + "') | Cannot write file '" +
                  path.string() + "': File too large",
              outcome);
    fs::remove(path);
}

void write_records(OutputFile& file, int first, int count) {
    for (int i = first; i < first + count; ++i) write_list(file, {i, 0.25f * static_cast<float>(i), "acres"});
}

// A file formatted ahead (OutputFile::Later) is not there until it is opened:
// one never opened, as when the run ends first, leaves no file. What it holds
// once opened the monthly arrays of every run show.
TEST(RecordFile, AFileFormattedAheadAndNeverOpenedLeavesNoFile) {
    const fs::path path = fs::temp_directory_path() / ("tessadro-later-" + std::to_string(::getpid()));
    {
        OutputFile never(path.string(), 8, OutputFile::Later{});
        write_records(never, 1, 5000);
    }
    EXPECT_FALSE(fs::exists(path));
}

}  // namespace
