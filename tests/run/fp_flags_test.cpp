// The floating-point exception note at the end of a run, and the promise
// behind it: the program's own text conversions raise no flag (inexact
// apart), so that the note describes the run's arithmetic only.
#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cstdint>
#include <string>
#include <vector>

#include "run/fixed_field.hpp"
#include "run/fp_flags.hpp"
#include "run/free_form.hpp"
#include "run/real_text.hpp"

namespace tessadro {
namespace {

constexpr unsigned denormal_bit = 0x2u;  // MXCSR bit 1: denormal operand
constexpr int reported = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW | FE_UNDERFLOW;

#if defined(__x86_64__) || defined(__i386__)
constexpr bool has_denormal_flag = true;
// <cfenv> does not know the denormal flag, so it is cleared in MXCSR directly.
void clear_all_flags() {
    std::feclearexcept(FE_ALL_EXCEPT);
    __builtin_ia32_ldmxcsr(__builtin_ia32_stmxcsr() & ~0x3fu);
}
void raise_denormal() { __builtin_ia32_ldmxcsr(__builtin_ia32_stmxcsr() | denormal_bit); }
bool denormal_raised() { return (__builtin_ia32_stmxcsr() & denormal_bit) != 0; }
#else
constexpr bool has_denormal_flag = false;
void clear_all_flags() { std::feclearexcept(FE_ALL_EXCEPT); }
void raise_denormal() {}
bool denormal_raised() { return false; }
#endif

const std::string prefix = "Note: The following floating-point exceptions are signalling:";

TEST(FloatingPointNote, NothingToReport) {
    clear_all_flags();
    EXPECT_EQ("", floating_point_note());
    std::feraiseexcept(FE_INEXACT);  // inexact is never reported
    EXPECT_EQ("", floating_point_note());
    clear_all_flags();
}

TEST(FloatingPointNote, EachFlagInItsPlace) {
    if (!has_denormal_flag) GTEST_SKIP() << "no denormal flag on this processor";
    clear_all_flags();
    std::feraiseexcept(FE_DIVBYZERO);
    EXPECT_EQ(prefix + " IEEE_DIVIDE_BY_ZERO", floating_point_note());
    clear_all_flags();
    std::feraiseexcept(FE_UNDERFLOW | FE_INEXACT);
    EXPECT_EQ(prefix + " IEEE_UNDERFLOW_FLAG", floating_point_note());
    clear_all_flags();
    std::feraiseexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW | FE_UNDERFLOW);
    raise_denormal();
    EXPECT_EQ(prefix + " IEEE_INVALID_FLAG IEEE_DIVIDE_BY_ZERO IEEE_OVERFLOW_FLAG IEEE_UNDERFLOW_FLAG IEEE_DENORMAL",
              floating_point_note());
    clear_all_flags();
}

TEST(FloatingPointNote, DenormalOperandOfRealArithmetic) {
    if (!has_denormal_flag) GTEST_SKIP() << "no denormal flag on this processor";
    clear_all_flags();
    volatile float tiny = std::bit_cast<float>(1u);  // 2^-149
    volatile float twice = tiny * 2.0f;              // exact, so no underflow
    (void)twice;
    EXPECT_EQ(prefix + " IEEE_DENORMAL", floating_point_note());
    clear_all_flags();
    volatile float zero = 0.0f;
    volatile float quotient = 1.0f / zero;
    (void)quotient;
    EXPECT_EQ(prefix + " IEEE_DIVIDE_BY_ZERO", floating_point_note());
    clear_all_flags();
}

// Every float class: zeros, subnormals, normals across all exponents,
// the largest finite values, infinities and NaNs, both signs.
std::vector<std::uint32_t> sample_bits() {
    std::vector<std::uint32_t> bits;
    for (std::uint32_t b = 0; b < 0x00800000u; b += 4099) bits.push_back(b);  // subnormals
    for (std::uint32_t b = 0x00800000u; b < 0x7f800000u; b += 1048573) bits.push_back(b);
    for (std::uint32_t b : {0u, 1u, 0x7fffffu, 0x800000u, 0x7f7fffffu, 0x7f800000u, 0x7fc00000u, 0x7f800001u,
                            0x3dcccccdu, 0x4e6e6b28u}) {
        bits.push_back(b);
    }
    const std::size_t positive = bits.size();
    for (std::size_t i = 0; i < positive; ++i) bits.push_back(bits[i] | 0x80000000u);
    return bits;
}

TEST(FloatingPointNote, ConversionsRaiseNoFlag) {
    const std::vector<std::uint32_t> bits = sample_bits();
    std::vector<std::string> texts;
    std::vector<std::uint32_t> parsed;
    const std::vector<std::string> inputs = {
        "1e-40", "-1e-40", "1e-45", "7e-46", "1e-50", "1e39", "-1D40", "3.4028236e38", "3.4028235677e38",
        "1.17549435E-38", "1.40129846E-45", "1-40", "1Q-39", "0.000000000000000000000000000000000000001",
        "1e999999999999", "1e-999999999999", "nan", "-Infinity", "0.1", "123456789012345678901234567890e20"};

    clear_all_flags();
    // Only integer work and calls into the conversions between the clearing
    // and the test of the flags: a comparison of a subnormal float here
    // would itself raise the denormal flag.
    for (const std::uint32_t b : bits) {
        const float v = std::bit_cast<float>(b);
        char out[64];
        format_list_real(v, out);
        texts.emplace_back(out, list_real_width);
        format_fixed_real(v, 6, 1, out);
        format_fixed_real(v, 10, 2, out);
        format_fixed_real(v, 12, 0, out);
    }
    for (const std::string& text : texts) {
        const std::size_t first = text.find_first_not_of(' ');
        const std::size_t last = text.find_last_not_of(' ');
        float v = 0.0f;
        parse_real(std::string_view(text).substr(first, last - first + 1), v);
        parsed.push_back(std::bit_cast<std::uint32_t>(v));
    }
    for (const std::string& text : inputs) {
        float v = 0.0f;
        parse_real(text, v);
        parsed.push_back(std::bit_cast<std::uint32_t>(v));
    }
    std::string all_inputs;
    for (const std::string& text : inputs) all_inputs.append(text).append(" ");
    LineReader list(all_inputs);
    std::vector<float> values(inputs.size(), 0.0f);
    std::vector<Target> targets(values.begin(), values.end());
    const int list_status = read_list(list, targets).status;
    LineReader factor("1e-40     ");
    const int factor_status = read_fixed(factor, Format("(G32.0)"), std::span<const Target>(targets.data(), 1)).status;
    const int raised = std::fetestexcept(reported);
    const bool denormal = denormal_raised();

    EXPECT_EQ(0, raised & FE_INVALID);
    EXPECT_EQ(0, raised & FE_DIVBYZERO);
    EXPECT_EQ(0, raised & FE_OVERFLOW);
    EXPECT_EQ(0, raised & FE_UNDERFLOW);
    EXPECT_FALSE(denormal);
    EXPECT_EQ(0, list_status);
    EXPECT_EQ(0, factor_status);
    // The texts of the finite values read back to the same bits (the work was real).
    for (std::size_t i = 0; i < bits.size(); ++i) {
        const std::uint32_t magnitude = bits[i] & 0x7fffffffu;
        if (magnitude <= 0x7f800000u) {
            EXPECT_EQ(bits[i], parsed[i]) << texts[i];
        }
    }
    clear_all_flags();
}

}  // namespace
}  // namespace tessadro
