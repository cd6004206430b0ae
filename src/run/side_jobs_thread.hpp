#pragma once

#include <functional>
#include <utility>

#include "model/side_jobs.hpp"
#include "run/second_thread.hpp"

namespace tessadro {

// The phases' side jobs, one at a time on the run's second thread, which says
// when a job is done on the phase's own thread instead.
class SideJobsThread : public SideJobs {
public:
    explicit SideJobsThread(bool threaded) : thread_(threaded) {}

    void start(std::function<void()> job) override { thread_.start(std::move(job)); }
    void wait() override { thread_.join(); }

private:
    SecondThread thread_;
};

}  // namespace tessadro
