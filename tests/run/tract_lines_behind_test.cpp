// The distribution's lines written on a second thread must leave the tract table and the run
// report, and the failure of a write part way, exactly as the lines written at once do.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "run/tract_lines_behind.hpp"
#include "support/test_files.hpp"
#include "text/record_file.hpp"
#include "text/run_error.hpp"
#include "tracts/tract_lines.hpp"

namespace tessadro {
namespace {

namespace fs = std::filesystem;

// Lines as the distribution makes them: groups of a few tracts sharing their
// point of diversion, range and acres, a tract in eight off the grid (either
// way) or on an inactive cell, some values repeating from tract to tract.
std::vector<TractLine> some_lines(std::size_t count) {
    std::mt19937 random(4107);
    const float reals[] = {0.0f, 0.5f, 40.0f, 1234.56f, 1.0e-5f, 2.5e9f, std::numeric_limits<float>::infinity()};
    const auto real = [&] { return reals[random() % std::size(reals)]; };
    const auto integer = [&](int from, int to) { return from + static_cast<int>(random() % unsigned(to + 1 - from)); };
    std::vector<TractLine> lines;
    TractLine l;
    for (std::size_t i = 0; i < count; ++i) {
        if (i % 5 == 0) {  // the next group
            l = TractLine{.grp = integer(1, 5000), .npd = integer(0, 2), .xpd = real(), .ypd = real(),
                          .pdrange = real(), .acresloc = real()};
        }
        const auto other = static_cast<TractLine::Kind>(1 + random() % 3);  // off either way, or inactive
        l.kind = random() % 8 < 5 ? TractLine::Kind::placed : other;
        l.record = static_cast<long>(i) + 1;
        l.twnshp = integer(1, 20);
        l.range = integer(1, 45);
        l.sect = integer(1, 36);
        l.tract = integer(1, 16);
        l.authacres = real();
        l.fct = real();
        l.xloc = static_cast<float>(integer(0, 99999)) / 8.0f;
        l.yloc = real();
        l.row = integer(0, 401) - 1;
        l.column = integer(0, 401) - 1;
        l.node = l.row * 326 + l.column;
        l.ibound = integer(0, 1);
        l.distpdpu_mi = real();
        l.cell_acres = real();
        ++l.ntracts;
        l.nmsg = static_cast<std::int32_t>(i);
        l.gwret = real();
        l.acres = real();
        lines.push_back(l);
    }
    return lines;
}

// What a writer left: the two files, and how the adding ended.
struct Written {
    std::string table, report, outcome;
};

// Both writers write to the same paths, so that the messages naming them can
// be compared.
fs::path table_path() { return fs::temp_directory_path() / ("tracts-table-" + std::to_string(::getpid())); }
fs::path report_path() { return fs::temp_directory_path() / ("tracts-report-" + std::to_string(::getpid())); }

// Adds the lines as the distribution does (a failure thrown while adding
// waits for the lines before it, then goes on) and reads the files after
// they are closed: their buffers are written when they go.

Written write_lines(bool behind, const std::vector<TractLine>& lines) {
    Written w{"", "", "finished"};
    {
        OutputFile table(table_path().string(), 9);
        OutputFile report(report_path().string(), 7);
        const InputFile source("authacres.txt", 12, std::string("1 1 1 1 1 40.0\n"));
        std::unique_ptr<TractLines> writer;
        if (behind) writer = std::make_unique<TractLinesBehind>(table, report, source);
        else writer = std::make_unique<TractLinesNow>(table, report);
        const char* from = "finish after a failed add";
        try {
            try {
                for (const TractLine& line : lines) writer->add(line);
            } catch (...) {
                writer->finish();
                throw;
            }
            from = "finish";
            writer->finish();
        } catch (const RunError& e) {
            w.outcome = std::string(from) + ": " + e.location() + " | " + e.what();
        }
    }
    w.table = test::slurp(table_path());
    w.report = test::slurp(report_path());
    fs::remove(table_path());
    fs::remove(report_path());
    return w;
}

// The same bytes; a difference is shown by its place, not by the whole files.
void expect_same_files(const Written& expected, const Written& written, std::size_t count) {
    for (const auto file : {&Written::table, &Written::report}) {
        const std::string& a = expected.*file;
        const std::string& b = written.*file;
        const auto differ = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
        EXPECT_TRUE(a == b) << count << " lines: " << a.size() << " bytes against " << b.size()
                            << ", the first difference at byte " << differ.first - a.begin();
    }
}

// Each line is a record, ended by CR LF, of one file or the other. Fewer
// lines than a batch go over at finish(); none at all leave both files empty.
TEST(TractLinesBehind, WritesTheFilesOfTheLinesWrittenAtOnce) {
    for (const std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{1023}, std::size_t{5000}}) {
        const std::vector<TractLine> lines = some_lines(count);
        const Written now = write_lines(false, lines);
        const Written behind = write_lines(true, lines);
        EXPECT_EQ("finished", now.outcome);
        EXPECT_EQ("finished", behind.outcome);
        EXPECT_EQ(count, static_cast<std::size_t>(std::ranges::count(behind.table + behind.report, '\n')));
        expect_same_files(now, behind, count);
    }
}

// Both writers under a file-size limit, which stands for a full disk.
std::pair<Written, Written> write_lines_limited(const std::vector<TractLine>& lines, rlim_t limit) {
    rlimit saved{};
    EXPECT_EQ(0, ::getrlimit(RLIMIT_FSIZE, &saved));
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);  // EFBIG instead of the signal
    const rlimit small{limit, saved.rlim_max};
    EXPECT_EQ(0, ::setrlimit(RLIMIT_FSIZE, &small));
    std::pair<Written, Written> both{write_lines(false, lines), write_lines(true, lines)};
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old_handler);
    return both;
}

// A row of the tract table is 321 bytes (a blank,
// 11 integers of 11 characters, 11 reals of 16, 21 blanks between, CR LF), and an output file's
// buffer goes out once it holds 64 KiB (record_file.cpp): 205 rows, 65805 bytes. With room for
// 16 such writes and 1000 bytes, the 17th fills the file to the limit and fails, at row 3485,
// some 5500 lines (five batches) in. The run on one thread stops at the add of that line; the
// one behind at the add of the next batch after the writer met the failure, or at finish() if
// every line was added by then. Either way the failure is the same, the lines before it are in
// the report, and none after it.
TEST(TractLinesBehind, AWriteThatFailsPartWayLeavesTheSameFilesAndFailure) {
    const std::vector<TractLine> lines = some_lines(8000);
    const Written whole = write_lines(false, lines);
    ASSERT_EQ(0u, whole.table.size() % 321);
    ASSERT_GT(whole.table.size() / 321, 3485u + 205);
    const rlim_t limit = 16 * 65805 + 1000;
    ASSERT_LT(whole.report.size(), limit) << "the report must not be the file that fails";
    std::size_t placed = 0, reported = 0;  // the lines up to that of row 3485, in each file
    for (std::size_t i = 0; placed < 3485; ++i) ++(lines[i].kind == TractLine::Kind::placed ? placed : reported);
    std::size_t report_bytes = 0;
    for (std::size_t n = 0; n < reported; ++n) report_bytes = whole.report.find("\r\n", report_bytes) + 2;
    const Written expected{whole.table.substr(0, limit), whole.report.substr(0, report_bytes), ""};

    const auto [now, behind] = write_lines_limited(lines, limit);

    const std::string table = table_path().string();
    const std::string failure = "At line 3485 of file tessadrov11 (unit = 9, file = '" + table +
                                "') | Cannot write file '" + table + "': File too large";
    EXPECT_EQ("finish after a failed add: " + failure, now.outcome);
    EXPECT_TRUE(behind.outcome == "finish: " + failure || behind.outcome == "finish after a failed add: " + failure)
        << behind.outcome;
    expect_same_files(expected, now, lines.size());
    expect_same_files(expected, behind, lines.size());
}

// A write that fails in the first batch stops the adding early: the writer is
// at most a few batches behind, so of a hundred batches some later one is
// handed over after the failure, and that add throws it. The files are those
// the run on one thread leaves.
TEST(TractLinesBehind, AFailureEarlyStopsTheAddingAtALaterBatch) {
    const std::vector<TractLine> lines = some_lines(100 * 1024);
    const auto [now, behind] = write_lines_limited(lines, 1000);  // the first write of the table fails
    EXPECT_TRUE(now.outcome.starts_with("finish after a failed add: ")) << now.outcome;
    EXPECT_EQ(now.outcome, behind.outcome);
    EXPECT_EQ(1000u, now.table.size());
    expect_same_files(now, behind, lines.size());
}

}  // namespace
}  // namespace tessadro
