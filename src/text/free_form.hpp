#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "text/line_reader.hpp"
#include "text/record_file.hpp"
#include "text/record_notes.hpp"

// Free-form records: items separated by blanks or commas, written and read by
// type. Every report line, console line and data file of the run that is not
// laid out by a field format goes through here.
namespace tessadro {

// One item of a record to write: a 4-byte integer, a 4-byte real or a text.
struct Item {
    enum class Kind : std::uint8_t { integer, real, text };
    Item(std::int32_t v) : kind(Kind::integer), integer(v) {}
    Item(float v) : kind(Kind::real), real(v) {}
    Item(std::string_view v) : kind(Kind::text), text(v) {}
    Item(const char* v) : kind(Kind::text), text(v) {}
    Item(const std::string& v) : kind(Kind::text), text(v) {}

    Kind kind;
    std::int32_t integer = 0;
    float real = 0.0f;
    std::string_view text;
};

// Writes one free-form record: a leading blank, integers in 11 characters,
// reals in 16, texts as they are; one blank between items except between two
// texts, which stand back to back.
void write_list(OutputFile& out, std::initializer_list<Item> items);
void write_list(OutputFile& out, std::span<const Item> items);

// One target of a read: where the value goes and what type it must have.
struct Target {
    enum class Kind : std::uint8_t { integer, real, text };
    Target(std::int32_t& v) : kind(Kind::integer), place(&v) {}
    Target(float& v) : kind(Kind::real), place(&v) {}
    template <std::size_t N>
    Target(std::array<char, N>& v) : kind(Kind::text), place(v.data()), length(N) {}

    Kind kind;
    void* place;
    std::size_t length = 0;
};

// Result of a read: 0 when every target was filled (or a slash ended the
// read), -1 at end of file, 1 when a value did not fit its target; message
// says what happened ("End of file", "Bad integer for item 2 in list input").
struct ReadResult {
    int status = 0;
    std::string message;
};

// One free-form read starting at the next record of the source. An empty list
// skips exactly one record.
ReadResult read_list(LineReader& in, std::span<const Target> targets);
// The same read, taking notes of what it did that the file's writer probably
// did not mean (record_notes.hpp).
ReadResult read_list(LineReader& in, std::span<const Target> targets, ReadNotes* notes);
// A read of an input file; its listener, if any, hears the read's notes.
ReadResult read_list(InputFile& in, std::span<const Target> targets);

// Reads one record of a data file: false at end of file; any other failure
// ends the run with the run-error report.
bool read_record(InputFile& in, std::initializer_list<Target> targets);

// Reads values that must be there: end of file ends the run too.
void read_required(InputFile& in, std::initializer_list<Target> targets);

}  // namespace tessadro
