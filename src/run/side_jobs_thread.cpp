#include "run/side_jobs_thread.hpp"

#include <system_error>
#include <utility>

#include "text/record_file.hpp"

namespace tessadro {

SideJobsThread::~SideJobsThread() {
    if (thread_.joinable()) thread_.join();
}

void SideJobsThread::run_job() {
    try {
        job_();
    } catch (...) {
        failure_ = std::current_exception();
    }
    job_ = nullptr;
    flags_ = raised_flags();
}

void SideJobsThread::start(std::function<void()> job) {
    if (thread_.joinable()) thread_.join();
    // The job is moved, never copied: it may carry a buffer of its own.
    job_ = std::move(job);
    // A fault in a job is located at the record that its thread read last,
    // which on a new thread is none: while this thread has an input file
    // open, the job runs here, so that it is located as this thread's own.
    if (InputFile::last_read() != nullptr) {
        run_job();
        return;
    }
    try {
        thread_ = std::thread([this] { run_job(); });
    } catch (const std::system_error&) {
        run_job();
    }
}

void SideJobsThread::wait() {
    if (thread_.joinable()) thread_.join();
    raise_flags(flags_);
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

}  // namespace tessadro
