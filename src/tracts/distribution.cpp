#include "tracts/distribution.hpp"

#include <string>

#include "inputs/authorized_acres.hpp"
#include "tracts/tract_lines.hpp"
#include "text/fixed_field.hpp"
#include "text/free_form.hpp"

namespace tessadro {
namespace {

// The tract table numbers cells with rows of 326, whatever the grid's width.
constexpr std::int32_t table_row_length = 326;

// How many records ahead the points of the tracts are asked for: enough for
// the memory to answer before they are needed.
constexpr std::size_t fetch_ahead = 16;

void write_table_head(OutputFile& report) {
    static const Format rule("(a)");
    write_list(report, std::span<const Item>());
    write_fixed(report, rule, {std::string(86, '=')});
    write_list(report, {" grp", " twnshp", " range", " sect", " tract", " authacres", " fct", " xloc", " yloc",
                        " row", " col", " node", " fct=authacres/authtot", " ibound(jloc,iloc)", " npd(grp)",
                        " xpd(grp)", " ypd(grp)", " distpdpu_mi", " pdrange_mi", " acres(jloc,iloc)",
                        " acresloc(grp)", " ntracts(grp)"});
}

// Miles from the group's mean point of diversion to the tract; 0 for a group
// without wells on the grid.
float distance_miles(std::int32_t npd, float xpd, float ypd, float xloc, float yloc) {
    if (npd <= 0) return 0.0f;
    return miles(xpd - xloc, ypd - yloc);
}

// The tract's share of its group. A group whose authorized acres add up to
// nothing has no share to give: its water is placed at its wells instead.
float share(const GroupTables& g, std::int32_t grp, float authacres) {
    const float authtot = g.authtot(grp);
    if (without_authorized_acres(authtot)) return 0.0f;
    return authacres / authtot;
}

// Where the tract's point falls: in an active cell of the grid (whose
// ibound value is given back), or why not.
TractLine::Kind placement(const Grid& grid, const Table<std::int32_t, 2>& ibound, Cell cell, std::int32_t& active) {
    if (cell.column < 1 || cell.column > grid.ncol) return TractLine::Kind::off_columns;
    if (cell.row < 1 || cell.row > grid.nrow) return TractLine::Kind::off_rows;
    active = ibound(cell.column, cell.row);
    if (active == 0) return TractLine::Kind::inactive;
    return TractLine::Kind::placed;
}

void observe(RunObserver& observer, InputFile& file, const AuthorizedTract& r, float xloc, float yloc,
             Cell cell, float gwret, float acres, Placement placement) {
    observer.tract({file.records(), r.grp, r.twnshp, r.range, r.sect, r.tract, r.authacres, xloc, yloc, cell, gwret,
                    acres, placement, file.reader().last_record()});
}

// The tract's point, its cell and its share of the group, and the group's
// values that its row of the tract table shows; for a tract that cannot be
// placed, also its message number and its lost shares. Each table is looked
// up once per tract: the group's wells first, whose check of the group
// number is the one that fails for a number below the tables.
TractLine locate_tract(const Grid& grid, const Table<std::int32_t, 2>& ibound, const TractCoords& coords,
                       GroupTables& g, const AuthorizedTract& r, Reports& reports) {
    TractLine l;
    l.grp = r.grp;
    l.tract = r.tract;
    l.xloc = coords.xcoord(r.twnshp, r.range, r.sect, r.tract);
    l.yloc = coords.ycoord(r.twnshp, r.range, r.sect, r.tract);
    const std::int32_t npd = g.npd(r.grp);
    const float xpd = g.xpd(r.grp);
    const float ypd = g.ypd(r.grp);
    l.distpdpu_mi = distance_miles(npd, xpd, ypd, l.xloc, l.yloc);
    const std::int32_t ntracts = ++g.ntracts(r.grp);
    const Cell cell = locate(grid, l.xloc, l.yloc);
    l.row = cell.row;
    l.column = cell.column;
    l.node = cell_number(cell.row, cell.column, table_row_length);
    l.fct = share(g, r.grp, r.authacres);
    std::int32_t active = 0;
    l.kind = placement(grid, ibound, cell, active);
    if (l.kind == TractLine::Kind::placed) {
        l.twnshp = r.twnshp;
        l.range = r.range;
        l.sect = r.sect;
        l.authacres = r.authacres;
        l.ibound = active;
        l.npd = npd;
        l.xpd = xpd;
        l.ypd = ypd;
        l.ntracts = ntracts;
    } else {
        l.nmsg = ++reports.nmsg;  // an inactive cell's line shows no number, but it counts
        if (l.kind == TractLine::Kind::inactive) {
            l.gwret = g.gwretloc(r.grp) * l.fct;
            l.acres = g.acresloc(r.grp) * l.fct;
        }
    }
    return l;
}

// A placed tract: its shares added to its cell, and the rest of its row of
// the tract table as things stand after it.
void place_tract(TractLine& l, const GroupTables& g, std::int32_t grp, Table<float, 2>& gwret,
                 Table<float, 2>& acres) {
    const float acresloc = g.acresloc(grp);
    float& cell_gwret = gwret(l.column, l.row);
    float& cell_acres = acres(l.column, l.row);
    cell_gwret += g.gwretloc(grp) * l.fct;
    cell_acres += acresloc * l.fct;
    l.pdrange = g.pdrange(grp);
    l.cell_acres = cell_acres;
    l.acresloc = acresloc;
}

void observe_tract(RunObserver& observer, InputFile& file, const AuthorizedTract& r, const TractLine& l,
                   const GroupTables& g) {
    const Placement placed = l.kind == TractLine::Kind::placed     ? Placement::placed
                             : l.kind == TractLine::Kind::inactive ? Placement::inactive
                                                                   : Placement::off_grid;
    observe(observer, file, r, l.xloc, l.yloc, {l.column, l.row}, g.gwretloc(r.grp) * l.fct,
            g.acresloc(r.grp) * l.fct, placed);
}

}  // namespace

void distribute_to_tracts(const Grid& grid, const Table<std::int32_t, 2>& ibound, const TractCoords& coords,
                          AuthorizedAcres& authorized, GroupTables& groups, Table<float, 2>& gwret,
                          Table<float, 2>& acres, Reports& reports, TractLines& lines) {
    OutputFile& table = *reports.group_report;
    write_table_head(table);
    InputFile& file = *authorized.file;
    const std::vector<std::uint32_t>& places = authorized.tract_places;
    try {
        AuthorizedTract r;
        std::size_t next = 0;  // records read
        while (read_authorized_tract(file, r)) {
            if (next + fetch_ahead < places.size()) coords.fetch(places[next + fetch_ahead]);
            ++next;
            if (r.grp > n_groups) {  // beyond the tables: not located, counted or reported
                if (reports.observer) {
                    observe(*reports.observer, file, r, 0.0f, 0.0f, {0, 0}, 0.0f, 0.0f, Placement::beyond_tables);
                }
                continue;
            }
            TractLine line = locate_tract(grid, ibound, coords, groups, r, reports);
            if (reports.observer) observe_tract(*reports.observer, file, r, line, groups);
            if (line.kind == TractLine::Kind::placed) place_tract(line, groups, r.grp, gwret, acres);
            line.record = file.records();
            lines.add(line);
        }
    } catch (...) {
        // The lines before the failure are written first; a failure among
        // them came first and is the one reported.
        lines.finish();
        throw;
    }
    lines.finish();
    authorized.file.reset();
}

}  // namespace tessadro
