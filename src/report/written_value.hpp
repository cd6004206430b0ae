#pragma once

#include <cstdint>
#include <span>

namespace tessadro {

// A 4-byte value as an F6.1 field of an array file writes it, which is what
// the groundwater model reads: a whole number of tenths, or, for a value too
// wide for the six characters (or not a number), six asterisks that the model
// cannot read.
// Four bytes, for a report holds one for every cell of every array: six
// characters hold no more than 99999 tenths either way.
struct WrittenValue {
    std::int32_t tenths : 31 = 0;
    bool unreadable : 1 = false;
};
static_assert(sizeof(WrittenValue) == 4);

WrittenValue as_written(float value);

// What the fields of a row of values hold in all, added to tenths and
// unreadable: the sum of as_written() of each, and the fields of asterisks.
void add_written(std::span<const float> row, long long& tenths, long& unreadable);

}  // namespace tessadro
