#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tessadro {

// Records of a text file, read in large blocks. A record ends at a line feed;
// a carriage return just before it belongs to the record end. A last record
// without a line feed is a record like any other.
class LineReader {
public:
    // Records of an open file; the reader takes ownership of the handle.
    explicit LineReader(std::FILE* file);
    // Records of a text held in memory (the factor argument, tests).
    explicit LineReader(std::string text);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next record, valid until the next call; false at end of file.
    bool next(std::string_view& record);

    // Back before the first record.
    void rewind();

    // Number of records delivered since the start (or the last rewind).
    long records() const { return records_; }

private:
    bool refill();

    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool exhausted_ = false;
    long records_ = 0;
};

}  // namespace tessadro
