#pragma once

#include <exception>
#include <functional>
#include <memory>

#include "run/fp_flags.hpp"

namespace tessadro {

// Whether the machine has a second processor for work beside the run's own
// thread. run() asks once and tells each piece of work what it decided.
bool second_processor();

// A job done beside the run's thread: started, then joined. join() hands back
// what the job threw and raises on the joining thread the floating-point
// flags the job raised, so that the run ends as if its own thread had done
// the job; the job's results, left where it was told to put them, are the
// joining thread's to read after join(). One job at a time.
//
// The job runs on the starting thread instead, when it is started, with the
// same hand-back at join(): when the run uses no second thread, when none can
// be had, and while the starting thread has an input file open, since a fault
// in the job is located at the record its thread read last, which on a new
// thread would be none.
class SecondThread {
public:
    // threaded: the run's decision to use a second thread.
    explicit SecondThread(bool threaded);
    // Waits for a job started and never joined (its starter stopped on an
    // error of its own): the job is done with what it works on before that
    // goes. What it threw is dropped.
    ~SecondThread();
    SecondThread(const SecondThread&) = delete;
    SecondThread& operator=(const SecondThread&) = delete;

    // The job is moved, never copied: it may carry a buffer of its own.
    void start(std::function<void()> job);
    // A job that waits for the starting thread, and so cannot run on it, goes
    // to a second thread whatever the decision: std::system_error when none
    // can be had.
    void start_beside(std::function<void()> job);

    // Waits for the job to end; whether it ended without throwing. Nothing is
    // handed back yet.
    bool ended_well();
    // Waits for the job, raises its flags here and throws what it threw, once.
    void join();

private:
    struct Thread;

    void run_job();
    void launch();
    void wait();

    bool threaded_;
    std::function<void()> job_;
    std::unique_ptr<Thread> thread_;
    std::exception_ptr failure_;
    FloatingPointFlags flags_;
};

}  // namespace tessadro
