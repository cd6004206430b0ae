#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Records that the free-form reading rules take one way while the person who
// exported the file (usually from a spreadsheet) almost certainly meant
// another: a thousands separator, an empty cell, a value missing at the end of
// a line, a decimal comma. The run reads them by the rules regardless (stored
// arrays and downstream models rely on them); a listener, when there is one,
// hears about each such record. Without a listener the readers do not look.
namespace tessadro {

enum class RecordNote : std::uint8_t {
    null_value,       // ",,", a leading comma or "r*" left a column at its previous value
    continued,        // the values of one read ran onto following records
    extra_numbers,    // after the read's last value the record holds another number
    slash_end,        // a slash ended the read before its last column
    decimal_comma,    // semicolons between fields and commas between digits
    byte_order_mark,  // the file starts with a byte-order mark
};
constexpr int record_note_kinds = 6;

// The notes of one read, a bit per kind, and the record they are about (the
// read's first record).
struct ReadNotes {
    std::uint8_t kinds = 0;
    long line = 0;
    std::string text;

    void add(RecordNote note) { kinds = static_cast<std::uint8_t>(kinds | (1u << static_cast<unsigned>(note))); }
    bool has(RecordNote note) const { return (kinds >> static_cast<unsigned>(note)) & 1u; }
};

class RecordListener {
public:
    virtual ~RecordListener() = default;
    // file: the input file's path as opened; line: its record number; text:
    // that record. Called from whichever thread reads the file.
    virtual void noticed(RecordNote note, const std::string& file, long line, std::string_view text) = 0;
};

}  // namespace tessadro
