#pragma once

#include <functional>
#include <utility>

#include "model/side_jobs.hpp"
#include "run/second_thread.hpp"

namespace tessadro {

// The phases' side jobs on the run's second thread, one job at a time, or
// each run when it is started when the run uses no second thread.
class SideJobsThread : public SideJobs {
public:
    explicit SideJobsThread(bool threaded) : thread_(threaded) {}

    void start(std::function<void()> job) override { thread_.start(std::move(job)); }
    void wait() override { thread_.join(); }

private:
    SecondThread thread_;
};

}  // namespace tessadro
