#pragma once

#include <string>
#include <vector>

#include "model/run_state.hpp"

namespace tessadro {

// The files that a run of the year writes in the output directory: the three
// reports, the four plot files, the monthly pumping and recharge arrays of May
// to October, the acres array and the M&I array.
std::vector<std::string> year_output_paths(const RunText& text);

// Removes those of them that are regular files or symbolic links, and
// nothing else, so that a run that fails cannot leave the arrays of an earlier
// run of the year beside its own partial reports for a model run to pick up,
// and a link is replaced by the new file instead of written through. Anything
// else at such a path (a FIFO, a device) is left for the opening to refuse.
void remove_year_outputs(const RunText& text);

}  // namespace tessadro
