#pragma once
// Ends that come from outside the game: a signal, the window destroyed by
// another program, the display gone. Each runs the close the player agrees
// to, without asking, so saves in progress finish and the run report gets
// its last lines.
#include "platform/win_types.h"

// Any thread: from now on the close asks nothing; WM_ENDSESSION is posted to
// the main window (kept for later while the game is still starting). how
// names the request for the run report.
void RequestEndSession(const char* how);

// True once an end from outside was requested.
bool EndSessionRequested();

// Window thread, WM_ENDSESSION: the close sequence without its question once
// the game runs. While it starts, a box or dialog open on the window is
// ended, and the start finishes before the close (WinMain posts again).
LRESULT OnEndSession(HWND window, LPARAM lParam);

// The display went away under the window thread: stops the workers in the
// close sequence's order without touching the window (display-lost handler
// of the platform).
void EndWithoutDisplay();

// Forgets the request (tests).
void ResetEndSession();
