#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "text/free_form.hpp"

// Fixed-field records: items laid out by a stored field format such as
// "(326i2)". A format whose fields run out while items remain starts again at
// its first field on a new record (format reversion).
namespace tessadro {

struct FieldSpec {
    char kind;         // 'I' integer, 'F' or 'G' real, 'A' text
    int width;         // 0 for a bare A: the whole text
    int decimals;
};

class Format {
public:
    // Parses a format such as "(2i6,2f12.0,4f10.2)"; a malformed one is a
    // fault of the program, not of its input.
    explicit Format(std::string_view text);
    const std::vector<FieldSpec>& fields() const { return fields_; }
    // Every field a real in 6 characters with 1 decimal.
    bool all_f61() const { return all_f61_; }

private:
    std::vector<FieldSpec> fields_;
    bool all_f61_ = false;
};

// Writes the items under the format: one record, more under reversion, one
// empty record for no items. Each real too wide for its field is written as
// asterisks and counted on the file.
void write_fixed(OutputFile& out, const Format& format, std::span<const Item> items);
void write_fixed(OutputFile& out, const Format& format, std::initializer_list<Item> items);

// The same for reals alone, under a format of real fields only: the rows of
// the array files.
void write_fixed_reals(OutputFile& out, const Format& format, std::span<const float> values);

// One fixed-field read starting at the next record; the rest of its last
// record is skipped.
ReadResult read_fixed(LineReader& in, const Format& format, std::span<const Target> targets);

// The same on a data file: every failure, end of file included, ends the run.
void read_fixed(InputFile& in, const Format& format, std::span<const Target> targets);

}  // namespace tessadro
