// The distribution's lines written on a second thread must leave the tract
// table and the run report, and the failure of a write part way, exactly as
// the lines written at once do.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "run/tract_lines_behind.hpp"
#include "support/test_files.hpp"
#include "text/record_file.hpp"
#include "text/run_error.hpp"

namespace tessadro {
namespace {

namespace fs = std::filesystem;
using Kind = TractLine::Kind;

// Groups of five tracts sharing their point of diversion and acres; of eight
// tracts three are off the grid (either way) or on an inactive cell and go
// to the report; values repeat from tract to tract, and the table formats
// again only the values that change.
std::vector<TractLine> some_lines(int count) {
    const float reals[] = {0.0f, 0.5f, 40.0f, 1234.56f, 1.0e-5f, 2.5e9f, std::numeric_limits<float>::infinity()};
    std::vector<TractLine> lines;
    for (int i = 0; i < count; ++i) {
        const float group = reals[i / 5 % 7], tract = reals[i * 3 % 7];
        lines.push_back({.kind = i % 8 < 5 ? Kind::placed : static_cast<Kind>(1 + i % 3), .record = i + 1,
                         .grp = 1 + i / 5, .twnshp = 1 + i % 20, .range = 1 + i % 45, .sect = 1 + i % 36,
                         .tract = 1 + i % 16, .authacres = tract, .fct = group, .xloc = static_cast<float>(i) / 8.0f, .yloc = tract,
                         .row = i % 402 - 1, .column = i % 401 - 1, .node = i * 7, .ibound = i % 2, .npd = i % 3,
                         .xpd = group, .ypd = group, .distpdpu_mi = tract, .pdrange = group, .cell_acres = tract,
                         .acresloc = group, .ntracts = 1 + i % 5, .nmsg = i, .gwret = tract, .acres = group});
    }
    return lines;
}

// What a writer left: the two files, and how the adding ended. Both writers
// write to the same paths, so that the messages naming them compare.
struct Written {
    std::string table, report, outcome;
    bool operator==(const Written&) const = default;
};
const fs::path table_path = fs::temp_directory_path() / ("tracts-table-" + std::to_string(::getpid()));
const fs::path report_path = fs::temp_directory_path() / ("tracts-report-" + std::to_string(::getpid()));

// Adds the lines as the distribution does (a failure thrown while adding
// waits for the lines before it) under a file-size limit, which stands for a
// full disk; the files are read after they are closed.
Written write_lines(bool behind, const std::vector<TractLine>& lines, rlim_t limit = RLIM_INFINITY) {
    Written w{"", "", "finished"};
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);  // EFBIG instead of the signal
    const rlimit limited{limit, saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limited);
    {
        OutputFile table(table_path.string(), 9), report(report_path.string(), 7);
        const InputFile source("authacres.txt", 12, std::string("1 1 1 1 1 40.0\n"));
        std::unique_ptr<TractLines> writer;
        if (behind) writer = std::make_unique<TractLinesBehind>(table, report, source);
        else writer = std::make_unique<TractLinesNow>(table, report);
        const char* from = "add";
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
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old_handler);
    w.table = test::slurp(table_path);
    w.report = test::slurp(report_path);
    fs::remove(table_path);
    fs::remove(report_path);
    return w;
}

// Fewer lines than a batch go over at finish(); none leave both files empty.
TEST(TractLinesBehind, WritesTheFilesOfTheLinesWrittenAtOnce) {
    for (const int count : {0, 1, 1023, 5000}) {
        const std::vector<TractLine> lines = some_lines(count);
        const Written behind = write_lines(true, lines);
        EXPECT_EQ(count, std::ranges::count(behind.table + behind.report, '\n'));
        EXPECT_TRUE(write_lines(false, lines) == behind) << count << " lines";
    }
}

// A row of the tract table is 321 bytes (a blank, 11 integers of 11
// characters, 11 reals of 16, 21 blanks between, CR LF), and an output
// file's buffer goes out once it holds 64 KiB: 205 rows, 65805 bytes. With
// room for 16 such writes and 1000 bytes, the 17th fails at row 17 * 205 =
// 3485, five batches in; with room for 1000 bytes, the first, at row 205. The run on one thread
// stops at the add of the failing line; the one behind at the add of the
// next batch after its writer met the failure, or at finish() when the
// adding is done by then, which of a hundred batches it never is when the
// first write fails. Either way the failure and the files are the same.
TEST(TractLinesBehind, AWriteThatFailsLeavesTheSameFilesAndFailure) {
    const std::string table = table_path.string();
    const struct { int lines; rlim_t limit; long row; bool finish_may_throw; } rows[] = {
        {8000, 16 * 65805 + 1000, 3485, true}, {100 * 1024, 1000, 205, false}};
    for (const auto& row : rows) {
        const std::vector<TractLine> lines = some_lines(row.lines);
        const Written now = write_lines(false, lines, row.limit);
        Written behind = write_lines(true, lines, row.limit);
        EXPECT_EQ(row.limit, now.table.size());
        EXPECT_EQ("add: At line " + std::to_string(row.row) + " of file tessadrov11 (unit = 9, file = '" + table +
                      "') | Cannot write file '" + table + "': File too large",
                  now.outcome);
        if (row.finish_may_throw && behind.outcome.starts_with("finish")) behind.outcome.replace(0, 6, "add");
        EXPECT_TRUE(now == behind) << behind.outcome;
    }
}

}  // namespace
}  // namespace tessadro
