#include "shell/startup/screen_mode.h"

namespace {

int ChosenDepth(const ScreenModeChoice& c) {
    if (c.bpp != 0) return c.bpp;
    if (c.windowMode != 0) return c.desktopDepth;
    if (c.direct3D == 1) return c.d3dFullDepth == 1 ? 16 : 32;
    if (c.ddFullDepth == 1) return 16;
    if (c.ddFullDepth == 2) return c.fixedKeyColour ? 32 : 8;
    return 32;
}

bool DepthRuns(const ScreenModeChoice& c, int depth) {
    bool deep = depth == 16 || depth == 32;
    // 8 bits only full screen in DirectDraw, and never with a fixed key
    // colour, which needs true colours.
    bool paletted = depth == 8 && c.direct3D != 1 && c.windowMode == 0 && c.fixedKeyColour == 0;
    if (!deep && !paletted) return false;
    return !(deep && c.windowMode != 0 && depth != c.desktopDepth);
}

}  // namespace

ScreenMode DecideScreenMode(const ScreenModeChoice& c) {
    ScreenMode m;
    m.windowed = c.windowMode != 0 ? 1 : 0;
    m.vsync = c.vsync;
    if (c.direct3D == 1) {
        if (m.vsync >= 2) m.vsync = 1;
    } else if (c.windowMode != 0) {
        m.vsync = 0;
    } else if (m.vsync >= 2) {
        m.vsync = c.versionAtLeast6 ? 0 : 1;
    }
    m.depth = ChosenDepth(c);
    if (!DepthRuns(c, m.depth)) {
        bool windowDepth = c.windowMode != 0 && (m.depth == 16 || m.depth == 32);
        m.error = windowDepth
                      ? "画面モードが不正です！\nウインドウモードではSystem.iniの設定と画面の色の設定を合わせて下さい！"
                      : "画面モードが不正です！\nSystem.iniと画面の設定を見直して下さい！";
    }
    m.sizingFrame = c.direct3D == 1 && c.windowMode == 2;
    return m;
}
