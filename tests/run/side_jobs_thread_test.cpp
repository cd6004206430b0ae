// Side jobs: a phase hands a job on, goes on with its own work and waits for
// the job before it uses the result. On a thread of their own or run at once,
// the jobs must leave the phase exactly as if it had done them itself: their
// results, the run error they stop on, the floating-point flags they raise.
#include <gtest/gtest.h>

#include <cfenv>
#include <functional>
#include <memory>
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

// The phase's own thread and the second one must keep the same promises.
template <class Jobs>
class SideJobsTest : public testing::Test {};
using Kinds = testing::Types<SideJobsHere, SideJobsThread>;
TYPED_TEST_SUITE(SideJobsTest, Kinds);

// A job's effects are seen after wait(); its error is thrown by wait() once,
// with its location; the next job runs after it.
TYPED_TEST(SideJobsTest, ResultsAndErrorsComeBackAtWait) {
    TypeParam side;
    std::vector<int> done;
    side.start([] { throw RunError("At line 0 of file tessadrov11", "Index '45' of dimension 1"); });
    try {
        side.wait();
        ADD_FAILURE() << "wait() did not throw the job's error";
    } catch (const RunError& e) {
        EXPECT_EQ("At line 0 of file tessadrov11", e.location());
        EXPECT_STREQ("Index '45' of dimension 1", e.what());
    }
    EXPECT_NO_THROW(side.wait());
    for (int job = 1; job <= 3; ++job) {
        side.start([&done, job] { done.push_back(job); });
        side.wait();
    }
    EXPECT_EQ((std::vector<int>{1, 2, 3}), done);
}

// A job may carry a buffer of its own, a month's array: once handed over it
// is never copied (a shared_ptr's use count would show a copy).
TYPED_TEST(SideJobsTest, AJobsCapturedBufferIsNeverCopied) {
    TypeParam side;
    auto buffer = std::make_shared<std::vector<char>>(1 << 20);
    long uses = 0;
    std::function<void()> job = [buffer = std::move(buffer), &uses] { uses = buffer.use_count(); };
    side.start(std::move(job));
    side.wait();
    EXPECT_EQ(1, uses);
}

// The flags a job raises are raised on the waiting thread, also those of a
// job that stops on an error.
TYPED_TEST(SideJobsTest, FlagsAJobRaisesAreRaisedOnTheWaitingThread) {
    TypeParam side;
    std::feclearexcept(FE_ALL_EXCEPT);
    side.start([] { raise_flags({FE_OVERFLOW, false}); });
    side.wait();
    const int after_job = raised_flags().raised;
    std::feclearexcept(FE_ALL_EXCEPT);
    side.start([] {
        raise_flags({FE_UNDERFLOW, false});
        throw std::runtime_error("stopped");
    });
    EXPECT_THROW(side.wait(), std::runtime_error);
    const int after_failure = raised_flags().raised;
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_EQ(FE_OVERFLOW, after_job & (FE_OVERFLOW | FE_UNDERFLOW));
    EXPECT_EQ(FE_UNDERFLOW, after_failure & (FE_OVERFLOW | FE_UNDERFLOW));
}

std::thread::id thread_of(SideJobs& side) {
    std::thread::id ran_on;
    side.start([&ran_on] { ran_on = std::this_thread::get_id(); });
    side.wait();
    return ran_on;
}

// Here the job runs on the phase's thread; on the second thread elsewhere,
// except while the phase's thread has an input file open: a fault in a job
// is located at the record its thread read last, which a new thread has
// none of, so the job then runs here and is located as the phase's own.
TEST(SideJobs, WhereTheJobRuns) {
    SideJobsHere here;
    EXPECT_EQ(std::this_thread::get_id(), thread_of(here));
    SideJobsThread side;
    EXPECT_NE(std::this_thread::get_id(), thread_of(side));
    std::string where;
    {
        InputFile file("years.txt", 7, std::string("1\n2\n"));
        std::int32_t value = 0;
        ASSERT_TRUE(read_record(file, {value}));
        EXPECT_EQ(std::this_thread::get_id(), thread_of(side));
        side.start([&where] { where = current_location(); });
        side.wait();
    }
    EXPECT_EQ("At line 1 of file tessadrov11", where);
    EXPECT_NE(std::this_thread::get_id(), thread_of(side));
}

// A phase that stops on its own error leaves its side job unwaited: the job
// still finishes before what it works on goes, and its error is dropped.
TEST(SideJobs, TheThreadsDestructorWaitsForAJobNeverWaitedFor) {
    bool finished = false;
    {
        SideJobsThread side;
        side.start([&finished] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            finished = true;
            throw std::runtime_error("never reported");
        });
    }
    EXPECT_TRUE(finished);
}

}  // namespace
}  // namespace tessadro
