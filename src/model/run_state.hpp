#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/grid_geometry.hpp"
#include "model/run_observer.hpp"
#include "model/table.hpp"
#include "text/record_file.hpp"

// The run's shared tables: created zero-filled at the start of the run, filled
// by the phases in order, held until its end.
//
// The tables keep the short names of the water-use accounting, built from
// its vocabulary: "loc" an amount of one record or group, "pd" points of
// diversion (wells), "na" the records of groups without authorized acres,
// "gwret" groundwater return flow (the recharge of the .rcg arrays), "mi"
// municipal and industrial, "quelta" the exchange area.
//   ibound       activity of each model cell, 0 = outside the active model
//   icty         county number of each cell (1 to 44; 0 counts as county 1)
//   pump         annual pumping of each cell, acre-feet
//   gwret        annual return flow reaching groundwater in each cell
//   acres        irrigated acres of each cell
//   pumpmi       municipal and industrial pumping of each cell
//   xmonfactors  share of the year's amount in each month, by county
//   queltapdivs  the wells (points of diversion) of the exchange area
//   queltafact   the exchange-area factor applied to those wells' acres
//   authtot      authorized acres of a group, all its tracts together
//   pumpgrp      pumping of a group; gwretloc, acresloc its return flow
//                and acres
//   npd          wells of a group; xpd, ypd their mean point, xpdmin to
//                ypdmax their extent, pdrange its diagonal in miles
//   ntracts      tract records of a group read in the second pass
//   xcoord, ycoord  the point of each 40-acre tract (township, range,
//                section, tract)
//   nmsg         running number of the run report's rejection messages
//   chyear       the year as given, 4 characters; chfact the factor as
//                given, 10; chstatic the static tables' folder, chout the
//                output folder ("out/")
namespace tessadro {

inline constexpr std::int32_t max_grid = 400;     // rows and columns of every cell grid
inline constexpr std::int32_t n_groups = 5000;    // water-right groups 1 to nGroups
inline constexpr std::int32_t max_pdivs = 500;    // exchange-area points of diversion
inline constexpr std::int32_t n_counties = 44;
inline constexpr std::int32_t n_months = 12;

// A group has no authorized place of use when its authorized acres add up to
// less than the 4-byte value nearest 1.0e-6 in magnitude.
inline bool without_authorized_acres(float authtot) { return std::fabs(authtot) < 1.0e-6f; }

// The length in miles of a difference of two points given in feet, every step
// in 4-byte reals.
inline float miles(float dx, float dy) { return std::sqrt(dx * dx + dy * dy) / 5280.0f; }

// Texts of the run: the year and factor as given, the directory prefixes.
struct RunText {
    std::string chyear;      // exactly 4 characters
    std::string chfact;      // exactly 10 characters
    std::string chstatic;    // static directory prefix, ends with '/'
    std::string chout;       // output directory prefix, "out/"
    // Who hears about records the reading rules probably misread (the year
    // report); none in the legacy run.
    RecordListener* listener = nullptr;

    std::string static_path(const std::string& name) const { return chstatic + name; }
    std::string out_path(const std::string& name) const { return chout + name; }
};

// Cell grids, indexed (column, row).
struct CellGrids {
    Table<std::int32_t, 2> ibound{"ibound", {max_grid, max_grid}};  // 0 = inactive
    Table<std::int32_t, 2> icty{"icty", {max_grid, max_grid}};      // county number
    Table<float, 2> pump{"pump", {max_grid, max_grid}};
    Table<float, 2> gwret{"gwret", {max_grid, max_grid}};
    Table<float, 2> acres{"acres", {max_grid, max_grid}};
    Table<float, 2> pumpmi{"pumpmi", {max_grid, max_grid}};
};

// The exchange area's point-of-diversion identifiers, as listed.
struct QueltaPdivs {
    Table<std::int32_t, 1> queltapdivs{"queltapdivs", {max_pdivs}};
    std::int32_t npdivs = 0;
};

// Per-group tables, indexed by group number.
struct GroupTables {
    Table<float, 1> authtot{"authtot", {n_groups}};
    Table<float, 1> pumpgrp{"pumpgrp", {n_groups}};
    Table<float, 1> gwretloc{"gwretloc", {n_groups}};
    Table<float, 1> acresloc{"acresloc", {n_groups}};
    Table<std::int32_t, 1> npd{"npd", {n_groups}};
    Table<float, 1> xpd{"xpd", {n_groups}};
    Table<float, 1> ypd{"ypd", {n_groups}};
    Table<float, 1> xpdmin{"xpdmin", {n_groups}};
    Table<float, 1> xpdmax{"xpdmax", {n_groups}};
    Table<float, 1> ypdmin{"ypdmin", {n_groups}};
    Table<float, 1> ypdmax{"ypdmax", {n_groups}};
    Table<float, 1> pdrange{"pdrange", {n_groups}};
    Table<std::int32_t, 1> ntracts{"ntracts", {n_groups}};
};

// The authorized-acres file between its two passes: open and rewound after
// the first, with the totals of that pass.
struct AuthorizedAcres {
    std::unique_ptr<InputFile> file;
    float sumauth = 0.0f;
    std::int32_t max_auth_group = 0;  // largest group number of the file
    // Where each record's tract sits in the tract-point tables, in file
    // order: the second pass asks for the points of the records ahead while
    // it works on one, for their order in the file is no order in memory.
    std::vector<std::uint32_t> tract_places;
};

// An accepted pumping record of a group without authorized acres, kept for
// placement in its well's cell.
struct NotAuthorized {
    std::int32_t grp;
    std::int32_t node;   // cell number of the well, counted with ncol
    float acloc;         // acres with the exchange-area factor applied
    float gwloc;
};

// Sums of the pumping file over accepted records.
struct RunSums {
    float sumgwret = 0.0f;
    float sumacres = 0.0f;
    float queltaacres = 0.0f;
    float gwretnotauthorized = 0.0f;
    float acresnotauthorized = 0.0f;
};

// What the pumping file leaves for the later phases besides the grids and
// group tables.
struct PumpingTotals {
    RunSums sums;
    std::vector<NotAuthorized> notauthorized;  // numna = its size
};

// The 40-acre tract points, indexed (township, range, section, tract).
struct TractCoords {
    static constexpr std::array<std::int32_t, 4> extents{20, 45, 36, 16};
    Table<float, 4> xcoord{"xcoord", extents};
    Table<float, 4> ycoord{"ycoord", extents};

    // Where a tract's point sits in both tables (outside them when an index
    // is), for fetch().
    static std::uint32_t place(std::int32_t twnshp, std::int32_t range, std::int32_t sect, std::int32_t tract) {
        return static_cast<std::uint32_t>(Table<float, 4>::place(extents, {twnshp, range, sect, tract}));
    }
    void fetch(std::uint32_t place) const {
        xcoord.fetch(place);
        ycoord.fetch(place);
    }
};

// The three report files open across phases, the running message number of
// the run report, and the year report's observer of the phases' decisions
// (null in the legacy run).
struct Reports {
    std::unique_ptr<OutputFile> run_report;
    std::unique_ptr<OutputFile> check_report;
    std::unique_ptr<OutputFile> group_report;
    std::int32_t nmsg = 0;
    RunObserver* observer = nullptr;

    void close() {
        for (auto* file : {&run_report, &check_report, &group_report}) {
            if (*file) (*file)->close();
        }
    }
};

// The owner of every table of the run; the driver hands each phase the
// tables it reads and writes.
struct RunState {
    RunText text;
    float queltafact = 0.0f;
    Grid grid;
    CellGrids grids;
    Table<float, 2> xmonfactors{"xmonfactors", {n_counties, n_months}};
    QueltaPdivs pdivs;
    AuthorizedAcres authorized;
    GroupTables groups;
    PumpingTotals pumping;
    TractCoords coords;
    Reports reports;
};

}  // namespace tessadro
