#include "text/real_text.hpp"

#include <array>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>

#include "text/plain_number.hpp"

namespace tessadro {
namespace {

__extension__ typedef unsigned __int128 u128;

// A finite 4-byte magnitude as m * 2^e, with m an integer below 2^24.
struct Binary {
    std::uint32_t m;
    int e;
};

Binary decompose(std::uint32_t magnitude_bits) {
    const std::uint32_t exponent = magnitude_bits >> 23;
    const std::uint32_t fraction = magnitude_bits & 0x7fffffu;
    if (exponent == 0) return {fraction, -149};
    return {fraction | 0x800000u, static_cast<int>(exponent) - 150};
}

// 10^0 to 10^38, all below 2^128.
constexpr std::array<u128, 39> powers_of_ten = [] {
    std::array<u128, 39> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
    return p;
}();

u128 pow10(int n) { return powers_of_ten[static_cast<std::size_t>(n)]; }

int bit_length(u128 v) {
    const auto high = static_cast<std::uint64_t>(v >> 64);
    if (high != 0) return 128 - std::countl_zero(high);
    return 64 - std::countl_zero(static_cast<std::uint64_t>(v));
}

// round(value / 2^shift), halves to even.
u128 shift_round(u128 value, int shift) {
    if (shift == 0) return value;
    if (shift >= 128) return 0;  // value < 2^124 here, so below one half
    const u128 q = value >> shift;
    const u128 rest = value - (q << shift);
    const u128 half = static_cast<u128>(1) << (shift - 1);
    if (rest > half || (rest == half && (q & 1) != 0)) return q + 1;
    return q;
}

// round(numerator / divisor), halves to even.
u128 divide_round(u128 numerator, u128 divisor) {
    const u128 q = numerator / divisor;
    const u128 rest = numerator - q * divisor;
    if (rest * 2 > divisor || (rest * 2 == divisor && (q & 1) != 0)) return q + 1;
    return q;
}

// round(m * 2^e * 10^s), halves to even; false when it cannot be formed
// within 128 bits.
bool scaled_round(Binary b, int s, u128& out) {
    // Most values of a run (fractions of a foot to millions of acre-feet) fit
    // in 64 bits: m < 2^24 and 10^11 < 2^37.
    if (s >= 0 && s <= 11 && b.e < 0 && b.e > -64) {
        static constexpr std::uint64_t p10[12] = {1,         10,         100,         1000,
                                                  10000,     100000,     1000000,     10000000,
                                                  100000000, 1000000000, 10000000000, 100000000000};
        const std::uint64_t scaled = static_cast<std::uint64_t>(b.m) * p10[s];
        const int shift = -b.e;
        const std::uint64_t q = scaled >> shift;
        const std::uint64_t rest = scaled - (q << shift);
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        out = (rest > half || (rest == half && (q & 1) != 0)) ? q + 1 : q;
        return true;
    }
    if (s >= 0) {
        if (s > 30) return false;
        const u128 scaled = static_cast<u128>(b.m) * pow10(s);
        if (b.e >= 0) {
            if (bit_length(scaled) + b.e > 126) return false;
            out = scaled << b.e;
        } else {
            out = shift_round(scaled, -b.e);
        }
        return true;
    }
    if (s < -38 || b.e < 0) return false;
    const u128 value = static_cast<u128>(b.m) << b.e;  // e <= 104: below 2^128
    out = divide_round(value, pow10(-s));
    return true;
}

// The 9 significant digits of a finite non-zero magnitude and its decimal
// exponent: value ~ digits * 10^(exponent - 8), 10^8 <= digits < 10^9.
struct Decimal9 {
    std::uint32_t digits;
    int exponent;
};

double double_from_bits(Binary b) {
    // Built bit by bit: converting a subnormal float would raise the
    // denormal-operand flag.
    const int length = 32 - std::countl_zero(b.m);
    const std::uint64_t mantissa = static_cast<std::uint64_t>(b.m) << (53 - length);
    const std::uint64_t biased = static_cast<std::uint64_t>(b.e + length - 1 + 1023);
    return std::bit_cast<double>((biased << 52) | (mantissa & ((1ull << 52) - 1)));
}

Decimal9 decimal9(std::uint32_t magnitude_bits) {
    const Binary b = decompose(magnitude_bits);
    const int top = b.e + (32 - std::countl_zero(b.m)) - 1;  // 2^top <= value
    int exponent = (top * 78913) >> 18;                      // floor(top*log10(2))
    u128 n = 0;
    if (scaled_round(b, 8 - exponent, n)) {
        if (n >= 1000000000u) {
            ++exponent;
            scaled_round(b, 8 - exponent, n);
        }
        return {static_cast<std::uint32_t>(n), exponent};
    }
    // Magnitudes below about 1e-22: let the library's exact printer do it.
    char text[32];
    const auto r = std::to_chars(text, text + sizeof text, double_from_bits(b),
                                 std::chars_format::scientific, 8);
    std::uint32_t digits = static_cast<std::uint32_t>(text[0] - '0');
    for (int i = 2; i < 10; ++i) digits = digits * 10 + static_cast<std::uint32_t>(text[i] - '0');
    // "d.dddddddde-xx": the exponent after the 'e', always negative here.
    int exp10 = 0;
    std::from_chars(text + 11, r.ptr, exp10);
    return {digits, exp10};
}

// Short fields: plain loops beat calls to memset and memcpy.
void fill_blanks(char* out, int count) {
    for (int i = 0; i < count; ++i) out[i] = ' ';
}

void right_align(std::string_view text, int width, char* out) {
    const int pad = width - static_cast<int>(text.size());
    fill_blanks(out, pad);
    for (std::size_t i = 0; i < text.size(); ++i) out[pad + static_cast<int>(i)] = text[i];
}

// The 9 decimal digits of 10^8 <= n < 10^9, two at a time.
void nine_digits(std::uint32_t n, char* out) {
    static constexpr char pairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    for (int i = 7; i >= 1; i -= 2) {
        const std::uint32_t pair = (n % 100) * 2;
        n /= 100;
        out[i] = pairs[pair];
        out[i + 1] = pairs[pair + 1];
    }
    out[0] = static_cast<char>('0' + n);
}

bool special_value(std::uint32_t bits, std::string_view& text) {
    const std::uint32_t magnitude = bits & 0x7fffffffu;
    if (magnitude > 0x7f800000u) {
        text = "NaN";
        return true;
    }
    if (magnitude == 0x7f800000u) {
        text = (bits >> 31) != 0 ? "-Infinity" : "Infinity";
        return true;
    }
    return false;
}

constexpr std::uint32_t bits_of_tenth = 0x3dcccccdu;  // the float nearest 0.1
constexpr std::uint32_t bits_of_1e9 = 0x4e6e6b28u;    // 1.0E9, exact

}  // namespace

void format_list_real_exact(float value, char* out) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    const bool negative = (bits >> 31) != 0;
    const std::uint32_t magnitude = bits & 0x7fffffffu;
    std::string_view special;
    if (special_value(bits, special)) {
        right_align(special, list_real_width, out);
        return;
    }
    // The field is built in place: 16 blanks, then the number at its spot.
    char field[list_real_width];
    std::memcpy(field, "                ", list_real_width);
    if (magnitude == 0) {  // zero: 8 decimals like the numbers from 1 to 10
        std::memcpy(field + 2, "0.00000000", 10);
        if (negative) field[1] = '-';
        std::memcpy(out, field, list_real_width);
        return;
    }
    const Decimal9 d = decimal9(magnitude);
    char digits[9];
    nine_digits(d.digits, digits);
    if (magnitude >= bits_of_tenth && magnitude < bits_of_1e9) {
        // Fixed point in 12 characters and 4 blanks; below 1, "0." and 9
        // decimals, else as many decimals as the 9 digits leave.
        char* p = field + (d.exponent < 0 ? 1 : 2);
        if (negative) p[-1] = '-';
        if (d.exponent < 0) {
            *p++ = '0';
            *p++ = '.';
        }
        for (int i = 0; i < 9; ++i) {
            *p++ = digits[i];
            if (i == d.exponent) *p++ = '.';
        }
    } else {
        // d.ddddddddE+xx, right-aligned in 16.
        char* p = field + 2;
        if (negative) p[-1] = '-';
        *p++ = digits[0];
        *p++ = '.';
        for (int i = 1; i < 9; ++i) *p++ = digits[i];
        *p++ = 'E';
        *p++ = d.exponent < 0 ? '-' : '+';
        const int e = d.exponent < 0 ? -d.exponent : d.exponent;
        *p++ = static_cast<char>('0' + e / 10);
        *p = static_cast<char>('0' + e % 10);
    }
    std::memcpy(out, field, list_real_width);
}

bool format_fixed_real(float value, int width, int decimals, char* out) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    const bool negative = (bits >> 31) != 0;
    std::string_view special;
    if (special_value(bits, special)) {
        if (special == "Infinity" && width <= 7) special = "Inf";
        if (special == "-Infinity" && width <= 8) special = "-Inf";
        if (static_cast<int>(special.size()) > width) {
            std::memset(out, '*', static_cast<std::size_t>(width));
            return false;
        }
        right_align(special, width, out);
        return true;
    }
    u128 n = 0;
    const std::uint32_t magnitude = bits & 0x7fffffffu;
    // Beyond 64 bits is far too wide for any field of this program (and a
    // number of decimals beyond 30 is not a layout it uses).
    if (magnitude != 0 && (!scaled_round(decompose(magnitude), decimals, n) || (n >> 64) != 0)) {
        std::memset(out, '*', static_cast<std::size_t>(width));
        return false;
    }
    auto rest = static_cast<std::uint64_t>(n);
    // The whole part's digits, then the field's length: sign, digits, point,
    // decimals, and a lone "0" before the point when there is room for it.
    std::uint64_t whole = rest;
    for (int i = 0; i < decimals; ++i) whole /= 10;
    int whole_digits = 0;
    for (std::uint64_t w = whole; w != 0; w /= 10) ++whole_digits;
    const int length = (negative ? 1 : 0) + whole_digits + 1 + decimals;
    if (length > width) {
        std::memset(out, '*', static_cast<std::size_t>(width));
        return false;
    }
    char* p = out + width;  // written from the right
    for (int i = 0; i < decimals; ++i) {
        *--p = static_cast<char>('0' + rest % 10);
        rest /= 10;
    }
    *--p = '.';
    if (whole_digits == 0) {
        if (length < width) *--p = '0';
    } else {
        for (; rest != 0; rest /= 10) *--p = static_cast<char>('0' + rest % 10);
    }
    if (negative) *--p = '-';
    fill_blanks(out, static_cast<int>(p - out));
    return true;
}

namespace {

// The smallest 4-byte values at or above 10^-4 to 10^9, as bit patterns:
// from 10^0 on they are the powers themselves.
constexpr std::uint32_t bits_from_powers_of_ten[14] = {
    0x38d1b718u, 0x3a83126fu, 0x3c23d70bu, 0x3dcccccdu, 0x3f800000u, 0x41200000u, 0x42c80000u,
    0x447a0000u, 0x461c4000u, 0x47c35000u, 0x49742400u, 0x4b189680u, 0x4cbebc20u, 0x4e6e6b28u};
constexpr int lowest_power = -4;

std::uint32_t bits_from_power_of_ten(int k) { return bits_from_powers_of_ten[k - lowest_power]; }

constexpr std::uint64_t small_powers_of_ten[13] = {1,          10,          100,          1000,     10000,
                                                   100000,     1000000,     10000000,     100000000,
                                                   1000000000, 10000000000, 100000000000, 1000000000000};

// round(m * 10^s * 2^e), halves to even, for m < 2^24, s <= 12 and
// -64 < e <= 6: the product stays below 2^64.
std::uint64_t round_scaled(std::uint32_t m, int s, int e) {
    const std::uint64_t scaled = static_cast<std::uint64_t>(m) * small_powers_of_ten[s];
    if (e >= 0) return scaled << e;
    const int shift = -e;
    const std::uint64_t q = scaled >> shift;
    const std::uint64_t rest = scaled - (q << shift);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    return (rest > half || (rest == half && (q & 1) != 0)) ? q + 1 : q;
}

}  // namespace

void format_list_real(float value, char* out) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    const std::uint32_t magnitude = bits & 0x7fffffffu;
    const bool negative = (bits >> 31) != 0;
    // The values of a run lie from 10^-4 to 10^9; the rest, zero, the
    // infinities and NaN take the general road.
    const std::uint32_t low = bits_from_power_of_ten(lowest_power);
    if (magnitude - low >= bits_of_1e9 - low) {
        format_list_real_exact(value, out);
        return;
    }
    char field[list_real_width];
    std::memcpy(field, "                ", list_real_width);
    // The decimal exponent k (10^k <= |v| < 10^(k+1)) from the binary one,
    // which gives it or one less.
    const int binary_exponent = static_cast<int>(magnitude >> 23) - 127;
    int k = (binary_exponent * 78913) >> 18;  // floor(binary_exponent * log10(2))
    if (magnitude >= bits_from_power_of_ten(k + 1)) ++k;
    // The 9 significant digits; a value just below a power of ten may round
    // up to it, and then it has one digit more before the point.
    std::uint64_t n = round_scaled((magnitude & 0x7fffffu) | 0x800000u, 8 - k, binary_exponent - 23);
    if (n == 1000000000u) {
        n = 100000000u;
        ++k;
    }
    const auto digits = static_cast<std::uint32_t>(n);
    if (magnitude < bits_of_tenth) {  // d.ddddddddE-0x, the sign in the second column
        field[1] = negative ? '-' : ' ';
        nine_digits(digits, field + 3);
        field[2] = field[3];
        field[3] = '.';
        field[12] = 'E';
        field[13] = '-';
        field[14] = '0';
        field[15] = static_cast<char>('0' - k);
    } else if (k < 0) {  // "0." and 9 decimals, the sign in the first column
        field[0] = negative ? '-' : ' ';
        field[1] = '0';
        field[2] = '.';
        nine_digits(digits, field + 3);
    } else {  // k + 1 digits, the point, 8 - k digits
        field[1] = negative ? '-' : ' ';
        nine_digits(digits, field + 2);
        for (int i = 10; i >= k + 3; --i) field[i + 1] = field[i];
        field[k + 3] = '.';
    }
    std::memcpy(out, field, list_real_width);
}

bool format_f61(float value, char* out) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    if (bits == 0) {  // most cells of an array file
        std::memcpy(out, "   0.0", 6);
        return true;
    }
    const std::uint32_t magnitude = bits & 0x7fffffffu;
    // From 10^5 up every value is too wide, and infinities and NaN take
    // their own words: all left to the general writer.
    if (magnitude >= bits_from_power_of_ten(5)) return format_fixed_real(value, 6, 1, out);
    // Tenths: below 10^6, so a whole part of at most 5 digits and the decimal.
    const int e = magnitude < 0x800000u ? -149 : static_cast<int>(magnitude >> 23) - 150;
    const std::uint32_t m = magnitude < 0x800000u ? magnitude : (magnitude & 0x7fffffu) | 0x800000u;
    // m * 10 < 2^28: from a shift of 30 on, the result is below one half.
    const auto n = static_cast<std::uint32_t>(-e >= 30 ? 0 : round_scaled(m, 1, e));
    const bool negative = (bits >> 31) != 0;
    const std::uint32_t whole = n / 10;
    if (whole >= (negative ? 1000u : 10000u)) {
        std::memset(out, '*', 6);
        return false;
    }
    std::memcpy(out, "   0.0", 6);  // the lone 0 before the point always has room here
    out[5] = static_cast<char>('0' + n % 10);
    int pos = 3;
    for (std::uint32_t w = whole; w != 0; w /= 10) out[pos--] = static_cast<char>('0' + w % 10);
    if (whole == 0) pos = 2;
    if (negative) out[pos] = '-';
    return true;
}

bool f61_tenths(float value, std::int32_t& tenths) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    const std::uint32_t magnitude = bits & 0x7fffffffu;
    tenths = 0;
    if (magnitude == 0) return true;
    // As format_f61: from 10^5 up a value is asterisks, Inf or NaN.
    if (magnitude >= bits_from_power_of_ten(5)) return false;
    const int e = magnitude < 0x800000u ? -149 : static_cast<int>(magnitude >> 23) - 150;
    const std::uint32_t m = magnitude < 0x800000u ? magnitude : (magnitude & 0x7fffffu) | 0x800000u;
    const auto n = static_cast<std::uint32_t>(-e >= 30 ? 0 : round_scaled(m, 1, e));
    const bool negative = (bits >> 31) != 0;
    if (n / 10 >= (negative ? 1000u : 10000u)) return false;
    tenths = negative ? -static_cast<std::int32_t>(n) : static_cast<std::int32_t>(n);
    return true;
}

void format_list_integer(std::int32_t value, char* out) {
    static constexpr char pairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    std::memcpy(out, "           ", list_integer_width);
    std::uint32_t n = value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    int pos = list_integer_width;
    while (n >= 100) {
        const std::uint32_t pair = (n % 100) * 2;
        n /= 100;
        out[--pos] = pairs[pair + 1];
        out[--pos] = pairs[pair];
    }
    if (n >= 10) {
        out[--pos] = pairs[n * 2 + 1];
        out[--pos] = pairs[n * 2];
    } else {
        out[--pos] = static_cast<char>('0' + n);
    }
    if (value < 0) out[--pos] = '-';
}

NumberStatus parse_integer(std::string_view text, std::int32_t& value) {
    const char* p = text.data();
    std::int32_t plain = 0;
    if (scan_plain_integer(p, text.data() + text.size(), plain) && p == text.data() + text.size()) {
        value = plain;
        return NumberStatus::ok;
    }
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return NumberStatus::bad;
    // Ten digits or more (leading zeros too), or not a number at all.
    std::int64_t magnitude = 0;
    bool overflow = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return NumberStatus::bad;
        if (magnitude <= 2147483648LL) magnitude = magnitude * 10 + (c - '0');
        if (magnitude > 2147483648LL) overflow = true;
    }
    if (overflow || (!negative && magnitude == 2147483648LL)) return NumberStatus::overflow;
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return NumberStatus::ok;
}

namespace {

bool equals_ignoring_case(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != word[i]) return false;
    }
    return true;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool scan_plain_integer(const char*& p, const char* end, std::int32_t& value) {
    const char* const q = scan_plain_integer_at(p, end, value);
    if (q == nullptr) return false;
    p = q;
    return true;
}

bool scan_plain_real(const char*& p, const char* end, float& value) {
    const char* const q = scan_plain_real_at(p, end, value);
    if (q == nullptr) return false;
    p = q;
    return true;
}

namespace {

bool parse_plain_decimal(std::string_view text, float& value) {
    const char* p = text.data();
    const char* const end = p + text.size();
    float v = 0.0f;
    if (!scan_plain_real(p, end, v) || p != end) return false;
    value = v;
    return true;
}

// A result at either end of the 4-byte range: zero, subnormal, the smallest
// normal value (which a slightly smaller decimal can round up to), or an
// infinity. Tested on the bits, since comparing a subnormal would raise the
// denormal-operand flag.
bool at_range_end(float result) {
    const std::uint32_t magnitude = std::bit_cast<std::uint32_t>(result) & 0x7fffffffu;
    return magnitude <= 0x00800000u || magnitude >= 0x7f800000u;
}

// The same conversion again, for such a rare result, by the C library, which
// raises the flags that a correctly rounded conversion raises: overflow and
// inexact when a finite decimal rounds to infinity, underflow and inexact when
// the result is tiny (after rounding, as x86 detects it) and inexact. The text
// is a decimal number with an optional sign and an optional "e" exponent.
float convert_at_range_end(std::string_view number) {
    const std::string terminated(number);
    const int saved = errno;  // the library's ERANGE is no error of the run
    const float result = std::strtof(terminated.c_str(), nullptr);
    errno = saved;
    return result;
}

}  // namespace

bool parse_real(std::string_view text, float& value) {
    if (parse_plain_decimal(text, value)) return true;
    // Other plain decimal text goes straight to the library.
    const char* first = text.data();
    const char* last = first + text.size();
    const char* lead = (first != last && *first == '-') ? first + 1 : first;
    if (lead != last && (is_digit(*lead) || *lead == '.')) {
        float result = 0.0f;
        const auto r = std::from_chars(first, last, result, std::chars_format::general);
        if (r.ec == std::errc() && r.ptr == last) {
            value = at_range_end(result) ? convert_at_range_end(text) : result;
            return true;
        }
    }
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::string_view body = text.substr(i);
    if (equals_ignoring_case(body, "inf") || equals_ignoring_case(body, "infinity")) {
        value = negative ? -std::numeric_limits<float>::infinity()
                         : std::numeric_limits<float>::infinity();
        return true;
    }
    if (equals_ignoring_case(body, "nan")) {
        value = std::numeric_limits<float>::quiet_NaN();
        return true;
    }
    // Mantissa: digits with an optional point.
    bool nonzero = false;
    std::size_t digits = 0;
    for (; i < text.size() && is_digit(text[i]); ++i, ++digits) nonzero |= text[i] != '0';
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && is_digit(text[i]); ++i, ++digits) nonzero |= text[i] != '0';
    }
    if (digits == 0) return false;
    const std::size_t mantissa_end = i;
    long exponent = 0;
    bool plain_exponent = true;  // "e" or "E", which std::from_chars reads itself
    if (i < text.size()) {
        const char c = text[i];
        if (c == 'e' || c == 'E' || c == 'd' || c == 'D' || c == 'q' || c == 'Q') {
            plain_exponent = c == 'e' || c == 'E';
            ++i;
        } else if (c == '+' || c == '-') {
            plain_exponent = false;
        } else {
            return false;
        }
        bool exponent_negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) exponent_negative = text[i++] == '-';
        if (i == text.size()) return false;
        for (; i < text.size(); ++i) {
            if (!is_digit(text[i])) return false;
            if (exponent < 100000000) exponent = exponent * 10 + (text[i] - '0');
        }
        if (exponent_negative) exponent = -exponent;
    }
    if (!nonzero) {
        value = negative ? -0.0f : 0.0f;
        return true;
    }
    const std::size_t start = (text[0] == '+' || text[0] == '-') ? 1 : 0;
    std::string rewritten;
    std::string_view number = text.substr(start);
    if (!plain_exponent) {  // D, Q or a sign alone: spell it with an E
        rewritten.assign(text.substr(start, mantissa_end - start));
        rewritten += 'e';
        rewritten += std::to_string(exponent);
        number = rewritten;
    }
    float result = 0.0f;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), result,
                                   std::chars_format::general);
    if (r.ptr != number.data() + number.size() ||
        (r.ec != std::errc() && r.ec != std::errc::result_out_of_range)) {
        return false;
    }
    if (r.ec == std::errc::result_out_of_range || at_range_end(result)) result = convert_at_range_end(number);
    value = negative ? -result : result;
    return true;
}

}  // namespace tessadro
