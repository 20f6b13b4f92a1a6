#include "shell/drawing_device.h"

#include "draw/device.h"
#include "draw/surface_table.h"
#include "shell/app_state.h"

namespace {

bool StartDevicePath(int direct3D) {
    const int vsync = SystemIni.VSync != 0 ? 1 : 0;
    return DDInit(direct3D, MainWindowHandle.load(), 640, 480, ScreenDepth, vsync, ScreenWindowed, 1, 60, vsync,
                  SurfaceArray, SurfaceTable, kSurfaceCount, 0);
}

}  // namespace

bool StartDrawingDevice() {
    ScreenWindowed = SystemIni.WindowMode != 0 ? 1 : 0;
    // The desktop of this host is always 32 bits deep.
    ScreenDepth = SystemIni.Bpp != 0 ? SystemIni.Bpp : 32;
    if (!StartDevicePath(SystemIni.Direct3D)) {
        if (SystemIni.Direct3D != 1) return false;
        DDRelease();
        SystemIni.Direct3D = 0;
        if (!StartDevicePath(0)) return false;
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
