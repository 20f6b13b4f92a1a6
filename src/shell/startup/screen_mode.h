#pragma once
// The screen mode that start-up settles from System.ini, the system data's
// preferred depths and the desktop: window or full screen, colour depth and
// VSync, or the reason the combination cannot run.
#include <string>

struct ScreenModeChoice {
    // System.ini after the drawing-mode choice (Direct3D 1 or not).
    int direct3D = 1;
    int windowMode = 1;
    int bpp = 0;
    int vsync = 0;
    // The desktop's depth, the project's full-screen depth settings and its
    // fixed-transparent-colour switch.
    int desktopDepth = 32;
    int d3dFullDepth = 0;  // 1 gives 16 bits, else 32
    int ddFullDepth = 0;   // 1 gives 16, 2 gives 8 (32 with a fixed key colour), else 32
    int fixedKeyColour = 0;
    bool versionAtLeast6 = true;
};

struct ScreenMode {
    int windowed = 1;
    int depth = 32;
    int vsync = 0;
    bool sizingFrame = false;
    // Empty when the mode can run; else the message to show.
    std::string error;
};

ScreenMode DecideScreenMode(const ScreenModeChoice& c);
