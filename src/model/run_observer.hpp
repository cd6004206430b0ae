#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "model/grid_geometry.hpp"
#include "model/table.hpp"
#include "model/year_files.hpp"

// What the phases decide about each record, and what they write, for a year
// report that wants to account for every acre-foot with the run's own
// figures. The legacy run has no observer: a phase holds a null pointer and
// tests it once per record or array row, which costs nothing measurable.
// A record's text is a view of the record as read, valid during the call
// only: the input files are read once, so an observer that shows a record
// keeps its own copy.
namespace tessadro {

struct TractCoords;

enum class Placement {
    placed,          // on the grid, on an active cell
    off_grid,        // the point's column or row is outside the grid
    inactive,        // the point's cell has ibound 0
    not_positive,    // accepted, but an amount of zero or less is not put on the grid
    beyond_tables,   // a group number above the group tables, skipped
};

// One record of the pumping file. acfact is the acres factor applied (the
// exchange-area factor or 1); unauthorized marks a group without authorized
// acres, whose water goes to the well's own cell later.
struct PumpingDecision {
    long line;
    std::int32_t grp;
    float x, y;
    Cell cell;
    float pumploc, gwloc, acloc, acfact;
    bool unauthorized;
    Placement placement;  // placed, off_grid or inactive; not_positive when pumploc <= 0 is not put on the grid
    std::string_view record;
};

// One record of the second pass over the authorized-acres file: a tract's
// share of its group's return flow and acres, placed in its cell or not.
struct TractDecision {
    long line;
    std::int32_t grp;
    std::int32_t twnshp, range, sect, tract;
    float authacres;
    float xloc, yloc;
    Cell cell;
    float gwret, acres;   // the tract's shares
    Placement placement;  // placed, off_grid, inactive or beyond_tables
    std::string_view record;
};

// One placement of a record of a group without authorized acres in its well's
// cell: reassgn of its acres placed (the 640-acre cap may cut it), and its
// return flow placed in full or not at all.
struct ReassignDecision {
    std::int32_t idxna;
    std::int32_t grp;
    Cell cell;
    float acloc, gwloc;
    float reassgn;
    bool gwret_placed;
};

// One record of the M&I file.
struct MiDecision {
    long line;
    std::int32_t id1, id2;
    float x, y;
    Cell cell;
    float amount;
    Placement placement;  // placed, off_grid, inactive or not_positive
    std::string_view record;
};

class RunObserver {
public:
    virtual ~RunObserver() = default;
    virtual void pumping(const PumpingDecision&) {}
    virtual void tract(const TractDecision&) {}
    virtual void reassignment(const ReassignDecision&) {}
    virtual void mi(const MiDecision&) {}
    // County k's factors were read; line is the record that ended the read.
    virtual void county_factors(std::int32_t /*county*/, long /*line*/, std::string_view /*record*/) {}
    // The tract points as read: after their own phase, and also before the
    // pumping file when they were read ahead and that file is too large for
    // the report to keep its wells until then. read_ahead: they were read
    // before the pumping file (on a second thread, or at the start), so that
    // its wells may be checked against them too; a file that is not a plain
    // file is read only in its turn.
    virtual void tract_points(const TractCoords& /*coords*/, bool /*read_ahead*/) {}
    // A row of an array file as it goes to the file: the file's name in out/
    // ("2010.05.pmp"), the row (1 at the north edge) of its nrow rows and the
    // row's 4-byte values, columns 1 to ncol. The rows of a file come in
    // order; the recharge array of a month may come before the pumping array
    // of that month.
    virtual void array_row(std::string_view /*file*/, std::int32_t /*row*/, std::int32_t /*nrow*/,
                           std::span<const float> /*values*/) {}
    // The monthly arrays and the acres array are written (the M&I array
    // comes later): told once, on the run's thread, with the grid and its
    // activity codes, which nothing changes after.
    virtual void arrays_written(const Grid& /*grid*/, const Table<std::int32_t, 2>& /*ibound*/) {}
    // A total as the check report gets it: the season's pumping (kind
    // pumping) or recharge (recharge), the acres or the M&I pumping, each a
    // running 4-byte sum in the run's order.
    virtual void check_total(ArrayKind /*kind*/, float /*total*/) {}
};

}  // namespace tessadro
