// Replaces the global allocation functions with counting ones; sizes come
// from the C library, so nothing is added to each block.
#include "heap_counter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> g_current{0};
std::atomic<std::size_t> g_peak{0};

void* Allocate(std::size_t size) noexcept {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p != nullptr) {
        const std::size_t now = g_current += malloc_usable_size(p);
        std::size_t peak = g_peak.load();
        while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
        }
    }
    return p;
}

void Release(void* p) noexcept {
    if (p != nullptr) {
        g_current -= malloc_usable_size(p);
        std::free(p);
    }
}

}  // namespace

namespace heap {

std::size_t Current() {
    return g_current.load();
}

std::size_t Peak() {
    return g_peak.load();
}

void ResetPeak() {
    g_peak = g_current.load();
}

}  // namespace heap

void* operator new(std::size_t size) {
    if (void* p = Allocate(size)) {
        return p;
    }
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) {
    return operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}

void operator delete(void* p) noexcept {
    Release(p);
}

void operator delete[](void* p) noexcept {
    Release(p);
}

void operator delete(void* p, std::size_t) noexcept {
    Release(p);
}

void operator delete[](void* p, std::size_t) noexcept {
    Release(p);
}

void operator delete(void* p, const std::nothrow_t&) noexcept {
    Release(p);
}

void operator delete[](void* p, const std::nothrow_t&) noexcept {
    Release(p);
}
