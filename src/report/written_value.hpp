#pragma once

#include <cstdint>

namespace tessadro {

// A 4-byte value as an F6.1 field of an array file writes it, which is what
// the groundwater model reads: a whole number of tenths, or, for a value too
// wide for the six characters (or not a number), six asterisks that the model
// cannot read.
struct WrittenValue {
    std::int32_t tenths = 0;
    bool unreadable = false;
};

WrittenValue as_written(float value);

}  // namespace tessadro
