#include "report/written_value.hpp"

#include "text/real_text.hpp"

namespace tessadro {

WrittenValue as_written(float value) {
    if (value == 0.0f) return {};  // most cells of an array, and -0.0 reads as 0
    char field[6];
    if (!format_f61(value, field)) return {0, true};
    // Right-aligned blanks, a minus, digits, the point and one digit: the
    // digits are the tenths the model reads. "Inf" and "NaN" it cannot read.
    bool negative = false;
    std::int32_t tenths = 0;
    for (const char c : field) {
        if (c >= '0' && c <= '9') tenths = tenths * 10 + (c - '0');
        else if (c == '-') negative = true;
        else if (c != ' ' && c != '.') return {0, true};
    }
    WrittenValue w;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wconversion"
    w.tenths = negative ? -tenths : tenths;  // six characters: at most 99999 tenths
#pragma GCC diagnostic pop
    return w;
}

}  // namespace tessadro
