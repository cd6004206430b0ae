#include "run/tract_lines_behind.hpp"

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
    writer_.start_beside([this] { write_lines(); });
}

TractLinesBehind::~TractLinesBehind() { stop(); }

void TractLinesBehind::hand_over() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.size() < most_waiting || failed_; });
    if (failed_) {
        // A failed write ends the phase at the next batch: nothing after it
        // is written anyway.
        lock.unlock();
        writer_.join();
        return;
    }
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

void TractLinesBehind::write_batch(const std::vector<TractLine>& batch) {
    long record = 0;
    try {
        for (const TractLine& line : batch) {
            record = line.record;
            lines_.write(line);
        }
    } catch (const std::bad_alloc&) {
        throw RunError(source_.location(record), "Out of memory");
    }
}

void TractLinesBehind::write_lines() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !waiting_.empty() || last_; });
        if (waiting_.empty()) return;
        std::vector<TractLine> batch = std::move(waiting_.front());
        waiting_.erase(waiting_.begin());
        lock.unlock();
        try {
            write_batch(batch);
        } catch (...) {
            // The rest is never written, as a run on one thread would have
            // stopped at the failure.
            lock.lock();
            failed_ = true;
            changed_.notify_all();
            throw;
        }
        batch.clear();
        lock.lock();
        spare_.push_back(std::move(batch));
        changed_.notify_all();
    }
}

void TractLinesBehind::stop() {
    {
        std::lock_guard lock(mutex_);
        if (!filling_.empty()) waiting_.push_back(std::move(filling_));
        filling_.clear();
        last_ = true;
    }
    changed_.notify_all();
}

void TractLinesBehind::finish() {
    stop();
    writer_.join();
}

}  // namespace tessadro
