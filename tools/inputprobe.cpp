// inputprobe: opens the game's window and prints what the game reads from
// the keyboard and the joysticks each frame (the direction and button words
// of its key state), one line per change. A way to try a joystick or a key
// configuration without a game.
//
//   inputprobe [--expect-direction N] [--expect-buttons N] [--seconds S]
//
// With an expectation it ends with exit code 0 as soon as the words match
// it, and 1 when S seconds (default 20) pass first; without one it runs
// until the window is closed.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gamedata/project/player_files.h"
#include "platform/clock.h"
#include "platform/joystick.h"
#include "platform/window.h"
#include "shell/input/key_config.h"
#include "shell/input/key_state.h"
#include "shell/loop/game.h"

#ifdef INPUTPROBE_WINDOW
#include "platform/sdl/sdl_backend.h"
#include "shell/main_window.h"
#include "shell/window/tool_window.h"

namespace {

struct Options {
    int direction = -1;
    int buttons = -1;
    int seconds = 20;
};

bool Parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (i + 1 >= argc) return false;
        int v = std::atoi(argv[++i]);
        if (a == "--expect-direction") o.direction = v;
        else if (a == "--expect-buttons") o.buttons = v;
        else if (a == "--seconds") o.seconds = v;
        else return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!Parse(argc, argv, o)) {
        std::fprintf(stderr, "usage: inputprobe [--expect-direction N] [--expect-buttons N] [--seconds S]\n");
        return 2;
    }
    std::string error;
    if (!platform::InstallSdlBackend(&error)) {
        std::fprintf(stderr, "inputprobe: no window (%s)\n", error.c_str());
        return 1;
    }
    MainWindow.SetLayout(kScreenWidth, kScreenHeight, 100, 100, kScreenWidth, kScreenHeight, 0);
    HWND window = CreateMainWindow("inputprobe", 100, 100, kScreenWidth, kScreenHeight, ToolWindowProc);
    if (!window) return 1;
    for (auto& keys : KeyStates) keys.InitJoyMasks();
    if (!ReadKeyConfig(PathTable[kPathKeyConfig], KeyConfig)) DefaultKeyConfig(KeyConfig);
    bool expecting = o.direction >= 0 || o.buttons >= 0;
    int code = expecting ? 1 : 0;
    int shownDirection = -1;
    int shownButtons = -1;
    DWORD start = timeGetTime();
    while (PumpToolWindow()) {
        Game.PollInput(KeyStates);
        const cKeyState& s = KeyStates[0];
        if (s.m_wDirection != shownDirection || s.m_wButtons != shownButtons) {
            shownDirection = s.m_wDirection;
            shownButtons = s.m_wButtons;
            std::printf("direction %d buttons %d numpad %d\n", shownDirection, shownButtons, s.m_nNumpad);
            std::fflush(stdout);
        }
        bool matches =
            (o.direction < 0 || o.direction == shownDirection) && (o.buttons < 0 || o.buttons == shownButtons);
        if (expecting && matches) {
            code = 0;
            break;
        }
        if (expecting && timeGetTime() - start > static_cast<DWORD>(o.seconds) * 1000u) break;
        Sleep(16);
    }
    if (IsWindow(window)) DestroyWindow(window);
    PumpToolWindow();
    platform::ShutdownSdlBackend();
    return code;
}
#else
int main() {
    std::fprintf(stderr, "inputprobe: built without a window backend\n");
    return 77;
}
#endif
