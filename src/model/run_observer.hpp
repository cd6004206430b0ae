#pragma once

#include <cstdint>

#include "model/grid_geometry.hpp"

// What the phases decide about each record, for a year report that wants to
// account for every acre-foot. The legacy run has no observer: a phase holds a
// null pointer and tests it once per record, which costs nothing measurable.
namespace tessadro {

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
};

class RunObserver {
public:
    virtual ~RunObserver() = default;
    virtual void pumping(const PumpingDecision&) {}
    virtual void tract(const TractDecision&) {}
    virtual void reassignment(const ReassignDecision&) {}
    virtual void mi(const MiDecision&) {}
    // County k's factors were read; line is the record that ended the read.
    virtual void county_factors(std::int32_t /*county*/, long /*line*/) {}
};

}  // namespace tessadro
