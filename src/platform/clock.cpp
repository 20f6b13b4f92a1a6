#include "platform/clock.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/threads.h"

namespace {

std::atomic<bool> g_testClockOn{false};
std::atomic<DWORD> g_testNow{0};
std::atomic<bool> g_virtualOn{false};
std::atomic<DWORD> g_virtualNow{0};
// What the frames so far owe of a millisecond, in 1/fps of one, so that
// fps frames make exactly a second; the lock keeps it with the time.
std::mutex g_virtualMutex;
DWORD g_virtualCarry = 0;
std::mutex g_localTimeMutex;
std::optional<SYSTEMTIME> g_testLocalTime;

}  // namespace

DWORD timeGetTime() {
    if (g_testClockOn.load(std::memory_order_acquire)) { return g_testNow.load(std::memory_order_acquire); }
    if (g_virtualOn.load(std::memory_order_acquire)) { return g_virtualNow.load(std::memory_order_acquire); }
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

void GetLocalTime(SYSTEMTIME* out) {
    if (!out) return;
    {
        std::lock_guard<std::mutex> lock(g_localTimeMutex);
        if (g_testLocalTime) {
            *out = *g_testLocalTime;
            return;
        }
    }
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t t = system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&t, &tm);
    auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    out->wYear = static_cast<WORD>(tm.tm_year + 1900);
    out->wMonth = static_cast<WORD>(tm.tm_mon + 1);
    out->wDayOfWeek = static_cast<WORD>(tm.tm_wday);
    out->wDay = static_cast<WORD>(tm.tm_mday);
    out->wHour = static_cast<WORD>(tm.tm_hour);
    out->wMinute = static_cast<WORD>(tm.tm_min);
    out->wSecond = static_cast<WORD>(tm.tm_sec);
    out->wMilliseconds = static_cast<WORD>(ms);
}

UINT timeBeginPeriod(UINT) { return 0; }
UINT timeEndPeriod(UINT) { return 0; }

namespace platform {

void UseVirtualClock(bool on) {
    {
        std::lock_guard<std::mutex> lock(g_virtualMutex);
        g_virtualNow.store(0);
        g_virtualCarry = 0;
    }
    g_virtualOn.store(on, std::memory_order_release);
}

bool VirtualClockOn() { return g_virtualOn.load(std::memory_order_acquire); }

void AdvanceVirtualFrame(int fps) {
    if (!VirtualClockOn()) return;
    const DWORD rate = fps > 0 ? static_cast<DWORD>(fps) : 60u;
    std::lock_guard<std::mutex> lock(g_virtualMutex);
    const DWORD thousandths = g_virtualCarry + 1000u;
    g_virtualCarry = thousandths % rate;
    g_virtualNow.fetch_add(thousandths / rate, std::memory_order_acq_rel);
}

void SetTestLocalTime(const SYSTEMTIME* fixed) {
    std::lock_guard<std::mutex> lock(g_localTimeMutex);
    if (fixed) {
        g_testLocalTime = *fixed;
    } else {
        g_testLocalTime.reset();
    }
}

TestClock::TestClock(DWORD start) {
    g_testNow.store(start);
    g_testClockOn.store(true, std::memory_order_release);
}

TestClock::~TestClock() { g_testClockOn.store(false, std::memory_order_release); }

void TestClock::Set(DWORD now) { g_testNow.store(now); }
void TestClock::Advance(DWORD ms) { g_testNow.fetch_add(ms); }
DWORD TestClock::Now() const { return g_testNow.load(); }

}  // namespace platform
