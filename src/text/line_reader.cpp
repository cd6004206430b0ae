#include "text/line_reader.hpp"

#include <cstring>

namespace tessadro {
namespace {
constexpr std::size_t block_size = 1 << 16;
}

LineReader::LineReader(std::FILE* file) : file_(file), buffer_(block_size) {}

LineReader::LineReader(std::string text) : buffer_(text.begin(), text.end()), end_(text.size()) {
    exhausted_ = true;
}

LineReader::~LineReader() {
    if (file_ != nullptr) std::fclose(file_);
}

bool LineReader::refill() {
    if (exhausted_) return false;
    // Keep the unfinished record at the front; grow for a record longer than
    // the buffer.
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
    const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
    end_ += got;
    if (got == 0) exhausted_ = true;
    return got != 0;
}

bool LineReader::next(std::string_view& record) {
    std::size_t scanned = begin_;
    for (;;) {
        const void* lf = scanned < end_ ? std::memchr(buffer_.data() + scanned, '\n', end_ - scanned)
                                        : nullptr;
        if (lf != nullptr) {
            const auto stop = static_cast<std::size_t>(static_cast<const char*>(lf) - buffer_.data());
            std::size_t length = stop - begin_;
            if (length > 0 && buffer_[stop - 1] == '\r') --length;
            record = std::string_view(buffer_.data() + begin_, length);
            begin_ = stop + 1;
            ++records_;
            return true;
        }
        const std::size_t pending = end_ - begin_;
        if (!refill()) {
            if (pending == 0) return false;
            std::size_t length = end_ - begin_;
            if (buffer_[end_ - 1] == '\r') --length;
            record = std::string_view(buffer_.data() + begin_, length);
            begin_ = end_;
            ++records_;
            return true;
        }
        scanned = begin_ + pending;
    }
}

void LineReader::rewind() {
    records_ = 0;
    begin_ = 0;
    if (file_ == nullptr) return;
    std::rewind(file_);
    end_ = 0;
    exhausted_ = false;
}

}  // namespace tessadro
