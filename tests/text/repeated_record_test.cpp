// A record written over and over keeps its text and formats again only the
// items whose value changed; what it writes must still be, byte for byte,
// what write_list writes for the same items, whatever changed in between.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "record_helpers.hpp"
#include "text/free_form.hpp"
#include "text/repeated_record.hpp"

namespace tessadro {
namespace {

using Records = std::vector<std::vector<Item>>;

// The records (all of the given kinds) written through one RepeatedRecord
// into one file and through write_list into another must give the same text;
// a difference is shown at its first byte. The item at copy (if any) is
// given as a repeat of the one at from, which holds the same value.
struct Repeat {
    std::size_t copy = ~std::size_t{0}, from = 0;
};
void expect_same_text(std::initializer_list<Item::Kind> kinds, const Records& records, Repeat repeat = {}) {
    const auto repeated_path = test::scratch("repeated");
    const auto listed_path = test::scratch("listed");
    {
        OutputFile repeated(repeated_path.string(), 8);
        OutputFile listed(listed_path.string(), 9);
        RepeatedRecord record(kinds);
        for (const std::vector<Item>& items : records) {
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (i == repeat.copy) record.repeat(i, repeat.from);
                else if (items[i].kind == Item::Kind::integer) record.set(i, items[i].integer);
                else record.set(i, items[i].real);
            }
            record.write(repeated);
            write_list(listed, items);
        }
    }
    const std::string repeated = test::slurp(repeated_path);
    const std::string listed = test::slurp(listed_path);
    std::filesystem::remove(repeated_path);
    std::filesystem::remove(listed_path);
    const auto differ = std::mismatch(listed.begin(), listed.end(), repeated.begin(), repeated.end());
    EXPECT_EQ(listed, repeated) << "first difference at byte " << differ.first - listed.begin();
    EXPECT_EQ(records.size(), static_cast<std::size_t>(std::count(listed.begin(), listed.end(), '\n')));
}

constexpr Item::Kind i = Item::Kind::integer;
constexpr Item::Kind r = Item::Kind::real;

// Zero first (the items start as zero, so nothing is formatted); 0.0 and
// -0.0 (equal numbers, not equal bits: -0.0 shows its sign); an integer and a
// real of the same bits side by side.
TEST(RepeatedRecord, ZeroSignedZeroAndEqualBits) {
    const std::int32_t one_bits = std::bit_cast<std::int32_t>(1.0f);
    expect_same_text({r, i}, {{0.0f, 0}, {-0.0f, 1}, {0.0f, 1}, {-0.0f, 1}, {0.0f, 0}});
    expect_same_text({i, r, i}, {{one_bits, 1.0f, 6}, {5, 1.0f, one_bits}, {one_bits, 0.0f, one_bits}});
}

// Random rows of the tract table's layout (its share twice), each item kept from the row before
// or changed at random, half the reals any bit pattern (NaN payloads and
// infinities among them) and half from 2^-14 to 2^31, over 10^-4 to 10^9 where the fixed-point
// layouts lie; integers of every width and sign.
TEST(RepeatedRecord, RandomRowsMatchWriteList) {
    const std::initializer_list<Item::Kind> kinds = {i, i, i, i, i, r, r, r, r, i, i,
                                                     i, r, i, i, r, r, r, r, r, r, i};
    std::mt19937 random(19);
    Records records;
    std::vector<Item> row;
    for (const Item::Kind kind : kinds) row.push_back(kind == i ? Item(0) : Item(0.0f));
    for (int n = 0; n < 20000; ++n) {
        for (Item& item : row) {
            if (random() % 2 == 0) continue;
            const auto bits = static_cast<std::uint32_t>(random());
            if (item.kind == i) {
                item = Item(static_cast<std::int32_t>(random() % 3 == 0 ? bits : bits % 2000));
            } else if (random() % 2 == 0) {
                item = Item(std::bit_cast<float>(bits));
            } else {
                const std::uint32_t exponent = 113u + static_cast<std::uint32_t>(random()) % 44u;  // 2^-14 .. 2^30
                item = Item(std::bit_cast<float>((bits & 0x807fffffu) | (exponent << 23)));
            }
        }
        row[12] = row[6];  // the share, twice
        records.push_back(row);
    }
    expect_same_text(kinds, records, {12, 6});
}

}  // namespace
}  // namespace tessadro
