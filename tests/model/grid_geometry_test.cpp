// The model grid: where a point falls (columns from the west edge, rows from
// the north edge, quotients truncated toward zero), where a cell's centre
// lies, and how cells are numbered.
#include <gtest/gtest.h>

#include <cfenv>
#include <cstdint>
#include <limits>

#include "model/grid_geometry.hpp"

namespace tessadro {
namespace {

constexpr std::int32_t int_min = std::numeric_limits<std::int32_t>::min();

// 3 rows, 4 columns of 100 ft, west edge 1000, south edge 5000.
Grid small_grid() {
    Grid g{3, 4, 100.0f, 100.0f, 1000.0f, 5000.0f, 0.0f};
    g.ytop = north_edge(g);
    return g;
}

TEST(GridGeometry, LocatesPointsOfTheSmallGrid) {
    const Grid g = small_grid();
    EXPECT_EQ(5300.0f, g.ytop);
    const struct {
        float x, y;
        std::int32_t column, row;
        bool on;
    } rows[] = {
        {1399.9f, 5000.1f, 4, 3, true},
        {1400.0f, 5200.0f, 5, 2, false},
        {950.0f, 5350.0f, 1, 1, true},  // within one cell of the west and north edges
        {899.0f, 5250.0f, 0, 1, false},
        // A boundary belongs to the cell east and south of it.
        {1100.0f, 5200.0f, 2, 2, true},
        {1099.99f, 5200.01f, 1, 1, true},
        {1050.0f, 5000.0f, 1, 4, false},  // the south edge is the next row's north edge
        {1050.0f, 5399.0f, 1, 1, true},   // dy = -99: truncated to 0
        {1050.0f, 5401.0f, 1, 0, false},  // dy = -101: truncated to -1
    };
    for (const auto& row : rows) {
        const Cell c = locate(g, row.x, row.y);
        EXPECT_EQ(row.column, c.column) << row.x << ", " << row.y;
        EXPECT_EQ(row.row, c.row) << row.x << ", " << row.y;
        EXPECT_EQ(row.on, on_grid(g, c)) << row.x << ", " << row.y;
    }
}

TEST(GridGeometry, PrecisionOfDifferencesQuotientsAndEdges) {
    // 1 / 0.1f = 9.99999985...: truncated to 9, column 10. Rounded to a
    // 4-byte real first it would be 10.0 and column 11.
    EXPECT_EQ(10, locate(Grid{1, 20, 0.1f, 1.0f, 0.0f, 0.0f, 1.0f}, 1.0f, 0.5f).column);
    // x - xorigin = 16777217 is not a 4-byte value: it rounds (to even) to
    // 16777216, column 16777217; the same for ytop - y.
    Grid g{1, 1, 1.0f, 1.0f, -1.0f, 16777215.0f, 0.0f};
    g.ytop = north_edge(g);
    EXPECT_EQ(16777216.0f, g.ytop);
    EXPECT_EQ(16777217, locate(g, 16777216.0f, -1.0f).column);
    EXPECT_EQ(16777217, locate(g, 16777216.0f, -1.0f).row);
    // 3 * 16777215 - 50331644 = 1 exactly; a 4-byte product would round
    // 50331645 to 50331644 and give 0.
    EXPECT_EQ(1.0f, north_edge(Grid{3, 1, 1.0f, 16777215.0f, 0.0f, -50331644.0f, 0.0f}));
}

TEST(GridGeometry, CellCentresAndNumbers) {
    const Grid g = small_grid();
    EXPECT_EQ(1350.0f, centre_x(g, 4));
    EXPECT_EQ(5050.0f, centre_y(g, 3));
    // 2.5 * 16777215 - 41943036 = 1.5 when formed in double and rounded once;
    // a 4-byte product would round 41943037.5 to 41943036 and give 0.
    EXPECT_EQ(1.5f, centre_x(Grid{1, 3, 16777215.0f, 1.0f, -41943036.0f, 0.0f, 1.0f}, 3));
    EXPECT_EQ(7, cell_number(2, 3, g.ncol));  // row by row: 4 cells of row 1, then 3
    // Far off the grid the number wraps like a 4-byte integer.
    EXPECT_EQ(int_min, cell_number(2, 1, 2147483647));
}

TEST(GridGeometry, UndefinedQuotientsTruncateToTheMinimumAndRaiseInvalid) {
    const struct {
        double value;
        std::int32_t truncated;
        bool invalid;
    } rows[] = {
        {2147483647.9, 2147483647, false}, {-2147483648.9, int_min, false}, {-1.9, -1, false},
        {1.9, 1, false}, {2147483648.0, int_min, true}, {-2147483649.0, int_min, true},
    };
    for (const auto& row : rows) {
        std::feclearexcept(FE_ALL_EXCEPT);
        EXPECT_EQ(row.truncated, truncate_to_int32(row.value)) << row.value;
        EXPECT_EQ(row.invalid, std::fetestexcept(FE_INVALID) != 0) << row.value;
    }
    // The column is that minimum + 1 with 4-byte wrap-around: off the grid.
    const Grid g = small_grid();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const float x : {nan, 3.0e38f, -3.0e38f, std::numeric_limits<float>::infinity()}) {
        std::feclearexcept(FE_ALL_EXCEPT);
        const Cell c = locate(g, x, 5250.0f);
        EXPECT_NE(0, std::fetestexcept(FE_INVALID)) << x;
        EXPECT_EQ(int_min + 1, c.column) << x;
        EXPECT_EQ(1, c.row);
    }
    EXPECT_EQ(int_min + 1, locate(g, 1050.0f, nan).row);
    // -2^31 exactly is in range: column -2147483647 without the invalid flag.
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_EQ(int_min + 1, locate(Grid{1, 1, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f}, -2147483648.0f, 0.5f).column);
    EXPECT_EQ(0, std::fetestexcept(FE_INVALID));
    std::feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace
}  // namespace tessadro
