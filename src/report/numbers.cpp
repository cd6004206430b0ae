#include "report/numbers.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace tessadro {
namespace {

// printf's %.*f of any double: the largest has 309 digits before the point.
std::string fixed_text(double value, int decimals) {
    char text[400];
    const int n = std::snprintf(text, sizeof text, "%.*f", std::clamp(decimals, 0, 40), value);
    return std::string(text, static_cast<std::size_t>(std::clamp(n, 0, static_cast<int>(sizeof text) - 1)));
}

}  // namespace

std::string amount_text(double value) {
    if (value == 0.0) value = 0.0;  // no "-0.0000"
    std::string s = fixed_text(value, 4);
    if (s == "-0.0000") s = "0.0000";
    return s;
}

std::string shortest_text(float value) {
    char text[64];
    const auto r = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return std::string(text, r.ptr);
}

std::string grouped_text(double value, int decimals) {
    const std::string digits = fixed_text(std::fabs(value), decimals);
    const std::size_t point = digits.find('.');
    std::size_t whole = point == std::string::npos ? digits.size() : point;
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && i < whole && (whole - i) % 3 == 0) out.push_back(',');
        out.push_back(digits[i]);
    }
    const bool zero = out.find_first_not_of("0.,") == std::string::npos;
    return (value < 0.0 && !zero ? "-" : "") + out;
}

std::string px(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

}  // namespace tessadro
