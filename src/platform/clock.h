#pragma once
// Time services. The game measures everything in 32-bit milliseconds that
// wrap after 49.7 days, so callers always compare by difference.
#include <functional>
#include "platform/win_types.h"

// Contract: milliseconds of a monotonic clock, truncated to 32 bits. When a
// test clock is installed, its value instead; else, while the virtual clock
// is on, the virtual time.
DWORD timeGetTime();

// Contract: blocks the calling thread for at least ms milliseconds (0 yields).
// With a test clock installed it advances the test clock by ms and returns at
// once. The virtual clock never moves here: it waits in real time. A suspended or stopped thread parks or unwinds here (see threads).
void Sleep(DWORD ms);

// Contract: sets the timer resolution; the clock is always 1 ms, so it
// does nothing and reports success (0).
UINT timeBeginPeriod(UINT period);
UINT timeEndPeriod(UINT period);

// Contract: fills the record with the host's local time now (year in full,
// month 1-12, day of week 0 = Sunday, milliseconds 0-999). While a test local
// time is set, that value instead.
void GetLocalTime(SYSTEMTIME* out);

namespace platform {

// Contract: makes GetLocalTime return this fixed value (nullptr returns to
// the host clock). Process-wide; tests use it for reproducible save times.
void SetTestLocalTime(const SYSTEMTIME* fixed);

// Contract: switches the virtual clock on or off (process-wide). While on,
// time passes only by AdvanceVirtualFrame, so a run takes as long as its
// work and reads the same times every run. Switching it on starts it at 0.
void UseVirtualClock(bool on);

// Contract: whether the virtual clock is on.
bool VirtualClockOn();

// Contract: moves the virtual clock on by one frame period at fps frames a
// second: 1000 / fps ms with the remainder carried, so fps frames make
// exactly 1000 ms. A rate of 0 or less (no limit) counts as 60. Does nothing
// while the virtual clock is off.
void AdvanceVirtualFrame(int fps);

// A clock that tests set by hand. While installed, timeGetTime() returns its
// value and Sleep(n) advances it by n. Installing is process-wide; the
// destructor restores the real clock.
class TestClock {
public:
    explicit TestClock(DWORD start = 0);
    ~TestClock();
    TestClock(const TestClock&) = delete;
    TestClock& operator=(const TestClock&) = delete;

    void Set(DWORD now);
    void Advance(DWORD ms);
    DWORD Now() const;
};

}  // namespace platform
