#pragma once

#include "model/run_state.hpp"
#include "tracts/tract_lines.hpp"

namespace tessadro {

// Second pass over the authorized-acres file: every authorized tract of a
// group gets the share authacres / authtot of the group's return flow and
// acres, added into the cell that holds the tract's point. Each placed tract
// gets a row in the tract table of the group report; a tract off the grid or
// on an inactive cell is reported in the run report and its share is lost.
// The lines go through the given writer (tract_lines.hpp). Closes the
// authorized-acres file.
void distribute_to_tracts(const Grid& grid, const Table<std::int32_t, 2>& ibound, const TractCoords& coords,
                          AuthorizedAcres& authorized, GroupTables& groups, Table<float, 2>& gwret,
                          Table<float, 2>& acres, Reports& reports, TractLines& lines);

}  // namespace tessadro
