#include "groups/pumping_reader.hpp"

#include <algorithm>
#include <array>
#include <vector>

#include "model/year_files.hpp"
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

// How often each exchange-area identifier is listed, looked up by halving a
// sorted copy of the list instead of scanning all of it for every well.
class ListedCount {
public:
    explicit ListedCount(const QueltaPdivs& pdivs) {
        for (std::int32_t k = 1; k <= pdivs.npdivs; ++k) ids_.push_back(pdivs.queltapdivs(k));
        std::sort(ids_.begin(), ids_.end());
    }
    std::int32_t operator()(std::int32_t id) const {
        const auto [first, last] = std::equal_range(ids_.begin(), ids_.end(), id);
        return static_cast<std::int32_t>(last - first);
    }

private:
    std::vector<std::int32_t> ids_;
};

// What the pumping records read and change, for the accepting of one record.
struct Accounting {
    const Grid& grid;
    const ListedCount& listed;
    float queltafact;
    Table<float, 2>& pump;
    GroupTables& groups;
    PumpingTotals& totals;
    OutputFile& run_report;
};

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
// diversion is listed. An identifier listed twice counts twice in the
// exchange-area acres (and is noted twice), added one listing at a time.
float acres_factor(Accounting& a, const PumpingRecord& r, bool unauthorized) {
    float acfact = 1.0f;
    for (std::int32_t n = a.listed(r.pdid); n > 0; --n) {
        acfact = a.queltafact;
        a.totals.sums.queltaacres += r.acloc;
        if (unauthorized) write_list(console(), {"grp ", r.grp, " gwret ", r.gwloc, " acloc ", r.acloc});
    }
    return acfact;
}

// Returns the acres factor applied.
float accept(Accounting& a, const PumpingRecord& r, Cell cell) {
    GroupTables& g = a.groups;
    if (r.pumploc > 0.0f) a.pump(cell.column, cell.row) += r.pumploc;
    if (r.grp < 1 || r.grp > n_groups) write_list(console(), {"Group ", r.grp, " outside dimension limits."});
    add_point(g, r.grp, r.x, r.y);  // the index check of npd ends the run for such a group
    g.pumpgrp(r.grp) += r.pumploc;
    g.gwretloc(r.grp) += r.gwloc;
    const bool unauthorized = without_authorized_acres(g.authtot(r.grp));
    const float acfact = acres_factor(a, r, unauthorized);
    const float acres = r.acloc * acfact;
    g.acresloc(r.grp) += acres;
    RunSums& sums = a.totals.sums;
    sums.sumacres += acres;
    sums.sumgwret += r.gwloc;
    if (!unauthorized) return acfact;
    const std::int32_t node = cell_number(cell.row, cell.column, a.grid.ncol);
    sums.acresnotauthorized += acres;
    sums.gwretnotauthorized += r.gwloc;
    a.totals.notauthorized.push_back({r.grp, node, acres, r.gwloc});
    const auto numna = static_cast<std::int32_t>(a.totals.notauthorized.size());
    write_list(a.run_report, {r.grp, r.gwloc, r.acloc, sums.gwretnotauthorized, sums.acresnotauthorized,
                                   cell.row, cell.column, node, numna});
    return acfact;
}

void observe(RunObserver& observer, InputFile& file, const PumpingRecord& r, Cell cell, float acfact,
             bool unauthorized, Placement placement) {
    if (placement == Placement::placed && !(r.pumploc > 0.0f)) placement = Placement::not_positive;
    observer.pumping({file.records(), r.grp, r.x, r.y, cell, r.pumploc, r.gwloc, r.acloc, acfact, unauthorized,
                      placement, file.reader().last_record()});
}

}  // namespace

InputFile open_pumping_file(const RunText& text) {
    write_list(console(), {"..reading pumping file"});
    return InputFile::open_or_empty(pumping_file_name(text.chyear), unit::pumping, Reading::streamed,
                                    text.listener);
}

void read_pumping_file(InputFile file, const Grid& grid, const Table<std::int32_t, 2>& ibound,
                       const QueltaPdivs& pdivs, float queltafact, Table<float, 2>& pump, GroupTables& groups,
                       PumpingTotals& totals, Reports& reports) {
    reports.nmsg = 0;
    totals = PumpingTotals{};
    GroupTables& g = groups;
    for (auto* table : {&g.xpd, &g.ypd, &g.xpdmin, &g.xpdmax, &g.ypdmin, &g.ypdmax, &g.pdrange}) table->fill(0.0f);
    g.ntracts.fill(0);
    g.npd.fill(0);

    const ListedCount listed(pdivs);
    Accounting accounting{grid, listed, queltafact, pump, groups, totals, *reports.run_report};
    PumpingRecord r;
    while (read_pumping_record(file, r)) {
        const Cell cell = locate(grid, r.x, r.y);
        Placement placement = Placement::placed;
        float acfact = 1.0f;
        if (!on_grid(grid, cell)) {
            ++reports.nmsg;
            write_list(*reports.run_report, {reports.nmsg, cell.row, cell.column, " pumping"});
            placement = Placement::off_grid;
        } else if (ibound(cell.column, cell.row) == 0) {
            ++reports.nmsg;  // counted, not shown
            write_list(*reports.run_report, {cell.row, cell.column, r.pumploc, " pumping"});
            placement = Placement::inactive;
        } else {
            acfact = accept(accounting, r, cell);
        }
        if (reports.observer) {
            const bool unauthorized =
                placement == Placement::placed && without_authorized_acres(groups.authtot(r.grp));
            observe(*reports.observer, file, r, cell, acfact, unauthorized, placement);
        }
    }
}

}  // namespace tessadro
