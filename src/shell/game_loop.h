#pragma once
// The procedure of thGame, and the frame limit of headless runs.

// One frame after another while the application is active; returns at
// WM_QUIT (1), or after posting WM_CLOSE when a tick fails (1).
unsigned GameLoopProc(void* argument);

// Headless runs: the run ends once frame `frames` has been presented,
// counted as the input script counts (the first presented frame is frame
// 0), wherever the game is, also inside a nested frame loop: no later frame
// is presented, WM_CLOSE is posted once (the close then runs the normal
// shut-down) and every frame loop idles until the close takes it down.
// -1: no limit.
void SetGameFrameLimit(long long frames);

// True once the limit is reached; the first call that finds it so posts
// the close. A frame loop asks before each frame and idles instead.
bool FrameLimitReached();
