// Tables of the run: every index is checked against its dimension's bounds
// before use, and a bad one ends the run with a message naming the index,
// the dimension, the table and the bound.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "model/table.hpp"
#include "text/run_error.hpp"

namespace tessadro {
namespace {

TEST(Table, StartsZeroAndKeepsEveryElementApart) {
    Table<std::int32_t, 2> ibound("ibound", {400, 300});
    EXPECT_EQ(0, ibound(400, 300));
    for (std::int32_t row = 1; row <= 300; ++row) {
        for (std::int32_t column = 1; column <= 400; ++column) ibound(column, row) = column * 1000 + row;
    }
    EXPECT_EQ(2001, ibound(2, 1));
    EXPECT_EQ(1002, ibound(1, 2));
    EXPECT_EQ(400300, ibound(400, 300));
}

TEST(Table, IndexMessagesCheckTheLastDimensionFirst) {
    Table<std::int32_t, 2> ibound("ibound", {400, 400});
    Table<float, 1> pumpgrp("pumpgrp", {5000});
    const Table<float, 1>& constant = pumpgrp;
    Table<float, 4> xcoord("xcoord", {20, 45, 36, 16});
    const std::pair<std::function<void()>, const char*> rows[] = {
        {[&] { ibound(401, 1); }, "Index '401' of dimension 1 of array 'ibound' above upper bound of 400"},
        {[&] { ibound(0, 5); }, "Index '0' of dimension 1 of array 'ibound' below lower bound of 1"},
        {[&] { ibound(1, 401); }, "Index '401' of dimension 2 of array 'ibound' above upper bound of 400"},
        {[&] { ibound(401, 0); }, "Index '0' of dimension 2 of array 'ibound' below lower bound of 1"},
        {[&] { pumpgrp(5001); }, "Index '5001' of dimension 1 of array 'pumpgrp' above upper bound of 5000"},
        {[&] { constant(-3); }, "Index '-3' of dimension 1 of array 'pumpgrp' below lower bound of 1"},
        {[&] { xcoord(1, 46, 1, 17); }, "Index '17' of dimension 4 of array 'xcoord' above upper bound of 16"},
        {[&] { xcoord(1, 46, 1, 1); }, "Index '46' of dimension 2 of array 'xcoord' above upper bound of 45"},
    };
    for (const auto& [access, message] : rows) {
        try {
            access();
            ADD_FAILURE() << "no run error for " << message;
        } catch (const RunError& e) {
            EXPECT_STREQ(message, e.what());
        }
    }
}

}  // namespace
}  // namespace tessadro
