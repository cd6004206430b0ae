#include "run/fp_flags.hpp"

#include <cfenv>

namespace tessadro {
namespace {

bool denormal_raised() {
#if defined(__x86_64__) || defined(__i386__)
    // The denormal-operand flag lives in MXCSR (bit 1); <cfenv> has no name for it.
    return (__builtin_ia32_stmxcsr() & 0x2u) != 0;
#else
    return false;
#endif
}

void raise_denormal() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_ldmxcsr(__builtin_ia32_stmxcsr() | 0x2u);
#endif
}

void lower_denormal() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_ldmxcsr(__builtin_ia32_stmxcsr() & ~0x2u);
#endif
}

}  // namespace

FlagsKept::~FlagsKept() {
    // Flags are only ever raised: the same flags as at the start mean that
    // nothing new was raised, which is the common case (raising flags again
    // takes arithmetic of its own).
    const FloatingPointFlags now = raised_flags();
    if (now.raised == kept_.raised && now.denormal == kept_.denormal) return;
    std::feclearexcept(FE_ALL_EXCEPT);
    lower_denormal();
    raise_flags(kept_);
}

FloatingPointFlags raised_flags() {
#if defined(__x86_64__)
    // As fetestexcept(FE_ALL_EXCEPT) reads them (the x87 status word and
    // MXCSR), with the denormal flag from the same read of MXCSR: the year
    // report reads the flags around each decision it hears of.
    unsigned short status = 0;
    __asm__ volatile("fnstsw %0" : "=a"(status));
    const unsigned int mxcsr = __builtin_ia32_stmxcsr();
    return {static_cast<int>((status | mxcsr) & FE_ALL_EXCEPT), (mxcsr & 0x2u) != 0};
#else
    return {std::fetestexcept(FE_ALL_EXCEPT), denormal_raised()};
#endif
}

void raise_flags(const FloatingPointFlags& flags) {
    if (flags.raised != 0) std::feraiseexcept(flags.raised);
    if (flags.denormal) raise_denormal();
}

std::string floating_point_note() {
    const int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW | FE_UNDERFLOW);
    const bool denormal = denormal_raised();
    if (raised == 0 && !denormal) return {};
    std::string note = "Note: The following floating-point exceptions are signalling:";
    if ((raised & FE_INVALID) != 0) note += " IEEE_INVALID_FLAG";
    if ((raised & FE_DIVBYZERO) != 0) note += " IEEE_DIVIDE_BY_ZERO";
    if ((raised & FE_OVERFLOW) != 0) note += " IEEE_OVERFLOW_FLAG";
    if ((raised & FE_UNDERFLOW) != 0) note += " IEEE_UNDERFLOW_FLAG";
    if (denormal) note += " IEEE_DENORMAL";
    return note;
}

}  // namespace tessadro
