// Free-form records: how a list of items is written as one record, and how a
// read takes values from as many records as its targets need.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <unistd.h>

#include "run/free_form.hpp"
#include "run/run_error.hpp"

namespace tessadro {
namespace {

namespace fs = std::filesystem;

// ------------------------------------------------------------ writing

// What a file holds after the given writes.
std::string written(const std::function<void(OutputFile&)>& write) {
    const fs::path path = fs::temp_directory_path() / ("recordtests-ff-" + std::to_string(::getpid()));
    {
        OutputFile out(path.string(), 14);
        write(out);
        out.close();
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    fs::remove(path);
    return text.str();
}

TEST(FreeFormWrite, TextIntegerTextExample) {
    EXPECT_EQ(" grp           12  acloc \r\n", written([](OutputFile& out) { write_list(out, {"grp ", 12, " acloc "}); }));
}

TEST(FreeFormWrite, SeparatorsBetweenItems) {
    // Texts stand back to back; every other pair gets one blank.
    EXPECT_EQ(" abcd\r\n", written([](OutputFile& out) { write_list(out, {"ab", "cd"}); }));
    EXPECT_EQ(" x   1.50000000     y\r\n",
              written([](OutputFile& out) { write_list(out, {"x", 1.5f, "y"}); }));
    EXPECT_EQ("           1          -2   3.00000000    \r\n",
              written([](OutputFile& out) { write_list(out, {1, -2, 3.0f}); }));
    EXPECT_EQ("   1.00000000       2.00000000    \r\n",
              written([](OutputFile& out) { write_list(out, {1.0f, 2.0f}); }));
}

TEST(FreeFormWrite, IntegersInElevenCharacters) {
    EXPECT_EQ("           5\r\n", written([](OutputFile& out) { write_list(out, {5}); }));
    EXPECT_EQ(" -2147483648\r\n", written([](OutputFile& out) { write_list(out, {-2147483647 - 1}); }));
    EXPECT_EQ("  2147483647\r\n", written([](OutputFile& out) { write_list(out, {2147483647}); }));
}

TEST(FreeFormWrite, EmptyListIsAnEmptyRecordAndTextIsKeptAsIs) {
    EXPECT_EQ("\r\n", written([](OutputFile& out) { write_list(out, std::span<const Item>()); }));
    // Trailing blanks of a text are part of it; an empty text leaves the leading blank.
    EXPECT_EQ(" a  \r\n \r\n", written([](OutputFile& out) {
                  write_list(out, {"a  "});
                  write_list(out, {""});
              }));
}

TEST(FreeFormWrite, FilesStartFromScratch) {
    const fs::path path = fs::temp_directory_path() / ("recordtests-old-" + std::to_string(::getpid()));
    std::ofstream(path, std::ios::binary) << "an old report of several lines\r\nsecond\r\nthird\r\n";
    {
        OutputFile out(path.string(), 14);
        write_list(out, {7});
    }  // flushed and closed at the end, like the files still open when a run ends
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ("           7\r\n", text.str());
    fs::remove(path);
}

TEST(FreeFormWrite, ConsoleRecordsEndWithLineFeed) {
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(nullptr, stream);
    {
        OutputFile out(stream, "stdout", 6);
        write_list(out, {"run for year ", "2010"});
        write_list(out, {" real version: ", 0.7187758f});
        out.flush();
    }
    std::rewind(stream);
    char buffer[200] = {};
    const std::size_t n = std::fread(buffer, 1, sizeof buffer, stream);
    std::fclose(stream);
    EXPECT_EQ(" run for year 2010\n  real version:   0.718775809    \n", std::string(buffer, n));
}

// ------------------------------------------------------------ reading

template <class... T>
ReadResult read(LineReader& in, T&... places) {
    const std::array<Target, sizeof...(T)> targets{Target(places)...};
    return read_list(in, targets);
}

ReadResult skip(LineReader& in) { return read_list(in, std::span<const Target>()); }

template <std::size_t N>
std::string str(const std::array<char, N>& text) { return {text.data(), N}; }

TEST(FreeFormRead, ReadStopsAfterItsRecordAndNextStartsOnTheNext) {
    LineReader in("5\n7 9\n11\n");
    std::int32_t a = 0, b = 0;
    EXPECT_EQ(0, read(in, a, b).status);
    EXPECT_EQ(5, a);
    EXPECT_EQ(7, b);  // 9 is left on its record and ignored
    EXPECT_EQ(0, read(in, a).status);
    EXPECT_EQ(11, a);
}

TEST(FreeFormRead, BlanksTabsCommasSemicolonsAndRecordEndsSeparate) {
    LineReader in("1\t2,3;4 , 5 ;  6\n\n   \n\t\n7,\n8\n");
    std::int32_t v[8] = {};
    EXPECT_EQ(0, read(in, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]).status);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(i + 1, v[i]);
}

TEST(FreeFormRead, NullValuesKeepThePreviousValue) {
    LineReader in("1.5,,3\n,2\n1 , , 3\n");
    float a = 9.0f, b = 9.0f, c = 9.0f;
    EXPECT_EQ(0, read(in, a, b, c).status);
    EXPECT_EQ(1.5f, a);
    EXPECT_EQ(9.0f, b);
    EXPECT_EQ(3.0f, c);
    std::int32_t i = -1, j = -1, k = -1;
    EXPECT_EQ(0, read(in, i, j).status);
    EXPECT_EQ(-1, i);
    EXPECT_EQ(2, j);
    EXPECT_EQ(0, read(in, i, j, k).status);
    EXPECT_EQ(1, i);
    EXPECT_EQ(2, j);  // the blanks between the commas make no value
    EXPECT_EQ(3, k);
}

TEST(FreeFormRead, RecordEndThenCommaIsOneSeparator) {
    // A record end counts as a blank, and blanks around a comma belong to
    // that one separator: "1", end of record, ",2" holds two values, no null.
    LineReader in("1\n,2\n");
    std::int32_t a = -1, b = -1;
    EXPECT_EQ(0, read(in, a, b).status);
    EXPECT_EQ(1, a);
    EXPECT_EQ(2, b);
    // A comma before the record end and another after it: a null between.
    LineReader twice("1,\n,2\n");
    std::int32_t c = -1, d = -1, e = -1;
    EXPECT_EQ(0, read(twice, c, d, e).status);
    EXPECT_EQ(1, c);
    EXPECT_EQ(-1, d);
    EXPECT_EQ(2, e);
}

TEST(FreeFormRead, RepeatCounts) {
    LineReader in("3*2.5\n2* 7\n1 2*4\n");
    float a = 0.0f, b = 0.0f, c = 0.0f;
    EXPECT_EQ(0, read(in, a, b, c).status);
    EXPECT_EQ(2.5f, a);
    EXPECT_EQ(2.5f, b);
    EXPECT_EQ(2.5f, c);
    std::int32_t i = -1, j = -1, k = -1;
    EXPECT_EQ(0, read(in, i, j, k).status);  // "2*": two null values
    EXPECT_EQ(-1, i);
    EXPECT_EQ(-1, j);
    EXPECT_EQ(7, k);
    EXPECT_EQ(0, read(in, i, j, k).status);
    EXPECT_EQ(1, i);
    EXPECT_EQ(4, j);
    EXPECT_EQ(4, k);
}

TEST(FreeFormRead, BadRepeatCounts) {
    std::int32_t i = 3, j = 3;
    LineReader zero("1 0*5\n");
    EXPECT_EQ("Bad repeat count in item 2 of list input", read(zero, i, j).message);
    LineReader huge("99999999999*1\n");
    const ReadResult r = read(huge, i);
    EXPECT_GT(r.status, 0);
    EXPECT_EQ("Repeat count overflow in item 1 of list input", r.message);
}

TEST(FreeFormRead, SlashEndsTheRead) {
    LineReader in("1.5 /\n1.5/ 8\n4\n");
    float a = 9.0f, b = 9.0f, c = 9.0f;
    EXPECT_EQ(0, read(in, a, b, c).status);
    EXPECT_EQ(1.5f, a);
    EXPECT_EQ(9.0f, b);
    EXPECT_EQ(9.0f, c);
    a = 0.0f;
    EXPECT_EQ(0, read(in, a, b).status);
    EXPECT_EQ(1.5f, a);
    EXPECT_EQ(9.0f, b);  // 8 stands after the slash
    EXPECT_EQ(0, read(in, a).status);
    EXPECT_EQ(4.0f, a);
}

TEST(FreeFormRead, UnquotedTextIsCutOrPadded) {
    LineReader in("abc defghij\nab;cd/ef\n");
    std::array<char, 5> s{}, t{};
    std::array<char, 2> u{};
    EXPECT_EQ(0, read(in, s, t).status);
    EXPECT_EQ("abc  ", str(s));
    EXPECT_EQ("defgh", str(t));
    EXPECT_EQ(0, read(in, u, s, t).status);  // the slash ends the read after "cd"
    EXPECT_EQ("ab", str(u));
    EXPECT_EQ("cd   ", str(s));
    EXPECT_EQ("defgh", str(t));
}

TEST(FreeFormRead, QuotedText) {
    LineReader in("'a b,c' \"x/y\" 'it''s'\n2*'q'\n");
    std::array<char, 8> s{}, t{}, u{};
    EXPECT_EQ(0, read(in, s, t, u).status);
    EXPECT_EQ("a b,c   ", str(s));
    EXPECT_EQ("x/y     ", str(t));
    EXPECT_EQ("it's    ", str(u));
    EXPECT_EQ(0, read(in, s, t).status);
    EXPECT_EQ("q       ", str(s));
    EXPECT_EQ("q       ", str(t));
}

TEST(FreeFormRead, RealsInEveryAcceptedForm) {
    LineReader in("1.5D2 -2.5e-1 3+2 INF nan 7 -.5Q1\n");
    float v[7] = {};
    EXPECT_EQ(0, read(in, v[0], v[1], v[2], v[3], v[4], v[5], v[6]).status);
    EXPECT_EQ(150.0f, v[0]);
    EXPECT_EQ(-0.25f, v[1]);
    EXPECT_EQ(300.0f, v[2]);
    EXPECT_TRUE(std::isinf(v[3]) && v[3] > 0);
    EXPECT_TRUE(std::isnan(v[4]));
    EXPECT_EQ(7.0f, v[5]);
    EXPECT_EQ(-5.0f, v[6]);
}

TEST(FreeFormRead, MessagesNameTheItem) {
    std::int32_t i = 0, k = 0;
    float x = 0.0f;
    LineReader three("3.0\n");
    const ReadResult r = read(three, i);
    EXPECT_GT(r.status, 0);
    EXPECT_EQ("Bad integer for item 1 in list input", r.message);
    LineReader bad_real("1 abc\n");
    EXPECT_EQ("Bad real number in item 2 of list input", read(bad_real, i, x).message);
    LineReader bad_third("1 2.5 x\n");
    EXPECT_EQ("Bad integer for item 3 in list input", read(bad_third, i, x, k).message);
    LineReader overflow("1 2147483648\n");
    EXPECT_EQ("Integer overflow while reading item 2", read(overflow, i, k).message);
    LineReader quoted("'5'\n");
    EXPECT_EQ("Bad integer for item 1 in list input", read(quoted, i).message);
}

TEST(FreeFormRead, FailureKeepsLaterTargetsAndSkipsTheRestOfItsRecord) {
    LineReader in("1 x 3\n4 5 6\n");
    std::int32_t a = 7, b = 8, c = 9;
    EXPECT_EQ(1, read(in, a, b, c).status);
    EXPECT_EQ(1, a);  // stored before the failure
    EXPECT_EQ(8, b);
    EXPECT_EQ(9, c);
    EXPECT_EQ(0, read(in, a, b, c).status);
    EXPECT_EQ(4, a);
    EXPECT_EQ(5, b);
    EXPECT_EQ(6, c);
}

TEST(FreeFormRead, EndOfFileAfterAPartlyFilledRead) {
    LineReader in("1 2\n");
    std::int32_t a = 0, b = 0, c = 33;
    const ReadResult r = read(in, a, b, c);
    EXPECT_EQ(-1, r.status);
    EXPECT_EQ("End of file", r.message);
    EXPECT_EQ(1, a);
    EXPECT_EQ(2, b);
    EXPECT_EQ(33, c);
    EXPECT_EQ(-1, read(in, a).status);
    LineReader empty("");
    EXPECT_EQ(-1, read(empty, a).status);
    LineReader blanks("\n   \n\n");
    EXPECT_EQ(-1, read(blanks, a).status);
}

TEST(FreeFormRead, EmptyListSkipsExactlyOneRecord) {
    LineReader in("grp,twnshp,range\n\n5\n");
    std::int32_t a = 0;
    EXPECT_EQ(0, skip(in).status);
    EXPECT_EQ(0, skip(in).status);  // the empty record
    EXPECT_EQ(0, read(in, a).status);
    EXPECT_EQ(5, a);
    EXPECT_EQ(-1, skip(in).status);
}

TEST(FreeFormRead, CarriageReturnBeforeLineFeedAndLastRecordWithoutOne) {
    LineReader in("1 2\r\nab\r\n\r\n4 5");
    std::int32_t a = 0, b = 0;
    std::array<char, 3> s{};
    EXPECT_EQ(0, read(in, a, b).status);
    EXPECT_EQ(2, b);
    EXPECT_EQ(0, read(in, s).status);
    EXPECT_EQ("ab ", str(s));  // the CR is not part of the text
    EXPECT_EQ(0, read(in, a, b).status);  // the blank record is passed over
    EXPECT_EQ(4, a);
    EXPECT_EQ(5, b);
    EXPECT_EQ(-1, read(in, a).status);
}

TEST(FreeFormRead, LongRecordsAcrossBlocks) {
    // A file record of 200000 values is longer than any read block.
    const fs::path path = fs::temp_directory_path() / ("recordtests-long-" + std::to_string(::getpid()));
    {
        std::ofstream out(path, std::ios::binary);
        for (int i = 0; i < 200000; ++i) out << (i % 1000) << ' ';
        out << "\r\n42";
    }
    InputFile in(path.string(), 13);
    std::int32_t first = -1, second = -1, last = -1;
    EXPECT_TRUE(read_record(in, {first, second}));
    EXPECT_EQ(0, first);
    EXPECT_EQ(1, second);
    EXPECT_TRUE(read_record(in, {last}));
    EXPECT_EQ(42, last);
    EXPECT_FALSE(read_record(in, {last}));
    fs::remove(path);
}

TEST(FreeFormRead, ManyRecordsWrittenAndReadBackWithRewind) {
    // 100000 records of CR LF cross many read blocks, some with the CR at the
    // end of one block and the LF at the start of the next.
    const fs::path path = fs::temp_directory_path() / ("recordtests-many-" + std::to_string(::getpid()));
    {
        OutputFile out(path.string(), 8);
        for (std::int32_t i = 0; i < 100000; ++i) write_list(out, {i, static_cast<float>(i) * 0.25f, "t"});
    }
    EXPECT_EQ(100000u * 33u, fs::file_size(path));  // 1 + 11 + 1 + 16 + 1 + 1 + CR LF
    InputFile in(path.string(), 20);
    for (int pass = 0; pass < 2; ++pass) {
        std::int32_t n = -1;
        float v = -1.0f;
        std::array<char, 2> t{};
        long bad = 0;
        for (std::int32_t i = 0; i < 100000; ++i) {
            if (!read_record(in, {n, v, t}) || n != i || v != static_cast<float>(i) * 0.25f || str(t) != "t ") ++bad;
        }
        EXPECT_EQ(0, bad);
        EXPECT_EQ(100000, in.records());
        EXPECT_FALSE(read_record(in, {n}));
        in.rewind();
    }
    std::int32_t first = -1;
    EXPECT_TRUE(read_record(in, {first}));
    EXPECT_EQ(0, first);
    EXPECT_EQ(1, in.records());
    fs::remove(path);
}

// ------------------------------------------------------------ the run error

TEST(FreeFormRead, RunErrorNamesTheRecordWhereTheReadStopped) {
    InputFile file("static/tessadro.par", 12, "3 4\n\nx\n");
    std::int32_t a = 0, b = 0;
    read_required(file, {a});
    try {
        read_required(file, {a, b});  // record 2 is blank; the fault is on record 3
        FAIL() << "no run error";
    } catch (const RunError& e) {
        EXPECT_EQ("At line 3 of file tessadrov11 (unit = 12, file = 'static/tessadro.par')", e.location());
        EXPECT_STREQ("Bad integer for item 1 in list input", e.what());
    }
    try {
        read_required(file, {a});
        FAIL() << "no run error";
    } catch (const RunError& e) {
        EXPECT_STREQ("End of file", e.what());
    }
}

TEST(FreeFormRead, ReadRecordReportsEndOfFileAndStopsOnAFailure) {
    InputFile file("tessadro2010.txt", 13, "1\n2.5\n");
    std::int32_t a = 0;
    EXPECT_TRUE(read_record(file, {a}));
    EXPECT_THROW(read_record(file, {a}), RunError);
    EXPECT_FALSE(read_record(file, {a}));
    EXPECT_EQ(1, a);
}

}  // namespace
}  // namespace tessadro
