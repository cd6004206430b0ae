#pragma once

#include "model/run_state.hpp"
#include "run/second_thread.hpp"

namespace tessadro {

// The coordinates of the 40-acre tracts, the largest static table, read on a
// second thread from the start of the run while this one reads the year
// files; no phase before the tracts' own touches these tables. The phase
// still happens in its turn and shows only there: its console line, then
// what the reading found, a failure included, so that a run fails where and
// as it would on one thread. A run that fails earlier never looks at the
// result. When the run uses no second thread, or when the file is not a
// plain file (a pipe must not be read before its turn), the phase reads it in
// its turn; when no thread can be had, it is read on this one at the start.
//
// The year report checks the wells of the pumping file against the survey's
// extent, so for the report a plain file is read ahead even without a second
// thread (on this one, at the start): its wells are checked once the points
// are known, and ready() hands them over before the pumping file when the
// report would rather wait for them than keep its wells. Only a file that is
// not a plain file is then known no earlier than in its turn.
class CoordinatesAhead {
public:
    // threaded: the run uses a second thread; wanted_early: the points are
    // wanted ahead of their turn (the year report).
    CoordinatesAhead(const RunText& text, TractCoords& coords, bool threaded, bool wanted_early);
    CoordinatesAhead(const CoordinatesAhead&) = delete;
    CoordinatesAhead& operator=(const CoordinatesAhead&) = delete;

    // Whether the points are read, or being read, before their turn.
    bool read_ahead() const { return ahead_; }
    // The points when they have been read ahead and read well (waiting for
    // the reading to end), else null: not read ahead, or a failure that
    // finish() will report in its turn.
    const TractCoords* ready();

    // The phase: console line, table filled, flags of the reading raised on
    // this thread; the reading's failure, if any, is thrown from here.
    void finish();

private:
    const RunText& text_;
    TractCoords& coords_;
    bool ahead_ = false;  // read, or being read, before its turn
    SecondThread reader_;
};

}  // namespace tessadro
