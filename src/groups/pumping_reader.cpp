#include "groups/pumping_reader.hpp"

#include <array>
#include <cmath>
#include <filesystem>

#include "text/fixed_field.hpp"
#include "text/free_form.hpp"
#include "text/units.hpp"

namespace tessadro {
namespace {

// One record of the pumping file: a point of diversion (well) of a group.
struct PumpingRecord {
    std::int32_t grp = 0;
    std::int32_t pdid = 0;     // point-of-diversion identifier
    float x = 0.0f;
    float y = 0.0f;
    float unused = 0.0f;
    std::array<char, 2> code{};
    float pumploc = 0.0f;      // the year's pumping
    float gwloc = 0.0f;        // groundwater return flow
    float acloc = 0.0f;        // irrigated acres
};

bool read_pumping_record(InputFile& file, PumpingRecord& r) {
    return read_record(file, {r.grp, r.pdid, r.x, r.y, r.unused, r.code, r.pumploc, r.gwloc, r.acloc});
}

void open_reports(RunState& state) {
    const std::string& year = state.text.chyear;
    std::error_code ec;
    std::filesystem::create_directories(state.text.chout, ec);  // a failure shows at the opening
    state.run_report = std::make_unique<OutputFile>(state.out_path("output" + year + ".dat"), unit::run_report);
    state.check_report = std::make_unique<OutputFile>(state.out_path("check" + year + ".out"), unit::check);
    write_list(*state.run_report,
               {"grp", "gwloc", "acloc", "gwrfnotauth", "gwacnotauth", "iloc", "jloc", "nodena", "numna"});
}

void open_group_report(RunState& state) {
    static const Format header("(2a6,2a12,4a10)");
    state.group_report = std::make_unique<OutputFile>(
        state.out_path("authacres" + state.text.chyear + ".out"), unit::group_report);
    write_fixed(*state.group_report, header,
                {" group", "   npd", "      xpd_ft", "      ypd_ft", "   pumpgrp", "  gwretloc", "  acresloc",
                 "   authtot"});
}

// Count, sums and bounding box of the group's accepted points of diversion.
void add_point(GroupTables& g, std::int32_t grp, float x, float y) {
    const std::int32_t n = ++g.npd(grp);
    g.xpd(grp) += x;
    g.ypd(grp) += y;
    if (n == 1) {
        g.xpdmin(grp) = g.xpdmax(grp) = x;
        g.ypdmin(grp) = g.ypdmax(grp) = y;
        return;
    }
    if (x < g.xpdmin(grp)) g.xpdmin(grp) = x;
    if (x > g.xpdmax(grp)) g.xpdmax(grp) = x;
    if (y < g.ypdmin(grp)) g.ypdmin(grp) = y;
    if (y > g.ypdmax(grp)) g.ypdmax(grp) = y;
}

// The acres factor of a well: the exchange-area factor when its point of
// diversion is listed. The whole list is scanned: an identifier listed twice
// counts twice in the exchange-area acres (and is noted twice).
float acres_factor(RunState& state, const PumpingRecord& r, bool unauthorized) {
    float acfact = 1.0f;
    for (std::int32_t k = 1; k <= state.npdivs; ++k) {
        if (state.queltapdivs(k) != r.pdid) continue;
        acfact = state.queltafact;
        state.sums.queltaacres += r.acloc;
        if (unauthorized) write_list(console(), {"grp ", r.grp, " gwret ", r.gwloc, " acloc ", r.acloc});
    }
    return acfact;
}

void accept(RunState& state, const PumpingRecord& r, Cell cell) {
    GroupTables& g = state.groups;
    if (r.pumploc > 0.0f) state.grids.pump(cell.column, cell.row) += r.pumploc;
    if (r.grp < 1 || r.grp > n_groups) write_list(console(), {"Group ", r.grp, " outside dimension limits."});
    add_point(g, r.grp, r.x, r.y);  // the index check of npd ends the run for such a group
    g.pumpgrp(r.grp) += r.pumploc;
    g.gwretloc(r.grp) += r.gwloc;
    const bool unauthorized = without_authorized_acres(g.authtot(r.grp));
    const float acres = r.acloc * acres_factor(state, r, unauthorized);
    g.acresloc(r.grp) += acres;
    RunSums& sums = state.sums;
    sums.sumacres += acres;
    sums.sumgwret += r.gwloc;
    if (!unauthorized) return;
    const std::int32_t node = cell_number(cell.row, cell.column, state.grid.ncol);
    sums.acresnotauthorized += acres;
    sums.gwretnotauthorized += r.gwloc;
    state.notauthorized.push_back({r.grp, node, acres, r.gwloc});
    const auto numna = static_cast<std::int32_t>(state.notauthorized.size());
    write_list(*state.run_report, {r.grp, r.gwloc, r.acloc, sums.gwretnotauthorized, sums.acresnotauthorized,
                                   cell.row, cell.column, node, numna});
}

}  // namespace

void read_pumping_file(RunState& state) {
    write_list(console(), {"..reading pumping file"});
    InputFile file =
        InputFile::open_or_empty("tessadro" + state.text.chyear + ".txt", unit::pumping);
    open_reports(state);
    state.nmsg = 0;
    state.sums = RunSums{};
    state.notauthorized.clear();
    GroupTables& g = state.groups;
    for (auto* table : {&g.xpd, &g.ypd, &g.xpdmin, &g.xpdmax, &g.ypdmin, &g.ypdmax, &g.pdrange}) table->fill(0.0f);
    g.ntracts.fill(0);
    g.npd.fill(0);
    open_group_report(state);

    PumpingRecord r;
    while (read_pumping_record(file, r)) {
        const Cell cell = locate(state.grid, r.x, r.y);
        if (!on_grid(state.grid, cell)) {
            ++state.nmsg;
            write_list(*state.run_report, {state.nmsg, cell.row, cell.column, " pumping"});
        } else if (state.grids.ibound(cell.column, cell.row) == 0) {
            ++state.nmsg;  // counted, not shown
            write_list(*state.run_report, {cell.row, cell.column, r.pumploc, " pumping"});
        } else {
            accept(state, r, cell);
        }
    }
}

}  // namespace tessadro
