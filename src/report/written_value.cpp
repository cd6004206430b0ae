#include "report/written_value.hpp"

#include <cmath>
#include <string_view>

#include "text/real_text.hpp"

namespace tessadro {

WrittenValue as_written(float value) {
    if (value == 0.0f) return {};  // most cells of an array, and -0.0 reads as 0
    char field[6];
    if (!format_fixed_real(value, 6, 1, field)) return {0, true};
    std::string_view text(field, sizeof field);
    text.remove_prefix(text.find_first_not_of(' '));  // right-aligned: never all blanks
    float read = 0.0f;
    if (!parse_real(text, read) || !std::isfinite(read)) return {0, true};
    // At most 6 characters of a number with one decimal: within 31 bits.
    const auto tenths = static_cast<std::int32_t>(std::lround(static_cast<double>(read) * 10.0));
    WrittenValue w;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wconversion"
    w.tenths = tenths;
#pragma GCC diagnostic pop
    return w;
}

}  // namespace tessadro
