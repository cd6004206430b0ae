// Exact conversions between 4-byte reals and text: the free-form 16-character
// layout, the Fw.d fields of the array and report files, and the number
// parsers behind every reader.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "text/free_form.hpp"
#include "text/real_text.hpp"

namespace tessadro {
namespace {

float from_bits(std::uint32_t b) { return std::bit_cast<float>(b); }
std::uint32_t bits_of(float v) { return std::bit_cast<std::uint32_t>(v); }
constexpr float inf = std::numeric_limits<float>::infinity();

std::string list_text(float v) {
    char out[list_real_width];
    format_list_real(v, out);
    return {out, sizeof out};
}

// The field's text; the writer answers false exactly when it wrote asterisks.
std::string field_text(float v, int width, int decimals, bool quick = false) {
    char out[64];
    const bool fits = quick ? format_f61(v, out) : format_fixed_real(v, width, decimals, out);
    const std::string text(out, static_cast<std::size_t>(width));
    return fits == (out[0] != '*') ? text : text + " with the wrong answer";
}

std::string right(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string printed(const char* format, int decimals, double v) {
    char text[400];
    std::snprintf(text, sizeof text, format, decimals, v);
    return text;
}

// Independent model of the free-form real layout, built on glibc's printf,
// which prints the exact binary value rounded to the requested digits with
// halves to even.
std::string oracle_list(float v) {
    if (std::isnan(v)) return right("NaN", 16);
    if (std::isinf(v)) return right(v < 0 ? "-Infinity" : "Infinity", 16);
    const double d = v;
    const double magnitude = std::fabs(d);
    if (v == 0.0f) return right(printed("%.*f", 8, d), 12) + "    ";
    if (magnitude >= static_cast<double>(0.1f) && magnitude < 1.0e9) {
        // Digits before the point follow from the decimal exponent of the
        // 9-digit rounding; below 1 there are always 9 decimals.
        const std::string e = printed("%.*e", 8, magnitude);
        const int exponent = std::stoi(e.substr(e.find('e') + 1));
        const int decimals = exponent < 0 ? 9 : 8 - exponent;
        std::string fixed = printed("%.*f", decimals, d);
        if (decimals == 0) fixed += '.';  // 1.0E8 <= |v| < 1.0E9: the point stays
        return right(fixed, 12) + "    ";
    }
    return right(printed("%.*E", 8, d), 16);
}

// Independent model of an Fw.d field: the word of a special value or the
// digits, then fitted.
std::string field_digits(float v, int width, int decimals) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v) && v > 0) return width > 7 ? "Infinity" : "Inf";
    if (std::isinf(v)) return width > 8 ? "-Infinity" : "-Inf";
    const std::string s = printed("%.*f", decimals, static_cast<double>(v));
    return decimals == 0 ? s + '.' : s;
}

std::string oracle_field(float v, int width, int decimals) {
    const auto w = static_cast<std::size_t>(width);
    std::string s = field_digits(v, width, decimals);
    // The leading zero of a value below 1 goes only when it does not fit.
    if (s.size() > w && s.rfind("0.", 0) == 0) s.erase(0, 1);
    if (s.size() > w && s.rfind("-0.", 0) == 0) s.erase(1, 1);
    if (s.size() > w) return std::string(w, '*');
    return right(s, w);
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

bool same(float a, float b) { return std::isnan(a) ? std::isnan(b) : bits_of(a) == bits_of(b); }

TEST(ParseReal, AcceptedFormsAndCorrectRounding) {
    const struct {
        const char* text;
        float value;
    } rows[] = {
        {"1.5D2", 150.0f}, {"1.5d+2", 150.0f}, {"1.5Q-1", 0.15f}, {"1.5q1", 15.0f}, {"1.5+2", 150.0f},
        {"-15-2", -0.15f}, {"1e5", 1.0e5f}, {"-.5", -0.5f}, {"5.", 5.0f}, {"+3", 3.0f}, {"0.7187758", 0.7187758f},
        {"Inf", inf}, {"INFINITY", inf}, {"+infinity", inf}, {"-iNf", -inf}, {"NaN", NAN}, {"nan", NAN},
        {"0.1", from_bits(0x3dcccccd)}, {"16777217", 16777216.0f}, {"16777219", 16777220.0f},  // halves: to even
        // Exactly halfway between 1 and the next float stays at 1; a hair above goes up.
        {"1.000000059604644775390625", 1.0f}, {"1.000000059604644775390626", from_bits(0x3f800001)},
        {"1e-45", from_bits(1)}, {"8e-46", from_bits(1)},
        // 1.000006616115570068359375 = 1 + 111 * 2^-24 lies halfway between
        // 0x3f800037 and 0x3f800038; the text is 6.8e-17 below it, so it
        // reads as the lower, though its nearest double is that halfway point.
        {"1.00000661611557", from_bits(0x3f800037)},
        // 17 digits are more than a double holds: 7.4428141117095947 lies
        // 2.7e-17 below 7.4428141117095947265625, halfway between 0x40ee2b88
        // and 0x40ee2b89, and reads as the lower.
        {"7.4428141117095947", from_bits(0x40ee2b88)},
        // Beyond the 4-byte range: the correctly rounded infinity or zero.
        // Halfway between FLT_MAX and 2^128 is 3.4028235677973366e38.
        {"3.4028235677e38", std::numeric_limits<float>::max()}, {"3.4028236e38", inf}, {"-1e-50", -0.0f},
        {"1-999999999999", 0.0f}, {"0e999999", 0.0f}, {"0.", 0.0f},
    };
    for (const auto& row : rows) {
        float v = -12345.0f;
        EXPECT_TRUE(parse_real(row.text, v)) << row.text;
        EXPECT_TRUE(same(row.value, v)) << row.text << " gave " << v;
    }
    for (const char* text : {"", "+", "-", ".", "1.2.3", "1e", "1e+", "abc", "1x", "e5", "1.5E2.0", "In", "Infx",
                             "--1", "1 5", "1,5", "0x10", "nanx", "1E5E5", "D5", "."}) {
        float v = 42.0f;
        EXPECT_FALSE(parse_real(text, v)) << '"' << text << '"';
        EXPECT_EQ(42.0f, v) << text;
    }
}

// Random number fields in the forms of the data files and around them: a
// sign or none, 1 to 18 digits (the quick roads take 15 for a real, 9 for an
// integer), a point anywhere or none, an exponent letter (E, e, D, d), a sign
// or none and 1 to 4 digits. The C library's correctly rounded strtof and
// strtoll (the D spelt as an E) give the exact value each must read as, by
// itself and three times on a record of the free-form reader.
TEST(ParseProperty, PlainFieldsReadAsTheExactValue) {
    std::mt19937 random(2010);
    auto pick = [&random](unsigned n) { return static_cast<unsigned>(random() % n); };
    for (int n = 0, wrong = 0; n < 200000 && wrong < 5; ++n) {
        std::string text = pick(4) == 0 ? "-" : pick(8) == 0 ? "+" : "";
        const unsigned digits = 1 + (pick(2) == 0 ? pick(9) : pick(18));
        const unsigned point = pick(3) == 0 ? digits + 1 : pick(digits + 1);
        for (unsigned d = 0; d <= digits; ++d) {
            if (d == point) text += '.';
            if (d < digits) text += static_cast<char>('0' + pick(10));
        }
        const bool real = point <= digits || pick(2) == 0;
        if (real && pick(4) == 0) {
            text += std::string(1, "EeDd"[pick(4)]) + (pick(2) == 0 ? "" : pick(2) == 0 ? "-" : "+");
            for (unsigned e = 1 + pick(pick(8) == 0 ? 4 : 2); e > 0; --e) text += static_cast<char>('0' + pick(10));
        }
        std::string spelt = text;
        for (char& c : spelt) c = c == 'D' || c == 'd' ? 'e' : c;
        LineReader record(text + " " + text + "," + text);
        bool ok = false;
        if (real) {
            const float exact = std::strtof(spelt.c_str(), nullptr);
            float parsed = 0.0f, read[3] = {};
            const int status = read_list(record, std::array<Target, 3>{read[0], read[1], read[2]}).status;
            ok = parse_real(text, parsed) && status == 0 && same(exact, parsed) && same(exact, read[0]) &&
                 same(exact, read[2]);
        } else {
            const long long exact = std::strtoll(text.c_str(), nullptr, 10);
            const bool fits = exact == static_cast<std::int32_t>(exact);  // else an overflow
            std::int32_t parsed = 0, read[3] = {};
            const int status = read_list(record, std::array<Target, 3>{read[0], read[1], read[2]}).status;
            ok = parse_integer(text, parsed) == (fits ? NumberStatus::ok : NumberStatus::overflow) &&
                 (fits ? status == 0 && parsed == exact && read[0] == exact && read[2] == exact : status == 1);
        }
        EXPECT_TRUE(ok) << '"' << text << '"';
        wrong += ok ? 0 : 1;
    }
}

// Random floats: half of them any bit pattern, half with magnitudes from about
// 1e-3 to 1e7, where the rounding of every digit is exercised.
std::vector<float> random_floats(std::size_t count) {
    std::mt19937 random(20100718);
    std::vector<float> values;
    values.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t b = static_cast<std::uint32_t>(random());
        if (i % 2 == 1) {
            const std::uint32_t exponent = 117u + b % 34u;  // 2^-10 .. 2^23
            b = (b & 0x807fffffu) | (exponent << 23);
        }
        values.push_back(from_bits(b));
    }
    // Every quarter from -12000 to 12000: exact halves of F6.1 and F10.2 and
    // of F12.0 among them.
    for (int q = -48000; q <= 48000; ++q) values.push_back(static_cast<float>(q) / 4.0f);
    // The ends of the quick F6.1 writer's own range and beyond it.
    for (const float v : {-0.0f, 0.05f, -0.05f, 0.95f, -0.95f, 9999.94f, 9999.95f, -999.95f, 99999.0f, 1.0e5f,
                          -1.0e5f, from_bits(1), from_bits(0x80000001u), from_bits(0x00800000u), inf, -inf,
                          std::numeric_limits<float>::quiet_NaN(), 3.0e38f, from_bits(bits_of(9999.95f) - 1)}) {
        values.push_back(v);
    }
    // The ends of the free-form layouts: 0x3dcccccd is the float nearest 0.1,
    // the first in fixed form; 0x4e6e6b27 (999999936) the last; 0x38d1b718 the
    // first float at or above 10^-4, where the exponent form takes a quicker
    // road; 1234567.125 a half at the 9th digit; a NaN with a payload.
    for (const std::uint32_t b : {0x3dcccccdu, 0x3dccccccu, 0xbdcccccdu, 0x4e6e6b27u, 0x4e6e6b28u, 0xce6e6b28u,
                                  0x3f7fffffu, 0x411fffffu, 0x38d1b718u, 0x38d1b717u, 0x7f7fffffu, 0xffc00001u}) {
        values.push_back(from_bits(b));
    }
    for (const float v : {123456789.0f, 1234567.125f, 1234567.375f, -0.00123f, 0.0321f, 2.675f, -0.04f}) {
        values.push_back(v);
    }
    return values;
}

// Counts disagreements and shows the first few, so that a fault does not
// print a million lines.
struct Mismatches {
    const char* what;
    long count = 0;
    void check(const std::string& expected, const std::string& actual, float v) {
        if (expected != actual && ++count <= 5) {
            ADD_FAILURE() << what << " of bits 0x" << std::hex << bits_of(v) << ": expected \"" << expected
                          << "\", got \"" << actual << '"';
        }
    }
    ~Mismatches() { EXPECT_EQ(0, count) << what; }
};

// Every writer against the models above, and the free-form text read back.
// The fields are those of the array and report files, and narrow ones where
// the leading zero goes, where "Inf" turns into "Infinity" (wider than 7) and
// "-Inf" into "-Infinity" (wider than 8), and where only the point fits.
TEST(RealTextProperty, WritersMatchCorrectRoundingAndFreeFormReadsBack) {
    Mismatches layout{"free-form layout"}, exact{"exact free-form layout"}, back{"read back"}, quick{"quick F6.1"};
    const struct { int width, decimals; const char* name; } fields[] = {
        {6, 1, "F6.1"}, {10, 2, "F10.2"}, {12, 0, "F12.0"}, {3, 1, "F3.1"}, {3, 2, "F3.2"},
        {7, 1, "F7.1"}, {8, 1, "F8.1"}, {9, 1, "F9.1"}, {2, 0, "F2.0"}, {1, 0, "F1.0"}};
    std::vector<Mismatches> field;
    field.reserve(std::size(fields));
    for (const auto& f : fields) field.push_back({f.name});
    for (const float v : random_floats(1000000)) {
        const std::string text = list_text(v);
        layout.check(oracle_list(v), text, v);
        char general[list_real_width];
        format_list_real_exact(v, general);
        exact.check(oracle_list(v), std::string(general, sizeof general), v);
        float parsed = 0.0f;
        const bool ok = parse_real(trimmed(text), parsed) && same(v, parsed);
        back.check(text, ok ? text : "parsed as " + std::to_string(parsed), v);
        quick.check(oracle_field(v, 6, 1), field_text(v, 6, 1, true), v);
        for (std::size_t f = 0; f < field.size(); ++f) {
            const int width = fields[f].width, decimals = fields[f].decimals;
            field[f].check(oracle_field(v, width, decimals), field_text(v, width, decimals), v);
        }
    }
}

}  // namespace
}  // namespace tessadro
