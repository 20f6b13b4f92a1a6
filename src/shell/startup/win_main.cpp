#include "shell/startup/win_main.h"

#include "foundation/paths.h"
#include "foundation/report.h"
#include "foundation/system_report.h"
#include "platform/clock.h"
#include "platform/dialog_window.h"
#include "platform/end_signals.h"
#include "platform/files.h"
#include "platform/host_log.h"
#include "platform/main_window_post.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "shell/dialogs/message_box_dialog.h"
#include "shell/end_session.h"
#include "shell/loop/game_loop.h"
#include "shell/main_window.h"
#include "shell/startup/command_line.h"
#include "shell/startup/editor_notice.h"
#include "shell/startup/single_instance.h"
#include "shell/startup/startup.h"
#include "shell/worker_threads.h"

namespace {
constexpr DWORD kMainWindowStyle = 0x80CB0000u;

// What WinMain handed the platform layer goes back before it returns.
void EndHostHooks() {
    platform::SetMainWindowRouter(nullptr);
    platform::SetDisplayLostHandler(nullptr);
    platform::SetInWindowMessageBox(nullptr);
    platform::SetHostLogSink(nullptr);
}

// Without its run report the player could not tell of any later fault, so
// it does not start; the user learns why on stderr and in a box.
int RefuseUnwritableGameFolder(const std::string& report) {
    const bool notAFile = platform::LastFileRefusal() == platform::FileRefusal::kNotRegular;
    const std::string reason = notAFile
                                   ? "a folder or other non-file stands in its place"
                                   : "the game folder cannot be written (no permission, or a read-only or full disk)";
    platform::HostWarn("player: cannot create the run report " + platform::HostPath(report) + ": " + reason);
    ErrorBox(std::string("ゲームフォルダに書き込めないため、起動できません！\n") + report +
             (notAFile ? " はファイルではありません。" : " を作成できません。"));
    return kStartFailed;
}
}  // namespace

void InstallMainWindowRouting(HWND window) {
    MainWindowHandle.store(window);
    platform::SetMainWindowRouter([](const platform::PostedMessage& m) {
        HWND h = MainWindowHandle.load();
        return h != nullptr && PostMessageA(h, m.msg, m.wParam, m.lParam) != FALSE;
    });
}

int RunMessageLoop() {
    for (;;) {
        MSG m;
        if (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) return static_cast<int>(m.wParam);
            TranslateMessage(&m);
            DispatchMessageA(&m);
        } else if (AppActive.load() == 0) {
            WaitMessage();
        }
        Sleep(1);
    }
}

int WinMain(const std::string& commandLine, int showCommand) {
    SetDebugLog(0, "EC_Game.txt");
    std::string report = "Report_Game.txt";
    MakeAbsolutePath(report);
    if (!CreateReport(report)) return RefuseUnwritableGameFolder(report);
    // Platform lines (forced thread stops) belong in the run report.
    platform::SetHostLogSink([](const std::string& line) { LogLine(platform::Utf8ToCp932(line)); });
    // Boxes show in the game window once it exists; a lost display still
    // lets the workers finish what they write.
    platform::SetInWindowMessageBox(ShowMessageBoxInWindow);
    platform::SetDisplayLostHandler(EndWithoutDisplay);
    LogPrintf("App : ver %s", kPlayerVersion);
    SystemReport();
    TestPlay = showCommand == SW_SHOW ? 1 : 0;

    platform::InstanceLock lock;
    if (!SettleSingleInstance(lock, !platform::WindowBackendInstalled())) {
        EndHostHooks();
        return 0;
    }
    NoteEndByAnotherCopy();

    MainWindow.SetLayout(kScreenWidth, kScreenHeight, 100, 100, kScreenWidth, kScreenHeight, kMainWindowStyle);
    HWND window = CreateMainWindow("", 100, 100, MainWindow.m_nOuterWidth, MainWindow.m_nOuterHeight, MainWindowProc);
    if (!window) {
        ErrorBox("ウインドウが生成出来ません！");
        EndHostHooks();
        return kStartFailed;
    }
    MainWindow.m_hWnd = window;
    // The host keeps no styles of its own; the window's style is what the
    // layout asked for, so that later style reads find it.
    SetWindowLongA(window, GWL_STYLE, kMainWindowStyle);
    MainWindow.CenterOnDesktop();
    if (TestPlay == 1) NotifyEditorStarted();
    InstallMainWindowRouting(window);

    if (!InitGame(commandLine, showCommand)) {
        ExitGame();
        if (TestPlay == 1) NotifyEditor(0);
        EndHostHooks();
        return kStartFailed;
    }
    GameStarted.store(1);
    thGame.Start(GameLoopProc, nullptr);
    thGame.Handshake();
    // An end asked for while the game was starting.
    if (EndSessionRequested()) PostMessageA(window, WM_ENDSESSION, 1, 0);

    int code = RunMessageLoop();
    ExitGame();
    EndHostHooks();
    return code;
}
