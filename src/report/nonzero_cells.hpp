#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace tessadro {

// Calls add(c, v) for each cell c of values (counted from the span's start)
// whose value v is not zero, nor minus zero, in order. Most cells of an
// array are zero: they are passed four at a time, by their bits, the sign
// bits aside.
template <class Add>
void for_nonzero(std::span<const float> values, Add add) {
    std::size_t c = 0;
    for (; c + 4 <= values.size(); c += 4) {
        std::uint64_t pairs[2];
        std::memcpy(pairs, values.data() + c, sizeof pairs);
        if (((pairs[0] | pairs[1]) & 0x7fffffff7fffffffu) == 0) continue;
        for (std::size_t k = c; k < c + 4; ++k) {
            if (values[k] != 0.0f) add(k, values[k]);
        }
    }
    for (; c < values.size(); ++c) {
        if (values[c] != 0.0f) add(c, values[c]);
    }
}

}  // namespace tessadro
