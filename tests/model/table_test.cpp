// Tables of the run: every index is checked against its dimension's bounds
// before use, and a bad one ends the run with a message naming the index,
// the dimension, the table and the bound.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <span>

#include "model/run_state.hpp"
#include "model/table.hpp"
#include "text/run_error.hpp"

namespace tessadro {
namespace {

// Each access ends the run with the message given.
using Access = std::pair<std::function<void()>, const char*>;
template <std::size_t N>
void expect_run_errors(const Access (&rows)[N]) {
    for (const auto& [access, message] : rows) {
        try {
            access();
            ADD_FAILURE() << "no run error for " << message;
        } catch (const RunError& e) {
            EXPECT_STREQ(message, e.what());
        }
    }
}

// A fill reaches every element; zero is the memory's own zero fill, and minus
// zero, whose sign bit is set, is not zero there. A grid of 400 x 300 cells
// takes mapped pages, one of 40 x 30 memory from the heap.
TEST(Table, AFillReachesEveryElement) {
    for (const std::int32_t scale : {10, 1}) {
        Table<float, 2> pump("pump", {40 * scale, 30 * scale});
        for (const float value : {2.5f, 0.0f, -0.0f, 0.0f}) {
            pump(7, 9) = 1.0f;
            pump.fill(value);
            for (const auto [column, row] : {std::array{1, 1}, std::array{7, 9}, std::array{40 * scale, 30 * scale}}) {
                EXPECT_EQ(value, pump(column, row)) << scale;
                EXPECT_EQ(std::signbit(value), std::signbit(pump(column, row))) << scale;
            }
        }
    }
}

// A grid row as one run of storage: the elements in column order, and the
// failures of the accesses one by one: the first element's row, then the
// first column past the extent; no access at all for an empty run.
TEST(Table, ARowIsARunOfStorageCheckedAsItsAccesses) {
    Table<float, 2> grid("gwret", {4, 3});
    for (std::int32_t column = 1; column <= 4; ++column) grid(column, 2) = static_cast<float>(10 * column);
    const std::span<const float> row = grid.run(3, 2);
    ASSERT_EQ(3u, row.size());
    EXPECT_EQ(10.0f, row[0]);
    EXPECT_EQ(30.0f, row[2]);
    EXPECT_TRUE(grid.run(0, 7).empty());
    const Access rows[] = {
        {[&] { grid.run(2, 4); }, "Index '4' of dimension 2 of array 'gwret' above upper bound of 3"},
        {[&] { grid.run(9, 0); }, "Index '0' of dimension 2 of array 'gwret' below lower bound of 1"},
        {[&] { grid.run(9, 1); }, "Index '5' of dimension 1 of array 'gwret' above upper bound of 4"},
    };
    expect_run_errors(rows);
}

// The place of an element, asked for to fetch the tract points ahead:
// column-major, the first index fastest; an index outside its dimension,
// whichever and however far, gives the table's size, a place no element has.
TEST(Table, ThePlaceOfAnElementIsColumnMajorOrTheSize) {
    using Place = std::array<std::int32_t, 4>;
    const auto place = [](const Place& p) { return TractCoords::place(p[0], p[1], p[2], p[3]); };
    const std::uint32_t size = 20 * 45 * 36 * 16;
    constexpr std::int32_t int_min = INT32_MIN, int_max = INT32_MAX;
    const struct {
        Place index;
        std::uint32_t place;
    } rows[] = {
        {{1, 1, 1, 1}, 0}, {{2, 1, 1, 1}, 1}, {{1, 2, 1, 1}, 20}, {{1, 1, 2, 1}, 900}, {{1, 1, 1, 2}, 32400},
        {{7, 13, 29, 5}, 155046},  // 6 + 20 * (12 + 45 * (28 + 36 * 4))
        {{20, 45, 36, 16}, size - 1}, {{21, 1, 1, 1}, size},  // not the place of (1, 2, 1, 1)
        // Outside in each dimension, however far.
        {{0, 13, 29, 5}, size}, {{7, -1, 29, 5}, size}, {{7, 13, int_min, 5}, size}, {{7, 13, 29, 17}, size},
        {{7, 46, 29, int_max}, size},
    };
    for (const auto& row : rows) EXPECT_EQ(row.place, place(row.index)) << row.place;
}

}  // namespace
}  // namespace tessadro
