// Side jobs: a phase hands a job on, goes on with its own work and waits for
// the job before it uses the result. On a thread of their own or run at once,
// the jobs must leave the phase exactly as if it had done them itself: their
// results, the run error they stop on, the floating-point flags they raise.
#include <gtest/gtest.h>

#include <cfenv>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "model/side_jobs.hpp"
#include "run/fp_flags.hpp"
#include "run/side_jobs_thread.hpp"
#include "text/free_form.hpp"
#include "text/record_file.hpp"
#include "text/run_error.hpp"

namespace tessadro {
namespace {

// Counts the copies and moves made of it, as a job's captured buffer.
struct Counted {
    struct Counts {
        int copies = 0;
        int moves = 0;
    };
    Counts* counts;
    std::vector<char> bytes;

    Counted(Counts* c, std::size_t size) : counts(c), bytes(size, 'x') {}
    Counted(const Counted& other) : counts(other.counts), bytes(other.bytes) { ++counts->copies; }
    Counted(Counted&& other) noexcept : counts(other.counts), bytes(std::move(other.bytes)) { ++counts->moves; }
    Counted& operator=(const Counted&) = delete;
    Counted& operator=(Counted&&) = delete;
};

#if defined(__x86_64__) || defined(__i386__)
constexpr bool has_denormal_flag = true;
// <cfenv> does not know the denormal flag (MXCSR bit 1): it is cleared directly.
void clear_all_flags() {
    std::feclearexcept(FE_ALL_EXCEPT);
    __builtin_ia32_ldmxcsr(__builtin_ia32_stmxcsr() & ~0x3fu);
}
#else
constexpr bool has_denormal_flag = false;
void clear_all_flags() { std::feclearexcept(FE_ALL_EXCEPT); }
#endif

// The phase's own thread and the second one must keep the same promises.
template <class Jobs>
class SideJobsTest : public testing::Test {};
using Kinds = testing::Types<SideJobsHere, SideJobsThread>;
TYPED_TEST_SUITE(SideJobsTest, Kinds);

TYPED_TEST(SideJobsTest, AJobsEffectsAreSeenAfterWait) {
    TypeParam side;
    std::vector<int> squares(1000);
    side.start([&squares] {
        for (std::size_t i = 0; i < squares.size(); ++i) squares[i] = static_cast<int>(i * i);
    });
    side.wait();
    EXPECT_EQ(0, squares[0]);
    EXPECT_EQ(998001, squares[999]);
}

TYPED_TEST(SideJobsTest, AJobsRunErrorIsThrownByWaitOnce) {
    TypeParam side;
    side.start([] { throw RunError("At line 0 of file tessadrov11", "Index '45' of dimension 1"); });
    try {
        side.wait();
        ADD_FAILURE() << "wait() did not throw the job's error";
    } catch (const RunError& e) {
        EXPECT_EQ("At line 0 of file tessadrov11", e.location());
        EXPECT_STREQ("Index '45' of dimension 1", e.what());
    }
    // The error was the phase's to report; it is not thrown again.
    EXPECT_NO_THROW(side.wait());
}

TYPED_TEST(SideJobsTest, StartAfterWaitRunsTheNextJob) {
    TypeParam side;
    std::vector<int> done;
    side.start([&done] { throw std::runtime_error("first"); });
    EXPECT_THROW(side.wait(), std::runtime_error);
    for (int job = 1; job <= 3; ++job) {
        side.start([&done, job] { done.push_back(job); });
        side.wait();
    }
    EXPECT_EQ((std::vector<int>{1, 2, 3}), done);
}

// A job may carry a buffer of its own, a month's array: once it is handed
// over it may move, but is never copied.
TYPED_TEST(SideJobsTest, AJobsCapturedBufferIsNeverCopied) {
    TypeParam side;
    Counted::Counts counts;
    Counted buffer(&counts, 1 << 20);
    const char* const given = buffer.bytes.data();
    const char* seen = nullptr;
    std::function<void()> job = [buffer = std::move(buffer), &seen] { seen = buffer.bytes.data(); };
    ASSERT_EQ(0, counts.copies);  // the caller made the job without a copy
    side.start(std::move(job));
    side.wait();
    EXPECT_EQ(0, counts.copies);
    EXPECT_EQ(given, seen);  // the job worked on the very bytes it was given
}

TYPED_TEST(SideJobsTest, FlagsAJobRaisesAreRaisedOnTheWaitingThread) {
    TypeParam side;
    clear_all_flags();
    side.start([] { raise_flags({FE_OVERFLOW | FE_INEXACT, has_denormal_flag}); });
    side.wait();
    const FloatingPointFlags after_job = raised_flags();
    // Also those of a job that stops on an error.
    clear_all_flags();
    side.start([] {
        raise_flags({FE_UNDERFLOW, false});
        throw std::runtime_error("stopped");
    });
    EXPECT_THROW(side.wait(), std::runtime_error);
    const FloatingPointFlags after_failure = raised_flags();
    clear_all_flags();

    EXPECT_EQ(FE_OVERFLOW | FE_INEXACT, after_job.raised & (FE_OVERFLOW | FE_UNDERFLOW | FE_INEXACT));
    EXPECT_EQ(has_denormal_flag, after_job.denormal);
    EXPECT_EQ(FE_UNDERFLOW, after_failure.raised & (FE_OVERFLOW | FE_UNDERFLOW));
    EXPECT_FALSE(after_failure.denormal);
}

// Without a second processor the job runs when it is started, on the
// phase's thread.
TEST(SideJobsHere, RunsTheJobWhenStarted) {
    SideJobsHere side;
    std::thread::id ran_on;
    side.start([&ran_on] { ran_on = std::this_thread::get_id(); });
    EXPECT_EQ(std::this_thread::get_id(), ran_on);
    side.wait();
}

TEST(SideJobsThread, RunsTheJobOnAnotherThread) {
    SideJobsThread side;
    std::thread::id ran_on;
    side.start([&ran_on] { ran_on = std::this_thread::get_id(); });
    side.wait();
    EXPECT_NE(std::thread::id(), ran_on);
    EXPECT_NE(std::this_thread::get_id(), ran_on);
}

// A fault in a job is located at the record its thread read last. While the
// starting thread has an input file open, a new thread would locate it at no
// record, so the job runs on the starting thread instead, and is located at
// the record that thread read last.
TEST(SideJobsThread, RunsTheJobHereWhileAnInputFileIsOpen) {
    SideJobsThread side;
    std::thread::id ran_on;
    std::string where;
    {
        InputFile file("years.txt", 7, std::string("1\n2\n"));
        std::int32_t value = 0;
        ASSERT_TRUE(read_record(file, {value}));
        side.start([&] {
            ran_on = std::this_thread::get_id();
            where = current_location();
        });
        side.wait();
    }
    EXPECT_EQ(std::this_thread::get_id(), ran_on);
    EXPECT_EQ("At line 1 of file tessadrov11", where);
    // With the file gone, the next job goes to another thread again.
    side.start([&ran_on] { ran_on = std::this_thread::get_id(); });
    side.wait();
    EXPECT_NE(std::this_thread::get_id(), ran_on);
}

// A phase that stops on its own error leaves its side job unwaited: the job
// still finishes before what it works on goes, and its own error is dropped.
TEST(SideJobsThread, TheDestructorWaitsForAJobNeverWaitedFor) {
    bool finished = false;
    {
        SideJobsThread side;
        side.start([&finished] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            finished = true;
        });
    }
    EXPECT_TRUE(finished);
    // A job's error that no one waited for goes with it.
    finished = false;
    {
        SideJobsThread side;
        side.start([&finished] {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            finished = true;
            throw std::runtime_error("never reported");
        });
    }
    EXPECT_TRUE(finished);
}

}  // namespace
}  // namespace tessadro
