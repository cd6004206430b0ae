#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

// The plain forms of the numbers in a data file, read in one pass over their
// characters: an integer's sign and digits; a real's sign, digits, point and
// exponent, gathered into one integer and a power of ten. Nearly every number
// the run reads has such a form; what these quick conversions cannot decide
// is left to the general parsers, which give the same value for all they
// take.
static_assert(std::endian::native == std::endian::little, "the digit words are read little-endian");

namespace tessadro {
namespace plain_detail {

inline constexpr std::uint64_t powers_of_ten[9] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

inline bool is_digit(char c) { return static_cast<unsigned>(c - '0') <= 9; }

// The digits at p, one by one, added to value; returns where they end.
inline const char* digits_one_by_one(const char* p, const char* end, std::uint64_t& value) {
    for (; p != end && is_digit(*p); ++p) value = value * 10 + static_cast<unsigned>(*p - '0');
    return p;
}

// The same for a run that is often long (the coordinates and volumes of the
// files, 7 digits before their point): eight characters looked at together
// while the text has eight left: which of them are digits, and their value as
// one integer (the first digit the most significant), each a few operations
// on one 64-bit word.
inline const char* digits_by_words(const char* p, const char* end, std::uint64_t& value) {
    while (end - p >= 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, p, 8);
        // A byte is a digit when its high half is 3 and adding 6 leaves it 3
        // (a carry out of a byte above 0xF9 reaches only bytes after it).
        const std::uint64_t high = word & 0xF0F0F0F0F0F0F0F0u;
        const std::uint64_t shifted = ((word + 0x0606060606060606u) & 0xF0F0F0F0F0F0F0F0u) >> 4;
        const std::uint64_t other = (high | shifted) ^ 0x3333333333333333u;
        const int n = other == 0 ? 8 : std::countr_zero(other) / 8;
        if (n == 0) return p;
        // The n digits at the top of the word, zeros below them: an
        // eight-digit number with leading zeros, folded pairwise.
        std::uint64_t v = (word - 0x3030303030303030u) << (8 * (8 - n));
        v = v * 10 + (v >> 8);
        v = ((v & 0x000000FF000000FFu) * 0x000F424000000064u + ((v >> 16) & 0x000000FF000000FFu) * 0x0000271000000001u) >> 32;
        value = value * powers_of_ten[n] + (v & 0xFFFFFFFFu);
        p += n;
        if (n < 8) return p;
    }
    return digits_one_by_one(p, end, value);
}

}  // namespace plain_detail

// An integer at p, before end: an optional sign and 1 to 9 digits (no
// overflow). Returns where its digits end, or null, with value untouched,
// when the text there is not that; what follows is the caller's to judge.
inline const char* scan_plain_integer_at(const char* p, const char* end, std::int32_t& value) {
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+')) ++p;
    std::uint64_t digits = 0;
    const char* const q = plain_detail::digits_one_by_one(p, end, digits);
    if (q == p || q - p > 9) return nullptr;
    const auto v = static_cast<std::int32_t>(digits);
    value = negative ? -v : v;
    return q;
}

// A real at p, before end: an optional sign, at most 15 digits with an
// optional point, and an optional exponent (E or D in either case, an
// optional sign and 1 to 3 digits). The digits form an integer below 2^53,
// and the power of ten (the exponent less the decimals) must lie within
// 10^22: the digits and the power are exact doubles, so one multiplication or
// division gives the double nearest the text, and rounding that to 4 bytes
// gives the float nearest the text unless the double fell exactly on a
// midpoint between two floats, which is left to the exact parser. Such a
// value (10^-22 to 10^37) is far inside the 4-byte range: no flag to raise.
// Returns where the number ends, or null, with value untouched, for anything
// else; what follows is the caller's to judge.
inline const char* scan_plain_real_at(const char* p, const char* end, float& value) {
    static constexpr double powers[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                          1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+')) ++p;
    std::uint64_t mantissa = 0;
    const char* q = plain_detail::digits_by_words(p, end, mantissa);
    std::ptrdiff_t digits = q - p;
    std::ptrdiff_t scale = 0;
    if (q != end && *q == '.') {
        const char* const fraction = ++q;
        q = plain_detail::digits_by_words(q, end, mantissa);
        scale = fraction - q;
        digits -= scale;
    }
    if (digits == 0 || digits > 15) return nullptr;
    if (q != end && ((*q | 0x20) == 'e' || (*q | 0x20) == 'd')) {
        ++q;
        const bool below = q != end && *q == '-';
        if (q != end && (*q == '-' || *q == '+')) ++q;
        std::uint64_t exponent = 0;
        const char* const exponent_end = plain_detail::digits_one_by_one(q, end, exponent);
        if (exponent_end == q || exponent_end - q > 3) return nullptr;
        q = exponent_end;
        scale += below ? -static_cast<std::ptrdiff_t>(exponent) : static_cast<std::ptrdiff_t>(exponent);
    }
    if (scale < -22 || scale > 22) return nullptr;
    const auto whole = static_cast<double>(mantissa);
    const double nearest = scale >= 0 ? whole * powers[scale] : whole / powers[-scale];
    if (mantissa != 0 && (std::bit_cast<std::uint64_t>(nearest) & 0x1fffffffu) == 0x10000000u) return nullptr;
    const auto magnitude = static_cast<float>(nearest);
    value = negative ? -magnitude : magnitude;
    return q;
}

}  // namespace tessadro
