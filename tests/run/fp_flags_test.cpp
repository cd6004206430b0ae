// The floating-point exception note at the end of a run, and the promise
// behind it: writing a real raises no flag, and reading one raises exactly
// what a correctly rounded conversion raises (overflow or underflow only for
// a value beyond the 4-byte range), so that the note describes the run's
// arithmetic and the values it was given.
#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "run/fp_flags.hpp"
#include "text/real_text.hpp"

namespace tessadro {
namespace {

constexpr int reported = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW | FE_UNDERFLOW;
#if defined(__x86_64__) || defined(__i386__)
constexpr bool has_denormal_flag = true;
#else
constexpr bool has_denormal_flag = false;
#endif

// Runs work between two clearings of every flag (<cfenv> does not know the
// denormal flag, MXCSR bit 1, so it is cleared directly); gives the flags of
// mask it raised and whether it raised the denormal flag.
template <class Work>
std::pair<int, bool> flags_of(Work work, int mask = reported) {
    const auto clear = [] {
        std::feclearexcept(FE_ALL_EXCEPT);
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_ldmxcsr(__builtin_ia32_stmxcsr() & ~0x3fu);
#endif
    };
    clear();
    work();
    const std::pair<int, bool> raised = {std::fetestexcept(mask), raised_flags().denormal};
    clear();
    return raised;
}

const std::string prefix = "Note: The following floating-point exceptions are signalling:";

TEST(FloatingPointNote, RaisedFlagsInTheirOrderButNeverInexact) {
    std::string all, denormal_alone;
    flags_of([&] {
        std::feraiseexcept(reported | FE_INEXACT);
        raise_flags({0, true});
        all = floating_point_note();
        std::feclearexcept(FE_ALL_EXCEPT);
        denormal_alone = floating_point_note();
    });
    const std::string denormal = has_denormal_flag ? " IEEE_DENORMAL" : "";
    EXPECT_EQ(prefix + " IEEE_INVALID_FLAG IEEE_DIVIDE_BY_ZERO IEEE_OVERFLOW_FLAG IEEE_UNDERFLOW_FLAG" + denormal, all);
    EXPECT_EQ(has_denormal_flag ? prefix + denormal : "", denormal_alone);
}

TEST(FloatingPointNote, WritingRaisesNoFlag) {
    // Every float class, both signs: zeros, subnormals, normals of every
    // exponent, the largest finite values, infinities and NaNs.
    std::vector<std::uint32_t> bits = {0u, 1u, 0x7fffffu, 0x800000u, 0x7f7fffffu, 0x7f800000u, 0x7fc00000u,
                                       0x7f800001u, 0x3dcccccdu, 0x4e6e6b28u};
    for (std::uint32_t b = 0; b < 0x7f800000u; b += b < 0x00800000u ? 4099 : 1048573) bits.push_back(b);
    for (std::size_t i = 0, n = bits.size(); i < n; ++i) bits.push_back(bits[i] | 0x80000000u);
    // Only integer work and calls into the conversions between the clearing
    // and the test of the flags: a comparison of a subnormal float here
    // would itself raise the denormal flag.
    const auto [raised, denormal] = flags_of([&] {
        for (const std::uint32_t b : bits) {
            const float v = std::bit_cast<float>(b);
            char out[64];
            format_list_real(v, out);
            format_fixed_real(v, 6, 1, out);
            format_fixed_real(v, 10, 2, out);
            format_fixed_real(v, 12, 0, out);
        }
    });
    EXPECT_EQ(0, raised);
    EXPECT_FALSE(denormal);
}

// Reading a real raises what a correctly rounded IEEE conversion raises:
// overflow (and inexact) when a finite decimal rounds to infinity; underflow
// (and inexact) when the result is tiny and inexact, tininess detected after
// rounding as on x86: the exact value is rounded to 24 bits as if the exponent
// were unbounded, and is tiny when that is below 2^-126.
TEST(FloatingPointNote, ReadingRaisesTheFlagsOfACorrectlyRoundedConversion) {
    constexpr int none = 0, over = FE_OVERFLOW | FE_INEXACT, under = FE_UNDERFLOW | FE_INEXACT;
    constexpr std::uint32_t max = 0x7f7fffffu, inf = 0x7f800000u, min_normal = 0x00800000u;
    const struct { const char* text; std::uint32_t bits; int flags; } rows[] = {
        {"1e39", inf, over}, {"1e999999999999", inf, over},
        {"123456789012345678901234567890123456789012345", inf, over},
        // FLT_MAX is (2^24 - 1) * 2^104; halfway to 2^128 is
        // 340282356779733661637539395458142568448, a tie that goes to the even
        // 2^128: infinity. One below it rounds to FLT_MAX.
        {"340282356779733661637539395458142568448", inf, over},
        {"340282356779733661637539395458142568447", max, FE_INEXACT},
        {"Infinity", inf, none},  // not a finite decimal
        // The smallest subnormal is 2^-149 = 1.4012984...e-45: 1e-45 is
        // nearest to it, -7e-46 below half of it reads as a zero of its sign;
        // both tiny and inexact.
        {"1e-45", 1u, under}, {"-7e-46", 0x80000000u, under}, {"1e-999999999999", 0u, under},
        {"1e-40", 0x000116c2u, under}, {"0e-50", 0u, none},
        // Exact subnormal and exact smallest normal values: no flag at all.
        {"1.40129846432481707092372958328991613128026194187651577175706828388979108268586060148663818836212158203125e-45",
         1u, none},
        {"1.1754943508222875079687365372222456778186655567720875215087517062784172594547271728515625e-38", min_normal,
         none},
        // Just below 2^-126, both reading as 2^-126. 2^-126 - 2^-152 rounds to
        // 2^-126 also with an unbounded exponent: not tiny, inexact only.
        {"1.175494333306056703908523150675625886694713915768813248052304559315063710832338639278304981417022645473480224609375e-38",
         min_normal, FE_INEXACT},
        // 2^-126 - 2^-151 - 2^-160 lies below the midpoint 2^-126 - 2^-151
        // between 2^-126 and its lower 24-bit neighbour 2^-126 - 2^-150: with
        // an unbounded exponent it rounds to that neighbour, which is tiny.
        {"1.17549431572140312326994955558780836201168433866786993446516816568388456241064390049577692565208053565584123134613037109375e-38",
         min_normal, under},
        {"1.17549435E-38", min_normal, FE_INEXACT},  // the free-form text of 2^-126
        // D, Q and a lone sign spell exponents too. 1e-39 is 713623.85 times
        // 2^-149: the subnormal 713624 * 2^-149; 1.5e-50 is below half of 2^-149.
        {"1Q-39", 0x000ae398u, under}, {"-1D40", 0xff800000u, over}, {"1.5-50", 0u, under},
    };
    for (const auto& row : rows) {
        // Inexact, never reported, is looked at only for results at the ends
        // of the range, where it decides underflow; values within the range
        // may leave it clear.
        const std::uint32_t magnitude = row.bits & 0x7fffffffu;
        const int looked_at = reported | (magnitude <= min_normal || magnitude >= inf ? FE_INEXACT : 0);
        float value = 0.0f;
        bool ok = false;
        const auto [raised, denormal] = flags_of([&] { ok = parse_real(row.text, value); }, looked_at);
        EXPECT_TRUE(ok) << row.text;
        EXPECT_EQ(row.bits, std::bit_cast<std::uint32_t>(value)) << row.text;
        EXPECT_EQ(row.flags & looked_at, raised) << row.text;
        EXPECT_FALSE(denormal) << row.text;
    }
}

}  // namespace
}  // namespace tessadro
