#include "inputs/authorized_acres.hpp"

#include <algorithm>

#include "model/year_files.hpp"
#include "text/free_form.hpp"
#include "text/units.hpp"

namespace tessadro {

bool read_authorized_tract(InputFile& file, AuthorizedTract& r) {
    return read_record(file, {r.grp, r.twnshp, r.range, r.sect, r.tract, r.authacres});
}

void read_authorized_acres(const RunText& text, GroupTables& groups, CellGrids& grids,
                           AuthorizedAcres& authorized) {
    GroupTables& g = groups;
    for (auto* table : {&g.pumpgrp, &g.gwretloc, &g.acresloc, &g.authtot}) table->fill(0.0f);
    for (auto* grid : {&grids.pump, &grids.gwret, &grids.acres, &grids.pumpmi}) grid->fill(0.0f);
    write_list(console(), {"..reading authorized acres by group"});
    authorized.file = std::make_unique<InputFile>(
        InputFile::open_or_empty(authorized_acres_file_name(text.chyear), unit::authorized, Reading::held,
                                 text.listener));
    write_list(console(), {"Expected fields: grp,twnshp,range,sect,tract,authacres"});
    authorized.sumauth = 0.0f;
    // A record takes 12 bytes at the least ("1,1,1,1,1,1" and its line end):
    // room for them all at once, touched only as it fills.
    authorized.tract_places.clear();
    authorized.tract_places.reserve(authorized.file->held_bytes() / 12 + 1);
    AuthorizedTract r;
    while (read_authorized_tract(*authorized.file, r)) {
        authorized.tract_places.push_back(TractCoords::place(r.twnshp, r.range, r.sect, r.tract));
        authorized.max_auth_group = std::max(authorized.max_auth_group, r.grp);
        // Groups beyond the tables count in the file's total only.
        if (r.grp <= n_groups) g.authtot(r.grp) += r.authacres;
        authorized.sumauth += r.authacres;
    }
    write_list(console(), {"sum authorized acres by group = ", authorized.sumauth});
    authorized.file->rewind();
}

}  // namespace tessadro
