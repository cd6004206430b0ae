#include "report/csv_reader.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tessadro {

bool read_whole(const std::string& path, std::size_t most, std::string& text, std::string& reason) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    char block[65536];
    for (;;) {
        const ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) reason = std::strerror(errno);
        if (n <= 0) break;
        text.append(block, static_cast<std::size_t>(n));
        if (text.size() > most) {
            reason = "larger than " + std::to_string(most) + " bytes";
            break;
        }
    }
    ::close(fd);
    return reason.empty();
}

std::vector<CsvRow> csv_rows_of(std::string_view text) {
    std::vector<CsvRow> rows;
    CsvRow row;
    std::string field;
    bool quoted = false;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (quoted) {
            if (c != '"') {
                field.push_back(c);
            } else if (k + 1 < text.size() && text[k + 1] == '"') {
                field.push_back('"');
                ++k;
            } else {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.push_back(std::move(field));
            field.clear();
        } else if (c == '\n') {
            row.push_back(std::move(field));
            field.clear();
            rows.push_back(std::move(row));
            row.clear();
        } else {
            field.push_back(c);
        }
    }
    // A last record without its line feed.
    if (!field.empty() || !row.empty()) {
        row.push_back(std::move(field));
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace tessadro
