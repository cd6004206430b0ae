#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "text/free_form.hpp"
#include "text/real_text.hpp"
#include "text/record_file.hpp"

namespace tessadro {

// A free-form record of numbers written over and over, the same kinds of items
// in the same places, most of them unchanged from one record to the next: the
// rows of the tract table, where a group's point of diversion, range and acres
// repeat for each of its tracts, and the points of a plot file, whose row
// repeats along a grid row. The record is kept whole between writes and an
// item is formatted again, in its place, only when its value differs from the
// one written there before. The text is exactly that of write_list for the
// same items.
class RepeatedRecord {
public:
    // The kinds of the items, integers and reals, in their order; every item
    // starts as zero.
    explicit RepeatedRecord(std::initializer_list<Item::Kind> kinds);

    // The value of the item at index (from 0) for the next write; the kind
    // must be the one laid out there.
    void set(std::size_t index, std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        if (bits == values_[index]) return;
        values_[index] = bits;
        format_list_integer(value, text_.data() + places_[index]);
    }
    void set(std::size_t index, float value) {
        const auto bits = std::bit_cast<std::uint32_t>(value);
        if (bits == values_[index]) return;
        values_[index] = bits;
        format_list_real(value, text_.data() + places_[index]);
    }

    // The item at index takes the value, and so the text, of the item at
    // from, of the same kind and set before it: a value shown twice in a
    // record is formatted once.
    void repeat(std::size_t index, std::size_t from) {
        if (values_[index] == values_[from]) return;
        values_[index] = values_[from];
        std::memcpy(text_.data() + places_[index], text_.data() + places_[from], widths_[from]);
    }

    // Writes the record as it stands.
    void write(OutputFile& out) {
        std::memcpy(out.claim(text_.size()), text_.data(), text_.size());
        out.end_record();
    }

private:
    std::vector<std::uint32_t> values_;  // bit patterns of the items written
    std::vector<std::uint32_t> places_;  // where each item's field starts
    std::vector<std::uint32_t> widths_;  // and its width
    std::string text_;                   // the record as it stands
};

}  // namespace tessadro
