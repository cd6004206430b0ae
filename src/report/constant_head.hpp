#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/grid_geometry.hpp"
#include "report/report_limits.hpp"

namespace tessadro {

// The cells of a negative activity code hold a constant head: the model
// keeps their water level, so what is pumped from or recharged to them never
// changes it. The maps outline them.
//
// The edges between constant-head cells and the other cells (or the grid's
// edge) as one SVG path in cell units, (0, 0) the north-west corner of the
// grid and one unit a cell side; neighbouring edges on a line are joined.
// "" when the grid has no constant-head cell, when the activity grid does not
// hold one code a cell, or when the outline would take more than
// constant_head_runs straight runs (a scatter of single cells, which no
// outline makes readable and which would swell the page).
std::string constant_head_path(const Grid& grid, const std::vector<std::int32_t>& ibound);

// The element id of the outline that every map of the page draws.
inline constexpr const char* constant_head_id = "constant-head-outline";

// The outline, once for the page: a hidden drawing that defines it under
// constant_head_id, "" when there is none.
std::string constant_head_definition(const Grid& grid, const std::vector<std::int32_t>& ibound);

}  // namespace tessadro
