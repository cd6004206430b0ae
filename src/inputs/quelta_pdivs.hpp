#pragma once

#include "model/run_state.hpp"

namespace tessadro {

// Reads "queltapdivs.txt": the number of identifiers, then one point-of-
// diversion identifier of the exchange area per record.
void read_quelta_pdivs(const RunText& text, QueltaPdivs& pdivs);

}  // namespace tessadro
