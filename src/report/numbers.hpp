#pragma once

#include <cstddef>
#include <string>

namespace tessadro {

// An amount with four decimals ("7133.5000"): sums of 4-byte values carry
// about seven significant digits, and a residual of 0.0001 still shows.
std::string amount_text(double value);
// The same appended to out.
void append_amount(std::string& out, double value);

// A whole number appended to out ("-12").
void append_whole(std::string& out, long long value);

// A 4-byte value in the fewest digits that read back as the same value,
// without an exponent ("2132624.5").
std::string shortest_text(float value);
// The same appended to out, or written at p, which it returns the end of: at
// most shortest_chars characters (a float's fixed form has 48 at most).
void append_shortest(std::string& out, float value);
inline constexpr std::size_t shortest_chars = 64;
char* put_shortest(char* p, float value);

// A number for people: thousands separated by commas, the given decimals.
std::string grouped_text(double value, int decimals);

// A position or length in an SVG drawing, to a tenth of a pixel ("12.5").
std::string px(double value);

}  // namespace tessadro
