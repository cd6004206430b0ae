// Exact conversions between 4-byte reals and text: the free-form 16-character
// layout, the Fw.d fields of the array and report files, and the number
// parsers behind every reader.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "run/real_text.hpp"

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

std::string field_text(float v, int width, int decimals) {
    char out[64];
    format_fixed_real(v, width, decimals, out);
    return {out, static_cast<std::size_t>(width)};
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

// Independent model of an Fw.d field.
std::string oracle_field(float v, int width, int decimals) {
    const auto w = static_cast<std::size_t>(width);
    if (std::isnan(v)) return right("NaN", w);
    if (std::isinf(v) && v > 0) return right(width > 7 ? "Infinity" : "Inf", w);
    if (std::isinf(v)) return right(width > 8 ? "-Infinity" : "-Inf", w);
    std::string s = printed("%.*f", decimals, static_cast<double>(v));
    if (decimals == 0) s += '.';
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

// ------------------------------------------------------------ free-form layout

TEST(FreeFormReal, WorkedExamples) {
    EXPECT_EQ("  1.00000000    ", list_text(1.0f));
    EXPECT_EQ("  0.00000000    ", list_text(0.0f));
    EXPECT_EQ("  123.456001    ", list_text(123.456f));
    EXPECT_EQ("  123456792.    ", list_text(123456789.0f));
    EXPECT_EQ("  5.00000007E-02", list_text(0.05f));
    EXPECT_EQ("  1.00000000E+09", list_text(1.0e9f));
    EXPECT_EQ(" -1.50000000    ", list_text(-1.5f));
    EXPECT_EQ(" 0.718775809    ", list_text(0.7187758f));  // the factor of the header
}

TEST(FreeFormReal, NegativeZeroAndSpecialValues) {
    EXPECT_EQ(" -0.00000000    ", list_text(-0.0f));
    EXPECT_EQ("        Infinity", list_text(inf));
    EXPECT_EQ("       -Infinity", list_text(-inf));
    EXPECT_EQ("             NaN", list_text(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_EQ("             NaN", list_text(from_bits(0xffc00001u)));  // negative NaN
}

TEST(FreeFormReal, BoundariesAreTakenOnTheFloatValue) {
    // 0x3dcccccd is the float nearest 0.1 (0.100000001490116...): fixed form.
    EXPECT_EQ(" 0.100000001    ", list_text(0.1f));
    // The next smaller float, 0.0999999940395..., is below 0.1: exponent form.
    EXPECT_EQ("  9.99999940E-02", list_text(from_bits(0x3dcccccc)));
    EXPECT_EQ(" 0.100000009    ", list_text(from_bits(0x3dccccce)));
    EXPECT_EQ("-0.100000001    ", list_text(-0.1f));
    // The largest float below 1.0E9 is 999999936: 9 digits, no decimals.
    EXPECT_EQ("  999999936.    ", list_text(from_bits(0x4e6e6b27)));
    EXPECT_EQ(" -1.00000000E+09", list_text(-1.0e9f));
    // Just below 1: "0." and nine decimals; just below 10: eight decimals.
    EXPECT_EQ(" 0.999999940    ", list_text(from_bits(0x3f7fffff)));
    EXPECT_EQ("  9.99999905    ", list_text(from_bits(0x411fffff)));
}

TEST(FreeFormReal, ExactHalvesRoundToEven) {
    // 1234567.125 is exact in 4 bytes; the 9th digit is followed by exactly 5.
    EXPECT_EQ("  1234567.12    ", list_text(1234567.125f));
    EXPECT_EQ("  1234567.38    ", list_text(1234567.375f));
    // 2^-149, the smallest subnormal, 1.40129846432...E-45.
    EXPECT_EQ("  1.40129846E-45", list_text(from_bits(1)));
    EXPECT_EQ("  3.40282347E+38", list_text(std::numeric_limits<float>::max()));
    EXPECT_EQ("  1.17549435E-38", list_text(std::numeric_limits<float>::min()));
}

// ------------------------------------------------------------ Fw.d fields

TEST(FixedRealField, F6_1Examples) {
    EXPECT_EQ("   0.0", field_text(0.04f, 6, 1));
    EXPECT_EQ("  -0.0", field_text(-0.04f, 6, 1));
    EXPECT_EQ("  12.3", field_text(12.34f, 6, 1));
    EXPECT_EQ("******", field_text(123456.0f, 6, 1));
    EXPECT_EQ("9999.9", field_text(9999.9f, 6, 1));
    EXPECT_EQ("******", field_text(9999.96f, 6, 1));
    EXPECT_EQ("******", field_text(10000.0f, 6, 1));
    // The float nearest 9999.95 is 9999.9501953125: rounds up to 10000.0.
    EXPECT_EQ("******", field_text(9999.95f, 6, 1));
    EXPECT_EQ("9999.9", field_text(from_bits(bits_of(9999.95f) - 1), 6, 1));
    EXPECT_EQ("-999.9", field_text(-999.9f, 6, 1));
    EXPECT_EQ("******", field_text(-999.95f, 6, 1));
    EXPECT_EQ("******", field_text(-1000.0f, 6, 1));
}

TEST(FixedRealField, RoundsTheExactValueWithHalvesToEven) {
    EXPECT_EQ("  12.2", field_text(12.25f, 6, 1));  // exact half
    EXPECT_EQ("  12.8", field_text(12.75f, 6, 1));  // exact half
    EXPECT_EQ("   0.2", field_text(0.25f, 6, 1));
    // 0.35 is 0.349999994... as a float, 0.15 is 0.150000006...
    EXPECT_EQ("   0.3", field_text(0.35f, 6, 1));
    EXPECT_EQ("   0.2", field_text(0.15f, 6, 1));
    // 2.675 is 2.67499995..., 1.005 is 1.00499999...
    EXPECT_EQ("      2.67", field_text(2.675f, 10, 2));
    EXPECT_EQ("      1.00", field_text(1.005f, 10, 2));
    EXPECT_EQ("          2.", field_text(2.5f, 12, 0));
    EXPECT_EQ("          4.", field_text(3.5f, 12, 0));
    EXPECT_EQ("         13.", field_text(12.7f, 12, 0));
}

TEST(FixedRealField, LeadingZeroAndSign) {
    EXPECT_EQ("          0.", field_text(0.4f, 12, 0));
    EXPECT_EQ("         -0.", field_text(-0.4f, 12, 0));
    EXPECT_EQ("      0.00", field_text(0.0f, 10, 2));
    EXPECT_EQ("     -0.00", field_text(-0.005f, 10, 2));  // -0.00499999989: not a half
    // Without room for it the leading zero is dropped before giving up.
    EXPECT_EQ(".25", field_text(0.25f, 3, 2));
    EXPECT_EQ("-.5", field_text(-0.5f, 3, 1));
    EXPECT_EQ("***", field_text(-1.5f, 3, 1));
}

TEST(FixedRealField, GroupLineWidths) {
    EXPECT_EQ("       1500.", field_text(1500.0f, 12, 0));
    EXPECT_EQ("    250.50", field_text(250.5f, 10, 2));
    EXPECT_EQ("     40.25", field_text(40.25f, 10, 2));
    EXPECT_EQ("1234567.00", field_text(1234567.0f, 10, 2));
    EXPECT_EQ("**********", field_text(12345678.0f, 10, 2));
    EXPECT_EQ("************", field_text(1.0e12f, 12, 0));
    EXPECT_EQ("************", field_text(std::numeric_limits<float>::max(), 12, 0));
}

TEST(FixedRealField, NotANumberAndInfinities) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ("   NaN", field_text(nan, 6, 1));
    EXPECT_EQ("   Inf", field_text(inf, 6, 1));
    EXPECT_EQ("  -Inf", field_text(-inf, 6, 1));
    EXPECT_EQ("  Infinity", field_text(inf, 10, 2));
    EXPECT_EQ(" -Infinity", field_text(-inf, 10, 2));
    EXPECT_EQ("    Infinity", field_text(inf, 12, 0));
    // Width 8: "Infinity" fits (wider than 7), "-Infinity" does not (not wider than 8).
    EXPECT_EQ("Infinity", field_text(inf, 8, 1));
    EXPECT_EQ("    -Inf", field_text(-inf, 8, 1));
    EXPECT_EQ("       NaN", field_text(nan, 10, 2));
}

// ------------------------------------------------------------ parsing

float real_of(const std::string& text) {
    float v = -12345.0f;
    EXPECT_TRUE(parse_real(text, v)) << text;
    return v;
}

TEST(ParseReal, ExponentLettersAndSignOnlyExponents) {
    EXPECT_EQ(150.0f, real_of("1.5D2"));
    EXPECT_EQ(150.0f, real_of("1.5d+2"));
    EXPECT_EQ(0.15f, real_of("1.5Q-1"));
    EXPECT_EQ(15.0f, real_of("1.5q1"));
    EXPECT_EQ(150.0f, real_of("1.5+2"));
    EXPECT_EQ(0.15f, real_of("1.5-1"));
    EXPECT_EQ(-0.15f, real_of("-15-2"));
    EXPECT_EQ(1.0e5f, real_of("1e5"));
    EXPECT_EQ(-0.5f, real_of("-.5"));
    EXPECT_EQ(5.0f, real_of("5."));
    EXPECT_EQ(3.0f, real_of("+3"));
    EXPECT_EQ(0.7187758f, real_of("0.7187758"));
}

TEST(ParseReal, InfinityAndNaNInAnyCase) {
    EXPECT_EQ(inf, real_of("Inf"));
    EXPECT_EQ(inf, real_of("INFINITY"));
    EXPECT_EQ(inf, real_of("+infinity"));
    EXPECT_EQ(-inf, real_of("-iNf"));
    EXPECT_TRUE(std::isnan(real_of("NaN")));
    EXPECT_TRUE(std::isnan(real_of("nan")));
}

TEST(ParseReal, CorrectlyRoundedToTheNearestFloat) {
    EXPECT_EQ(0x3dcccccdu, bits_of(real_of("0.1")));
    EXPECT_EQ(16777216.0f, real_of("16777217"));  // half: to even
    EXPECT_EQ(16777220.0f, real_of("16777219"));  // half: to even
    // Exactly halfway between 1 and the next float stays at 1; a hair above goes up.
    EXPECT_EQ(1.0f, real_of("1.000000059604644775390625"));
    EXPECT_EQ(from_bits(0x3f800001), real_of("1.000000059604644775390626"));
    EXPECT_EQ(from_bits(1), real_of("1e-45"));  // 0.71 of the smallest subnormal
    EXPECT_EQ(from_bits(1), real_of("8e-46"));
}

TEST(ParseReal, OutOfRangeReadsAsInfinityOrZero) {
    // Halfway between FLT_MAX and 2^128 is 3.4028235677973366e38.
    EXPECT_EQ(std::numeric_limits<float>::max(), real_of("3.4028235677e38"));
    EXPECT_EQ(inf, real_of("3.4028236e38"));
    EXPECT_EQ(inf, real_of("1e39"));
    EXPECT_EQ(-inf, real_of("-1D40"));
    EXPECT_EQ(inf, real_of("1e999999999999"));
    EXPECT_EQ(inf, real_of("123456789012345678901234567890123456789012345"));
    EXPECT_EQ(0.0f, real_of("7e-46"));  // below half the smallest subnormal
    EXPECT_EQ(0.0f, real_of("1e-50"));
    EXPECT_EQ(0.0f, real_of("0.000000000000000000000000000000000000000000000000001"));
    EXPECT_EQ(0.0f, real_of("1-999999999999"));
    const float negative_tiny = real_of("-1e-50");
    EXPECT_EQ(0.0f, negative_tiny);
    EXPECT_TRUE(std::signbit(negative_tiny));
    EXPECT_EQ(0.0f, real_of("0e999999"));
}

TEST(ParseReal, RejectsBadSyntax) {
    for (const char* text : {"", "+", "-", ".", "1.2.3", "1e", "1e+", "abc", "1x", "e5", "1.5E2.0",
                             "In", "Infx", "--1", "1 5", "1,5", "0x10", "nanx", "1E5E5", "D5"}) {
        float v = 42.0f;
        EXPECT_FALSE(parse_real(text, v)) << '"' << text << '"';
        EXPECT_EQ(42.0f, v) << text;
    }
}

TEST(ParseInteger, SignsRangeAndOverflow) {
    std::int32_t v = 0;
    EXPECT_EQ(NumberStatus::ok, parse_integer("123", v));
    EXPECT_EQ(123, v);
    EXPECT_EQ(NumberStatus::ok, parse_integer("+5", v));
    EXPECT_EQ(5, v);
    EXPECT_EQ(NumberStatus::ok, parse_integer("-2147483648", v));
    EXPECT_EQ(-2147483647 - 1, v);
    EXPECT_EQ(NumberStatus::ok, parse_integer("2147483647", v));
    EXPECT_EQ(2147483647, v);
    EXPECT_EQ(NumberStatus::ok, parse_integer("000000000000000000042", v));
    EXPECT_EQ(42, v);
    v = 9;
    EXPECT_EQ(NumberStatus::overflow, parse_integer("2147483648", v));
    EXPECT_EQ(NumberStatus::overflow, parse_integer("-2147483649", v));
    EXPECT_EQ(NumberStatus::overflow, parse_integer("99999999999999999999999", v));
    for (const char* text : {"", "+", "-", "1.0", "3.0", "1e3", " 1", "1 ", "12a", "--1"}) {
        EXPECT_EQ(NumberStatus::bad, parse_integer(text, v)) << '"' << text << '"';
    }
    EXPECT_EQ(9, v);
}

// ------------------------------------------------------------ properties

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
    return values;
}

// Counts disagreements and shows the first few, so that a fault does not
// print a million lines.
class Mismatches {
public:
    explicit Mismatches(const char* what) : what_(what) {}
    void check(const std::string& expected, const std::string& actual, float v) {
        if (expected == actual) return;
        if (++count_ <= 5) {
            ADD_FAILURE() << what_ << " of bits 0x" << std::hex << bits_of(v) << ": expected \"" << expected
                          << "\", got \"" << actual << '"';
        }
    }
    ~Mismatches() { EXPECT_EQ(0, count_) << what_; }

private:
    const char* what_;
    long count_ = 0;
};

TEST(RealTextProperty, FreeFormMatchesOracleAndReadsBackToTheSameFloat) {
    Mismatches layout("free-form layout");
    Mismatches back("read back");
    for (const float v : random_floats(1000000)) {
        const std::string text = list_text(v);
        layout.check(oracle_list(v), text, v);
        float parsed = 0.0f;
        const bool ok = parse_real(trimmed(text), parsed);
        const bool same = ok && (std::isnan(v) ? std::isnan(parsed) : bits_of(parsed) == bits_of(v));
        back.check(text, same ? text : "parsed as " + std::to_string(parsed), v);
    }
}

TEST(RealTextProperty, FieldsMatchCorrectRoundingOfTheExactValue) {
    Mismatches f61("F6.1");
    Mismatches f102("F10.2");
    Mismatches f120("F12.0");
    for (const float v : random_floats(1000000)) {
        f61.check(oracle_field(v, 6, 1), field_text(v, 6, 1), v);
        f102.check(oracle_field(v, 10, 2), field_text(v, 10, 2), v);
        f120.check(oracle_field(v, 12, 0), field_text(v, 12, 0), v);
    }
}

TEST(RealTextProperty, ReturnValueReportsAsterisks) {
    char out[16];
    EXPECT_TRUE(format_fixed_real(9999.9f, 6, 1, out));
    EXPECT_FALSE(format_fixed_real(10000.0f, 6, 1, out));
    EXPECT_EQ("******", std::string(out, 6));
}

}  // namespace
}  // namespace tessadro
