#pragma once
// The drawing device of the game: started by start-up for the screen mode
// of "System.ini", released by the shut-down.
#include "platform/win_types.h"

// Settles window or full screen, depth and VSync from System.ini, the
// project and the desktop (writing the depth and VSync back to SystemIni);
// false after an error box when the combination cannot run.
bool SettleScreenMode();

// Starts the device; a failed Direct3D start falls back to DirectDraw with
// the same depth, window flag and VSync value, showing the window first
// (showCommand as start-up was given it). A full screen that neither path
// can start falls back to a window at the desktop's depth, with a line in
// the run report and a box (System.ini is left as it was on disk). false
// when no path starts (the device layer has reported why).
bool StartDrawingDevice(int showCommand = SW_SHOWNORMAL);

// Releases the device and every surface it made; harmless when none runs.
void ReleaseDrawingDevice();
