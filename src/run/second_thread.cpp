#include "run/second_thread.hpp"

#include <system_error>
#include <thread>
#include <utility>

#include "text/record_file.hpp"

namespace tessadro {

bool second_processor() { return std::thread::hardware_concurrency() >= 2; }

struct SecondThread::Thread {
    std::thread thread;
};

SecondThread::SecondThread(bool threaded) : threaded_(threaded) {}

SecondThread::~SecondThread() { wait(); }

void SecondThread::run_job() {
    try {
        job_();
    } catch (...) {
        failure_ = std::current_exception();
    }
    job_ = nullptr;
}

void SecondThread::launch() {
    auto thread = std::make_unique<Thread>();
    thread->thread = std::thread([this] {
        run_job();
        flags_ = raised_flags();
    });
    thread_ = std::move(thread);
}

void SecondThread::start(std::function<void()> job) {
    wait();
    job_ = std::move(job);
    if (threaded_ && InputFile::last_read() == nullptr) {
        try {
            launch();
            return;
        } catch (const std::system_error&) {
            // No thread to be had: the job runs here.
        }
    }
    // Here, the flags the job raises are raised where they belong already.
    run_job();
}

void SecondThread::start_beside(std::function<void()> job) {
    wait();
    job_ = std::move(job);
    launch();
}

void SecondThread::wait() {
    if (!thread_) return;
    thread_->thread.join();
    thread_.reset();
}

bool SecondThread::ended_well() {
    wait();
    return failure_ == nullptr;
}

void SecondThread::join() {
    wait();
    raise_flags(std::exchange(flags_, {}));
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

}  // namespace tessadro
