#pragma once

#include <exception>
#include <thread>

#include "model/run_state.hpp"
#include "run/fp_flags.hpp"

namespace tessadro {

// The coordinates of the 40-acre tracts, the largest static table, read on a
// second thread from the start of the run while this one reads the year
// files; no phase before the tracts' own touches these tables. The phase
// still happens in its turn and shows only there: its console line, then
// what the reading found, a failure included, so that a run fails where and
// as it would on one thread. A run that fails earlier never looks at the
// result. Without a second processor, or when the file is not a plain file
// (a pipe must not be read before its turn), the phase reads it in its turn.
class CoordinatesAhead {
public:
    CoordinatesAhead(const RunText& text, TractCoords& coords);
    ~CoordinatesAhead();
    CoordinatesAhead(const CoordinatesAhead&) = delete;
    CoordinatesAhead& operator=(const CoordinatesAhead&) = delete;

    // The phase: console line, table filled, flags of the reading raised on
    // this thread; the reading's failure, if any, is thrown from here.
    void finish();

private:
    const RunText& text_;
    TractCoords& coords_;
    std::thread worker_;
    std::exception_ptr failure_;
    FloatingPointFlags flags_;
};

}  // namespace tessadro
