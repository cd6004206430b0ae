#pragma once

#include <string>

namespace tessadro {

// The note on the processor's floating-point exception flags that a run
// writes to standard error at its end, or "" when no reported flag is raised
// (inexact is never reported).
std::string floating_point_note();

// The flags of the processor's truncating conversion of a double to a 4-byte
// integer: a value that is NaN, infinite or outside the integer range gives
// -2147483648 and raises the invalid-operation flag.
int truncate_to_int32(double value);

}  // namespace tessadro
