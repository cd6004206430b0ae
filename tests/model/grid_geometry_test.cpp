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
        {std::numeric_limits<double>::quiet_NaN(), int_min, true},  // no comparison holds for it
    };
    for (const auto& row : rows) {
        std::feclearexcept(FE_ALL_EXCEPT);
        EXPECT_EQ(row.truncated, truncate_to_int32(row.value)) << row.value;
        EXPECT_EQ(row.invalid, std::fetestexcept(FE_INVALID) != 0) << row.value;
    }
    // The row is that minimum + 1 with 4-byte wrap-around: off the grid.
    EXPECT_EQ(int_min + 1, locate(small_grid(), 1050.0f, std::numeric_limits<float>::quiet_NaN()).row);
    std::feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace
}  // namespace tessadro
