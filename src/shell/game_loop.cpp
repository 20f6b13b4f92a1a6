#include "shell/game_loop.h"

#include <atomic>

#include "foundation/report.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "shell/game.h"

namespace {
std::atomic<long long> g_frameLimit{-1};
}

void SetGameFrameLimit(long long frames) { g_frameLimit.store(frames); }

unsigned GameLoopProc(void*) {
    bool limitReached = false;
    for (;;) {
        MSG m;
        if (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) {
                WriteLogF("GameLoop WM_QUIT!");
                return 1;
            }
            continue;
        }
        if (AppActive.load() == 0 || limitReached) {
            Sleep(1);
            continue;
        }
        if (!Game.Tick()) {
            PostMessageA(MainWindowHandle.load(), WM_CLOSE, 0, 0);
            return 1;
        }
        long long limit = g_frameLimit.load();
        if (limit >= 0 && Game.TickCount >= limit) {
            limitReached = true;
            PostMessageA(MainWindowHandle.load(), WM_CLOSE, 0, 0);
        }
    }
}
