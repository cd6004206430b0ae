#pragma once

#include "model/run_state.hpp"

namespace tessadro {

// Opens the year's pumping file "tessadro<year>.txt" (a missing one reads as
// empty) after announcing the phase on the console.
InputFile open_pumping_file(const RunText& text);

// Reads the pumping file, closed at the end, well by well into the open reports: puts positive
// pumping into the well's cell, totals pumping, return flow, acres and well
// locations by group, scales the acres of exchange-area wells by the factor,
// and lists the wells of groups without authorized acres. Wells off the grid
// or on inactive cells are reported in the run report and left out of every
// total.
void read_pumping_file(InputFile file, const Grid& grid, const Table<std::int32_t, 2>& ibound,
                       const QueltaPdivs& pdivs, float queltafact, Table<float, 2>& pump, GroupTables& groups,
                       PumpingTotals& totals, Reports& reports);

}  // namespace tessadro
