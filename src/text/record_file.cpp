#include "text/record_file.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <unistd.h>

#include "text/run_error.hpp"

namespace tessadro {
namespace {

// The opening messages: the file is missing, not ours to read, or a folder.
[[noreturn]] void open_failed(const std::string& path, int unit, int error) {
    std::string message;
    if (error == ENOENT || error == ENOTDIR) message = "File '" + path + "' does not exist";
    else if (error == EACCES || error == EPERM) message = "Permission denied trying to open file '" + path + "'";
    else if (error == EISDIR) message = "'" + path + "' is a directory";
    else message = "Cannot open file '" + path + "': " + std::strerror(error);
    throw RunError(statement_location(0) + " (unit = " + std::to_string(unit) + ")", message);
}

std::FILE* open_for_reading(const std::string& path, int unit) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) open_failed(path, unit, EISDIR);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) open_failed(path, unit, errno);
    return file;
}

// The record being read when a read of the file's bytes stops: the one after
// the last line feed read.
long record_at(const char* text, std::size_t used) {
    long line_feeds = 0;
    for (std::size_t i = 0; i < used; ++i) line_feeds += text[i] == '\n' ? 1 : 0;
    return line_feeds + 1;
}

// The whole of a file, read once at its opening. A later pass over the file
// (the authorized acres are read twice) works from these bytes, so a pipe or
// a FIFO reads the same as a regular file, and the records of a pass are views
// into one buffer.
std::unique_ptr<LineReader> read_whole_file(const std::string& path, int unit) {
    std::FILE* file = open_for_reading(path, unit);
    PageMemory text;
    std::size_t used = 0;
    try {
        // A regular file is read at its size (one byte more, to see its end);
        // anything else, or a file too big for memory at once, in growing
        // blocks, so that running out of memory names the record it met.
        std::error_code ec;
        const auto size = std::filesystem::is_regular_file(path, ec) ? std::filesystem::file_size(path, ec) : 0;
        try {
            text = PageMemory(!ec && size > 0 ? static_cast<std::size_t>(size) + 1 : std::size_t{1} << 16);
        } catch (const std::bad_alloc&) {
            text = PageMemory(std::size_t{1} << 16);
        }
        for (;;) {
            if (used == text.size()) text.grow(2 * text.size());
            const std::size_t got = std::fread(text.data() + used, 1, text.size() - used, file);
            used += got;
            if (got == 0) break;
        }
    } catch (const std::bad_alloc&) {
        std::fclose(file);
        throw RunError(file_location(record_at(text.data(), used), unit, path), "Out of memory");
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) {
        throw RunError(file_location(record_at(text.data(), used), unit, path),
                       "Cannot read file '" + path + "': " + std::strerror(error));
    }
    return std::make_unique<LineReader>(std::move(text), used);
}

// The records of a file, read as asked.
std::unique_ptr<LineReader> open_lines(const std::string& path, int unit, Reading reading) {
    std::error_code ec;
    if (reading == Reading::streamed && std::filesystem::is_regular_file(path, ec)) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) open_failed(path, unit, errno);
        return std::make_unique<LineReader>(fd, path, unit);
    }
    return read_whole_file(path, unit);
}

#ifdef TESSADRO_FUZZ_PAGES
// The fuzz build's runs write a few hundred bytes a file, thousands of times
// a second: small buffers spare them zero-filling fresh memory for each file,
// and the writing goes through its flushes on small outputs too.
constexpr std::size_t flush_size = 1 << 10;
#else
constexpr std::size_t flush_size = 1 << 16;
#endif

}  // namespace

thread_local const InputFile* InputFile::last_read_ = nullptr;

InputFile::InputFile(std::string path, int unit, std::unique_ptr<LineReader> lines, RecordListener* listener)
    : path_(std::move(path)), unit_(unit), lines_(std::move(lines)), listener_(listener) {}

InputFile::InputFile(std::string path, int unit, Reading reading, RecordListener* listener)
    : InputFile(path, unit, open_lines(path, unit, reading), listener) {}

InputFile::InputFile(std::string path, int unit, std::string text, RecordListener* listener)
    : InputFile(std::move(path), unit, std::make_unique<LineReader>(std::move(text)), listener) {}

InputFile InputFile::open_or_empty(std::string path, int unit, Reading reading, RecordListener* listener) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        warn("Warning: file '" + path + "' does not exist; read as an empty file");
        return InputFile(std::move(path), unit, std::string(), listener);
    }
    return InputFile(std::move(path), unit, reading, listener);
}

InputFile::InputFile(InputFile&& other) noexcept
    : path_(std::move(other.path_)), unit_(other.unit_), lines_(std::move(other.lines_)), listener_(other.listener_) {
    if (last_read_ == &other) last_read_ = this;
}

InputFile::~InputFile() {
    if (last_read_ == this) last_read_ = nullptr;
}

void InputFile::rewind() { lines_->rewind(); }

std::string InputFile::location() const { return location(lines_->records()); }

std::string InputFile::location(long record) const { return file_location(record, unit_, path_); }

OutputFile::OutputFile(std::string path, int unit)
    : path_(std::move(path)), unit_(unit), stream_(nullptr), line_end_("\r\n"), buffer_(2 * flush_size) {
    open();
}

OutputFile::OutputFile(std::string path, int unit, Later, std::vector<char> buffer)
    : path_(std::move(path)), unit_(unit), stream_(nullptr), line_end_("\r\n"), buffer_(std::move(buffer)),
      later_(true) {
    if (buffer_.size() < 2 * flush_size) buffer_.resize(2 * flush_size);
}

void OutputFile::open() {
    // Only a regular file (or a new one) is truncated and written: opening a
    // FIFO would wait forever for a reader, and a device is no place for the
    // model's arrays.
    std::error_code ec;
    const auto status = std::filesystem::status(path_, ec);
    if (std::filesystem::is_directory(status)) open_failed(path_, unit_, EISDIR);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        throw RunError(statement_location(0) + " (unit = " + std::to_string(unit_) + ")",
                       "'" + path_ + "' is not a regular file");
    }
    // The file's own descriptor: the buffer goes out in one write call each
    // time, with no second copy through a stdio buffer.
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) open_failed(path_, unit_, errno);
    later_ = false;
}

OutputFile::OutputFile(std::FILE* stream, std::string name, int unit)
    : path_(std::move(name)), unit_(unit), stream_(stream), line_end_("\n"), buffer_(flush_size) {}

OutputFile::~OutputFile() {
    // A run that ends on an error keeps what was written so far.
    if (fd_ >= 0) {
        write_all();
        ::close(fd_);
    } else if (stream_ != nullptr) {
        if (used_ > 0) std::fwrite(buffer_.data(), 1, used_, stream_);
        std::fflush(stream_);
    }
}

bool OutputFile::write_all() {
    const char* p = buffer_.data();
    std::size_t left = used_;
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

void OutputFile::end_record() {
    append(line_end_, line_end_[1] == '\0' ? 1 : 2);
    ++records_;
    if (used_ >= flush_size) flush();
}

void OutputFile::grow(std::size_t n) { buffer_.resize(std::max(2 * buffer_.size(), used_ + n)); }

void OutputFile::flush() {
    if (later_) return;  // nowhere to write yet
    if (fd_ >= 0) {
        if (!write_all()) write_failed();
        used_ = 0;
        return;
    }
    // The console.
    const std::size_t pending = used_;
    used_ = 0;
    if (stream_ == nullptr) return;
    if ((pending > 0 && std::fwrite(buffer_.data(), 1, pending, stream_) != pending) || std::fflush(stream_) != 0) {
        write_failed();
    }
}

void OutputFile::lose(int error) {
    if (lost_ == 0) lost_ = error;
    stream_ = nullptr;
    used_ = 0;
}

void OutputFile::close() {
    flush();
    if (fd_ >= 0) {
        const int status = ::close(fd_);
        fd_ = -1;
        if (status != 0) write_failed();
    }
    stream_ = nullptr;
}

std::string OutputFile::location() const { return file_location(records_, unit_, path_); }

void OutputFile::write_failed() {
    // The console is not the product: a run whose console cannot be written
    // (a full disk, a closed pipe) goes on without it, and the entry point
    // says so at the end.
    if (stream_ != nullptr) return lose(errno);
    throw RunError(location(), "Cannot write file '" + path_ + "': " + std::strerror(errno));
}

OutputFile& console() {
    static OutputFile out(stdout, "stdout", 6);
    return out;
}

void warn(const std::string& text) {
    console().flush();
    std::fputs(text.c_str(), stderr);
    std::fputc('\n', stderr);
}

}  // namespace tessadro
