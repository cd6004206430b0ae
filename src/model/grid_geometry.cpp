#include "model/grid_geometry.hpp"

#include <cfenv>
#include <climits>

namespace tessadro {

int truncate_to_int32(double value) {
    // The comparisons fail for NaN too.
    if (value > -2147483649.0 && value < 2147483648.0) return static_cast<int>(value);
    std::feraiseexcept(FE_INVALID);
    return INT_MIN;
}

namespace {

// truncate(q) + 1 with the wrap-around of 4-byte integers.
std::int32_t one_based(double quotient) {
    const auto t = static_cast<std::uint32_t>(truncate_to_int32(quotient));
    return static_cast<std::int32_t>(t + 1u);
}

}  // namespace

float north_edge(const Grid& grid) {
    return static_cast<float>(static_cast<double>(grid.nrow) * static_cast<double>(grid.dely) +
                              static_cast<double>(grid.yorigin));
}

Cell locate(const Grid& grid, float x, float y) {
    const float dx = x - grid.xorigin;
    const float dy = grid.ytop - y;
    return {one_based(static_cast<double>(dx) / static_cast<double>(grid.delx)),
            one_based(static_cast<double>(dy) / static_cast<double>(grid.dely))};
}

bool on_grid(const Grid& grid, Cell cell) {
    return cell.column >= 1 && cell.column <= grid.ncol && cell.row >= 1 && cell.row <= grid.nrow;
}

float centre_x(const Grid& grid, std::int32_t column) {
    return static_cast<float>((static_cast<double>(column) - 0.5) * static_cast<double>(grid.delx) +
                              static_cast<double>(grid.xorigin));
}

float centre_y(const Grid& grid, std::int32_t row) {
    const double rows_up = static_cast<double>(grid.nrow) - static_cast<double>(row) + 1.0;
    return static_cast<float>((rows_up - 0.5) * static_cast<double>(grid.dely) + static_cast<double>(grid.yorigin));
}

std::int32_t cell_number(std::int32_t row, std::int32_t column, std::int32_t row_length) {
    const std::uint32_t n = (static_cast<std::uint32_t>(row) - 1u) * static_cast<std::uint32_t>(row_length) +
                            static_cast<std::uint32_t>(column);
    return static_cast<std::int32_t>(n);
}

}  // namespace tessadro
