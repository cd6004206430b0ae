#pragma once

#include <exception>
#include <functional>
#include <utility>

namespace tessadro {

// Jobs that a phase hands to another processor while it goes on with its own
// work, one at a time, waiting for each before it uses the result. A job
// formats in memory and touches nothing the phase touches meanwhile; what it
// throws is thrown by wait(), and the floating-point flags it raises are then
// raised on the phase's thread, so the run ends as if the phase had done the
// job itself.
class SideJobs {
public:
    virtual ~SideJobs() = default;
    virtual void start(std::function<void()> job) = 0;
    virtual void wait() = 0;
};

// Without a second processor (or for the year report, whose observer must not
// be called from two threads): the job runs when it is started.
class SideJobsHere : public SideJobs {
public:
    void start(std::function<void()> job) override {
        try {
            job();
        } catch (...) {
            failure_ = std::current_exception();
        }
    }
    void wait() override {
        if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
    }

private:
    std::exception_ptr failure_;
};

}  // namespace tessadro
