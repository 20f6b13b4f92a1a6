#pragma once
// Process-wide state of the program shell that several threads read.
#include <atomic>

#include "platform/win_types.h"

// 1 when the kit's editor started this run for a test play.
extern int TestPlay;
// 1 while the application is active; written only on WM_ACTIVATEAPP.
extern std::atomic<int> AppActive;
// Set just before thGame starts; never cleared.
extern std::atomic<int> GameStarted;
// The main window for every thread; cleared on WM_DESTROY.
extern std::atomic<HWND> MainWindowHandle;
// 1 when start-up began a direct play of a stage file.
extern int DirectStart;
// 1 when the display is a window.
extern int ScreenWindowed;
// Bits per pixel of the display: 8, 16 or 32.
extern int ScreenDepth;
// DirectDraw: 1 when frames are presented by blit, 0 by flip (full screen
// with VSync on a display fast enough).
extern int UseBlitPresent;

// The values of "System.ini" that the shell consults. The reader fills them
// at start-up; until then they hold the defaults of a windowed run.
struct cSystemIni {
    int Direct3D = 1;
    int WindowMode = 1;
    int Bpp = 0;
    int VSync = 0;
    int D3D_FontCache = 0;
    int DD_FontCache = 0;
    int DD_VideoStretch = 0;
    int ShowFps = 0;
    int English = 0;
    int Midi_DirectMusic = 0;
    char FreeStage[260] = {};
};
extern cSystemIni SystemIni;
