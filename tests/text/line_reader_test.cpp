// Records of a plain file read in blocks are the records of the same bytes
// held whole: a record split across two blocks, one longer than a block, a
// carriage return at the end of a block with its line feed in the next, and a
// last record without a line feed.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "text/line_reader.hpp"
#include "text/run_error.hpp"

namespace tessadro {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t block = std::size_t{1} << 16;

// The records of a text split by hand: at each line feed, a carriage return
// before it dropped; a last piece without a line feed is a record too.
std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> records;
    std::istringstream lines(text);
    for (std::string record; std::getline(lines, record);) {
        if (!lines.eof() && !record.empty() && record.back() == '\r') record.pop_back();
        records.push_back(record);
    }
    return records;
}

std::vector<std::string> read_all(LineReader& reader) {
    std::vector<std::string> records;
    std::string_view record;
    while (reader.next(record)) {
        records.emplace_back(record);
        // The report shows the record at hand as the reader still has it.
        EXPECT_EQ(records.back(), reader.last_record());
    }
    return records;
}

TEST(LineReaderInBlocks, SameRecordsAsTheTextHeldWhole) {
    std::string text;
    // Short records up to just before the first block's end, then a CR LF
    // whose CR is the block's last byte.
    while (text.size() < block - 40) text += "1 101 2132624.51 2168924.97\r\n";
    text.append(block - 1 - text.size(), 'x');
    text += "\r\n";
    // A record of three blocks and a half, then an empty record.
    text += std::string(3 * block + block / 2, '7') + "\n\n";
    // Records across the next boundaries, the last without a line feed.
    for (int i = 0; i < 5000; ++i) text += std::to_string(i) + ",GW,13.91,,17.46\n";
    text += "last record";

    // An empty file has no record.
    for (const std::string& content : {std::string(), text}) {
        const fs::path path = fs::temp_directory_path() / ("tessadro-lines-" + std::to_string(::getpid()));
        std::ofstream(path, std::ios::binary) << content;
        const int fd = ::open(path.c_str(), O_RDONLY);
        ASSERT_GE(fd, 0);
        LineReader streamed(fd, path.string(), 13);
        const std::vector<std::string> expected = split(content);
        EXPECT_EQ(expected, read_all(streamed));
        EXPECT_EQ(static_cast<long>(expected.size()), streamed.records());
        // Back to the start: the file is read again and gives the same records.
        streamed.rewind();
        EXPECT_EQ(0, streamed.records());
        EXPECT_EQ(expected, read_all(streamed));
        fs::remove(path);
    }
}

// A read that fails names the file and the record it was reading.
TEST(LineReaderInBlocks, AFailedReadIsARunError) {
    const fs::path dir = fs::temp_directory_path();
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);  // read() of a folder: EISDIR
    ASSERT_GE(fd, 0);
    LineReader streamed(fd, "tessadro2010.txt", 13);
    std::string_view record;
    try {
        streamed.next(record);
        FAIL() << "no error";
    } catch (const RunError& e) {
        EXPECT_EQ("At line 1 of file tessadrov11 (unit = 13, file = 'tessadro2010.txt')", e.location());
        EXPECT_EQ("Cannot read file 'tessadro2010.txt': Is a directory", std::string(e.what()));
    }
}

}  // namespace
}  // namespace tessadro
