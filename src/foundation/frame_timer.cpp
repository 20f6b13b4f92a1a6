#include "foundation/frame_timer.h"

#include "platform/clock.h"

namespace {

struct Stopwatch {
    DWORD start = 0;
    DWORD last = 0;
} g_watch;

struct FrameCounter {
    bool started = false;
    DWORD windowStart = 0;
    DWORD count = 0;
    DWORD lastCount = 0;
} g_fps;

struct Limiter {
    bool started = false;
    DWORD due = 0;
} g_limit;

struct Pacing {
    bool started = false;
    DWORD dwTime_OneSec = 0;
    int nFrameCt_OneSec = 0;
} g_pace;

int g_nth = 0;
bool g_hasDevice = false;

}  // namespace

DWORD SetStartTime() {
    g_watch.start = timeGetTime();
    return g_watch.start;
}

DWORD GetElapsed(bool restart) {
    DWORD now = timeGetTime();
    DWORD e = now - g_watch.start;
    if (restart) g_watch.start = now;
    return e;
}

DWORD GetLastElapsed(bool measure) {
    if (measure) g_watch.last = timeGetTime() - g_watch.start;
    return g_watch.last;
}

DWORD CountFps(bool count) {
    if (!count) return g_fps.lastCount;
    DWORD now = timeGetTime();
    if (!g_fps.started) {
        g_fps.started = true;
        g_fps.windowStart = now;
    }
    if (now - g_fps.windowStart > 999) {
        g_fps.lastCount = g_fps.count;
        g_fps.windowStart = now;
        g_fps.count = 0;
    } else {
        ++g_fps.count;
    }
    return g_fps.lastCount;
}

bool LimitFps(int fps) {
    // The virtual clock has already moved one frame period on.
    if (platform::VirtualClockOn()) return true;
    DWORD now = timeGetTime();
    if (!g_limit.started) {
        g_limit.started = true;
        g_limit.due = now;
    }
    if (fps == 0) return true;
    // Difference as signed: the clock wraps.
    if (static_cast<std::int32_t>(now - g_limit.due) < 0) return false;
    g_limit.due = now + static_cast<DWORD>(1000 / fps);
    return true;
}

bool WaitFrame(int fps) {
    if (!g_hasDevice || fps == 0 || platform::VirtualClockOn()) return true;
    DWORD now = timeGetTime();
    if (!g_pace.started) {
        g_pace.started = true;
        g_pace.dwTime_OneSec = now;
    }
    double due = g_pace.nFrameCt_OneSec * (1000.0 / fps);
    double elapsed = static_cast<double>(static_cast<std::int32_t>(now - g_pace.dwTime_OneSec));
    if (due > elapsed) return false;
    if (++g_pace.nFrameCt_OneSec >= fps) {
        // The next window opens one frame period after this release. Opening
        // it at "now" would release its frame 0 at once, right behind the
        // frame just released, and run 61 frames a second at 60.
        g_pace.nFrameCt_OneSec = 0;
        g_pace.dwTime_OneSec = now + static_cast<DWORD>((1000 + fps / 2) / fps);
    }
    return true;
}

bool EveryNth(int mode, int n) {
    if (mode == 0) {
        g_nth = 0;
        return false;
    }
    if (mode == 2) return g_nth == 0;
    if (++g_nth >= n) {
        g_nth = 0;
        return true;
    }
    return false;
}

void SetFrameTimerHasDevice(bool hasDevice) { g_hasDevice = hasDevice; }

void ResetFrameTimer() {
    g_watch = {};
    g_fps = {};
    g_limit = {};
    g_pace = {};
    g_nth = 0;
}
