#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "text/free_form.hpp"
#include "text/record_file.hpp"

namespace tessadro {

// A free-form record of numbers written over and over, the same kinds of items
// in the same places, most of them unchanged from one record to the next: the
// rows of the tract table, where a group's point of diversion, range and acres
// repeat for each of its tracts. The record is kept whole between writes and
// an item is formatted again only when its value differs from the one written
// in its place before. The text is exactly that of write_list.
class RepeatedRecord {
public:
    void write(OutputFile& out, std::span<const Item> items);
    void write(OutputFile& out, std::initializer_list<Item> items) {
        write(out, std::span<const Item>(items.begin(), items.size()));
    }

private:
    // A new layout, for the first record or one whose items differ in kind.
    void lay_out(std::span<const Item> items);

    std::vector<Item::Kind> kinds_;
    std::vector<std::uint32_t> values_;  // bit patterns of the items written
    std::vector<std::size_t> places_;    // where each item's field starts
    std::string text_;                   // the record as last written
};

}  // namespace tessadro
