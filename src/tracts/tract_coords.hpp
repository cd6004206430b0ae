#pragma once

#include "model/run_state.hpp"

namespace tessadro {

// Reads "40coords.dat": township, range, section, tract and the x and y of the
// tract's point, into xcoord and ycoord. A tract listed twice keeps its last
// point; a tract not listed stays at (0, 0).
void read_tract_coords(const RunText& text, TractCoords& coords);

// The same in its two parts, for a driver that reads the file ahead on a
// second thread: the phase's console line, and the reading itself, which
// writes nothing but the tables.
void announce_tract_coords();
void load_tract_coords(const RunText& text, TractCoords& coords);

}  // namespace tessadro
