// Opens one of the player's dialogs in the game's own window (or headless,
// answered by an input script) and prints what it answered: the start-up
// dialog with the Boot.dat it wrote, the ranking name entry with the name,
// a file dialog with the chosen internal path (as UTF-8).
//   dialogshow [--headless] [--script FILE] [--english] KIND [NAME]
// KIND: startup, name, open-stage, open-replay, save-replay; NAME: the
// proposed name of save-replay, the stored name of name.
#include <cstdio>
#include <string>

#include "foundation/dialog_text.h"
#include "gamedata/global_data.h"
#include "platform/headless_input.h"
#include "platform/text.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "shell/dialogs/file_dialog.h"
#include "shell/dialogs/name_entry_dialog.h"
#include "shell/loop/game.h"
#include "shell/main_window.h"
#include "shell/startup/boot_data.h"
#include "shell/startup/startup_dialog.h"
#ifdef DIALOGSHOW_WINDOW
#include "platform/sdl/sdl_backend.h"
#endif

namespace {

struct Options {
    bool headless = false;
    std::string script;
    bool english = false;
    std::string kind;
    std::string name;
};

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--headless") {
            o.headless = true;
        } else if (a == "--script" && i + 1 < argc) {
            o.script = argv[++i];
        } else if (a == "--english") {
            o.english = true;
        } else if (o.kind.empty()) {
            o.kind = a;
        } else if (o.name.empty()) {
            o.name = a;
        } else {
            return false;
        }
    }
    return !o.kind.empty();
}

// The game's window procedure, but a close ends the window at once: there
// are no game threads to stop and nothing to save.
LRESULT ShowWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) {
        DestroyWindow(window);
        return 0;
    }
    return MainWindowProc(window, msg, wParam, lParam);
}

int FileKind(const std::string& kind) {
    if (kind == "open-stage") return kFileOpenStage;
    if (kind == "open-replay") return kFileOpenReplay;
    if (kind == "save-replay") return kFileSaveReplay;
    return -1;
}

int Show(const Options& o) {
    if (o.kind == "startup") {
        int result = RunStartupDialog();
        std::printf("result %d\n", result);
        if (result == 1) std::printf("Boot.dat %d %d\n", BootData.m_nDrawMode, BootData.m_nNoAsk);
        return 0;
    }
    if (o.kind == "name") {
        Game.PlayType = 5;
        OptionData.m_strRankingName = platform::Utf8ToCp932(o.name);
        int result = RunNameEntryDialog();
        std::printf("result %d\nname %s\n", result, platform::Cp932ToUtf8(OptionData.m_strRankingName).c_str());
        return 0;
    }
    int kind = FileKind(o.kind);
    if (kind < 0) {
        std::fprintf(stderr, "dialogshow: unknown kind %s\n", o.kind.c_str());
        return 2;
    }
    std::string path = platform::Utf8ToCp932(o.name);
    int result = RunFileDialog(kind, path);
    std::printf("result %d\npath %s\n", result, platform::Cp932ToUtf8(path).c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseOptions(argc, argv, o)) {
        std::fprintf(stderr, "usage: dialogshow [--headless] [--script FILE] [--english] KIND [NAME]\n");
        return 2;
    }
    std::string error;
#ifdef DIALOGSHOW_WINDOW
    if (!o.headless && !platform::InstallSdlBackend(&error)) {
        std::fprintf(stderr, "dialogshow: no window (%s)\n", error.c_str());
        return 1;
    }
#endif
    if (!o.script.empty() && !platform::headless::LoadInputScript(o.script, &error)) {
        std::fprintf(stderr, "dialogshow: %s\n", error.c_str());
        return 2;
    }
    SystemIni.English = o.english ? 1 : 0;
    MainWindow.SetLayout(kScreenWidth, kScreenHeight, 100, 100, kScreenWidth, kScreenHeight, 0);
    HWND window = CreateMainWindow("dialogshow", 100, 100, kScreenWidth, kScreenHeight, ShowWindowProc);
    if (!window) {
        std::fprintf(stderr, "dialogshow: no main window\n");
        return 1;
    }
    MainWindow.m_hWnd = window;
    MainWindowHandle.store(window);
    int code = Show(o);
    std::fflush(stdout);
    if (IsWindow(window)) DestroyWindow(window);
#ifdef DIALOGSHOW_WINDOW
    platform::ShutdownSdlBackend();
#endif
    return code;
}
