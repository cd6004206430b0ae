// A record written over and over keeps its text and formats again only the
// items whose value changed; what it writes must still be, byte for byte,
// what write_list writes for the same items, whatever changed in between.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "record_helpers.hpp"
#include "text/free_form.hpp"
#include "text/repeated_record.hpp"

namespace tessadro {
namespace {

using Records = std::vector<std::vector<Item>>;

// The records written through one RepeatedRecord into one file and through
// write_list into another must give the same text; a difference is shown at
// its first byte.
void expect_same_text(const Records& records) {
    const auto repeated_path = test::scratch("repeated");
    const auto listed_path = test::scratch("listed");
    {
        OutputFile repeated(repeated_path.string(), 8);
        OutputFile listed(listed_path.string(), 9);
        RepeatedRecord record;
        for (const std::vector<Item>& items : records) {
            record.write(repeated, items);
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

// Values repeating and changing; 0.0 and -0.0 (equal numbers, not equal bits:
// -0.0 shows its sign); an integer and a real of the same bits in the same
// place (the kind, and with it the width, changed: the record is laid out
// again); the number of items changing; a text item or no item at all, which
// go to write_list, with the numbers after them laid out as before.
TEST(RepeatedRecord, ChangesOfValueKindAndLength) {
    const std::int32_t one_bits = std::bit_cast<std::int32_t>(1.0f);
    expect_same_text({{0.0f, 1}, {-0.0f, 1}, {0.0f, 1}, {-0.0f, 1}});
    expect_same_text({{5, one_bits, 6}, {5, 1.0f, 6}, {5, one_bits, 6}, {0, 0.0f}, {0.0f, 0}, {0.0f, 0.0f}});
    expect_same_text({{1, 2, 3}, {1, 2}, {1, 2, 3, 4.0f}, {1}, {1, 2, 3, 4.0f}, {1, 2, 3, 4.0f}});
    expect_same_text({{1, 2.0f}, {1, "I"}, {}, {"text", "texts"}, {1, 2.0f}, {1, 3.0f}, {}, {1, 3.0f, "I"}, {2, 3.0f}});
}

}  // namespace
}  // namespace tessadro
