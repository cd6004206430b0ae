#include "text/page_memory.hpp"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace tessadro {
namespace {

// Blocks from this size on are mapped with their pages.
constexpr std::size_t mapped_from = std::size_t{64} << 10;

// Under the address sanitizer every block comes from the heap, where the
// sanitizer sees a read past its end.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool sanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool sanitized = true;
#else
constexpr bool sanitized = false;
#endif
#else
constexpr bool sanitized = false;
#endif

#ifdef MAP_POPULATE
constexpr int populate = MAP_POPULATE;
#else
constexpr int populate = 0;
#endif

constexpr std::size_t huge_page = std::size_t{2} << 20;

#ifdef TESSADRO_FUZZ_PAGES
// The fuzz targets run the whole run thousands of times a second on grids of
// a few cells, where mapping (or zeroing) every page of a full-size table is
// nearly all the work. There a big block is mapped lazily, its pages faulted
// in as touched, and ends right at a page that cannot be touched, so that a
// read past its end still stops the run, as the sanitizer would.
constexpr bool lazy = true;
constexpr std::size_t page = 4096;

char* map_lazy(std::size_t bytes) {
    const std::size_t pages = (bytes + page - 1) / page;
    void* block = ::mmap(nullptr, (pages + 1) * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) throw std::bad_alloc();
    char* guard = static_cast<char*>(block) + pages * page;
    ::mprotect(guard, page, PROT_NONE);
    return guard - bytes;
}

// Whole pages go back to the system, read as zero again and cost nothing
// until touched: a big table zeroed at the start of a phase, on a grid of a
// few cells, is a handful of pages and not thousands.
void zero_lazy(char* data, std::size_t bytes) {
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + page - 1) & ~(std::uintptr_t{page} - 1);
    const std::uintptr_t end = start + bytes;  // the guard page's start
    std::memset(data, 0, first - start);
    ::madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
}

void unmap_lazy(char* data, std::size_t bytes) {
    const auto start = reinterpret_cast<std::uintptr_t>(data) & ~(std::uintptr_t{page} - 1);
    ::munmap(reinterpret_cast<void*>(start), reinterpret_cast<std::uintptr_t>(data) + bytes + page - start);
}
#else
constexpr bool lazy = false;
char* map_lazy(std::size_t) { return nullptr; }
void zero_lazy(char*, std::size_t) {}
void unmap_lazy(char*, std::size_t) {}
#endif

// A block of whole huge pages, aligned to one, asked to be backed by them.
char* map_huge(std::size_t& bytes) {
    bytes = (bytes + huge_page - 1) & ~(huge_page - 1);
    const std::size_t reserved = bytes + huge_page;
    void* block = ::mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t aligned = (start + huge_page - 1) & ~(std::uintptr_t{huge_page} - 1);
    if (aligned > start) ::munmap(block, aligned - start);
    const std::size_t tail = reserved - (aligned - start) - bytes;
    if (tail > 0) ::munmap(reinterpret_cast<void*>(aligned + bytes), tail);
    char* data = reinterpret_cast<char*>(aligned);
    // Both are requests: a system without huge pages, or too old to map the
    // pages at once, gives the same zero-filled block, faulted in as touched.
#ifdef MADV_HUGEPAGE
    ::madvise(data, bytes, MADV_HUGEPAGE);
#endif
#ifdef MADV_POPULATE_WRITE
    ::madvise(data, bytes, MADV_POPULATE_WRITE);
#endif
    return data;
}

}  // namespace

PageMemory::PageMemory(std::size_t bytes) : size_(bytes) {
    if (bytes == 0) return;
    if (lazy && bytes >= mapped_from) {
        data_ = map_lazy(bytes);
        mapped_ = true;
        return;
    }
    if (!sanitized && bytes >= mapped_from) {
        // The tract-point tables (1.98 MiB each) fill one huge page.
        if (bytes >= huge_page - huge_page / 8) {
            data_ = map_huge(size_);
            mapped_ = true;
            return;
        }
        void* block = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | populate, -1, 0);
        if (block == MAP_FAILED) throw std::bad_alloc();
        data_ = static_cast<char*>(block);
        mapped_ = true;
        return;
    }
    data_ = static_cast<char*>(std::calloc(bytes, 1));
    if (data_ == nullptr) throw std::bad_alloc();
}

PageMemory::~PageMemory() { release(); }

PageMemory::PageMemory(PageMemory&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)), mapped_(other.mapped_) {}

PageMemory& PageMemory::operator=(PageMemory&& other) noexcept {
    if (this != &other) {
        release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapped_ = other.mapped_;
    }
    return *this;
}

void PageMemory::grow(std::size_t bytes) {
    if (bytes <= size_) return;
    PageMemory larger(bytes);
    if (size_ > 0) std::memcpy(larger.data_, data_, size_);
    *this = std::move(larger);
}

void PageMemory::zero() {
    if (lazy && mapped_) zero_lazy(data_, size_);
    else if (size_ > 0) std::memset(data_, 0, size_);
}

void PageMemory::release() {
    if (data_ == nullptr) return;
    if (mapped_ && lazy) unmap_lazy(data_, size_);
    else if (mapped_) ::munmap(data_, size_);
    else std::free(data_);
    data_ = nullptr;
    size_ = 0;
}

}  // namespace tessadro
