// The wait of a held command: the game thread stops inside the command
// while a loop on thPause shows the frozen stage, frame by frame, until the
// wait request is met (a key or a number of frames), or the program closes.
#include "foundation/abort.h"
#include "platform/clock.h"
#include "platform/threads.h"
#include "platform/window.h"
#include "scenes/stage_play/mode_stage.h"
#include "scenes/stage_play/replay_requests.h"
#include "shell/app_state.h"
#include "shell/game.h"
#include "shell/game_loop.h"
#include "shell/key_state.h"
#include "shell/sound_requests.h"
#include "shell/worker_threads.h"

namespace {

// The wait request: kind, delay frames, wait-for-key flag, frames.
enum : int { kKind = 0, kDelay = 1, kForKey = 2, kFrames = 3 };
constexpr int kMessageKind = 1;
constexpr int kMessageConfirmSound = 12;
constexpr int kConfirmSound = 1;
constexpr std::uint16_t kButton1 = 1;
// After a close request the loop gives the window thread this long to end
// it, then ends itself.
constexpr DWORD kQuitGraceMs = 2000;

// One frame of counting; true when the wait is over.
bool CountFrame(PauseRequest& wait, cKeyState& keys, int& buttonLatch) {
    if (wait[kDelay] > 0) {
        --wait[kDelay];
        return false;
    }
    if (wait[kForKey]) {
        const bool pressed = (keys.m_wButtons & kButton1) && !(keys.HistoryValue(1, 1) & kButton1);
        if (!pressed) return false;
        PlaySystemSound(wait[kKind] == kMessageKind ? kMessageConfirmSound : kConfirmSound);
        buttonLatch = 1;
        return true;
    }
    return --wait[kFrames] < 0;
}

}  // namespace

unsigned cModeStage::WaitFrames(void* argument) {
    cModeStage& scene = *static_cast<cModeStage*>(argument);
    if (scene.m_bQuit) return 0;
    cVector<cKeyState> keys = KeyStates;
    cKeyState& own = keys[0];
    own.ClearHistory();
    own.ResetRuns();
    own.ClearDirection();
    own.ClearButtons();
    bool quitSeen = false;
    DWORD quitAt = 0;
    for (;;) {
        MSG m;
        if (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) break;
            continue;
        }
        if (!AppActive.load() || FrameLimitReached()) {
            Sleep(1);
            continue;
        }
        if (scene.m_bQuit) {
            if (!quitSeen) {
                quitSeen = true;
                quitAt = timeGetTime();
            } else if (timeGetTime() - quitAt >= kQuitGraceMs) {
                PostQuitMessage(0);
            }
            Sleep(1);
            continue;
        }
        Game.WaitFrame();
        if (!Game.RestoreSurfaces()) FatalClose();
        Game.PollInput(keys);
        own.RecordHistory();
        own.LatchButtons(0);
        if (RequestSaveReplay()) continue;
        if (CountFrame(scene.m_Wait, own, scene.m_bButtonLatch)) break;
        scene.Draw(0, 1, 0, 1);
        Game.Present();
    }
    return 1;
}

void cModeStage::RunNestedWait() {
    if (!thPause.Start(WaitFrames, this)) return;
    thPause.Handshake();
    thPause.Wait();
    if (m_bQuit) {
        PostMessageA(MainWindowHandle.load(), WM_CLOSE, 0, 0);
        return;
    }
    while (!AppActive.load()) Sleep(1);
}
