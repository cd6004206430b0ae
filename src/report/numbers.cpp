#include "report/numbers.hpp"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace tessadro {
namespace {

// printf's %.*f of any double (to_chars with a precision gives the same
// characters): the largest has 309 digits before the point.
struct FixedText {
    char text[400];
    std::size_t size = 0;

    FixedText(double value, int decimals) {
        const auto r = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed,
                                     std::clamp(decimals, 0, 40));
        size = static_cast<std::size_t>(r.ptr - text);
    }
    std::string_view view() const { return {text, size}; }
};

// The ten-thousandths of |value| < 2^50, rounded to the nearest, a tie to
// the even one, as printf's %.4f rounds the exact binary value: |value| is
// m * 2^-s with m below 2^53 and s at least 3, so 10^4 |value| is
// (625 m) * 2^(4 - s), and 625 m is below 2^63.
std::uint64_t ten_thousandths(double magnitude) {
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);  // in [0.5, 1), or 0
    const auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const std::uint64_t n = m * 625u;
    const int shift = 53 - exponent - 4;
    if (shift <= 0) return n << -shift;
    if (shift >= 64) return 0;  // below 2^-60: n is less than half of 2^shift
    const std::uint64_t q = n >> shift, rest = n & ((std::uint64_t{1} << shift) - 1u);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    return q + (rest > half || (rest == half && (q & 1u) != 0) ? 1u : 0u);
}

// The digits of a value from 1 to below 2^24, in the fewest decimals that
// read back as the value, the nearest of those to it (a tie to the even
// one): what to_chars writes, in integers. The value is m * 2^e with m of 24
// bits and e from -23 to 0; the values that read back as it lie within half
// the gaps to its neighbours, in units of 2^(e - 2) from 4m - 2 to 4m + 2
// (4m - 1 below a power of two, where the gap below is half), the ends
// included when m is even, which reading rounds to. Nine digits tell any
// 4-byte value: eight decimals at most.
// Written at p; the end, or null should eight decimals not tell the value.
char* put_shortest_between_1_and_2_24(char* p, std::uint32_t magnitude) {
    const std::uint64_t m = (magnitude & 0x7fffffu) | 0x800000u;
    const int shift = 2 - (static_cast<int>(magnitude >> 23) - 150);  // 2 to 25
    const std::uint64_t unit = std::uint64_t{1} << shift;
    const std::uint64_t low = 4 * m - (m == 0x800000u ? 1 : 2), high = 4 * m + 2;
    const bool ends = m % 2 == 0;
    std::uint64_t scale = 1;
    for (int decimals = 0; decimals <= 8; ++decimals, scale *= 10) {
        // The candidates c / 10^decimals between the ends: c * unit from
        // low * scale to high * scale, each below 2^53.
        std::uint64_t first = (low * scale + unit - 1) >> shift, last = (high * scale) >> shift;
        if (!ends && first * unit == low * scale) ++first;
        if (!ends && last * unit == high * scale) --last;
        if (first > last) continue;
        const std::uint64_t exact = 4 * m * scale;
        std::uint64_t c = exact >> shift;
        const std::uint64_t rest = exact & (unit - 1);
        if (rest > unit / 2 || (rest == unit / 2 && c % 2 != 0)) ++c;
        c = std::clamp(c, first, last);
        char* end = std::to_chars(p, p + 8, c / scale).ptr;  // below 2^24: eight digits at most
        if (decimals > 0) {
            *end++ = '.';
            std::uint64_t fraction = c % scale;
            for (int k = decimals - 1; k >= 0; --k, fraction /= 10) end[k] = static_cast<char>('0' + fraction % 10);
            end += decimals;
        }
        return end;
    }
    return nullptr;
}

}  // namespace

void append_whole(std::string& out, long long value) {
    char text[24];
    out.append(text, std::to_chars(text, text + sizeof text, value).ptr);
}

void append_amount(std::string& out, double value) {
    if (!(std::fabs(value) < 0x1p50)) {  // huge, or not a number
        out.append(FixedText(value, 4).view());
        return;
    }
    const std::uint64_t q = ten_thousandths(std::fabs(value));
    if (value < 0.0 && q != 0) out.push_back('-');  // no "-0.0000"
    char text[24];
    char* end = std::to_chars(text, text + sizeof text, q / 10000u).ptr;
    *end++ = '.';
    std::uint64_t decimals = q % 10000u;
    for (int k = 3; k >= 0; --k, decimals /= 10u) end[k] = static_cast<char>('0' + decimals % 10u);
    out.append(text, end + 4);
}

std::string amount_text(double value) {
    std::string s;
    append_amount(s, value);
    return s;
}

char* put_shortest(char* p, float value) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    const std::uint32_t magnitude = bits & 0x7fffffffu;
    if (magnitude >= std::bit_cast<std::uint32_t>(1.0f) && magnitude < std::bit_cast<std::uint32_t>(0x1p24f)) {
        char* digits = bits != magnitude ? p + 1 : p;
        if (char* end = put_shortest_between_1_and_2_24(digits, magnitude)) {
            if (digits != p) *p = '-';
            return end;
        }
    }
    return std::to_chars(p, p + shortest_chars, value, std::chars_format::fixed).ptr;
}

void append_shortest(std::string& out, float value) {
    char text[shortest_chars];
    out.append(text, put_shortest(text, value));
}

std::string shortest_text(float value) {
    std::string text;
    append_shortest(text, value);
    return text;
}

std::string grouped_text(double value, int decimals) {
    const FixedText fixed(std::fabs(value), decimals);
    const std::string_view digits = fixed.view();
    const std::size_t point = digits.find('.');
    const std::size_t whole = point == std::string_view::npos ? digits.size() : point;
    const bool minus = value < 0.0 && digits.find_first_not_of("0.") != std::string_view::npos;
    std::string out;
    out.reserve(digits.size() + whole / 3 + 1);
    if (minus) out.push_back('-');
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && i < whole && (whole - i) % 3 == 0) out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

std::string px(double value) {
    // As printf's %.1f into 32 characters, which keeps 31 of a huge number.
    return std::string(FixedText(value, 1).view().substr(0, 31));
}

}  // namespace tessadro
