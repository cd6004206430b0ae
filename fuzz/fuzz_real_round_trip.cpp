// A 4-byte value written free-form and in Fw.d fields, then read back.
// Free-form text keeps 9 significant digits, enough for every 4-byte value:
// it must read back to the same bits (any NaN to a NaN). A field holds the
// value rounded to d decimals: when that decimal is the value itself, reading
// it must give the value exactly; in every case it must read as the 4-byte
// value nearest the decimal it shows, which the C library's correctly rounded
// strtof tells independently. Input: 4 bytes of the value, then optionally a
// width (1 to 40) and a number of decimals (0 to 15); without them the array
// and report fields F6.1, F10.2 and F12.0 are tried.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "text/free_form.hpp"
#include "text/real_text.hpp"

using namespace tessadro;

namespace {

std::string_view trimmed(const char* text, std::size_t length) {
    std::string_view s(text, length);
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') + 1 - first);
}

std::uint32_t bits(float v) { return std::bit_cast<std::uint32_t>(v); }

void check_field(float value, int width, int decimals) {
    char field[64];
    if (!format_fixed_real(value, width, decimals, field)) {
        for (int i = 0; i < width; ++i) {
            if (field[i] != '*') __builtin_trap();
        }
        return;
    }
    const std::string text(trimmed(field, static_cast<std::size_t>(width)));
    if (std::isnan(value) || std::isinf(value)) return;  // "NaN", "Inf", "Infinity" are checked by the tests
    // A field of one or two characters can be left with no digit at all ("."
    // for 0.0 under F1.0, no room for the leading zero): it holds no number.
    if (text.find_first_of("0123456789") == std::string::npos) return;
    float back = 0.0f;
    if (!parse_real(text, back)) __builtin_trap();
    // The nearest 4-byte value to the decimal shown, by an independent reader.
    const float nearest = std::strtof(text.c_str(), nullptr);
    if (bits(back) != bits(nearest)) __builtin_trap();
    // The decimal shown is the value rounded to d decimals. The exact binary
    // value has at most 149 decimals; when none beyond the d-th is non-zero,
    // the field holds the value itself and must read back to it.
    char exact[400];
    std::snprintf(exact, sizeof exact, "%.160f", static_cast<double>(value));
    const char* point = std::strchr(exact, '.');
    bool holds_exactly = true;
    for (const char* p = point + 1 + decimals; *p != '\0'; ++p) holds_exactly &= *p == '0';
    if (holds_exactly && bits(back) != bits(value)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    std::uint32_t raw = 0;
    std::memcpy(&raw, data, 4);
    const float value = std::bit_cast<float>(raw);

    // Free-form: as a record, read back by the free-form reader.
    char record[list_real_width];
    format_list_real(value, record);
    LineReader in{std::string(record, sizeof record)};
    float back = 0.0f;
    const Target target(back);
    if (read_list(in, std::span<const Target>(&target, 1)).status != 0) __builtin_trap();
    if (std::isnan(value) ? !std::isnan(back) : bits(back) != bits(value)) __builtin_trap();

    if (size >= 6) {
        check_field(value, 1 + data[4] % 40, data[5] % 16);
    } else {
        check_field(value, 6, 1);
        check_field(value, 10, 2);
        check_field(value, 12, 0);
    }
    return 0;
}
