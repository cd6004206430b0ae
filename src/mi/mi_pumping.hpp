#pragma once

#include "model/run_state.hpp"

namespace tessadro {

// Reads the year's municipal and industrial wells ("<year>mi.txt"), adds the
// positive amounts of wells on active cells into pumpmi, reports the others in
// the run report, and writes the M&I plot file, the annual M&I array and the
// check report's M&I total.
void place_mi_pumping(const RunText& text, const Grid& grid, const Table<std::int32_t, 2>& ibound,
                      Table<float, 2>& pumpmi, Reports& reports);

}  // namespace tessadro
