// Fixed-field records: the stored formats of the grid rows ("(326i2)"), the
// array rows ("(326f6.1)"), the group report ("(2i6,2f12.0,4f10.2)",
// "(2a6,2a12,4a10)"), plain text ("(a)") and the factor ("(G32.0)").
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "run/fixed_field.hpp"
#include "run/run_error.hpp"

namespace tessadro {
namespace {

namespace fs = std::filesystem;

std::string written(const std::function<void(OutputFile&)>& write) {
    const fs::path path = fs::temp_directory_path() / ("recordtests-fixed-" + std::to_string(::getpid()));
    {
        OutputFile out(path.string(), 8);
        write(out);
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    fs::remove(path);
    return text.str();
}

// Reads ints (or reals) into a vector of the given size, prefilled with `fill`.
template <class T>
ReadResult read_values(LineReader& in, const char* format, std::vector<T>& values) {
    std::vector<Target> targets;
    for (T& v : values) targets.emplace_back(v);
    return read_fixed(in, Format(format), targets);
}

// ------------------------------------------------------------ writing

TEST(FixedFieldWrite, GroupLine) {
    // Group 7 with 2 points of diversion, mean point (1500, 2000), pumping
    // 250.5, return flow 40.25, acres 120, authorized acres 160.
    EXPECT_EQ("     7     2       1500.       2000.    250.50     40.25    120.00    160.00\r\n",
              written([](OutputFile& out) {
                  write_fixed(out, Format("(2i6,2f12.0,4f10.2)"),
                              {7, 2, 1500.0f, 2000.0f, 250.5f, 40.25f, 120.0f, 160.0f});
              }));
}

TEST(FixedFieldWrite, HeaderTextsAreRightAlignedOrCut) {
    const std::string line = " group   npd      xpd_ft      ypd_ft   pumpgrp  gwretloc  acresloc   authtot";
    ASSERT_EQ(76u, line.size());
    const Format header("(2a6,2a12,4a10)");
    EXPECT_EQ(line + "\r\n", written([&](OutputFile& out) {
                  write_fixed(out, header, {" group", "   npd", "      xpd_ft", "      ypd_ft", "   pumpgrp",
                                            "  gwretloc", "  acresloc", "   authtot"});
              }));
    // The same headings without their blanks are right-aligned to the same line.
    EXPECT_EQ(line + "\r\n", written([&](OutputFile& out) {
                  write_fixed(out, header,
                              {"group", "npd", "xpd_ft", "ypd_ft", "pumpgrp", "gwretloc", "acresloc", "authtot"});
              }));
    EXPECT_EQ("abc\r\n", written([](OutputFile& out) { write_fixed(out, Format("(a3)"), {"abcdef"}); }));
}

TEST(FixedFieldWrite, BareAWritesTheWholeText) {
    EXPECT_EQ("  reassigned: grp 12  \r\n",
              written([](OutputFile& out) { write_fixed(out, Format("(a)"), {"  reassigned: grp 12  "}); }));
}

TEST(FixedFieldWrite, RowOf400ValuesIsTwoRecords) {
    // Value i/2 for i = 0..399: "   0.0", "   0.5", ..., " 199.5".
    std::vector<Item> items;
    std::string first, second;
    for (int i = 0; i < 400; ++i) {
        items.emplace_back(static_cast<float>(i) * 0.5f);
        char field[16];
        std::snprintf(field, sizeof field, "%6.1f", i * 0.5);
        (i < 326 ? first : second).append(field);
    }
    ASSERT_EQ(1956u, first.size());
    ASSERT_EQ(444u, second.size());
    EXPECT_EQ(first + "\r\n" + second + "\r\n",
              written([&](OutputFile& out) { write_fixed(out, Format("(326f6.1)"), items); }));
    // 326 values exactly: one record.
    const std::span<const Item> full_record(items.data(), 326);
    EXPECT_EQ(first + "\r\n", written([&](OutputFile& out) { write_fixed(out, Format("(326f6.1)"), full_record); }));
}

TEST(FixedFieldWrite, ReversionStartsTheFormatAgain) {
    EXPECT_EQ("     1     2          3.          4.      5.00      6.00      7.00      8.00\r\n"
              "     9    10\r\n",
              written([](OutputFile& out) {
                  write_fixed(out, Format("(2i6,2f12.0,4f10.2)"), {1, 2, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f, 8.0f, 9, 10});
              }));
}

TEST(FixedFieldWrite, FieldsTooWideAndSpecialValues) {
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ("******  -0.0   Inf  -Inf   NaN\r\n", written([&](OutputFile& out) {
                  write_fixed(out, Format("(326f6.1)"),
                              {123456.0f, -0.04f, inf, -inf, std::numeric_limits<float>::quiet_NaN()});
              }));
    EXPECT_EQ("-12345\r\n", written([](OutputFile& out) { write_fixed(out, Format("(i6)"), {-12345}); }));
}

// ------------------------------------------------------------ reading

TEST(FixedFieldRead, IntegerFieldsIgnoreBlanks) {
    LineReader in(" 77   \n");
    std::vector<std::int32_t> v(3, 99);
    EXPECT_EQ(0, read_values(in, "(326i2)", v).status);
    EXPECT_EQ((std::vector<std::int32_t>{7, 7, 0}), v);  // " 7", "7 ", "  "
}

TEST(FixedFieldRead, ShortRecordReadsAsZeros) {
    LineReader in(" 1 2 3 4 5\n");  // 10 characters: 5 fields of 2
    std::vector<std::int32_t> v(8, 99);
    EXPECT_EQ(0, read_values(in, "(326i2)", v).status);
    EXPECT_EQ((std::vector<std::int32_t>{1, 2, 3, 4, 5, 0, 0, 0}), v);
    LineReader empty_record("\n");
    EXPECT_EQ(0, read_values(empty_record, "(326i2)", v).status);
    EXPECT_EQ(std::vector<std::int32_t>(8, 0), v);
}

TEST(FixedFieldRead, SignsAndCommaTerminatedFields) {
    LineReader in(" 1 0-1\n1,2,12-3\n");
    std::vector<std::int32_t> v(3, 99);
    EXPECT_EQ(0, read_values(in, "(326i2)", v).status);
    EXPECT_EQ((std::vector<std::int32_t>{1, 0, -1}), v);
    // "1," and "2," end early at their commas; "12" and "-3" are full fields.
    std::vector<std::int32_t> w(4, 99);
    EXPECT_EQ(0, read_values(in, "(326i2)", w).status);
    EXPECT_EQ((std::vector<std::int32_t>{1, 2, 12, -3}), w);
}

TEST(FixedFieldRead, BadValuesOverflowAndEndOfFile) {
    std::vector<std::int32_t> v(2, 99);
    for (const char* record : {" x 1\n", " 1 .\n", "1.\n", " 11-\n"}) {
        LineReader in(record);
        const ReadResult r = read_values(in, "(326i2)", v);
        EXPECT_GT(r.status, 0) << record;
        EXPECT_EQ("Bad value during integer read", r.message) << record;
    }
    std::vector<std::int32_t> wide(1, 99);
    LineReader big(" 2147483648\n");
    EXPECT_EQ("Value overflowed during integer read", read_values(big, "(i11)", wide).message);
    LineReader smallest("-2147483648\n");
    EXPECT_EQ(0, read_values(smallest, "(i11)", wide).status);
    EXPECT_EQ(-2147483647 - 1, wide[0]);
    LineReader empty("");
    const ReadResult r = read_values(empty, "(326i2)", v);
    EXPECT_EQ(-1, r.status);
    EXPECT_EQ("End of file", r.message);
}

TEST(FixedFieldRead, RowOf400ValuesFromTwoRecords) {
    std::string text;
    for (int i = 0; i < 400; ++i) {
        char field[8];
        std::snprintf(field, sizeof field, "%2d", (i * 7) % 100 - (i % 3 == 0 ? 9 : 0));
        text += field;
        if (i == 325) text += "\n";
    }
    text += "\n 5\n";
    LineReader in(text);
    std::vector<std::int32_t> v(400, 0);
    EXPECT_EQ(0, read_values(in, "(326i2)", v).status);
    for (int i = 0; i < 400; ++i) EXPECT_EQ((i * 7) % 100 - (i % 3 == 0 ? 9 : 0), v[static_cast<std::size_t>(i)]) << i;
    std::vector<std::int32_t> next(1, 0);
    EXPECT_EQ(0, read_values(in, "(326i2)", next).status);  // the third record
    EXPECT_EQ(5, next[0]);
    // A row whose second record is missing ends at end of file.
    LineReader one_record(std::string(652, '1') + "\n");
    EXPECT_EQ(-1, read_values(one_record, "(326i2)", v).status);
}

TEST(FixedFieldRead, RestOfTheLastRecordIsSkipped) {
    LineReader in(" 1 2 3\n 4\n");
    std::vector<std::int32_t> v(2, 0);
    EXPECT_EQ(0, read_values(in, "(326i2)", v).status);
    EXPECT_EQ((std::vector<std::int32_t>{1, 2}), v);
    std::vector<std::int32_t> w(1, 0);
    EXPECT_EQ(0, read_values(in, "(326i2)", w).status);
    EXPECT_EQ(4, w[0]);
}

TEST(FixedFieldRead, FactorUnderG32) {
    // The factor argument is a 10-character record under a 32-character field.
    auto factor = [](const char* text, float& value) {
        LineReader in(text);
        std::vector<float> v(1, -5.0f);
        const ReadResult r = read_values(in, "(G32.0)", v);
        value = v[0];
        return r;
    };
    float f = 0.0f;
    EXPECT_EQ(0, factor("0.7187758 ", f).status);
    EXPECT_EQ(0.7187758f, f);
    EXPECT_EQ(0, factor("7         ", f).status);
    EXPECT_EQ(7.0f, f);  // no implied decimals: taken as written
    EXPECT_EQ(0, factor("          ", f).status);
    EXPECT_EQ(0.0f, f);
    EXPECT_EQ(0, factor(" 1 5      ", f).status);
    EXPECT_EQ(15.0f, f);  // blanks ignored
    EXPECT_EQ(0, factor("-2.5e1    ", f).status);
    EXPECT_EQ(-25.0f, f);
    const ReadResult bad = factor("x         ", f);
    EXPECT_GT(bad.status, 0);
    EXPECT_EQ("Bad value during floating point read", bad.message);
    EXPECT_EQ(-5.0f, f);
}

TEST(FixedFieldRead, RunErrorOnADataFile) {
    InputFile file("static/02.ibound", 11, " 1 1\n 1 x\n");
    std::vector<std::int32_t> v(2, 0);
    std::vector<Target> targets(v.begin(), v.end());
    const Format row("(326i2)");
    read_fixed(file, row, targets);
    try {
        read_fixed(file, row, targets);
        FAIL() << "no run error";
    } catch (const RunError& e) {
        EXPECT_EQ("At line 2 of file tessadrov11 (unit = 11, file = 'static/02.ibound')", e.location());
        EXPECT_STREQ("Bad value during integer read", e.what());
    }
    try {
        read_fixed(file, row, targets);
        FAIL() << "no run error";
    } catch (const RunError& e) {
        EXPECT_STREQ("End of file", e.what());
    }
}

}  // namespace
}  // namespace tessadro
