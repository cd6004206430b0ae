#include "report/report_folder.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "run/run.hpp"
#include "text/run_error.hpp"

namespace tessadro {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void failed(const std::string& what, const fs::path& path, int error) {
    throw RunError(statement_location(0), what + " '" + path.string() + "': " + std::strerror(error));
}

// A file's temporary name, beside it: hidden, and the same for every run of
// the year, so that a run killed while writing leaves nothing that the next
// run does not remove.
fs::path temporary(const fs::path& path) {
    std::string name = ".";
    name.append(path.filename().string()).append(".partial");
    return path.parent_path() / name;
}

// Removes a regular file or a symbolic link (the link, not what it points
// to); anything else at the path is left alone.
void remove_entry(const fs::path& path) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (fs::is_regular_file(status) || fs::is_symlink(status)) ::unlink(path.c_str());
}

void write_whole(const fs::path& path, const fs::path& named, std::string_view text) {
    ::unlink(path.c_str());  // a link left at the temporary name is not followed
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) failed("Cannot write file", named, errno);
    const char* p = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : EIO;
            ::close(fd);
            ::unlink(path.c_str());
            failed("Cannot write file", named, error);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    // The last of the data may reach the disk only at the close.
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(path.c_str());
        failed("Cannot write file", named, error);
    }
}

}  // namespace

std::string report_folder_name(std::string_view year) {
    const std::string name = year_text(year);
    const std::size_t last = name.find_last_not_of(' ');
    if (last == std::string::npos) return {};
    const std::string_view trimmed = std::string_view(name).substr(0, last + 1);
    if (trimmed == "." || trimmed == ".." || name.front() == '-') return {};
    for (const char c : name) {
        if (c == '/' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return {};
    }
    return name;
}

ReportFolder::ReportFolder(fs::path dir, std::vector<std::string> names)
    : dir_(std::move(dir)), names_(std::move(names)) {}

ReportFolder::~ReportFolder() {
    if (placed_.size() < staged_.size() || placed_.empty()) {
        for (std::size_t k = placed_.size(); k < staged_.size(); ++k) ::unlink(temporary(dir_ / staged_[k]).c_str());
        for (const std::string& name : placed_) ::unlink((dir_ / name).c_str());
        if (made_gis_) ::rmdir((dir_ / "gis").c_str());
    }
    if (lock_fd_ >= 0) ::close(lock_fd_);
}

void ReportFolder::lock() {
    std::error_code ec;
    fs::create_directories(dir_, ec);
    lock_fd_ = ::open(dir_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (lock_fd_ < 0) return;
    while (::flock(lock_fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
}

void ReportFolder::remove_earlier() const {
    for (const std::string& name : names_) {
        remove_entry(dir_ / name);
        remove_entry(temporary(dir_ / name));
    }
    // An empty gis/ is what an earlier report left; one with anything else
    // in it stays.
    ::rmdir((dir_ / "gis").c_str());
}

void ReportFolder::stage(const std::string& name, std::string_view text) {
    const fs::path path = dir_ / name;
    const fs::path folder = path.parent_path();
    if (::mkdir(folder.c_str(), 0777) == 0) {
        const std::lock_guard hold(lock_);
        made_gis_ = made_gis_ || folder != dir_;
    } else if (errno != EEXIST) {
        failed("Cannot create folder", folder, errno);
    }
    write_whole(temporary(path), path, text);
    const std::lock_guard hold(lock_);
    staged_.push_back(name);
}

void ReportFolder::commit() {
    // The page last: it stands only beside its files.
    const auto rank = [this](const std::string& name) {
        if (name == "index.html") return names_.size();
        return static_cast<std::size_t>(std::find(names_.begin(), names_.end(), name) - names_.begin());
    };
    std::stable_sort(staged_.begin(), staged_.end(),
                     [&rank](const std::string& a, const std::string& b) { return rank(a) < rank(b); });
    for (const std::string& name : staged_) {
        const fs::path path = dir_ / name;
        // A directory in the way is not replaced.
        if (::rename(temporary(path).c_str(), path.c_str()) != 0) failed("Cannot write file", path, errno);
        placed_.push_back(name);
    }
}

}  // namespace tessadro
