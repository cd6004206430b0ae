#pragma once

#include <cstdint>
#include <string_view>

// Exact conversions between 4-byte reals and their text forms. Every result is
// correctly rounded from the exact value (halves to even). The run reports the
// processor's floating-point exception flags at its end, so writing a real
// raises no flag, and reading one raises what a correctly rounded conversion
// raises: overflow when a finite decimal reads as an infinity, underflow when
// it reads as a tiny inexact value (inexact besides, which is never reported).
namespace tessadro {

// Widths of a real and of an integer in a free-form record.
inline constexpr int list_real_width = 16;
inline constexpr int list_integer_width = 11;

// A 4-byte real as a free-form record writes it: 9 significant digits in 16
// characters, fixed-point for 0.1 <= |v| < 1.0E9 and zero (12 characters and
// 4 blanks), otherwise d.ddddddddE+xx; "Infinity", "-Infinity", "NaN".
void format_list_real(float value, char* out);

// The same, by the general conversion alone: format_list_real takes a shorter
// road for the fixed-point range and must agree with it on every value.
void format_list_real_exact(float value, char* out);

// A 4-byte integer as a free-form record writes it: right-aligned in 11.
void format_list_integer(std::int32_t value, char* out);

// A 4-byte real under the field Fw.d, w characters into out. Returns false when
// the value is too wide for the field and w asterisks were written instead.
bool format_fixed_real(float value, int width, int decimals, char* out);

// format_fixed_real(value, 6, 1, out), quicker: the field of every array file.
bool format_f61(float value, char* out);
// The tenths that the F6.1 field of value holds, as a reader of the field
// gets them ("-12.5" holds -125); false when the field holds no number:
// asterisks, Inf or NaN.
bool f61_tenths(float value, std::int32_t& tenths);

enum class NumberStatus { ok, bad, overflow };

// Integer text: optional sign and decimal digits, nothing else.
NumberStatus parse_integer(std::string_view text, std::int32_t& value);

// Real text: optional sign, digits with an optional decimal point, optional
// exponent (E, D or Q in either case, or a sign alone, then digits); or Inf,
// Infinity, NaN in any case. Values beyond the 4-byte range read as the
// correctly rounded result, an infinity, a subnormal or a zero, with the
// flags above. Returns false on bad syntax.
bool parse_real(std::string_view text, float& value);

// Plain number text at p, before end (plain_number.hpp): for an integer an
// optional sign and 1 to 9 digits; for a real at most 15 digits with an
// optional sign, point and exponent. On success p moves past the number, and
// the value is the one parse_integer or parse_real gives for that text.
// False, with p and value untouched, for anything else: the general parsers
// decide it.
bool scan_plain_integer(const char*& p, const char* end, std::int32_t& value);
bool scan_plain_real(const char*& p, const char* end, float& value);

}  // namespace tessadro
