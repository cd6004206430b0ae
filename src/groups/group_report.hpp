#pragma once

#include "model/run_state.hpp"

namespace tessadro {

// Reports the run sums of the pumping file on the console and in the run
// report, turns each group's point sums into mean points and its spread of
// points into pdrange (miles), and writes one line per group 1 to 5000 to the
// group report.
void write_group_report(const RunSums& sums, const AuthorizedAcres& authorized, GroupTables& groups,
                        Reports& reports);

}  // namespace tessadro
