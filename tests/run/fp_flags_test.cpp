// The floating-point exception note at the end of a run, and the promise
// behind it: the program's own text conversions raise no flag (inexact
// apart), so that the note describes the run's arithmetic only.
#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "run/fp_flags.hpp"
#include "text/fixed_field.hpp"
#include "text/free_form.hpp"
#include "text/real_text.hpp"

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

TEST(FloatingPointNote, RaisedFlagsInTheirOrderButNeverInexact) {
    const struct {
        int raised;
        bool denormal;
        const char* note;
    } rows[] = {
        {0, false, ""},
        {FE_INEXACT, false, ""},
        {FE_DIVBYZERO, false, " IEEE_DIVIDE_BY_ZERO"},
        {FE_UNDERFLOW | FE_INEXACT, false, " IEEE_UNDERFLOW_FLAG"},
        {0, true, " IEEE_DENORMAL"},
        {reported, true, " IEEE_INVALID_FLAG IEEE_DIVIDE_BY_ZERO IEEE_OVERFLOW_FLAG IEEE_UNDERFLOW_FLAG IEEE_DENORMAL"},
    };
    for (const auto& row : rows) {
        if (row.denormal && !has_denormal_flag) continue;
        clear_all_flags();
        std::feraiseexcept(row.raised);
        if (row.denormal) raise_denormal();
        const std::string note = floating_point_note();
        clear_all_flags();
        EXPECT_EQ(*row.note == 0 ? "" : prefix + row.note, note) << row.note;
    }
}

TEST(FloatingPointNote, FlagsOfASecondThreadCarryOver) {
    // A flag raised on another thread is not this thread's until carried
    // over: raised_flags there, raise_flags here.
    for (const bool denormal : {false, true}) {
        if (denormal && !has_denormal_flag) continue;
        clear_all_flags();
        FloatingPointFlags carried;
        std::thread second([&] {
            clear_all_flags();
            std::feraiseexcept(FE_OVERFLOW | FE_INEXACT);
            if (denormal) raise_denormal();
            carried = raised_flags();
        });
        second.join();
        EXPECT_EQ("", floating_point_note());
        raise_flags(carried);
        EXPECT_EQ(prefix + " IEEE_OVERFLOW_FLAG" + (denormal ? " IEEE_DENORMAL" : ""), floating_point_note());
        clear_all_flags();
    }
}

TEST(FloatingPointNote, ConversionsRaiseNoFlag) {
    // Every float class, both signs: zeros, subnormals, normals of every
    // exponent, the largest finite values, infinities and NaNs.
    std::vector<std::uint32_t> bits = {0u, 1u, 0x7fffffu, 0x800000u, 0x7f7fffffu, 0x7f800000u, 0x7fc00000u,
                                       0x7f800001u, 0x3dcccccdu, 0x4e6e6b28u};
    for (std::uint32_t b = 0; b < 0x7f800000u; b += b < 0x00800000u ? 4099 : 1048573) bits.push_back(b);
    for (std::size_t i = 0, n = bits.size(); i < n; ++i) bits.push_back(bits[i] | 0x80000000u);
    // Reals beyond the range or subnormal, as a list read and as the factor.
    std::string inputs = "1e-40 -1e-40 1e-45 7e-46 1e-50 1e39 -1D40 3.4028236e38 3.4028235677e38 1.17549435E-38 "
                         "1.40129846E-45 1-40 1Q-39 0.000000000000000000000000000000000000001 1e999999999999 "
                         "1e-999999999999 nan -Infinity 0.1 123456789012345678901234567890e20";
    std::vector<std::string> texts;
    std::vector<std::uint32_t> parsed;
    std::vector<float> values(20, 0.0f);
    std::vector<Target> targets(values.begin(), values.end());
    LineReader list(inputs), factor("1e-40     ");

    clear_all_flags();
    // Only integer work and calls into the conversions between the clearing
    // and the test of the flags: a comparison of a subnormal float here
    // would itself raise the denormal flag.
    for (const std::uint32_t b : bits) {
        const float v = std::bit_cast<float>(b);
        char out[64];
        format_list_real(v, out);
        format_fixed_real(v, 6, 1, out + 16);
        format_fixed_real(v, 10, 2, out + 16);
        format_fixed_real(v, 12, 0, out + 16);
        const std::string_view text(out, list_real_width);
        const std::size_t first = text.find_first_not_of(' '), end = text.find_last_not_of(' ') + 1;
        float back = 0.0f;
        parse_real(text.substr(first, end - first), back);
        texts.emplace_back(text);
        parsed.push_back(std::bit_cast<std::uint32_t>(back));
    }
    const int list_status = read_list(list, targets).status;
    const int factor_status = read_fixed(factor, Format("(G32.0)"), std::span<const Target>(targets.data(), 1)).status;
    const int raised = std::fetestexcept(reported);
    const bool denormal = denormal_raised();

    EXPECT_EQ(0, raised) << "FE_INVALID " << FE_INVALID << ", FE_DIVBYZERO " << FE_DIVBYZERO << ", FE_OVERFLOW "
                         << FE_OVERFLOW << ", FE_UNDERFLOW " << FE_UNDERFLOW;
    EXPECT_FALSE(denormal);
    EXPECT_EQ(0, list_status);
    EXPECT_EQ(0, factor_status);
    // The texts of the non-NaN values read back to the same bits (the work was real).
    for (std::size_t i = 0; i < bits.size(); ++i) {
        if ((bits[i] & 0x7fffffffu) <= 0x7f800000u) {
            EXPECT_EQ(bits[i], parsed[i]) << texts[i];
        }
    }
    clear_all_flags();
}

}  // namespace
}  // namespace tessadro
