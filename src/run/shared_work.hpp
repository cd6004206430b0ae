#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

#include "run/second_thread.hpp"

namespace tessadro {

// Pieces of work independent of one another, shared by two threads. A second
// thread takes them one at a time, in the order they were added, from the
// moment the first one is; the adding thread joins in at finish(), so that
// neither waits while pieces are left and work added late still goes to
// whichever thread is free. A piece leaves its result where it was told to,
// for the adding thread to read after finish().
//
// Without a second thread (the run's decision, or none to be had) every
// piece is done at finish(), on the adding thread, in order.
class SharedWork {
public:
    explicit SharedWork(bool threaded) : threaded_(threaded), second_(threaded) {}
    // Waits for the piece the second thread is doing; pieces not yet taken
    // are never done. What the pieces reference must outlive this.
    ~SharedWork();
    SharedWork(const SharedWork&) = delete;
    SharedWork& operator=(const SharedWork&) = delete;

    void add(std::function<void()> piece);
    // Takes pieces here too until none is left and waits for the second
    // thread's last one; then throws what the first failed piece threw, in
    // the order they were added, whichever thread did it: a failure reported
    // never depends on which thread was quicker.
    void finish();

private:
    void take_pieces();

    bool threaded_;
    bool started_ = false;
    std::mutex lock_;
    std::condition_variable more_;
    std::deque<std::function<void()>> pieces_;
    std::size_t next_ = 0;  // the first piece not yet taken
    bool closed_ = false;   // no piece comes after those added
    std::vector<std::pair<std::size_t, std::exception_ptr>> failures_;
    SecondThread second_;  // last: waited for before the rest goes
};

}  // namespace tessadro
