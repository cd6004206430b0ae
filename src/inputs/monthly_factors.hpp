#pragma once

#include "model/run_state.hpp"

namespace tessadro {

// Reads "monthlyfactorsbycounty.txt": record k holds county k's factors for
// May to October after an index that is read and ignored. The observer, if
// any, learns the record number of each county.
void read_monthly_factors(const RunText& text, Table<float, 2>& xmonfactors, RunObserver* observer = nullptr);

}  // namespace tessadro
