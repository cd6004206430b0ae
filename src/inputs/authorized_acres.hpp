#pragma once

#include "model/run_state.hpp"

namespace tessadro {

// One authorized-acres record: a tract that a group may irrigate and its
// authorized acres there.
struct AuthorizedTract {
    std::int32_t grp = 0;
    std::int32_t twnshp = 0;
    std::int32_t range = 0;
    std::int32_t sect = 0;
    std::int32_t tract = 0;
    float authacres = 0.0f;
};

// The next record of the authorized-acres file; false at its end.
bool read_authorized_tract(InputFile& file, AuthorizedTract& record);

// Clears the group tables and cell grids, totals the authorized acres of each
// group (authtot) and of the file (sumauth) over "authacres<year>.txt", and
// leaves the file open and rewound for the distribution to tracts.
void read_authorized_acres(const RunText& text, GroupTables& groups, CellGrids& grids,
                           AuthorizedAcres& authorized);

}  // namespace tessadro
