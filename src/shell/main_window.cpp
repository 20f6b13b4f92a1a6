#include "shell/main_window.h"

#include "draw/device/device.h"
#include "draw/primitives.h"
#include "foundation/abort.h"
#include "foundation/report.h"
#include "platform/message_box.h"
#include "shell/app_state.h"
#include "shell/dialogs/name_entry_dialog.h"
#include "shell/end_session.h"
#include "shell/loop/game.h"
#include "shell/requests/app_requests.h"
#include "shell/requests/error_requests.h"
#include "shell/requests/file_requests.h"
#include "shell/requests/sound_requests.h"
#include "shell/startup/editor_notice.h"
#include "shell/window/window_data.h"
#include "shell/window_registry.h"
#include "shell/worker_threads.h"

// The window registry is the first of the shell's global objects and the
// last to go, so it is defined here, ahead of the main window in the same
// file; the gamedata set that orders the other globals cannot hold shell
// types.
cWindowRegistry WindowRegistry;
cMainWindow MainWindow;

LRESULT MainWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return MainWindow.MainWndProc(window, msg, wParam, lParam);
}

int ConfirmQuit(HWND window, int english) {
    int answer = english ? MessageBoxA(window, "Would you like to quit?\n", "End confirmation", MB_YESNO)
                         : MessageBoxA(window, "終了しますか？\n", "終了確認", MB_YESNO);
    return answer == IDYES ? 1 : 0;
}

LRESULT cMainWindow::MainWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    m_hWnd = window;
    // A new window's menu holds none of the game's entries.
    if (msg == WM_CREATE) m_bZoomEntries = false;
    InsertZoomEntries(window);
    switch (msg) {
        case WM_CREATE: m_bCreated = true; return 0;
        case WM_DESTROY:
            WriteLog("WM_DESTROY");
            m_hWnd = nullptr;
            MainWindowHandle.store(nullptr);
            if (TestPlay == 1) NotifyEditor(1);
            PostQuitMessage(0);
            return 0;
        case WM_MOVE: HandleMessage(window, msg, wParam, lParam); return 0;
        case WM_SIZE: RefreshStyle(); return 0;
        case WM_CLOSE: return OnClose(window);
        case WM_ENDSESSION: return OnEndSession(window, lParam);
        case WM_ACTIVATEAPP: OnActivateApp(wParam); return 0;
        case WM_KEYDOWN:
            if (wParam == static_cast<WPARAM>(VK_ESCAPE)) PostMessageA(window, WM_CLOSE, 0, 0);
            return 0;
        case WM_COMMAND:
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: return 0;
        case kWmPlaySound: OnPlaySoundRequest(wParam); return 0;
        case kWmPlayMusic: OnPlayMusicRequest(wParam, lParam); return 0;
        case kWmRestoreDevice: DDRestoreSurface(); return 0;
        case kWmNameEntry: OnNameEntry(); return 0;
        case kWmOpenStage: OnOpenStageRequest(); return 0;
        case kWmOpenReplay: OnOpenReplayRequest(); return 0;
        case kWmSaveReplay: OnSaveReplayRequest(wParam); return 0;
        case kWmErrorBox: OnErrorBoxRequest(lParam); return 0;
        case WM_SYSCOMMAND: {
            WPARAM command = wParam & 0xFFF0;
            if (command == SC_SCREENSAVE || command == SC_MONITORPOWER) return 0;
            int z = static_cast<int>(wParam & 0xFFFF);
            if (z >= 1 && z <= 5) {
                Zoom(z);
                return 0;
            }
            return DefWindowProcA(window, msg, wParam, lParam);
        }
        default: return DefWindowProcA(window, msg, wParam, lParam);
    }
}

LRESULT cMainWindow::OnClose(HWND window) {
    // An end from outside (a signal, the window destroyed) is agreed to.
    bool ask = DirectStart == 0 && TestPlay == 0 && ScreenWindowed == 1 && Game.CurrentScene != kSceneTitle &&
               AbortFlag.load() == 0 && !EndSessionRequested();
    if (ask) {
        SuspendWorkers();
        // A close agreed to while stage play's nested frame loop ran comes
        // back from stage play once that loop has ended; asking again would
        // put the question to the player every frame until another Yes.
        // Read with the game thread parked, as it may switch scenes.
        const bool agreed = CurStageScene && CurStageScene->QuitRequested();
        const int yes = agreed ? 1 : ConfirmQuit(window, SystemIni.English);
        ResumeWorkers();
        if (!yes) return 0;
    }
    SaveWindowPlacement(window);
    if (thPause.Running()) {
        WriteLog("WM_CLOSE thPause.m_hThread");
        if (CurStageScene) CurStageScene->RequestQuit();
        PostThreadMessageA(thPause.ThreadId(), WM_QUIT, 0, 0);
        return 0;
    }
    WriteLog("WM_CLOSE 成功！");
    // Threads that wait in a send to this window would otherwise only leave
    // it when stopped by force.
    platform::BeginWindowClose(window);
    thLoader.Exit();
    thPause.Exit();
    thRanking.Exit();
    WriteLog("thPause.Exit()");
    thGame.Exit();
    WriteLog("thGame.Exit()");
    DestroyWindow(window);
    return 0;
}

namespace {

struct ZoomEntry {
    int zoom;
    const char* text;
};

// Inserted at the top one after another, so the largest comes first.
constexpr ZoomEntry kZoomEntries[] = {
    {5, "500% (3200*2400)"}, {4, "400% (2560*1920)"}, {3, "300% (1920*1440)"},
    {2, "200% (1280*960)"},  {1, "100% (640*480)"},
};

}  // namespace

void cMainWindow::InsertZoomEntries(HWND window) {
    if (m_bZoomEntries || !lpDTCon || ScreenWindowed != 1) return;
    InsertWindowMenuEntry(window, 0, WindowMenuEntry{0, ""});
    const RECT work = GetWorkArea();
    for (const ZoomEntry& e : kZoomEntries) {
        if (work.right >= kScreenWidth * e.zoom && work.bottom >= kScreenHeight * e.zoom) {
            InsertWindowMenuEntry(window, 0, WindowMenuEntry{static_cast<UINT>(e.zoom), e.text});
        }
    }
    m_bZoomEntries = true;
}

void cMainWindow::OnActivateApp(WPARAM active) {
    // A full-screen device may have been lost while another program had
    // the display.
    if (AppActive.load() == 0 && active != 0 && lpDTCon && ScreenWindowed == 0) {
        SendMessageA(MainWindowHandle.load(), kWmRestoreDevice, 0, 0);
    }
    AppActive.store(static_cast<int>(active));
}

void cMainWindow::OnNameEntry() {
    DDDialogBoxMode(1);
    SuspendWorkers();
    RunNameEntryDialog();
    DDDialogBoxMode(0);
    ResumeWorkers();
    NameEntryDone.store(1);
}

void cMainWindow::Zoom(int z) {
    RECT client{};
    GetClientRect(client);
    int left = 0;
    int top = 0;
    GetWindowPos(left, top);
    int w = kScreenWidth * z;
    int h = kScreenHeight * z;
    RECT work = GetWorkArea();
    // The window menu offers only the zooms that fit the work area; the
    // keys that stand for its entries obey the same rule.
    if (work.right < w || work.bottom < h) return;
    int x = left + (client.right - client.left) / 2 - w / 2;
    int y = top;
    PullIntoWorkArea(x, y, w, h, work);
    MoveClient(x, y, w, h);
}
