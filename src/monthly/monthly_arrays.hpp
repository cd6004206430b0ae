#pragma once

#include "model/run_state.hpp"
#include "model/side_jobs.hpp"

namespace tessadro {

// Only a cell of positive annual value is split into months: the others are
// 0 in every month's array, and their county is never looked up.
inline bool split_into_months(float annual) { return annual > 0.0f; }

// Splits each cell's annual pumping and return flow into May to October with
// the monthly factors of the cell's county and writes one pumping (.pmp) and
// one recharge (.rcg) array per month, then the annual acres array (.agw);
// file names, monthly sums and season totals go to the check report. Each
// month's recharge array is formatted as a side job beside its pumping array.
void write_monthly_arrays(const RunText& text, const Grid& grid, const CellGrids& grids,
                          const Table<float, 2>& xmonfactors, Reports& reports, SideJobs& side);

}  // namespace tessadro
