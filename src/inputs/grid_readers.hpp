#pragma once

#include "model/run_state.hpp"

namespace tessadro {

// Reads the activity grid "02.ibound" and the county grid "cty.flg" (after its
// header record) from the static directory, one "(326i2)" row per grid row,
// the northernmost row first.
void read_model_grids(const RunText& text, const Grid& grid, Table<std::int32_t, 2>& ibound,
                      Table<std::int32_t, 2>& icty);

}  // namespace tessadro
