#include "text/line_reader.hpp"

#include <cstring>

namespace tessadro {

bool LineReader::next(std::string_view& record) {
    if (pos_ >= text_.size()) return false;
    const char* const start = text_.data() + pos_;
    const std::size_t left = text_.size() - pos_;
    const void* lf = std::memchr(start, '\n', left);
    std::size_t length = lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) : left;
    pos_ += lf != nullptr ? length + 1 : length;
    if (length > 0 && start[length - 1] == '\r') --length;
    record = std::string_view(start, length);
    ++records_;
    return true;
}

}  // namespace tessadro
