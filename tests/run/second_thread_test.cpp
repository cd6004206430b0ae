// The one way work goes beside the run's thread. On a second thread or on the
// starting one, a job must leave its starter as if it had done the job
// itself: its results, the error it stops on and the floating-point flags it
// raises are the starter's after join().
#include <gtest/gtest.h>

#include <cfenv>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "run/fp_flags.hpp"
#include "run/second_thread.hpp"
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

// A starter that stops on its own error leaves its job unjoined: the job
// still finishes before what it works on goes, and its error is dropped.
TEST(SecondThread, WaitsForAJobNeverJoined) {
    bool finished = false;
    {
        SecondThread thread(true);
        thread.start([&finished] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            finished = true;
            throw std::runtime_error("never reported");
        });
    }
    EXPECT_TRUE(finished);
}

}  // namespace
}  // namespace tessadro
