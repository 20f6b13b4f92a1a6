#include "gamedata/stage_file/stage_load_runner.h"

#include <atomic>

#include "foundation/report.h"
#include "foundation/thread.h"
#include "gamedata/stage_file/stage_loader.h"
#include "platform/threads.h"

cThread thLoader;

namespace {

std::atomic<bool> g_stopRequested{false};

unsigned LoaderThreadProc(void*) { return static_cast<unsigned>(LoadStageProc()); }

}  // namespace

void StageLoaderGate() {
    // The loader parks here while the window thread holds a dialog, and a
    // loader stopped by force unwinds here.
    platform::ThreadGate();
}

bool StageLoadStopRequested() {
    StageLoaderGate();
    return g_stopRequested.load(std::memory_order_relaxed);
}

bool RunStageLoader() {
    g_stopRequested = false;
    if (!thLoader.Start(LoaderThreadProc, nullptr)) {
        // Without a thread the caller waits for the load itself.
        LoadStageProc();
        return true;
    }
    const auto stopLoader = [] { g_stopRequested = true; };
    if (!WaitPumpingMessages(thLoader, stopLoader)) {
        WriteLog("msg.message == WM_QUIT");
        return false;
    }
    return true;
}
