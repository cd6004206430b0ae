#pragma once

#include <string>

namespace tessadro {

// The note on the processor's floating-point exception flags that a run
// writes to standard error at its end, or "" when no reported flag is raised
// (inexact is never reported).
std::string floating_point_note();

}  // namespace tessadro
