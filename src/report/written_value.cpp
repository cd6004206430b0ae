#include "report/written_value.hpp"

#include <bit>
#include <cmath>

#include "report/nonzero_cells.hpp"
#include "text/real_text.hpp"

namespace tessadro {

WrittenValue as_written(float value) {
    std::int32_t tenths = 0;
    if (!f61_tenths(value, tenths)) return {0, true};
    WrittenValue w;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wconversion"
    w.tenths = tenths;  // six characters: at most 99999 tenths
#pragma GCC diagnostic pop
    return w;
}

namespace {

// A value other than zero, as as_written() takes it: ten times a 4-byte
// value is exact in double (24 bits and 4), and adding 2^52 and taking it
// away again rounds it to a whole number, a half to the even one, as the
// field does. From 10^5 up, and Inf and NaN,
// a value is asterisks; so is a whole number of tenths of more than five
// digits, or of four when negative, for the minus sign.
void add_one(float value, long long& tenths, long& unreadable) {
    const std::uint32_t magnitude = std::bit_cast<std::uint32_t>(value) & 0x7fffffffu;
    if (magnitude >= std::bit_cast<std::uint32_t>(1e5f)) {
        ++unreadable;
        return;
    }
    const double scaled = std::fabs(static_cast<double>(value)) * 10.0;
    const auto whole = static_cast<long long>((scaled + 0x1p52) - 0x1p52);
    const bool negative = value < 0.0f;
    if (whole >= (negative ? 10000 : 100000)) ++unreadable;
    else tenths += negative ? -whole : whole;
}

}  // namespace

void add_written(std::span<const float> row, long long& tenths, long& unreadable) {
    // A zero's field is 0.0: it adds nothing.
    for_nonzero(row, [&](std::size_t, float v) { add_one(v, tenths, unreadable); });
}

}  // namespace tessadro
