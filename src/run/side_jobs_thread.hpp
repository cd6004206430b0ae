#pragma once

#include <exception>
#include <thread>

#include "model/side_jobs.hpp"
#include "run/fp_flags.hpp"

namespace tessadro {

// Side jobs on a thread of their own, one thread for each job.
class SideJobsThread : public SideJobs {
public:
    SideJobsThread() = default;
    ~SideJobsThread() override;
    SideJobsThread(const SideJobsThread&) = delete;
    SideJobsThread& operator=(const SideJobsThread&) = delete;

    // Runs the job here when no thread can be had.
    void start(std::function<void()> job) override;
    void wait() override;

private:
    void run_job();

    std::function<void()> job_;
    std::thread thread_;
    std::exception_ptr failure_;
    FloatingPointFlags flags_;
};

}  // namespace tessadro
