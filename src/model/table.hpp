#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstring>
#include <span>
#include <type_traits>

#include "text/page_memory.hpp"
#include "text/run_error.hpp"

namespace tessadro {

// Raises the run error for an index outside a table's declared bounds.
[[noreturn]] void index_out_of_bounds(const char* table, int dimension, long index, long bound, bool above);

// A table of the run: Rank dimensions, each indexed from 1 to its extent,
// allocated once and zero-filled (the big ones with their pages mapped at
// once: see page_memory.hpp). Every access checks every index, the last
// dimension first and the lower bound before the upper one, so that no index
// is ever used unchecked. Storage is column-major: the first index varies
// fastest, so a grid row (column, row) is contiguous.
template <class T, std::size_t Rank>
class Table {
    // Zero bytes are a zero value: the tables hold 4-byte integers and reals.
    static_assert(std::is_arithmetic_v<T>);

public:
    Table(const char* name, std::array<std::int32_t, Rank> extents) : name_(name), extents_(extents) {
        for (std::int32_t e : extents_) size_ *= static_cast<std::size_t>(e);
        memory_ = PageMemory(size_ * sizeof(T));
        data_ = reinterpret_cast<T*>(memory_.data());
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

    // Zero (not minus zero) is the memory's own zero fill, which can hand
    // whole pages back rather than write them.
    void fill(T value) {
        const T zero{};
        if (std::memcmp(&value, &zero, sizeof(T)) == 0) memory_.zero();
        else std::fill_n(data_, size_, value);
    }

    // The place of the element at the given indices in the storage of a
    // table of these extents, or the table's size when an index is outside;
    // unlike an access it never ends the run.
    static std::size_t place(const std::array<std::int32_t, Rank>& extents,
                             const std::array<std::int32_t, Rank>& index) {
        std::size_t place = 0;
        std::size_t size = 1;
        for (std::size_t d = Rank; d-- > 0;) {
            size *= static_cast<std::size_t>(extents[d]);
            if (index[d] < 1 || index[d] > extents[d]) place = ~std::size_t{0};
            if (place != ~std::size_t{0}) {
                place = place * static_cast<std::size_t>(extents[d]) + static_cast<std::size_t>(index[d] - 1);
            }
        }
        return place == ~std::size_t{0} ? size : place;
    }
    // Asks the processor to bring the element at a place into its cache
    // ahead of its use: a hint, which changes nothing else.
    void fetch(std::size_t place) const {
        if (place < size_) __builtin_prefetch(data_ + place);
    }
    std::int32_t extent(std::size_t dimension) const { return extents_[dimension]; }

    // The elements (1, rest...) to (count, rest...), which lie side by side
    // in storage: a row of a grid. It fails as the accesses one by one
    // would: at the first, or at the first index past the extent.
    template <class... Rest>
    std::span<const T> run(std::int32_t count, Rest... rest) const {
        static_assert(sizeof...(Rest) + 1 == Rank);
        if (count < 1) return {};
        const std::size_t first = offset({1, static_cast<std::int32_t>(rest)...});
        if (count > extents_[0]) offset({extents_[0] + 1, static_cast<std::int32_t>(rest)...});
        return {data_ + first, static_cast<std::size_t>(count)};
    }

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
    std::size_t size_ = 1;
    PageMemory memory_;
    T* data_;
};

}  // namespace tessadro
