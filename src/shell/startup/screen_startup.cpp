#include "shell/startup/screen_startup.h"

#include <algorithm>
#include <iterator>

#include "draw/device/device.h"
#include "draw/device/display_report.h"
#include "draw/device/surface_table.h"
#include "draw/device/surfaces.h"
#include "draw/palette.h"
#include "foundation/report.h"
#include "gamedata/global_data.h"
#include "gamedata/project/player_files.h"
#include "platform/dialog_window.h"
#include "shell/app_state.h"
#include "shell/dialogs/keyboard_hook.h"
#include "shell/loop/blend_palette.h"
#include "shell/loop/game.h"
#include "shell/main_window.h"
#include "shell/window/window_data.h"
#include "shell/window_registry.h"

bool SetUpMainWindow() {
    MainWindow.Attach(0, nullptr, &WindowRegistry);
    MainWindow.SetText(SystemData.m_strTitle);
    return true;
}

void ReleaseMainWindow() { RemoveHooks(); }

bool PlaceMainWindow(int& showCommand) {
    if (SystemIni.WindowMode == 0) return true;
    // A first start has no file: the window stays centred.
    if (!WindowData.LoadFile(PathTable[kPathWindow])) return true;
    MainWindow.SetPosition(WindowData.m_nX, WindowData.m_nY);
    if (SystemIni.Direct3D == 1 && SystemIni.WindowMode == 2) {
        MainWindow.SetClientSize(WindowData.m_nWidth, WindowData.m_nHeight);
    }
    if (WindowData.m_nMaximized != 0) showCommand = SW_SHOWMAXIMIZED;
    return true;
}

int ShowCommandFor(int showCommand, bool devicePath) {
    return devicePath || SystemIni.WindowMode != 0 ? showCommand : SW_SHOWMAXIMIZED;
}

bool ShowMainWindow(int showCommand) {
    ShowWindow(MainWindowHandle.load(), ShowCommandFor(showCommand, lpDTCon != nullptr));
    DisplayReport(1);
    return true;
}

bool LoadPaletteAndKey() {
    const char* picture = SurfaceTable[0].fileName;
    if (!DDLoadPaletteFromFile(Palette, picture, ScreenWindowed)) {
        WriteLogF("%s : palette not read", picture);
        return false;
    }
    std::copy(std::begin(Palette), std::end(Palette), std::begin(PaletteWork));
    if (!SystemData.m_bFixedKeyColour) return SetTrans(picture) != 0;
    if (DDSetting.nBpp != 16) {
        DDSetTransmit(SystemData.m_cKeyRed, SystemData.m_cKeyGreen, SystemData.m_cKeyBlue);
        return true;
    }
    if (!SetTrans(picture)) return false;
    // The project's colour is the key of 16-bit pictures; the picture's own
    // corner stays the key of the others.
    BYTE* key16 = lpDTCon ? lpDTCon->rgbTransmit_16 : lpDDCon ? lpDDCon->rgbTransmit_16 : nullptr;
    if (key16) {
        key16[0] = SystemData.m_cKeyBlue;
        key16[1] = SystemData.m_cKeyGreen;
        key16[2] = SystemData.m_cKeyRed;
    }
    return true;
}

bool ChoosePresent() {
    if (!lpDDCon) return true;
    const bool blit =
        ScreenWindowed == 1 || SystemIni.VSync == 0 || DDSoftwareCaps.nDisplayRefreshRate < Game.FrameRate;
    UseBlitPresent = blit ? 1 : 0;
    return true;
}

bool ShowLoadingPicture() {
    const SURFACETABLEENTRY& e = SurfaceTable[kLoadingPicture];
    // A missing picture has been reported; start-up goes on without it.
    DDSurfaceErrorMessage(DDCreateSurfaceFromFile(&SurfaceArray[kLoadingPicture], e.fileName, e.nColorKey,
                                                  DDSetting.nBpp, e.nDDMemory, e.nMemoryType, e.nShare, e.nConvert,
                                                  e.nMirrorWidth, e.nMirrorHeight, 0));
    DrawAndPresent();
    return true;
}

bool LoadBuiltInPictures() {
    constexpr int kDebugPicture = 1;
    constexpr int kSymbolPicture = 51;
    constexpr int kPictures[] = {kDebugPicture, kSymbolPicture, kLoadingPicture};
    return DDLoadSurfaceTable(SurfaceArray, kPictures, static_cast<int>(std::size(kPictures)));
}

bool LoadBlendTable() { return ScreenDepth != 8 || LoadHbtPalette(OptionData.m_nPalette) != 0; }
