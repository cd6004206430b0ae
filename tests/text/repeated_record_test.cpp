// A record written over and over keeps its text and formats again only the
// items whose value changed; what it writes must still be, byte for byte,
// what write_list writes for the same items, whatever changed in between.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "record_helpers.hpp"
#include "text/free_form.hpp"
#include "text/repeated_record.hpp"

namespace tessadro {
namespace {

// Rows of the tract table's layout, its share (items 6 and 12) twice, through
// one RepeatedRecord and through write_list. The first rows: zero (the items
// start as zero, so nothing is formatted), then -0.0 (equal to 0.0, not in
// its bits: it shows its sign), an integer and a real of the same bits. Then
// random rows, each item kept from the row before or changed: half the reals
// any bit pattern (NaN payloads and infinities among them), half from 2^-14
// to 2^30, over the fixed-point layouts; integers of every width and sign.
TEST(RepeatedRecord, RowsMatchWriteList) {
    constexpr Item::Kind i = Item::Kind::integer, r = Item::Kind::real;
    const std::initializer_list<Item::Kind> kinds = {i, i, i, i, i, r, r, r, r, i, i, i, r, i, i, r, r, r, r, r, r, i};
    std::vector<Item> row;
    for (const Item::Kind kind : kinds) row.push_back(kind == i ? Item(0) : Item(0.0f));
    std::vector<std::vector<Item>> rows = {row};
    row[5] = row[6] = row[12] = -0.0f;
    row[4] = std::bit_cast<std::int32_t>(1.0f);
    row[7] = 1.0f;
    rows.push_back(row);
    std::mt19937 random(19);
    while (rows.size() < 20000) {
        for (Item& item : row) {
            const auto bits = static_cast<std::uint32_t>(random());
            if (bits % 2 == 0) continue;
            const std::uint32_t exponent = 113u + static_cast<std::uint32_t>(random()) % 44u;
            if (item.kind == i) item = Item(static_cast<std::int32_t>(bits % 3 == 0 ? bits : bits % 2000));
            else item = Item(std::bit_cast<float>(bits % 4 == 1 ? bits : (bits & 0x807fffffu) | (exponent << 23)));
        }
        row[12] = row[6];
        rows.push_back(row);
    }
    const std::string text = test::written([&](OutputFile& out) {
        RepeatedRecord record(kinds);
        for (const std::vector<Item>& items : rows) {
            for (std::size_t k = 0; k < items.size(); ++k) {
                if (k == 12) record.repeat(12, 6);
                else if (items[k].kind == i) record.set(k, items[k].integer);
                else record.set(k, items[k].real);
            }
            record.write(out);
        }
    });
    const std::string listed = test::written([&](OutputFile& out) {
        for (const std::vector<Item>& items : rows) write_list(out, items);
    });
    const auto differ = std::mismatch(listed.begin(), listed.end(), text.begin(), text.end());
    EXPECT_TRUE(listed == text) << "first difference at byte " << differ.first - listed.begin();
}

}  // namespace
}  // namespace tessadro
