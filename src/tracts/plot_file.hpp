#pragma once

#include <string>

#include "model/run_state.hpp"

namespace tessadro {

// Writes a point list of a cell grid for plotting: one record per active cell
// with a positive value, north to south and west to east: the cell centre's x
// and y, the value, the row, the column and the cell number.
void write_plot_file(const Grid& grid, const Table<std::int32_t, 2>& ibound, const Table<float, 2>& values,
                     const std::string& path);

// The plot files of the pumping, return-flow and acres grids.
void write_distribution_plots(const RunText& text, const Grid& grid, const CellGrids& grids);

}  // namespace tessadro
