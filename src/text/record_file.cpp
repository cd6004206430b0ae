#include "text/record_file.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
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

constexpr std::size_t flush_size = 1 << 16;

}  // namespace

thread_local const InputFile* InputFile::last_read_ = nullptr;

InputFile::InputFile(std::string path, int unit, std::unique_ptr<LineReader> lines)
    : path_(std::move(path)), unit_(unit), lines_(std::move(lines)) {}

InputFile::InputFile(std::string path, int unit)
    : InputFile(path, unit, std::make_unique<LineReader>(open_for_reading(path, unit))) {}

InputFile::InputFile(std::string path, int unit, std::string text)
    : InputFile(std::move(path), unit, std::make_unique<LineReader>(std::move(text))) {}

InputFile InputFile::open_or_empty(std::string path, int unit) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        warn("Warning: file '" + path + "' does not exist; read as an empty file");
        return InputFile(std::move(path), unit, std::string());
    }
    return InputFile(std::move(path), unit);
}

InputFile::InputFile(InputFile&& other) noexcept
    : path_(std::move(other.path_)), unit_(other.unit_), lines_(std::move(other.lines_)) {
    if (last_read_ == &other) last_read_ = this;
}

InputFile::~InputFile() {
    if (last_read_ == this) last_read_ = nullptr;
}

void InputFile::rewind() { lines_->rewind(); }

std::string InputFile::location() const { return file_location(lines_->records(), unit_, path_); }

OutputFile::OutputFile(std::string path, int unit)
    : path_(std::move(path)), unit_(unit), stream_(nullptr), line_end_("\r\n"), buffer_(2 * flush_size) {
    std::error_code ec;
    if (std::filesystem::is_directory(path_, ec)) open_failed(path_, unit_, EISDIR);
    // The file's own descriptor: the buffer goes out in one write call each
    // time, with no second copy through a stdio buffer.
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) open_failed(path_, unit_, errno);
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
    if (fd_ >= 0) {
        if (!write_all()) write_failed();
        used_ = 0;
        return;
    }
    if (stream_ == nullptr) return;
    if (used_ > 0 && std::fwrite(buffer_.data(), 1, used_, stream_) != used_) write_failed();
    used_ = 0;
    if (std::fflush(stream_) != 0) write_failed();
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

void OutputFile::write_failed() const {
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
