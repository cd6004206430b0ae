#pragma once

#include <string>
#include <string_view>

#include "text/page_memory.hpp"

namespace tessadro {

// Records of a text: the whole of an input file held in memory, a short text
// such as the factor argument, or a plain file read once from start to end
// in blocks. A record ends at a line feed; a carriage return just before it
// belongs to the record end. A last record without a line feed is a record
// like any other.
class LineReader {
public:
    explicit LineReader(std::string text) : text_(std::move(text)), view_(text_) {}
    // The first length bytes of a block, a whole file read into it.
    LineReader(PageMemory held, std::size_t length) : held_(std::move(held)), view_(held_.data(), length) {}
    // The records of an open plain file, read in blocks as they are asked
    // for; the reader closes the descriptor. The path and unit name the file
    // in the report of a read that fails.
    LineReader(int fd, std::string path, int unit);
    ~LineReader();
    // Records are views into the reader's text.
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next record, valid until the next call; false at end of text.
    bool next(std::string_view& record);
    // The record that next() delivered last, as valid as it is: the text of
    // the record at hand, for a report that shows it.
    std::string_view last_record() const;

    // Back before the first record. A text held in memory is not read again,
    // so a file that was a pipe reads the same the second time; a file read
    // in blocks is read again from its start.
    void rewind();

    // Number of records delivered since the start (or the last rewind).
    long records() const { return records_; }
    // The size of a text held whole; 0 for a file read in blocks.
    std::size_t held_bytes() const { return fd_ < 0 ? view_.size() : 0; }

private:
    void fill();

    std::string text_;      // a short text, or the blocks of a file
    PageMemory held_;       // or a whole file
    std::string_view view_; // the bytes at hand, in one or the other
    std::size_t pos_ = 0;
    std::size_t last_start_ = 0, last_length_ = 0;  // the record delivered last, in view_
    long records_ = 0;
    int fd_ = -1;  // a file read in blocks
    bool at_end_ = false;
    std::string path_;
    int unit_ = 0;
};

}  // namespace tessadro
