#pragma once

#include <string>
#include <string_view>

namespace tessadro {

// Records of a text held in memory: the whole of an input file, read once, or
// a short text such as the factor argument. A record ends at a line feed; a
// carriage return just before it belongs to the record end. A last record
// without a line feed is a record like any other.
class LineReader {
public:
    explicit LineReader(std::string text) : text_(std::move(text)) {}

    // The next record, valid while the reader lives; false at end of text.
    bool next(std::string_view& record);

    // Back before the first record. The text is not read again, so a file
    // that was a pipe reads the same the second time.
    void rewind() {
        pos_ = 0;
        records_ = 0;
    }

    // Number of records delivered since the start (or the last rewind).
    long records() const { return records_; }

private:
    std::string text_;
    std::size_t pos_ = 0;
    long records_ = 0;
};

}  // namespace tessadro
