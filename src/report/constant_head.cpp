#include "report/constant_head.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace tessadro {
namespace {

void append_number(std::string& path, std::size_t n) {
    char text[24];
    path.append(text, std::to_chars(text, text + sizeof text, n).ptr);
}

// Whether the eight bytes from the given ones are the same on both sides: a
// line of cell sides far from any constant-head cell is passed by eight
// sides at a time.
bool same_eight(const std::uint8_t* before, const std::uint8_t* after) {
    return std::memcmp(before, after, 8) == 0;
}

// Adds the runs of edges along one line of cell sides, length of them, between
// the cells before the line and those after it (a byte each, 1 for a constant
// head): a side divides a constant-head cell from another where the two
// differ. Each run becomes "M<at> <line>h<length>" (or v for a vertical line,
// which swaps the coordinates).
void add_runs(std::string& path, std::size_t& runs, std::size_t line, const std::uint8_t* before,
              const std::uint8_t* after, std::size_t length, bool vertical) {
    for (std::size_t k = 0; k < length;) {
        if (k + 8 <= length && same_eight(before + k, after + k)) {
            k += 8;
            continue;
        }
        if (before[k] == after[k]) {
            ++k;
            continue;
        }
        std::size_t end = k;
        while (end < length && before[end] != after[end]) ++end;
        path += 'M';
        append_number(path, vertical ? line : k);
        path += ' ';
        append_number(path, vertical ? k : line);
        path += vertical ? 'v' : 'h';
        append_number(path, end - k);
        ++runs;
        k = end;
    }
}

}  // namespace

std::string constant_head_path(const Grid& grid, const std::vector<std::int32_t>& ibound) {
    const int rows = grid.nrow, columns = grid.ncol;
    if (rows < 1 || columns < 1 ||
        ibound.size() != static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns)) {
        return "";
    }
    // The constant-head cells a byte each, row by row and column by column,
    // each with a line of none before the first and after the last: outside
    // the grid, none. The few constant-head cells are found in the rows eight
    // at a time to be set in the columns.
    const auto r_count = static_cast<std::size_t>(rows), c_count = static_cast<std::size_t>(columns);
    std::vector<std::uint8_t> by_row((r_count + 2) * c_count), by_column((c_count + 2) * r_count);
    for (std::size_t c = 0; c < r_count * c_count; ++c) by_row[c_count + c] = ibound[c] < 0 ? 1 : 0;
    static constexpr std::uint8_t none[8] = {};
    for (std::size_t r = 0; r < r_count; ++r) {
        const std::uint8_t* held = &by_row[(r + 1) * c_count];
        for (std::size_t c = 0; c < c_count; c += 8) {
            const std::size_t end = std::min(c_count, c + 8);
            if (end == c + 8 && same_eight(held + c, none)) continue;
            for (std::size_t k = c; k < end; ++k) {
                if (held[k] != 0) by_column[(k + 1) * r_count + r] = 1;
            }
        }
    }
    std::string path;
    std::size_t runs = 0;
    for (std::size_t line = 0; line <= r_count && runs <= constant_head_runs; ++line) {
        add_runs(path, runs, line, &by_row[line * c_count], &by_row[(line + 1) * c_count], c_count, false);
    }
    for (std::size_t line = 0; line <= c_count && runs <= constant_head_runs; ++line) {
        add_runs(path, runs, line, &by_column[line * r_count], &by_column[(line + 1) * r_count], r_count, true);
    }
    return runs <= constant_head_runs ? path : "";
}

std::string constant_head_definition(const Grid& grid, const std::vector<std::int32_t>& ibound) {
    const std::string path = constant_head_path(grid, ibound);
    if (path.empty()) return "";
    // The stroke keeps its width however a map scales the cell units.
    return std::string(
               "<svg width=\"0\" height=\"0\" style=\"position:absolute\" aria-hidden=\"true\"><defs><path id=\"") +
           constant_head_id + "\" d=\"" + path +
           "\" fill=\"none\" vector-effect=\"non-scaling-stroke\"/></defs></svg>\n";
}

}  // namespace tessadro
