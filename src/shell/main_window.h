#pragma once
// The main window: its procedure on the window thread, the close sequence
// and the zoom.
#include "shell/window.h"

class cMainWindow : public cWindow {
public:
    LRESULT MainWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    LRESULT OnClose(HWND window);
    // Once a windowed device-path display runs: the zoom entries that fit
    // the work area, at the top of the window menu.
    void InsertZoomEntries(HWND window);
    void OnActivateApp(WPARAM active);
    // The ranking name entry a game thread asked for; NameEntryDone last.
    void OnNameEntry();
    void Zoom(int z);

    // The zoom entries are in this window's menu (also when none fitted).
    bool m_bZoomEntries = false;
};

extern cMainWindow MainWindow;

// The registered procedure: forwards to MainWindow.
LRESULT MainWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// 1 when the user answered Yes to the close question.
int ConfirmQuit(HWND window, int english);

// The application message that restores a lost device on the window
// thread.
constexpr UINT kWmRestoreDevice = WM_USER + 100;
// The game threads' request for the ranking name entry.
constexpr UINT kWmNameEntry = WM_USER + 1;

// Client size of the main window at zoom 100 %.
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
