#pragma once
// Frame pacing and measurement over the millisecond clock. Only the running
// frame-loop thread calls these. While the virtual clock runs, a frame's time
// has passed when it is paced, so LimitFps and WaitFrame release at once.
#include "platform/win_types.h"

DWORD SetStartTime();
DWORD GetElapsed(bool restart);
DWORD GetLastElapsed(bool measure);
DWORD CountFps(bool count);
bool LimitFps(int fps);
bool WaitFrame(int fps);
bool EveryNth(int mode, int n);

// Whether a Direct3D device exists; the drawing layer sets it. WaitFrame
// releases every frame without one.
void SetFrameTimerHasDevice(bool hasDevice);
// Restarts every part of the timer as before its first call (tests).
void ResetFrameTimer();
