#pragma once
// The process entry of the game: run report, single instance, the main
// window, start-up, thGame and the window thread's message loop.
#include <string>

// Returns 0 on every early end, else the wParam of the WM_QUIT that ended
// the loop. showCommand SW_SHOW marks a test play started by the editor.
int WinMain(const std::string& commandLine, int showCommand);

// The window thread's message loop until WM_QUIT; returns its wParam.
int RunMessageLoop();
