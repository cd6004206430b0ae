// Fixed-field records: the stored formats of the grid rows ("(326i2)"), the
// array rows ("(326f6.1)"), the group report ("(2i6,2f12.0,4f10.2)",
// "(2a6,2a12,4a10)"), plain text ("(a)") and the factor ("(G32.0)").
#include <gtest/gtest.h>

#include <cstdio>
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
    const std::string heading = " group   npd      xpd_ft      ypd_ft   pumpgrp  gwretloc  acresloc   authtot";
    struct Row {
        const char* format;
        std::vector<Item> items;
        std::string text;
    };
    const Row rows[] = {
        // Group 7, 2 points of diversion, mean point (1500, 2000), pumping
        // 250.5, return flow 40.25, acres 120, authorized acres 160.
        {"(2i6,2f12.0,4f10.2)", {7, 2, 1500.0f, 2000.0f, 250.5f, 40.25f, 120.0f, 160.0f},
         "     7     2       1500.       2000.    250.50     40.25    120.00    160.00"},
        // Items beyond the last field start the format again on a new record.
        {"(2i6,2f12.0,4f10.2)", {1, 2, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f, 8.0f, 9, 10},
         "     1     2          3.          4.      5.00      6.00      7.00      8.00\r\n     9    10"},
        // Headings are right-aligned in their fields, with or without their blanks.
        {"(2a6,2a12,4a10)", {" group", "   npd", "      xpd_ft", "      ypd_ft", "   pumpgrp", "  gwretloc",
                             "  acresloc", "   authtot"}, heading},
        {"(2a6,2a12,4a10)", {"group", "npd", "xpd_ft", "ypd_ft", "pumpgrp", "gwretloc", "acresloc", "authtot"},
         heading},
        {"(a3)", {"abcdef"}, "abc"},
        {"(a)", {"  reassigned: grp 12  "}, "  reassigned: grp 12  "},
        // A record longer than the file's buffer makes it grow.
        {"(a)", {long_text}, long_text},
        {"(326f6.1)", {123456.0f, -0.04f, inf, -inf, std::numeric_limits<float>::quiet_NaN()},
         "******  -0.0   Inf  -Inf   NaN"},
        {"(i6)", {-12345}, "-12345"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.text + "\r\n", written([&](OutputFile& out) { write_fixed(out, Format(row.format), row.items); }))
            << row.format;
    }
}

// An array row: 400 values are two records of 326 and 74 fields; the values
// alone give the text of the items, also under other real fields.
TEST(FixedFieldWrite, ARowOfRealsAloneAsTheItemsWouldBe) {
    // Value i/2 - 50 for i = 0..399: " -50.0", " -49.5", ..., " 149.5"; then
    // zeros of both signs, a small negative value that rounds to -0.0 and a
    // value too wide (counted once) in fields 4 to 7.
    std::vector<float> values;
    std::string text;
    for (int i = 0; i < 400; ++i) {
        values.push_back(static_cast<float>(i) * 0.5f - 50.0f);
        char field[16];
        std::snprintf(field, sizeof field, "%6.1f", i * 0.5 - 50.0);
        text.append(field).append(i == 325 ? "\r\n" : "");
    }
    values[3] = 0.0f;
    values[4] = -0.0f;
    values[5] = -0.04f;
    values[6] = 123456.0f;
    text.replace(18, 24, "   0.0  -0.0  -0.0******");
    ASSERT_EQ(1956u + 2u + 444u, text.size());
    const std::vector<Item> items(values.begin(), values.end());
    EXPECT_EQ(text + "\r\n", written([&](OutputFile& out) { write_fixed(out, Format("(326f6.1)"), items); }));
    for (const char* format : {"(326f6.1)", "(3f6.1,g10.2)", "(f8.3)"}) {
        long overflowed = -1;
        const std::string quick = written([&](OutputFile& out) {
            write_fixed_reals(out, Format(format), values);
            overflowed = out.overflowed_fields();
        });
        EXPECT_EQ(written([&](OutputFile& out) { write_fixed(out, Format(format), items); }), quick) << format;
        EXPECT_EQ(1, overflowed) << format;  // 123456 is too wide for each of them
    }
    // 326 values exactly: one record; no values: one empty record, as
    // write_fixed writes for no items.
    const std::span<const Item> full(items.data(), 326);
    EXPECT_EQ(text.substr(0, 1958), written([&](OutputFile& out) { write_fixed(out, Format("(326f6.1)"), full); }));
    EXPECT_EQ("\r\n", written([](OutputFile& out) { write_fixed_reals(out, Format("(326f6.1)"), {}); }));
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
        {i2, " 1 .\n", {"ii"}, "1 Bad value during integer read:"},
        {i2, "1.\n", {"ii"}, "1 Bad value during integer read:"},
        {i2, " 11-\n", {"ii"}, "1 Bad value during integer read:"},
        {i2, "", {"ii"}, "-1 End of file:"},
        {"(i11)", " 2147483648\n", {"i"}, "1 Value overflowed during integer read:"},
        {"(i11)", "-2147483648\n", {"i"}, "0: -2147483648"},
        // The factor: a 10-character record under a 32-character field with no
        // implied decimals, blanks ignored.
        {"(G32.0)", "0.7187758 ", {"f"}, "0: 0.7187758"},
        {"(G32.0)", "7         ", {"f"}, "0: 7"},
        {"(G32.0)", "          ", {"f"}, "0: 0"},
        {"(G32.0)", " 1 5      ", {"f"}, "0: 15"},
        {"(G32.0)", "-2.5e1    ", {"f"}, "0: -25"},
        {"(G32.0)", "x         ", {"f"}, "1 Bad value during floating point read:"},
    });
}

TEST(FixedFieldRead, RowOf400ValuesFromTwoRecords) {
    auto value = [](int i) { return (i * 7) % 100 - (i % 3 == 0 ? 9 : 0); };
    std::string text;
    for (int i = 0; i < 400; ++i) {
        char field[8];
        std::snprintf(field, sizeof field, "%2d", value(i));
        text.append(field).append(i == 325 ? "\n" : "");
    }
    LineReader in(text + "\n 5\n");
    std::vector<std::int32_t> v(400, 0);
    std::vector<Target> targets(v.begin(), v.end());
    EXPECT_EQ(0, read_fixed(in, Format("(326i2)"), targets).status);
    for (int i = 0; i < 400; ++i) EXPECT_EQ(value(i), v[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(0, read_fixed(in, Format("(326i2)"), std::span<const Target>(targets.data(), 1)).status);
    EXPECT_EQ(5, v[0]);  // the third record
    // A row whose second record is missing ends at end of file.
    LineReader one_record(std::string(652, '1') + "\n");
    EXPECT_EQ(-1, read_fixed(one_record, Format("(326i2)"), targets).status);
}

}  // namespace
}  // namespace tessadro::test
