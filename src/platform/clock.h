#pragma once
// Time services. The game measures everything in 32-bit milliseconds that
// wrap after 49.7 days, so callers always compare by difference.
#include <functional>
#include "platform/win_types.h"

// Contract: milliseconds of a monotonic clock, truncated to 32 bits. When a
// test clock is installed, its value instead.
DWORD timeGetTime();

// Contract: blocks the calling thread for at least ms milliseconds (0 yields).
// With a test clock installed it advances the test clock by ms and returns at
// once. A suspended or stopped thread parks or unwinds here (see threads).
void Sleep(DWORD ms);

// Contract: sets the timer resolution; this host's clock is always 1 ms, so it
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
