#include "platform/clock.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/threads.h"

namespace {

std::atomic<bool> g_testClockOn{false};
std::atomic<DWORD> g_testNow{0};

}  // namespace

DWORD timeGetTime() {
    if (g_testClockOn.load(std::memory_order_acquire)) {
        return g_testNow.load(std::memory_order_acquire);
    }
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<DWORD>(static_cast<std::uint64_t>(ms));
}

void Sleep(DWORD ms) {
    if (g_testClockOn.load(std::memory_order_acquire)) {
        platform::ThreadGate();
        g_testNow.fetch_add(ms, std::memory_order_acq_rel);
        return;
    }
    platform::GatedSleep(ms);
}

UINT timeBeginPeriod(UINT) { return 0; }
UINT timeEndPeriod(UINT) { return 0; }

namespace platform {

TestClock::TestClock(DWORD start) {
    g_testNow.store(start);
    g_testClockOn.store(true, std::memory_order_release);
}

TestClock::~TestClock() { g_testClockOn.store(false, std::memory_order_release); }

void TestClock::Set(DWORD now) { g_testNow.store(now); }
void TestClock::Advance(DWORD ms) { g_testNow.fetch_add(ms); }
DWORD TestClock::Now() const { return g_testNow.load(); }

}  // namespace platform
