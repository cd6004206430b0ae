#pragma once

#include <condition_variable>
#include <mutex>
#include <vector>

#include "run/second_thread.hpp"
#include "tracts/tract_lines.hpp"

namespace tessadro {

// The distribution's lines written on a second thread, behind the one that
// reads and places the tracts: formatting the 22 numbers of each row of the
// tract table is most of that phase's work. The lines are handed over in
// batches and written in the order they were added, to the same files
// through the same buffers, so the files and the point where a write fails
// are those of a run on one thread. After a failure nothing more is written,
// and the failure is thrown by the add() that hands over the next batch, or
// by finish(), which waits for every line handed over.
class TractLinesBehind : public TractLines {
public:
    // The writer thread starts here; std::system_error when there is none.
    // The source file names the record of a line that could not be written
    // for want of memory.
    TractLinesBehind(OutputFile& table, OutputFile& report, const InputFile& source);
    ~TractLinesBehind() override;
    TractLinesBehind(const TractLinesBehind&) = delete;
    TractLinesBehind& operator=(const TractLinesBehind&) = delete;

    void add(const TractLine& line) override {
        filling_.push_back(line);
        if (filling_.size() == batch_lines) hand_over();
    }
    void finish() override;

private:
    static constexpr std::size_t batch_lines = 1024;
    static constexpr std::size_t most_waiting = 4;  // batches handed over and not yet written

    void hand_over();
    void write_lines();
    void write_batch(const std::vector<TractLine>& batch);
    void stop();

    TractLineWriter lines_;
    const InputFile& source_;
    std::vector<TractLine> filling_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::vector<TractLine>> waiting_;  // oldest first
    std::vector<std::vector<TractLine>> spare_;
    bool last_ = false;    // no more batches come
    bool failed_ = false;  // the writer stopped on a failure, which join() throws

    // Last, so that its thread ends before the queue it reads goes.
    SecondThread writer_{true};
};

}  // namespace tessadro
