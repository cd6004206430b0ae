#include "text/line_reader.hpp"

#include <cerrno>
#include <cstring>
#include <new>
#include <unistd.h>

#include "text/run_error.hpp"

namespace tessadro {
namespace {
constexpr std::size_t block_size = std::size_t{1} << 16;
}

// The view starts on the empty text, never on no bytes at all: the search
// for a record's end is given a real address even before the first block.
LineReader::LineReader(int fd, std::string path, int unit)
    : view_(text_), fd_(fd), path_(std::move(path)), unit_(unit) {}

LineReader::~LineReader() {
    if (fd_ >= 0) ::close(fd_);
}

void LineReader::rewind() {
    pos_ = 0;
    records_ = 0;
    if (fd_ < 0) return;
    // Only a plain file is read in blocks, and a plain file can go back.
    text_.clear();
    view_ = text_;
    at_end_ = false;
    if (::lseek(fd_, 0, SEEK_SET) < 0) {
        throw RunError(file_location(0, unit_, path_), "Cannot rewind file '" + path_ + "': " + std::strerror(errno));
    }
}

// Keeps the record begun at pos_, now at the buffer's start, and reads the
// next block behind it; marks the file's end when there is none. A record
// longer than the buffer makes it grow.
void LineReader::fill() {
    try {
        text_.erase(0, pos_);
        view_ = text_;
        last_start_ = last_length_ = 0;  // gone with the bytes before pos_
        pos_ = 0;
        const std::size_t kept = text_.size();
        text_.resize(kept + block_size);
        ssize_t got;
        do {
            got = ::read(fd_, text_.data() + kept, block_size);
        } while (got < 0 && errno == EINTR);
        if (got < 0) {
            const int error = errno;
            text_.resize(kept);
            view_ = text_;
            throw RunError(file_location(records_ + 1, unit_, path_),
                           "Cannot read file '" + path_ + "': " + std::strerror(error));
        }
        text_.resize(kept + static_cast<std::size_t>(got));
        view_ = text_;
        at_end_ = got == 0;
    } catch (const std::bad_alloc&) {
        throw RunError(file_location(records_ + 1, unit_, path_), "Out of memory");
    }
}

// The record delivered last stays where next() found it until the next call:
// a block read moves the record it reads on with to the buffer's start, but
// only in next().
std::string_view LineReader::last_record() const {
    if (records_ == 0) return {};
    return view_.substr(last_start_, last_length_);
}

bool LineReader::next(std::string_view& record) {
    std::size_t searched = 0;  // bytes of the record at hand already searched for its end
    for (;;) {
        const char* const start = view_.data() + pos_;
        const std::size_t left = view_.size() - pos_;
        const void* lf = std::memchr(start + searched, '\n', left - searched);
        // No end in sight: read on behind the record. The block moves the
        // record to the buffer's start, so it is looked at again from there.
        if (lf == nullptr && fd_ >= 0 && !at_end_) {
            fill();
            searched = left;
            continue;
        }
        if (left == 0) return false;
        std::size_t length = lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) : left;
        pos_ += lf != nullptr ? length + 1 : length;
        if (length > 0 && start[length - 1] == '\r') --length;
        record = std::string_view(start, length);
        last_start_ = static_cast<std::size_t>(start - view_.data());
        last_length_ = length;
        ++records_;
        return true;
    }
}

}  // namespace tessadro
