#include "shell/game_loop.h"

#include <atomic>

#include "foundation/report.h"
#include "platform/clock.h"
#include "platform/present.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "shell/game.h"

namespace {
std::atomic<long long> g_frameLimit{-1};
std::atomic<bool> g_closePosted{false};
}  // namespace

void SetGameFrameLimit(long long frames) {
    g_frameLimit.store(frames);
    g_closePosted.store(false);
}

bool FrameLimitReached() {
    const long long limit = g_frameLimit.load();
    // The serial counts presents from 1, the script's frames from 0.
    if (limit < 0 || platform::PresentedFrameSerial() <= limit) return false;
    // Before the main window exists there is nothing to close yet: the next
    // frame loop's question posts it.
    const HWND window = MainWindowHandle.load();
    if (window && !g_closePosted.exchange(true)) PostMessageA(window, WM_CLOSE, 0, 0);
    return true;
}

unsigned GameLoopProc(void*) {
    for (;;) {
        MSG m;
        if (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) {
                WriteLogF("GameLoop WM_QUIT!");
                return 1;
            }
            continue;
        }
        if (AppActive.load() == 0 || FrameLimitReached()) {
            Sleep(1);
            continue;
        }
        if (!Game.Tick()) {
            PostMessageA(MainWindowHandle.load(), WM_CLOSE, 0, 0);
            return 1;
        }
    }
}
