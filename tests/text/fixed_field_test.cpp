// Fixed-field records: the stored formats of the grid rows ("(326i2)"), the
// array rows ("(326f6.1)"), the group report ("(2i6,2f12.0,4f10.2)"), plain
// text ("(a)") and the factor ("(G32.0)"). The group report's records and
// rows of 326 + 4 fields, the whole-run datasets check.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "record_helpers.hpp"
#include "text/fixed_field.hpp"

namespace tessadro::test {
namespace {

TEST(FixedFieldWrite, FieldsTextsAndReversion) {
    const float inf = std::numeric_limits<float>::infinity();
    const std::string long_text(300000, 'x');
    struct Row {
        const char* format;
        std::vector<Item> items;
        std::string text;
    };
    const Row rows[] = {
        // Items beyond the last field start the format again on a new record.
        {"(2i6,2f12.0,4f10.2)", {1, 2, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f, 8.0f, 9, 10},
         "     1     2          3.          4.      5.00      6.00      7.00      8.00\r\n     9    10"},
        {"(a6,a3)", {"npd", "abcdef"}, "   npdabc"},  // right-aligned in its field, or cut
        // A record longer than the file's buffer makes it grow.
        {"(a)", {long_text}, long_text},
        {"(326f6.1)", {123456.0f, -0.04f, inf, -inf, std::numeric_limits<float>::quiet_NaN()},
         "******  -0.0   Inf  -Inf   NaN"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.text + "\r\n", written([&](OutputFile& out) { write_fixed(out, Format(row.format), row.items); }))
            << row.format;
    }
    // An array row under reversion: records of 3 F6.1 fields, the last one
    // short. 1.25 lies halfway between 1.2 and 1.3 and goes to the even digit;
    // the float nearest 0.05 lies a hair above it.
    const std::vector<float> values = {0.0f, 1.25f, -2.5f, 123456.0f, 0.05f, -0.04f, 7.0f};
    EXPECT_EQ("   0.0   1.2  -2.5\r\n******   0.1  -0.0\r\n   7.0\r\n",
              written([&](OutputFile& out) { write_fixed_reals(out, Format("(3f6.1)"), values); }));
}

TEST(FixedFieldRead, IntegerAndRealFields) {
    const char* i2 = "(326i2)";
    expect_reads({
        {i2, " 77   \n", {"iii"}, "0: 7,7,0"},  // " 7", "7 ", "  "
        // 10 characters for 8 fields: the missing fields read as zero, an empty record too.
        {i2, " 1 2 3 4 5\n\n", {"iiiiiiii", "iii"}, "0: 1,2,3,4,5,0,0,0 | 0: 0,0,0"},
        // "1," and "2," end early at their commas; "12" and "-3" are full fields.
        {i2, " 1 0-1\n1,2,12-3\n", {"iii", "iiii"}, "0: 1,0,-1 | 0: 1,2,12,-3"},
        {i2, " 1 2 3\n 4\n", {"ii", "i"}, "0: 1,2 | 0: 4"},  // the rest of the record is skipped
        {i2, " x 1\n", {"ii"}, "1 Bad value during integer read:"},
        {i2, "1.\n", {"ii"}, "1 Bad value during integer read:"},
        {i2, " 11-\n", {"ii"}, "1 Bad value during integer read:"},
        {i2, "", {"ii"}, "-1 End of file:"},
        {"(i11)", " 2147483648\n", {"i"}, "1 Value overflowed during integer read:"},
        {"(i11)", "-2147483649\n", {"i"}, "1 Value overflowed during integer read:"},
        {"(i11)", "-2147483648\n", {"i"}, "0: -2147483648"},
        // The factor: a 10-character record under a 32-character field with no
        // implied decimals, blanks ignored.
        {"(G32.0)", " 1 5      ", {"f"}, "0: 15"},
        {"(G32.0)", "-2.5e1    ", {"f"}, "0: -25"},
    });
}

}  // namespace
}  // namespace tessadro::test
