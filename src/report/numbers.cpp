#include "report/numbers.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace tessadro {
namespace {

// printf's %.*f of any double (to_chars with a precision gives the same
// characters): the largest has 309 digits before the point.
struct FixedText {
    char text[400];
    std::size_t size = 0;

    FixedText(double value, int decimals) {
        const auto r = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed,
                                     std::clamp(decimals, 0, 40));
        size = static_cast<std::size_t>(r.ptr - text);
    }
    std::string_view view() const { return {text, size}; }
};

std::string fixed_text(double value, int decimals) { return std::string(FixedText(value, decimals).view()); }

}  // namespace

std::string amount_text(double value) {
    if (value == 0.0) value = 0.0;  // no "-0.0000"
    std::string s = fixed_text(value, 4);
    if (s == "-0.0000") s = "0.0000";
    return s;
}

void append_shortest(std::string& out, float value) {
    char text[64];
    out.append(text, std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr);
}

std::string shortest_text(float value) {
    std::string text;
    append_shortest(text, value);
    return text;
}

std::string grouped_text(double value, int decimals) {
    const FixedText fixed(std::fabs(value), decimals);
    const std::string_view digits = fixed.view();
    const std::size_t point = digits.find('.');
    const std::size_t whole = point == std::string_view::npos ? digits.size() : point;
    const bool minus = value < 0.0 && digits.find_first_not_of("0.") != std::string_view::npos;
    std::string out;
    out.reserve(digits.size() + whole / 3 + 1);
    if (minus) out.push_back('-');
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && i < whole && (whole - i) % 3 == 0) out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

std::string px(double value) {
    // As printf's %.1f into 32 characters, which keeps 31 of a huge number.
    return std::string(FixedText(value, 1).view().substr(0, 31));
}

}  // namespace tessadro
