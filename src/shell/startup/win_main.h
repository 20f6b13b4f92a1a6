#pragma once
// The process entry of the game: run report, single instance, the main
// window, start-up, thGame and the window thread's message loop.
#include <string>

#include "platform/win_types.h"

// Returns kStartFailed when the game could not start (no run report, no
// window, or a start-up that failed or was cancelled), 0 when the copy that
// runs already keeps the stage, else the wParam of the WM_QUIT that ended
// the loop. showCommand SW_SHOW marks a test play started by the editor.
constexpr int kStartFailed = 1;
int WinMain(const std::string& commandLine, int showCommand);

// The window thread's message loop until WM_QUIT; returns its wParam.
int RunMessageLoop();

// Makes window the main window for every thread: MainWindowHandle, and the
// route of posts addressed to the main window (those kept from before the
// window existed are delivered now, in order).
void InstallMainWindowRouting(HWND window);
