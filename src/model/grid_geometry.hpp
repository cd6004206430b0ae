#pragma once

#include <cstdint>

namespace tessadro {

// The model grid: nrow rows numbered from the north edge, ncol columns
// numbered from the west edge, cells of delx by dely feet.
struct Grid {
    std::int32_t nrow = 0;
    std::int32_t ncol = 0;
    float delx = 0.0f;
    float dely = 0.0f;
    float xorigin = 0.0f;  // west edge
    float yorigin = 0.0f;  // south edge
    float ytop = 0.0f;     // north edge, derived
};

struct Cell {
    std::int32_t column;
    std::int32_t row;
};

// The processor's truncating conversion of a double to a 4-byte integer: a
// value that is NaN, infinite or outside the integer range gives -2147483648
// and raises the invalid-operation flag, as the hardware conversion does.
int truncate_to_int32(double value);

// The north edge: nrow * dely + yorigin in double, rounded once.
float north_edge(const Grid& grid);

// The cell holding a point. The differences from the west and north edges are
// 4-byte reals; the quotients are truncated toward zero, so a point less than
// a cell outside the west or north edge still falls in column or row 1.
Cell locate(const Grid& grid, float x, float y);

bool on_grid(const Grid& grid, Cell cell);

// Cell centres, formed in double and rounded once.
float centre_x(const Grid& grid, std::int32_t column);
float centre_y(const Grid& grid, std::int32_t row);

// The cell number counted row by row from the north-west cell with the given
// row length; wraps like 4-byte integer arithmetic for cells far off the grid.
std::int32_t cell_number(std::int32_t row, std::int32_t column, std::int32_t row_length);

}  // namespace tessadro
