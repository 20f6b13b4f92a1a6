#include "scenes/heap_peak.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Each block carries its size in front, so a delete knows what to give back.
constexpr std::size_t kHeader = alignof(std::max_align_t);

std::atomic<std::size_t> g_taken{0};
std::atomic<std::size_t> g_peak{0};
std::atomic<std::size_t> g_base{0};

void* Take(std::size_t n) {
    void* block = std::malloc(n + kHeader);
    if (!block) return nullptr;
    *static_cast<std::size_t*>(block) = n;
    const std::size_t now = g_taken.fetch_add(n, std::memory_order_relaxed) + n;
    std::size_t peak = g_peak.load(std::memory_order_relaxed);
    while (now > peak && !g_peak.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {}
    return static_cast<char*>(block) + kHeader;
}

void Give(void* p) {
    if (!p) return;
    void* block = static_cast<char*>(p) - kHeader;
    g_taken.fetch_sub(*static_cast<std::size_t*>(block), std::memory_order_relaxed);
    std::free(block);
}

void* TakeOrThrow(std::size_t n) {
    void* p = Take(n ? n : 1);
    if (!p) throw std::bad_alloc();
    return p;
}

}  // namespace

void ResetHeapPeak() {
    const std::size_t now = g_taken.load(std::memory_order_relaxed);
    g_base.store(now, std::memory_order_relaxed);
    g_peak.store(now, std::memory_order_relaxed);
}

std::size_t HeapPeakSinceReset() {
    const std::size_t peak = g_peak.load(std::memory_order_relaxed);
    const std::size_t base = g_base.load(std::memory_order_relaxed);
    return peak > base ? peak - base : 0;
}

void* operator new(std::size_t n) { return TakeOrThrow(n); }
void* operator new[](std::size_t n) { return TakeOrThrow(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return Take(n ? n : 1); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return Take(n ? n : 1); }
void operator delete(void* p) noexcept { Give(p); }
void operator delete[](void* p) noexcept { Give(p); }
void operator delete(void* p, std::size_t) noexcept { Give(p); }
void operator delete[](void* p, std::size_t) noexcept { Give(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Give(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Give(p); }
