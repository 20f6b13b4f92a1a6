#include "shell/end_session.h"

#include <atomic>

#include "foundation/report.h"
#include "platform/dialog_window.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "shell/worker_threads.h"

namespace {
std::atomic<bool> g_requested{false};
}  // namespace

void RequestEndSession(const char* how) {
    if (!g_requested.exchange(true)) LogPrintf("End requested from outside (%s)", how);
    HWND window = MainWindowHandle.load();
    if (window) PostMessageA(window, WM_ENDSESSION, 1, 0);
}

bool EndSessionRequested() { return g_requested.load(); }

LRESULT OnEndSession(HWND window, LPARAM lParam) {
    if (!g_requested.exchange(true)) {
        LogPrintf("End requested from outside (%s)",
                  lParam == kEndSessionWindowGone ? "the window was destroyed" : "the host");
    }
    if (GameStarted.load() == 0) {
        // A question of the start would wait for an answer nobody gives.
        EndDialog(GetActiveWindow(), 0);
        return 0;
    }
    // WM_CLOSE itself, so every close runs the one sequence.
    return SendMessageA(window, WM_CLOSE, 0, 0);
}

void EndWithoutDisplay() {
    HWND window = MainWindowHandle.load();
    if (window) platform::BeginWindowClose(window);
    thLoader.Exit();
    thPause.Exit();
    thRanking.Exit();
    thGame.Exit();
    LogPrintf("Ended without a display");
}

void ResetEndSession() { g_requested.store(false); }
