#include "tracts/distribution.hpp"

#include <cmath>
#include <string>

#include "inputs/authorized_acres.hpp"
#include "text/fixed_field.hpp"
#include "text/free_form.hpp"

namespace tessadro {
namespace {

// The tract table numbers cells with rows of 326, whatever the grid's width.
constexpr std::int32_t table_row_length = 326;

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
float distance_miles(const GroupTables& g, std::int32_t grp, float xloc, float yloc) {
    if (g.npd(grp) <= 0) return 0.0f;
    return miles(g.xpd(grp) - xloc, g.ypd(grp) - yloc);
}

// The tract's share of its group. A group whose authorized acres add up to
// nothing has no share to give: its water is placed at its wells instead.
float share(const GroupTables& g, std::int32_t grp, float authacres) {
    const float authtot = g.authtot(grp);
    if (without_authorized_acres(authtot)) return 0.0f;
    return authacres / authtot;
}

// Reports a tract that cannot be placed; false when it can.
bool reject(const Grid& grid, const Table<std::int32_t, 2>& ibound, const GroupTables& g, const AuthorizedTract& r,
            Cell cell, float fct, Reports& reports) {
    OutputFile& report = *reports.run_report;
    if (cell.column < 1 || cell.column > grid.ncol) {
        write_list(report, {++reports.nmsg, cell.row, cell.column, " return flow 1"});
    } else if (cell.row < 1 || cell.row > grid.nrow) {
        write_list(report, {++reports.nmsg, cell.row, cell.column, "return flow "});
    } else if (ibound(cell.column, cell.row) == 0) {
        ++reports.nmsg;  // counted, not shown
        write_list(report, {r.grp, r.tract, cell.row, cell.column, g.gwretloc(r.grp) * fct,
                            g.acresloc(r.grp) * fct, "I"});
    } else {
        return false;
    }
    return true;
}

void observe(RunObserver& observer, const InputFile& file, const AuthorizedTract& r, float xloc, float yloc,
             Cell cell, float gwret, float acres, Placement placement) {
    observer.tract({file.records(), r.grp, r.twnshp, r.range, r.sect, r.tract, r.authacres, xloc, yloc, cell, gwret,
                    acres, placement});
}

}  // namespace

void distribute_to_tracts(const Grid& grid, const Table<std::int32_t, 2>& ibound, const TractCoords& coords,
                          AuthorizedAcres& authorized, GroupTables& groups, Table<float, 2>& gwret,
                          Table<float, 2>& acres, Reports& reports) {
    OutputFile& table = *reports.group_report;
    write_table_head(table);
    GroupTables& g = groups;
    AuthorizedTract r;
    while (read_authorized_tract(*authorized.file, r)) {
        if (r.grp > n_groups) {  // beyond the tables: not located, counted or reported
            if (reports.observer) observe(*reports.observer, *authorized.file, r, 0.0f, 0.0f, {0, 0}, 0.0f, 0.0f, Placement::beyond_tables);
            continue;
        }
        const float xloc = coords.xcoord(r.twnshp, r.range, r.sect, r.tract);
        const float yloc = coords.ycoord(r.twnshp, r.range, r.sect, r.tract);
        const float distpdpu_mi = distance_miles(g, r.grp, xloc, yloc);
        ++g.ntracts(r.grp);
        const Cell cell = locate(grid, xloc, yloc);
        const std::int32_t node = cell_number(cell.row, cell.column, table_row_length);
        const float fct = share(g, r.grp, r.authacres);
        const bool rejected = reject(grid, ibound, g, r, cell, fct, reports);
        if (reports.observer) {
            const Placement placement = !rejected ? Placement::placed
                                        : on_grid(grid, cell) ? Placement::inactive : Placement::off_grid;
            observe(*reports.observer, *authorized.file, r, xloc, yloc, cell, g.gwretloc(r.grp) * fct,
                    g.acresloc(r.grp) * fct, placement);
        }
        if (rejected) continue;
        float& cell_gwret = gwret(cell.column, cell.row);
        float& cell_acres = acres(cell.column, cell.row);
        cell_gwret += g.gwretloc(r.grp) * fct;
        cell_acres += g.acresloc(r.grp) * fct;
        write_list(table, {r.grp, r.twnshp, r.range, r.sect, r.tract, r.authacres, fct, xloc, yloc, cell.row,
                           cell.column, node, fct, ibound(cell.column, cell.row), g.npd(r.grp), g.xpd(r.grp),
                           g.ypd(r.grp), distpdpu_mi, g.pdrange(r.grp), cell_acres, g.acresloc(r.grp),
                           g.ntracts(r.grp)});
    }
    authorized.file.reset();
    table.close();
}

}  // namespace tessadro
