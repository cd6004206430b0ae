#include "report/shown_text.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace tessadro {
namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::string_view ellipsis = "\xE2\x80\xA6";     // U+2026

struct Character {
    std::size_t bytes;  // at least 1
    bool shown;         // well-formed and not a control character
};

// The character at the start of `s` by the well-formed byte sequences of the
// Unicode standard (no overlong forms, no surrogates, nothing above U+10FFFF).
// An ill-formed sequence ends at the first byte that cannot continue it,
// which then starts the next character.
Character next_character(std::string_view s) {
    const auto byte = [&s](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return {1, (lead >= 0x20 && lead != 0x7F) || lead == '\t'};
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
    else return {1, false};
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char from = k == 1 ? low : 0x80, to = k == 1 ? high : 0xBF;
        if (k >= s.size() || byte(k) < from || byte(k) > to) return {k, false};
    }
    // U+0080 to U+009F, the C1 controls, are C2 80 to C2 9F.
    return {length, !(lead == 0xC2 && byte(1) <= 0x9F)};
}

}  // namespace

bool shown_as_is(std::string_view raw, std::size_t most) {
    if (raw.size() > std::max<std::size_t>(most, 1)) return false;
    // Eight bytes at a time while none is 0x80 or above, below a space or
    // DEL: the high bit of a byte of w, of the borrow of w - 0x20 where w
    // was below 0x20, of the borrow of (w ^ 0x7F) - 1 where w was 0x7F.
    constexpr std::uint64_t ones = 0x0101010101010101u, high_bits = 0x8080808080808080u;
    std::size_t k = 0;
    for (; k + 8 <= raw.size(); k += 8) {
        std::uint64_t w = 0;
        std::memcpy(&w, raw.data() + k, 8);
        const std::uint64_t del = w ^ (ones * 0x7Fu);
        if (((w | ((w - ones * 0x20u) & ~w) | ((del - ones) & ~del)) & high_bits) != 0) break;
    }
    // The rest byte by byte: a space to a tilde, or a tab.
    bool plain = true;
    for (const char c : raw.substr(k)) {
        const auto byte = static_cast<unsigned char>(c);
        plain &= static_cast<unsigned char>(byte - 0x20u) < 0x5Fu || byte == '\t';
    }
    return plain;
}

ShownText shown_text(std::string_view raw, std::size_t most) {
    most = std::max<std::size_t>(most, 1);
    // Each byte one character, shown as it is.
    if (shown_as_is(raw, most)) return {std::string(raw), raw.size(), false};
    ShownText out;
    std::size_t kept_bytes = 0;  // of the first most - 1 characters
    while (!raw.empty()) {
        const Character c = next_character(raw);
        if (out.characters < most) {
            if (c.shown) out.text.append(raw.substr(0, c.bytes));
            else out.text.append(replacement);
            if (out.characters + 1 < most) kept_bytes = out.text.size();
        }
        ++out.characters;
        raw.remove_prefix(c.bytes);
    }
    if (out.characters > most) {
        out.text.resize(kept_bytes);
        out.text.append(ellipsis);
        out.cut = true;
    }
    return out;
}

std::string valid_text(std::string_view raw) {
    return shown_text(raw, std::numeric_limits<std::size_t>::max()).text;
}

}  // namespace tessadro
