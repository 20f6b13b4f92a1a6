#pragma once
// The procedure of thGame.

// One frame after another while the application is active; returns at
// WM_QUIT (1), or after posting WM_CLOSE when a tick fails (1).
unsigned GameLoopProc(void* argument);

// Headless runs: after this many ticks thGame posts WM_CLOSE once and stops
// ticking (the close then runs the normal shut-down). -1: no limit.
void SetGameFrameLimit(long long frames);
