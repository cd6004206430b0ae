#include "report/constant_head.hpp"

namespace tessadro {
namespace {

// Adds the runs of edges along one line of cell sides: edge(k) says whether
// the side at position k (0-based) on the line divides a constant-head cell
// from another; each run becomes "M<at> <line>h<length>" (or v for a
// vertical line, which swaps the coordinates).
template <typename Edge>
void add_runs(std::string& path, std::size_t& runs, int line, int length, bool vertical, Edge edge) {
    for (int k = 0; k < length;) {
        if (!edge(k)) {
            ++k;
            continue;
        }
        int end = k;
        while (end < length && edge(end)) ++end;
        const std::string at = std::to_string(k), across = std::to_string(line);
        path.append("M").append(vertical ? across : at).append(" ").append(vertical ? at : across);
        path.append(vertical ? "v" : "h").append(std::to_string(end - k));
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
    // Constant head at a 0-based row and column; outside the grid, none.
    auto held = [&](int row, int column) {
        if (row < 0 || row >= rows || column < 0 || column >= columns) return false;
        return ibound[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                      static_cast<std::size_t>(column)] < 0;
    };
    std::string path;
    std::size_t runs = 0;
    for (int line = 0; line <= rows && runs <= constant_head_runs; ++line) {
        add_runs(path, runs, line, columns, false, [&](int c) { return held(line - 1, c) != held(line, c); });
    }
    for (int line = 0; line <= columns && runs <= constant_head_runs; ++line) {
        add_runs(path, runs, line, rows, true, [&](int r) { return held(r, line - 1) != held(r, line); });
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
