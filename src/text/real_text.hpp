#pragma once

#include <cstdint>
#include <string_view>

// Exact conversions between 4-byte reals and their text forms. Every result is
// correctly rounded from the exact binary value (halves to even), and no
// conversion touches the processor's floating-point exception flags: the run
// reports those flags at its end and they must describe its arithmetic only.
namespace tessadro {

// Width of a real in a free-form record.
inline constexpr int list_real_width = 16;

// A 4-byte real as a free-form record writes it: 9 significant digits in 16
// characters, fixed-point for 0.1 <= |v| < 1.0E9 and zero (12 characters and
// 4 blanks), otherwise d.ddddddddE+xx; "Infinity", "-Infinity", "NaN".
void format_list_real(float value, char* out);

// A 4-byte real under the field Fw.d, w characters into out. Returns false when
// the value is too wide for the field and w asterisks were written instead.
bool format_fixed_real(float value, int width, int decimals, char* out);

enum class NumberStatus { ok, bad, overflow };

// Integer text: optional sign and decimal digits, nothing else.
NumberStatus parse_integer(std::string_view text, std::int32_t& value);

// Real text: optional sign, digits with an optional decimal point, optional
// exponent (E, D or Q in either case, or a sign alone, then digits); or Inf,
// Infinity, NaN in any case. Values beyond the 4-byte range read as the
// correctly rounded result, an infinity or a zero. Returns false on bad syntax.
bool parse_real(std::string_view text, float& value);

}  // namespace tessadro
