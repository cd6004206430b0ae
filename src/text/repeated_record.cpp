#include "text/repeated_record.hpp"

#include <bit>
#include <cstring>

#include "text/real_text.hpp"

namespace tessadro {
namespace {

std::uint32_t value_bits(const Item& item) {
    return item.kind == Item::Kind::integer ? static_cast<std::uint32_t>(item.integer)
                                            : std::bit_cast<std::uint32_t>(item.real);
}

void format(const Item& item, char* field) {
    if (item.kind == Item::Kind::integer) format_list_integer(item.integer, field);
    else format_list_real(item.real, field);
}

}  // namespace

void RepeatedRecord::lay_out(std::span<const Item> items) {
    kinds_.clear();
    values_.clear();
    places_.clear();
    // A leading blank, then the fields one blank apart: numbers only, so the
    // places never move.
    std::size_t place = 1;
    for (const Item& item : items) {
        if (!places_.empty()) ++place;
        kinds_.push_back(item.kind);
        values_.push_back(value_bits(item));
        places_.push_back(place);
        place += static_cast<std::size_t>(item.kind == Item::Kind::integer ? list_integer_width : list_real_width);
    }
    text_.assign(place, ' ');
    for (std::size_t i = 0; i < items.size(); ++i) format(items[i], text_.data() + places_[i]);
}

void RepeatedRecord::write(OutputFile& out, std::span<const Item> items) {
    // The kinds of the layout are numbers, so a text never matches them.
    bool laid_out = items.size() == kinds_.size() && !items.empty();
    for (std::size_t i = 0; laid_out && i < items.size(); ++i) laid_out = items[i].kind == kinds_[i];
    if (!laid_out) {
        bool numbers = !items.empty();
        for (const Item& item : items) numbers = numbers && item.kind != Item::Kind::text;
        if (!numbers) {  // a text, or no items: nothing to keep
            write_list(out, items);
            return;
        }
        lay_out(items);
    } else {
        for (std::size_t i = 0; i < items.size(); ++i) {
            const Item& item = items[i];
            const std::uint32_t bits = item.kind == Item::Kind::integer ? static_cast<std::uint32_t>(item.integer)
                                                                        : std::bit_cast<std::uint32_t>(item.real);
            if (bits == values_[i]) continue;
            values_[i] = bits;
            format(item, text_.data() + places_[i]);
        }
    }
    std::memcpy(out.claim(text_.size()), text_.data(), text_.size());
    out.end_record();
}

}  // namespace tessadro
