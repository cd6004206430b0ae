#pragma once

#include <string>

#include "model/grid_geometry.hpp"
#include "text/record_notes.hpp"

namespace tessadro {

// Reads the run parameters file: one record with nrow and ncol, one with delx
// and dely, one with xorigin and yorigin (anything after the values of a
// record is ignored). The north edge is not derived here. listener: who hears
// about records the reading rules probably misread.
Grid read_run_parameters(const std::string& path, RecordListener* listener = nullptr);

}  // namespace tessadro
