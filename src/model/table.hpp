#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "text/run_error.hpp"

namespace tessadro {

// Raises the run error for an index outside a table's declared bounds.
[[noreturn]] void index_out_of_bounds(const char* table, int dimension, long index, long bound, bool above);

// A table of the run: Rank dimensions, each indexed from 1 to its extent,
// allocated once and zero-filled. Every access checks every index, the last
// dimension first and the lower bound before the upper one, so that no index
// is ever used unchecked. Storage is column-major: the first index varies
// fastest, so a grid row (column, row) is contiguous.
template <class T, std::size_t Rank>
class Table {
public:
    Table(const char* name, std::array<std::int32_t, Rank> extents) : name_(name), extents_(extents) {
        std::size_t size = 1;
        for (std::int32_t e : extents_) size *= static_cast<std::size_t>(e);
        data_.assign(size, T{});
    }

    template <class... Index>
    T& operator()(Index... index) {
        static_assert(sizeof...(Index) == Rank);
        return data_[offset({static_cast<std::int32_t>(index)...})];
    }

    template <class... Index>
    const T& operator()(Index... index) const {
        static_assert(sizeof...(Index) == Rank);
        return data_[offset({static_cast<std::int32_t>(index)...})];
    }

    void fill(T value) { data_.assign(data_.size(), value); }
    std::int32_t extent(std::size_t dimension) const { return extents_[dimension]; }

private:
    std::size_t offset(const std::array<std::int32_t, Rank>& index) const {
        for (std::size_t d = Rank; d-- > 0;) {
            if (index[d] < 1) index_out_of_bounds(name_, static_cast<int>(d + 1), index[d], 1, false);
            if (index[d] > extents_[d]) index_out_of_bounds(name_, static_cast<int>(d + 1), index[d], extents_[d], true);
        }
        std::size_t at = 0;
        for (std::size_t d = Rank; d-- > 0;) {
            at = at * static_cast<std::size_t>(extents_[d]) + static_cast<std::size_t>(index[d] - 1);
        }
        return at;
    }

    const char* name_;
    std::array<std::int32_t, Rank> extents_;
    std::vector<T> data_;
};

}  // namespace tessadro
