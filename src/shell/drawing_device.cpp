#include "shell/drawing_device.h"

#include "draw/device.h"
#include "draw/surface_table.h"
#include "foundation/report.h"
#include "foundation/system_report.h"
#include "gamedata/project/system_data.h"
#include "platform/dialog_window.h"
#include "platform/system_info.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "shell/main_window.h"
#include "shell/screen_mode.h"
#include "shell/screen_startup.h"

namespace {

bool StartDevicePath(int direct3D) {
    const int vsync = SystemIni.VSync != 0 ? 1 : 0;
    return DDInit(direct3D, MainWindowHandle.load(), 640, 480, ScreenDepth, vsync, ScreenWindowed, 1, 60, vsync,
                  SurfaceArray, SurfaceTable, kSurfaceCount, 0);
}

}  // namespace

bool SettleScreenMode() {
    ScreenModeChoice c;
    c.direct3D = SystemIni.Direct3D;
    c.windowMode = SystemIni.WindowMode;
    c.bpp = SystemIni.Bpp;
    c.vsync = SystemIni.VSync;
    c.desktopDepth = platform::QueryDisplay().bitsPerPixel;
    c.d3dFullDepth = SystemData.m_nD3DFullDepth;
    c.ddFullDepth = SystemData.m_nDDFullDepth;
    c.fixedKeyColour = SystemData.m_bFixedKeyColour;
    c.versionAtLeast6 = IsWindowsVersionAtLeast(6, 0);
    ScreenMode m = DecideScreenMode(c);
    ScreenWindowed = m.windowed;
    ScreenDepth = m.depth;
    SystemIni.Bpp = m.depth;
    SystemIni.VSync = m.vsync;
    if (!m.error.empty()) {
        ErrorBox(m.error);
        return false;
    }
    if (m.sizingFrame) {
        MainWindow.AddStyle(WS_THICKFRAME);
        SetWindowDisplay(MainWindow.m_hWnd, WindowDisplay::Resizable);
    }
    // The paletted display cannot stretch in video memory.
    if (ScreenDepth == 8) SystemIni.DD_VideoStretch = 0;
    return true;
}

namespace {

// Direct3D as System.ini asks, falling back to DirectDraw with the same
// values.
bool StartEitherPath(int showCommand) {
    if (StartDevicePath(SystemIni.Direct3D)) return true;
    if (SystemIni.Direct3D != 1) return false;
    DDRelease();
    SystemIni.Direct3D = 0;
    ShowWindow(MainWindowHandle.load(), ShowCommandFor(showCommand, false));
    return StartDevicePath(0);
}

// A display that cannot go full screen still plays: in a window at the
// desktop's depth, said once in the run report and once to the player.
bool StartInWindowInstead(int showCommand, int direct3D) {
    DDRelease();
    LogPrintfBoth("Fullscreen Err : Window");
    ErrorBox(SystemIni.English ? "Full screen could not be started.\nThe game runs in a window."
                               : "フルスクリーンで起動できませんでした。\nウインドウモードで起動します。");
    SetWindowDisplay(MainWindowHandle.load(), WindowDisplay::Fixed);
    ScreenWindowed = 1;
    SystemIni.WindowMode = 1;
    ScreenDepth = platform::QueryDisplay().bitsPerPixel;
    SystemIni.Bpp = ScreenDepth;
    SystemIni.Direct3D = direct3D;
    return StartEitherPath(showCommand);
}

}  // namespace

bool StartDrawingDevice(int showCommand) {
    // The settled mode (Bpp holds the settled depth), or System.ini as it
    // stands when the device is started by itself.
    ScreenWindowed = SystemIni.WindowMode != 0 ? 1 : 0;
    ScreenDepth = SystemIni.Bpp != 0 ? SystemIni.Bpp : platform::QueryDisplay().bitsPerPixel;
    const int direct3D = SystemIni.Direct3D;
    if (!StartEitherPath(showCommand)) {
        if (ScreenWindowed == 1 || !StartInWindowInstead(showCommand, direct3D)) return false;
    }
    if (lpDTCon) {
        lpDTCon->strTextureErr =
            "テクスチャの作成に失敗しました！\nビデオカードの性能が十分ではないかもしれません。\nSystem.ini"
            "ファイルで「Direct3D=0」に変更してDirect3Dを無効にすれば改善される可能性があります。";
        DDLinkSurfaceTable();
    }
    return true;
}

void ReleaseDrawingDevice() {
    // Both names release everything; the window and the full-screen
    // shut-down only call it by a different one.
    if (ScreenWindowed == 1) DDExit();
    else DDRelease();
}
