// The one way work goes beside the run's thread, and the distribution's lines
// written through it. On a second thread or on the starting one, a job must
// leave its starter as if it had done the job itself: its results, the error
// it stops on and the floating-point flags it raises are the starter's after
// join(); the tract table and run report written behind, and the failure of a
// write part way, are those of the lines written at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <csignal>
#include <filesystem>
#include <limits>
#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "run/fp_flags.hpp"
#include "run/second_thread.hpp"
#include "run/shared_work.hpp"
#include "run/tract_lines_behind.hpp"
#include "support/test_files.hpp"
#include "text/free_form.hpp"
#include "text/record_file.hpp"
#include "text/run_error.hpp"

namespace tessadro {
namespace {

// Here the job runs on the starting thread when the run uses none, and also
// while that thread has an input file open: a fault in a job is located at
// the record its thread read last, which a new thread has none of.
TEST(SecondThread, HandsBackResultsErrorsAndFlags) {
    const struct { bool threaded, file_open, beside; const char* where; } rows[] = {
        {true, true, false, "At line 1 of file tessadrov11"},  // first: the file is closed after it
        {true, false, true, "At line 0 of file tessadrov11"},
        {false, false, false, "At line 0 of file tessadrov11"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.threaded ? (row.file_open ? "file open" : "threaded") : "not threaded");
        std::optional<InputFile> file;
        if (row.file_open) {
            file.emplace("years.txt", 7, std::string("1\n2\n"));
            std::int32_t value = 0;
            ASSERT_TRUE(read_record(*file, {value}));
        }
        SecondThread thread(row.threaded);
        std::thread::id ran_on;
        std::string where;
        thread.start([&] {
            ran_on = std::this_thread::get_id();
            where = current_location();
        });
        thread.join();
        EXPECT_EQ(row.beside, ran_on != std::this_thread::get_id());
        EXPECT_EQ(row.where, where);

        // The flags are raised here by join(), also those of a job that
        // stops on an error, and the error is thrown once.
        std::feclearexcept(FE_ALL_EXCEPT);
        std::string before, after;
        {
            const FlagsKept kept;  // lowers the job's flags again
            thread.start([] {
                raise_flags({FE_OVERFLOW, true});
                throw RunError("At line 0 of file tessadrov11", "Index '45' of dimension 1");
            });
            EXPECT_FALSE(thread.ended_well());
            before = floating_point_note();
            try {
                thread.join();
                ADD_FAILURE() << "join() did not throw the job's error";
            } catch (const RunError& e) {
                EXPECT_EQ("At line 0 of file tessadrov11 | Index '45' of dimension 1", e.location() + " | " + e.what());
            }
            after = floating_point_note();
        }
        EXPECT_EQ(row.beside ? "" : after, before);
        EXPECT_EQ("Note: The following floating-point exceptions are signalling: IEEE_OVERFLOW_FLAG IEEE_DENORMAL",
                  after);
        EXPECT_NO_THROW(thread.join());

        // A job may carry a buffer of its own, a month's array: once handed
        // over it is never copied (a shared_ptr's use count would show a copy).
        auto buffer = std::make_shared<std::vector<char>>(1 << 20);
        long uses = 0;
        thread.start([buffer = std::move(buffer), &uses] { uses = buffer.use_count(); });
        EXPECT_TRUE(thread.ended_well());
        thread.join();
        EXPECT_EQ(1, uses);
    }
}

// Pieces added in two rounds, the second while the second thread may be at
// the first: every piece is done exactly once, each into its own slot; of two
// failures the first added is reported, whichever thread met it and
// whichever ended first (the later one throws at once, the earlier after a
// long piece). Without a second thread they are done in order at finish().
TEST(SharedWork, DoesEachPieceOnceAndReportsTheFirstFailure) {
    for (const bool threaded : {true, false}) {
        SCOPED_TRACE(threaded ? "threaded" : "not threaded");
        std::vector<int> done(40, 0);
        std::vector<int> order;  // without a second thread only
        SharedWork work(threaded);
        auto piece = [&](int k) {
            return [&, k] {
                if (k == 7) {
                    volatile double spin = 0;  // a long piece before its failure
                    for (int i = 0; i < 2'000'000; ++i) spin = spin + 1.0;
                }
                ++done[static_cast<std::size_t>(k)];
                if (!threaded) order.push_back(k);
                if (k == 7 || k == 23) throw RunError("At line 0 of file tessadrov11", "piece " + std::to_string(k));
            };
        };
        for (int k = 0; k < 20; ++k) work.add(piece(k));
        for (int k = 20; k < 40; ++k) work.add(piece(k));
        try {
            work.finish();
            ADD_FAILURE() << "finish() did not throw";
        } catch (const RunError& e) {
            EXPECT_STREQ("piece 7", e.what());
        }
        EXPECT_EQ(std::vector<int>(40, 1), done);
        if (!threaded) {
            std::vector<int> in_order(40);
            std::iota(in_order.begin(), in_order.end(), 0);
            EXPECT_EQ(in_order, order);
        }
    }
}

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

// A row of the tract table is 321 bytes (a blank, 11 integers of 11
// characters, 11 reals of 16, 21 blanks between, CR LF), and an output
// file's buffer goes out once it holds 64 KiB: 205 rows, 65805 bytes. With
// room for 16 such writes and 1000 bytes, the 17th fails at row 17 * 205 =
// 3485, five batches in; with room for 1000 bytes, the first, at row 205. The run on one thread
// stops at the add of the failing line; the one behind at the add of the
// next batch after its writer met the failure, or at finish() when the
// adding is done by then, which of a hundred batches it never is when the
// first write fails. Either way the failure and the files are the same.
// Without a limit, fewer lines than a batch go over at finish(), and none
// leave both files empty.
TEST(TractLinesBehind, WritesTheFilesAndFailureOfTheLinesWrittenAtOnce) {
    const std::string table = table_path.string();
    const struct { int lines; rlim_t limit; long row; bool finish_may_throw; } rows[] = {
        {0, RLIM_INFINITY, 0, false}, {1, RLIM_INFINITY, 0, false}, {1023, RLIM_INFINITY, 0, false},
        {5000, RLIM_INFINITY, 0, false}, {8000, 16 * 65805 + 1000, 3485, true}, {100 * 1024, 1000, 205, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.lines) + " lines");
        const std::vector<TractLine> lines = some_lines(row.lines);
        const Written now = write_lines(false, lines, row.limit);
        Written behind = write_lines(true, lines, row.limit);
        if (row.row == 0) {
            EXPECT_EQ(row.lines, std::ranges::count(now.table + now.report, '\n'));
            EXPECT_EQ("finished", now.outcome);
        } else {
            EXPECT_EQ(row.limit, now.table.size());
            EXPECT_EQ("add: At line " + std::to_string(row.row) + " of file tessadrov11 (unit = 9, file = '" + table +
                          "') | Cannot write file '" + table + "': File too large",
                      now.outcome);
        }
        if (row.finish_may_throw && behind.outcome.starts_with("finish")) behind.outcome.replace(0, 6, "add");
        EXPECT_TRUE(now == behind) << behind.outcome;
    }
}

}  // namespace
}  // namespace tessadro
