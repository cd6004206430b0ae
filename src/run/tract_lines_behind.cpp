#include "run/tract_lines_behind.hpp"

#include <algorithm>
#include <new>
#include <utility>

#include "text/run_error.hpp"

namespace tessadro {

TractLinesBehind::TractLinesBehind(OutputFile& table, OutputFile& report, const InputFile& source)
    : lines_(table, report), source_(source) {
    filling_.reserve(batch_lines);
    // Room for every batch at once, so that handing one over never asks for
    // memory while the lock is held.
    waiting_.reserve(most_waiting + 1);
    spare_.reserve(most_waiting + 2);
    writer_ = std::thread([this] { write_lines(); });
}

TractLinesBehind::~TractLinesBehind() { stop(); }

void TractLinesBehind::hand_over() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.size() < most_waiting; });
    // A failed write ends the phase at the next batch: nothing after it is
    // written anyway, and finish() reports it.
    if (failure_) std::rethrow_exception(failure_);
    waiting_.push_back(std::move(filling_));
    if (spare_.empty()) {
        filling_ = std::vector<TractLine>();
    } else {
        filling_ = std::move(spare_.back());
        spare_.pop_back();
    }
    changed_.notify_all();
    lock.unlock();
    filling_.reserve(batch_lines);
}

void TractLinesBehind::write_lines() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !waiting_.empty() || last_; });
        if (waiting_.empty()) break;
        std::vector<TractLine> batch = std::move(waiting_.front());
        waiting_.erase(waiting_.begin());
        const bool failed = failure_ != nullptr;
        lock.unlock();
        // After a failure the rest is dropped, as a run on one thread would
        // have stopped at it.
        long record = 0;
        std::exception_ptr failure;
        if (!failed) {
            try {
                for (const TractLine& line : batch) {
                    record = line.record;
                    lines_.write(line);
                }
            } catch (const std::bad_alloc&) {
                failure = std::make_exception_ptr(RunError(source_.location(record), "Out of memory"));
            } catch (...) {
                failure = std::current_exception();
            }
        }
        batch.clear();
        lock.lock();
        if (failure) failure_ = failure;
        spare_.push_back(std::move(batch));
        changed_.notify_all();
    }
    flags_ = raised_flags();
}

void TractLinesBehind::stop() {
    if (!writer_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        if (!filling_.empty()) waiting_.push_back(std::move(filling_));
        filling_.clear();
        last_ = true;
    }
    changed_.notify_all();
    writer_.join();
}

void TractLinesBehind::finish() {
    stop();
    raise_flags(flags_);
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

}  // namespace tessadro
