#pragma once

#include "model/run_state.hpp"

namespace tessadro {

// Places the acres and return flow of the wells of groups without authorized
// acres in the wells' own cells, in list order, never letting this placement
// raise a cell's acres above 640 (a section); logged in the run report.
void reassign_unauthorized(const Grid& grid, const std::vector<NotAuthorized>& notauthorized,
                           Table<float, 2>& gwret, Table<float, 2>& acres, Reports& reports);

}  // namespace tessadro
