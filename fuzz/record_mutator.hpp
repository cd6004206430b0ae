#pragma once

#include <cstddef>
#include <cstdint>

// A mutator for inputs made of text files joined by NUL bytes (the whole-run
// target's datasets) that mostly changes what a person editing the files
// would: one number of one record (a step from its value, or a value at the
// edge of a table: 0, 44, 45, 5000, 5001, inf, nan, ...), a record repeated,
// dropped or moved. Most such datasets still go through the whole run, where
// the later phases are; the rest of the time libFuzzer's own byte mutations
// work on one record or the whole input, for the reading rules.
namespace fuzz {

std::size_t mutate_records(std::uint8_t* data, std::size_t size, std::size_t max_size, unsigned seed);

}  // namespace fuzz
