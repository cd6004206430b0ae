#include "text/repeated_record.hpp"

namespace tessadro {

RepeatedRecord::RepeatedRecord(std::initializer_list<Item::Kind> kinds) {
    // A leading blank, then the fields one blank apart: numbers only, so the
    // places never move.
    std::uint32_t place = 1;
    for (const Item::Kind kind : kinds) {
        if (!places_.empty()) ++place;
        places_.push_back(place);
        widths_.push_back(kind == Item::Kind::integer ? list_integer_width : list_real_width);
        place += widths_.back();
    }
    values_.assign(places_.size(), 0);
    text_.assign(place, ' ');
    std::size_t i = 0;
    for (const Item::Kind kind : kinds) {
        if (kind == Item::Kind::integer) format_list_integer(0, text_.data() + places_[i]);
        else format_list_real(0.0f, text_.data() + places_[i]);
        ++i;
    }
}

}  // namespace tessadro
