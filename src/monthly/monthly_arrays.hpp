#pragma once

#include "model/run_state.hpp"

namespace tessadro {

// Splits each cell's annual pumping and return flow into May to October with
// the monthly factors of the cell's county and writes one pumping (.pmp) and
// one recharge (.rcg) array per month, then the annual acres array (.agw);
// file names, monthly sums and season totals go to the check report.
void write_monthly_arrays(const RunText& text, const Grid& grid, const CellGrids& grids,
                          const Table<float, 2>& xmonfactors, Table<float, 2>& work, Reports& reports);

}  // namespace tessadro
