// Memory for the run's big tables: zero-filled whatever its size and wherever
// it comes from (the heap below 64 KiB, mapped pages from there on, whole
// huge pages from 1.75 MiB; the heap for every size under the address
// sanitizer), and handed from owner to owner without a loss or a double
// release.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

#include "text/page_memory.hpp"

namespace tessadro {
namespace {

#ifdef TESSADRO_SANITIZED
constexpr bool sanitized = true;
#else
constexpr bool sanitized = false;
#endif

constexpr std::size_t KiB = 1024;
constexpr std::size_t MiB = 1024 * KiB;
constexpr std::size_t huge_from = 7 * MiB / 4;

// Both sides of each change of source, and sizes that are not whole pages.
constexpr std::size_t sizes[] = {0, 1, 4095, 64 * KiB - 1, 64 * KiB, huge_from - 1, huge_from, 2 * MiB + 1, 5 * MiB};

// A byte that is never zero and differs from its neighbours.
char pattern(std::size_t i) { return static_cast<char>(1 + i % 251); }

void fill(PageMemory& m, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) m.data()[i] = pattern(i);
}

// The first place in [from, to) whose byte is not the expected one, or to.
std::size_t first_zero_fault(const PageMemory& m, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        if (m.data()[i] != 0) return i;
    }
    return to;
}
std::size_t first_pattern_fault(const PageMemory& m, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (m.data()[i] != pattern(i)) return i;
    }
    return count;
}

// Whether every page of [p, p + bytes) belongs to a mapping of this process:
// mincore fails with ENOMEM when one does not.
bool mapped(const char* p, std::size_t bytes) {
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(p) & ~(page - 1);
    const std::uintptr_t end = reinterpret_cast<std::uintptr_t>(p) + bytes;
    unsigned char resident[2048];  // one byte a page: enough for 8 MiB of 4 KiB pages
    if ((end - start + page - 1) / page > sizeof resident) return false;
    return ::mincore(reinterpret_cast<void*>(start), end - start, resident) == 0;
}

TEST(PageMemory, EveryByteStartsZeroAndTakesAWrite) {
    for (const std::size_t size : sizes) {
        PageMemory m(size);
        ASSERT_GE(m.size(), size) << size;
        if (size > 0) {
            ASSERT_NE(nullptr, m.data()) << size;
        }
        // The rounded-up rest of a huge block is zero too.
        EXPECT_EQ(m.size(), first_zero_fault(m, 0, m.size())) << size;
        fill(m, m.size());
        EXPECT_EQ(m.size(), first_pattern_fault(m, m.size())) << size;
    }
}

// The largest blocks are whole huge pages (2 MiB), aligned to one, so that
// the processor can hold each in one translation entry.
TEST(PageMemory, TheLargestBlocksAreWholeAlignedHugePages) {
    if (sanitized) GTEST_SKIP() << "every block comes from the heap under the sanitizer";
    for (const std::size_t size : {huge_from, 2 * MiB + 1, 5 * MiB}) {
        PageMemory m(size);
        EXPECT_EQ(0u, m.size() % (2 * MiB)) << size;
        EXPECT_LT(m.size() - size, 2 * MiB) << size;
        EXPECT_EQ(0u, reinterpret_cast<std::uintptr_t>(m.data()) % (2 * MiB)) << size;
        EXPECT_TRUE(mapped(m.data(), m.size())) << size;
    }
}

// Growing across each change of source: the bytes held stay, the new ones
// are zero, however the old and the new block were had.
TEST(PageMemory, GrowKeepsTheBytesHeldAndZeroFillsTheRest) {
    PageMemory m;
    EXPECT_EQ(0u, m.size());
    for (const std::size_t size : {std::size_t{100}, 64 * KiB - 1, 64 * KiB + 10, huge_from, 5 * MiB}) {
        const std::size_t held = m.size();
        fill(m, held);
        m.grow(size);
        ASSERT_GE(m.size(), size);
        EXPECT_EQ(held, first_pattern_fault(m, held)) << size;
        EXPECT_EQ(m.size(), first_zero_fault(m, held, m.size())) << size;
    }
    // Asking for no more than is held changes nothing.
    const char* before = m.data();
    const std::size_t size = m.size();
    fill(m, size);
    m.grow(100);
    m.grow(size);
    EXPECT_EQ(before, m.data());
    EXPECT_EQ(size, m.size());
    EXPECT_EQ(size, first_pattern_fault(m, size));
}

TEST(PageMemory, AMoveHandsTheBytesOver) {
    for (const std::size_t size : {std::size_t{100}, 64 * KiB, 5 * MiB}) {
        PageMemory from(size);
        fill(from, size);
        const char* bytes = from.data();
        PageMemory to(std::move(from));
        EXPECT_EQ(nullptr, from.data()) << size;
        EXPECT_EQ(0u, from.size()) << size;
        EXPECT_EQ(bytes, to.data()) << size;
        EXPECT_EQ(size, first_pattern_fault(to, size)) << size;
    }
}

// The old block is released, and each block is released the way it was had:
// a heap block moved over a mapped one and a mapped one over a heap one are
// freed and unmapped in turn (the sanitizer sees a leak or a bad free).
TEST(PageMemory, MoveAssignmentReleasesTheOldBlock) {
    PageMemory big(5 * MiB);
    PageMemory small(100);
    fill(small, 100);
    const char* old = big.data();
    big = std::move(small);
    EXPECT_EQ(nullptr, small.data());
    EXPECT_EQ(0u, small.size());
    ASSERT_EQ(100u, big.size());
    EXPECT_EQ(100u, first_pattern_fault(big, 100));
    if (!sanitized) {
        EXPECT_FALSE(mapped(old, 4096)) << "the 5 MiB block is still mapped";
    }

    PageMemory other(5 * MiB);
    fill(other, 5 * MiB);
    small = std::move(other);
    EXPECT_EQ(nullptr, other.data());
    EXPECT_EQ(5 * MiB, first_pattern_fault(small, 5 * MiB));
    big = std::move(small);  // the 100 bytes freed, the 5 MiB passed on
    EXPECT_EQ(5 * MiB, first_pattern_fault(big, 5 * MiB));
}

}  // namespace
}  // namespace tessadro
