// Opening and writing files: every failure ends the run with a message that
// names the file, never a silent loss of output.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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

TEST(RecordFile, AFullDeviceIsAWriteFailure) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    OutputFile file("/dev/full", 8);
    write_list(file, {"lost"});
    try {
        file.close();
        FAIL() << "closing a file whose bytes could not be written must fail";
    } catch (const RunError& e) {
        EXPECT_EQ("At line 1 of file tessadrov11 (unit = 8, file = '/dev/full')", e.location());
        EXPECT_STREQ("Cannot write file '/dev/full': No space left on device", e.what());
    }
}

}  // namespace
