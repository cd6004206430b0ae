#pragma once

#include "model/run_state.hpp"

namespace tessadro {

// The three check reports of out/, each opened with its head when the wells
// are about to be read: the run report "output<year>.dat" (wells and tracts
// left out, groups placed without authorized acres), the check report
// "check<year>.out" (the monthly sums) and the group report
// "authacres<year>.out" (the group table, then the tract table).
void open_check_reports(const RunText& text, Reports& reports);

}  // namespace tessadro
