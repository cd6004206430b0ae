// Opening and writing files: every failure ends the run with a message that
// names the file, never a silent loss of output; a file formatted ahead is
// written as the same file written directly.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "support/test_files.hpp"
#include "text/free_form.hpp"
#include "text/record_file.hpp"
#include "text/run_error.hpp"

namespace fs = std::filesystem;
using namespace tessadro;

namespace {

std::string message_of_opening(const std::string& path, bool for_writing) {
    try {
        if (for_writing) OutputFile file(path, 8);
        else InputFile file(path, 11);
    } catch (const RunError& e) {
        return e.location() + " | " + e.what();
    }
    return "opened";
}

TEST(RecordFile, OpeningFailuresNameThePath) {
    const std::string folder = fs::temp_directory_path().string();
    for (const bool writing : {false, true}) {
        const std::string at = writing ? "At line 0 of file tessadrov11 (unit = 8) | "
                                       : "At line 0 of file tessadrov11 (unit = 11) | ";
        EXPECT_EQ(at + "File '/no/such/dir/x.txt' does not exist", message_of_opening("/no/such/dir/x.txt", writing));
        EXPECT_EQ(at + "'" + folder + "' is a directory", message_of_opening(folder, writing));
    }
    // A year file that may be missing reads as empty and is not created.
    const fs::path path = fs::temp_directory_path() / "tessadro-no-such-year-file.txt";
    fs::remove(path);
    InputFile file = InputFile::open_or_empty(path.string(), 13);
    std::int32_t value = 0;
    EXPECT_FALSE(read_record(file, {value}));
    EXPECT_FALSE(fs::exists(path));
}

// Only regular files are written: a FIFO would block the run until a reader
// came, a device would swallow the arrays.
TEST(RecordFile, AnOutputThatIsNotARegularFileIsRefused) {
    const fs::path fifo = fs::temp_directory_path() / ("tessadro-fifo-" + std::to_string(::getpid()));
    fs::remove(fifo);
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0644));
    for (const std::string& path : {fifo.string(), std::string("/dev/null")}) {
        EXPECT_EQ("At line 0 of file tessadrov11 (unit = 8) | '" + path + "' is not a regular file",
                  message_of_opening(path, true));
    }
    fs::remove(fifo);
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

// A file formatted ahead (OutputFile::Later) must end up as the same file
// written directly, and must not be there at all until its turn comes.
class LaterFile : public testing::Test {
protected:
    void TearDown() override {
        fs::remove(later_path);
        fs::remove(direct_path);
    }
    // Records of some 60 characters: 5000 of them are more than a direct file
    // holds before it writes (64 KiB), so it writes them in several turns.
    static void write_records(OutputFile& file, int first, int count) {
        for (int i = first; i < first + count; ++i) write_list(file, {i, 0.25f * static_cast<float>(i), "acres"});
    }
    std::string direct_text(int first, int count) {
        OutputFile direct(direct_path.string(), 8);
        write_records(direct, first, count);
        direct.close();
        return test::slurp(direct_path);
    }

    const std::string tag = std::to_string(::getpid());
    const fs::path later_path = fs::temp_directory_path() / ("tessadro-later-" + tag);
    const fs::path direct_path = fs::temp_directory_path() / ("tessadro-direct-" + tag);
};

TEST_F(LaterFile, IsCreatedByOpenAndWrittenByCloseAsADirectFile) {
    fs::remove(later_path);
    OutputFile later(later_path.string(), 8, OutputFile::Later{});
    write_records(later, 1, 5000);
    EXPECT_FALSE(fs::exists(later_path));
    later.open();
    EXPECT_TRUE(fs::exists(later_path));
    later.close();
    const std::string expected = direct_text(1, 5000);
    EXPECT_GT(expected.size(), std::size_t{1} << 17);
    EXPECT_EQ(expected, test::slurp(later_path));
}

TEST_F(LaterFile, NeverOpenedLeavesNoFile) {
    fs::remove(later_path);
    {
        OutputFile later(later_path.string(), 8, OutputFile::Later{});
        write_records(later, 1, 5000);
    }
    EXPECT_FALSE(fs::exists(later_path));
}

TEST_F(LaterFile, OpeningFailsAsADirectFileDoes) {
    for (const std::string& path : {fs::temp_directory_path().string(), std::string("/no/such/dir/x.txt")}) {
        OutputFile later(path, 8, OutputFile::Later{});
        write_records(later, 1, 3);
        std::string outcome = "opened";
        try {
            later.open();
        } catch (const RunError& e) {
            outcome = e.location() + " | " + e.what();
        }
        EXPECT_EQ(message_of_opening(path, true), outcome);
        EXPECT_NE("opened", outcome);
    }
}

// The buffer of one array goes on to the next: the next file holds its own
// records only, even where the first file's text was longer.
TEST_F(LaterFile, AHandedOnBufferStartsTheNextFile) {
    OutputFile first(direct_path.string() + "-first", 8, OutputFile::Later{});
    write_records(first, 1, 5000);
    first.open();
    first.close();
    fs::remove(direct_path.string() + "-first");
    std::vector<char> buffer = first.take_buffer();
    const char* const memory = buffer.data();

    OutputFile second(later_path.string(), 8, OutputFile::Later{}, std::move(buffer));
    write_records(second, 7001, 10);
    second.open();
    second.close();
    EXPECT_EQ(direct_text(7001, 10), test::slurp(later_path));
    EXPECT_EQ(memory, second.take_buffer().data());  // the same memory, not fresh
}

}  // namespace
