#include "run/shared_work.hpp"

#include <algorithm>
#include <system_error>

namespace tessadro {

SharedWork::~SharedWork() {
    {
        const std::lock_guard hold(lock_);
        closed_ = true;
        next_ = pieces_.size();
    }
    more_.notify_all();
}

void SharedWork::add(std::function<void()> piece) {
    {
        const std::lock_guard hold(lock_);
        pieces_.push_back(std::move(piece));
    }
    more_.notify_all();
    if (!threaded_ || started_) return;
    try {
        second_.start_beside([this] { take_pieces(); });
        started_ = true;
    } catch (const std::system_error&) {
        // No thread to be had: finish() does every piece here.
    }
}

// Until no piece is left and none will come. A piece is moved out of the
// list before it runs, so the list may grow meanwhile.
void SharedWork::take_pieces() {
    std::unique_lock hold(lock_);
    for (;;) {
        more_.wait(hold, [this] { return next_ < pieces_.size() || closed_; });
        if (next_ >= pieces_.size()) return;
        const std::size_t k = next_++;
        const std::function<void()> piece = std::move(pieces_[k]);
        hold.unlock();
        std::exception_ptr failure;
        try {
            piece();
        } catch (...) {
            failure = std::current_exception();
        }
        hold.lock();
        if (failure) failures_.emplace_back(k, failure);
    }
}

void SharedWork::finish() {
    {
        const std::lock_guard hold(lock_);
        closed_ = true;
    }
    more_.notify_all();
    take_pieces();
    if (started_) second_.join();
    if (failures_.empty()) return;
    const auto first = std::min_element(failures_.begin(), failures_.end(),
                                        [](const auto& a, const auto& b) { return a.first < b.first; });
    std::rethrow_exception(first->second);
}

}  // namespace tessadro
