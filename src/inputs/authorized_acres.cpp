#include "inputs/authorized_acres.hpp"

#include <algorithm>

#include "text/free_form.hpp"
#include "text/units.hpp"

namespace tessadro {

bool read_authorized_tract(InputFile& file, AuthorizedTract& r) {
    return read_record(file, {r.grp, r.twnshp, r.range, r.sect, r.tract, r.authacres});
}

void read_authorized_acres(RunState& state) {
    GroupTables& g = state.groups;
    for (auto* table : {&g.pumpgrp, &g.gwretloc, &g.acresloc, &g.authtot}) table->fill(0.0f);
    for (auto* grid : {&state.grids.pump, &state.grids.gwret, &state.grids.acres, &state.grids.pumpmi}) {
        grid->fill(0.0f);
    }
    write_list(console(), {"..reading authorized acres by group"});
    state.authorized = std::make_unique<InputFile>(
        InputFile::open_or_empty("authacres" + state.text.chyear + ".txt", unit::authorized));
    write_list(console(), {"Expected fields: grp,twnshp,range,sect,tract,authacres"});
    state.sumauth = 0.0f;
    AuthorizedTract r;
    while (read_authorized_tract(*state.authorized, r)) {
        state.max_auth_group = std::max(state.max_auth_group, r.grp);
        // Groups beyond the tables count in the file's total only.
        if (r.grp <= n_groups) g.authtot(r.grp) += r.authacres;
        state.sumauth += r.authacres;
    }
    write_list(console(), {"sum authorized acres by group = ", state.sumauth});
    state.authorized->rewind();
}

}  // namespace tessadro
