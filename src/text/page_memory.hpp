#pragma once

#include <cstddef>

// Zero-filled memory for the run's big tables and buffers.
//
// Memory fresh from the system costs a page fault at the first touch of each
// 4 KiB page, and on the virtual machines the model is run on a fault is dear:
// some microseconds each, 20 ms for the 9 MB of the full-size grids and tract
// points. A big block is therefore asked for with all its pages mapped in one
// call, already zero, and no second pass fills it with zeros; one of nearly a
// huge page (2 MiB) or more takes whole huge pages, which also spares the
// processor's address translation on the random reads of the tract points. A
// small block comes from the ordinary heap.
namespace tessadro {

class PageMemory {
public:
    PageMemory() = default;
    // Zero-filled bytes; std::bad_alloc when there are none to be had.
    explicit PageMemory(std::size_t bytes);
    ~PageMemory();
    PageMemory(PageMemory&& other) noexcept;
    PageMemory& operator=(PageMemory&& other) noexcept;
    PageMemory(const PageMemory&) = delete;
    PageMemory& operator=(const PageMemory&) = delete;

    char* data() { return data_; }
    const char* data() const { return data_; }
    std::size_t size() const { return size_; }

    // At least the given size, the bytes held kept and the new ones zero.
    void grow(std::size_t bytes);

    // Every byte zero again.
    void zero();

private:
    void release();

    char* data_ = nullptr;
    std::size_t size_ = 0;
    bool mapped_ = false;  // from the page mapper, else from the heap
};

}  // namespace tessadro
