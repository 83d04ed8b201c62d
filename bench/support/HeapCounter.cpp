// Counting allocation functions (see HeapCounter.h). Only benchmark programs link this file:
// replacing operator new anywhere else would change what the component does.
#include "HeapCounter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <pugixml.hpp>

namespace {

std::atomic<std::size_t> currentBytes{0};
std::atomic<std::size_t> peakBytes{0};

void* CountedMalloc(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block != nullptr) {
        const std::size_t now = currentBytes += malloc_usable_size(block);
        std::size_t peak = peakBytes.load();
        while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
        }
    }
    return block;
}

// Not inlined: GCC would otherwise see free() on a pointer from operator new.
[[gnu::noinline]] void CountedFree(void* block) {
    if (block != nullptr) {
        currentBytes -= malloc_usable_size(block);
        std::free(block);
    }
}

[[maybe_unused]] const bool pugixmlCounted = [] {
    pugi::set_memory_management_functions(CountedMalloc, CountedFree);
    return true;
}();

}  // namespace

void* operator new(std::size_t size) {
    void* block = CountedMalloc(size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void* block) noexcept {
    CountedFree(block);
}
void operator delete[](void* block) noexcept {
    CountedFree(block);
}
void operator delete(void* block, std::size_t) noexcept {
    CountedFree(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    CountedFree(block);
}

namespace hlreports::bench {

std::size_t HeapBytes() {
    return currentBytes.load();
}

HeapWindow::HeapWindow() : start_(currentBytes.load()) {
    peakBytes = start_;
}

std::size_t HeapWindow::PeakBytes() const {
    return peakBytes.load() - start_;
}

std::size_t HeapWindow::RetainedBytes() const {
    const std::size_t now = currentBytes.load();
    return now > start_ ? now - start_ : 0;
}

}  // namespace hlreports::bench
