// Memory for the run's big tables: zero-filled whatever its size and wherever
// it comes from (the heap below 64 KiB, mapped pages from there on, whole
// huge pages from 1.75 MiB), zeroed again on request, and grown with the
// bytes held kept. The whole-run tests move and release it on every run.
#include <gtest/gtest.h>

#include <cstddef>

#include "text/page_memory.hpp"

namespace tessadro {
namespace {

constexpr std::size_t KiB = 1024;
constexpr std::size_t MiB = 1024 * KiB;
constexpr std::size_t huge_from = 7 * MiB / 4;

// A byte that is never zero and differs from its neighbours.
char pattern(std::size_t i) { return static_cast<char>(1 + i % 251); }

// Whether [from, to) holds the pattern (or zeros).
bool holds(const PageMemory& m, std::size_t from, std::size_t to, bool zeros) {
    for (std::size_t i = from; i < to; ++i) {
        if (m.data()[i] != (zeros ? 0 : pattern(i))) return false;
    }
    return true;
}

// Both sides of each change of source, and sizes that are not whole pages:
// each block starts zero (the rounded-up rest too), is zeroed again, and
// grows into the next size keeping its bytes.
TEST(PageMemory, ZeroFilledZeroedAgainAndGrownKeepingTheBytesHeld) {
    PageMemory grown;
    for (const std::size_t size : {std::size_t{1}, std::size_t{4095}, 64 * KiB - 1, 64 * KiB + 10, huge_from - 1,
                                   huge_from, 5 * MiB}) {
        PageMemory m(size);
        ASSERT_GE(m.size(), size) << size;
        EXPECT_TRUE(holds(m, 0, m.size(), true)) << size;
        for (std::size_t i = 0; i < m.size(); ++i) m.data()[i] = pattern(i);
        m.zero();
        EXPECT_TRUE(holds(m, 0, m.size(), true)) << size;
        const std::size_t held = grown.size();
        for (std::size_t i = 0; i < held; ++i) grown.data()[i] = pattern(i);
        grown.grow(size);
        ASSERT_GE(grown.size(), size);
        EXPECT_TRUE(holds(grown, 0, held, false)) << size;
        EXPECT_TRUE(holds(grown, held, grown.size(), true)) << size;
    }
}

}  // namespace
}  // namespace tessadro
