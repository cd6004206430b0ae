#include "report/base64.hpp"

#include <cstdint>

namespace tessadro {

std::string base64(std::string_view bytes) {
    std::string out;
    append_base64(out, bytes);
    return out;
}

void append_base64(std::string& out, std::string_view bytes) {
    static constexpr char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const std::size_t start = out.size();
    out.resize(start + (bytes.size() + 2) / 3 * 4);
    char* to = out.data() + start;
    auto byte = [&bytes](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])); };
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t v = byte(i) << 16 | byte(i + 1) << 8 | byte(i + 2);
        *to++ = digits[v >> 18];
        *to++ = digits[(v >> 12) & 63];
        *to++ = digits[(v >> 6) & 63];
        *to++ = digits[v & 63];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        const std::uint32_t v = byte(i) << 16 | (rest == 2 ? byte(i + 1) << 8 : 0u);
        *to++ = digits[v >> 18];
        *to++ = digits[(v >> 12) & 63];
        *to++ = rest == 2 ? digits[(v >> 6) & 63] : '=';
        *to++ = '=';
    }
}

}  // namespace tessadro
