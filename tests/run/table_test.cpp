// Tables of the run: every index is checked against its dimension's bounds
// before use, and a bad one ends the run with a message naming the index,
// the dimension, the table and the bound.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "model/table.hpp"
#include "run/free_form.hpp"
#include "run/run_error.hpp"

namespace tessadro {
namespace {

// The message and location of the run error an access raises.
template <class F>
std::pair<std::string, std::string> failure(F access) {
    try {
        access();
    } catch (const RunError& e) {
        return {e.what(), e.location()};
    }
    return {"no run error", ""};
}

TEST(Table, StartsZeroAndKeepsEveryElementApart) {
    Table<std::int32_t, 2> ibound("ibound", {400, 400});
    EXPECT_EQ(0, ibound(1, 1));
    EXPECT_EQ(0, ibound(400, 400));
    for (std::int32_t row = 1; row <= 400; ++row) {
        for (std::int32_t column = 1; column <= 400; ++column) ibound(column, row) = column * 1000 + row;
    }
    EXPECT_EQ(2001, ibound(2, 1));
    EXPECT_EQ(1002, ibound(1, 2));
    EXPECT_EQ(400400, ibound(400, 400));
    ibound.fill(0);
    EXPECT_EQ(0, ibound(123, 321));
}

TEST(Table, IndexMessages) {
    Table<std::int32_t, 2> ibound("ibound", {400, 400});
    EXPECT_EQ("Index '401' of dimension 1 of array 'ibound' above upper bound of 400",
              failure([&] { ibound(401, 1); }).first);
    EXPECT_EQ("Index '0' of dimension 1 of array 'ibound' below lower bound of 1",
              failure([&] { ibound(0, 5); }).first);
    EXPECT_EQ("Index '401' of dimension 2 of array 'ibound' above upper bound of 400",
              failure([&] { ibound(1, 401); }).first);
    // Both indexes bad: the last dimension is checked first.
    EXPECT_EQ("Index '0' of dimension 2 of array 'ibound' below lower bound of 1",
              failure([&] { ibound(401, 0); }).first);
    Table<float, 1> pumpgrp("pumpgrp", {5000});
    EXPECT_EQ("Index '5001' of dimension 1 of array 'pumpgrp' above upper bound of 5000",
              failure([&] { pumpgrp(5001); }).first);
    EXPECT_EQ("Index '-3' of dimension 1 of array 'pumpgrp' below lower bound of 1",
              failure([&] { pumpgrp(-3); }).first);
    Table<float, 4> xcoord("xcoord", {20, 45, 36, 16});
    EXPECT_EQ("Index '17' of dimension 4 of array 'xcoord' above upper bound of 16",
              failure([&] { xcoord(1, 1, 1, 17); }).first);
    EXPECT_EQ("Index '46' of dimension 2 of array 'xcoord' above upper bound of 45",
              failure([&] { xcoord(1, 46, 1, 1); }).first);
    const Table<float, 1>& constant = pumpgrp;
    EXPECT_EQ("Index '0' of dimension 1 of array 'pumpgrp' below lower bound of 1",
              failure([&] { constant(0); }).first);
}

TEST(Table, LocationNamesTheRecordJustRead) {
    Table<float, 4> xcoord("xcoord", {20, 45, 36, 16});
    EXPECT_EQ("At line 0 of file tessadrov11", failure([&] { xcoord(0, 1, 1, 1); }).second);
    InputFile file("static/40coords.dat", 21, "header\n1 1 1 17\n");
    std::int32_t t = 0, r = 0, s = 0, q = 0;
    read_required(file, {});
    read_required(file, {t, r, s, q});
    EXPECT_EQ("At line 2 of file tessadrov11 (unit = 21, file = 'static/40coords.dat')",
              failure([&] { xcoord(t, r, s, q); }).second);
}

}  // namespace
}  // namespace tessadro
