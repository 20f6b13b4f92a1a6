#pragma once
// The game's main window for the small programs around the player, which
// have no game threads to stop and nothing to save.
#include "platform/win_types.h"

// The game's window procedure, except that a close destroys the window at
// once.
LRESULT ToolWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// Dispatches what the window thread has queued; false once WM_QUIT came.
bool PumpToolWindow();
