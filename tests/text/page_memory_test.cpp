// Memory for the run's big tables: zero-filled whatever its size and wherever
// it comes from (the heap below 64 KiB, mapped pages from there on, whole
// huge pages from 1.75 MiB; the heap for every size under the address
// sanitizer), zeroed again on request, and handed from owner to owner without
// a loss or a double release (the sanitizer sees a leak or a bad free).
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <utility>

#include "text/page_memory.hpp"

namespace tessadro {
namespace {

constexpr std::size_t KiB = 1024;
constexpr std::size_t MiB = 1024 * KiB;
constexpr std::size_t huge_from = 7 * MiB / 4;

// A byte that is never zero and differs from its neighbours.
char pattern(std::size_t i) { return static_cast<char>(1 + i % 251); }

void fill(PageMemory& m, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) m.data()[i] = pattern(i);
}

// Whether [from, to) holds the pattern (or zeros).
bool holds(const PageMemory& m, std::size_t from, std::size_t to, bool zeros) {
    for (std::size_t i = from; i < to; ++i) {
        if (m.data()[i] != (zeros ? 0 : pattern(i))) return false;
    }
    return true;
}

TEST(PageMemory, EveryByteStartsZeroAndTakesAWrite) {
    // Both sides of each change of source, and sizes that are not whole pages.
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{4095}, 64 * KiB - 1, 64 * KiB,
                                   huge_from - 1, huge_from, 2 * MiB + 1, 5 * MiB}) {
        PageMemory m(size);
        ASSERT_GE(m.size(), size) << size;
        EXPECT_TRUE(holds(m, 0, m.size(), true)) << size;  // the rounded-up rest too
        fill(m, m.size());
        EXPECT_TRUE(holds(m, 0, m.size(), false)) << size;
        m.zero();  // a table zeroed again at the start of a phase
        EXPECT_TRUE(holds(m, 0, m.size(), true)) << size;
        fill(m, m.size());
        EXPECT_TRUE(holds(m, 0, m.size(), false)) << size;
#ifndef TESSADRO_SANITIZED
        // The largest are whole huge pages, aligned to one.
        if (size >= huge_from) {
            EXPECT_EQ(0u, m.size() % (2 * MiB)) << size;
            EXPECT_EQ(0u, reinterpret_cast<std::uintptr_t>(m.data()) % (2 * MiB)) << size;
        }
#endif
    }
}

// Growing across each change of source: the bytes held stay, the new ones
// are zero; asking for no more than is held changes nothing.
TEST(PageMemory, GrowKeepsTheBytesHeldAndZeroFillsTheRest) {
    PageMemory m;
    for (const std::size_t size : {std::size_t{100}, 64 * KiB - 1, 64 * KiB + 10, huge_from, 5 * MiB}) {
        const std::size_t held = m.size();
        fill(m, held);
        m.grow(size);
        ASSERT_GE(m.size(), size);
        EXPECT_TRUE(holds(m, 0, held, false)) << size;
        EXPECT_TRUE(holds(m, held, m.size(), true)) << size;
    }
    const char* before = m.data();
    m.grow(100);
    EXPECT_EQ(before, m.data());
}

// A move hands the bytes over and leaves the source empty; a move assignment
// releases the old block the way it was had, heap or mapped.
TEST(PageMemory, MovesHandTheBytesOverAndReleaseTheOldBlock) {
    PageMemory heap(100);
    fill(heap, 100);
    PageMemory mapped(5 * MiB);
    fill(mapped, 5 * MiB);
    const char* bytes = mapped.data();
    PageMemory moved(std::move(mapped));
    EXPECT_EQ(nullptr, mapped.data());
    EXPECT_EQ(0u, mapped.size());
    EXPECT_EQ(bytes, moved.data());
    moved = std::move(heap);  // the mapped block goes, the heap one comes
    EXPECT_EQ(nullptr, heap.data());
    ASSERT_EQ(100u, moved.size());
    EXPECT_TRUE(holds(moved, 0, 100, false));
    PageMemory other(64 * KiB);
    fill(other, 64 * KiB);
    moved = std::move(other);  // the heap block goes, a mapped one comes
    EXPECT_TRUE(holds(moved, 0, 64 * KiB, false));
}

}  // namespace
}  // namespace tessadro
