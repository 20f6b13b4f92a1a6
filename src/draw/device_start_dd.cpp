// The two DirectDraw starts and the names of their result codes. The
// display is emulated in software, so a step fails only when memory runs out
// or when the display lacks the service (DDSoftwareCaps names such a step).
#include <array>

#include "draw/device.h"
#include "draw/surfaces.h"
#include "foundation/report.h"
#include "platform/cursor.h"
#include "platform/window.h"

namespace {

// The video or system memory kind of each device surface (nDDMemory).
constexpr int kVideoMemory = 0;
constexpr int kSystemMemory = 1;

bool StepRuns(int code) { return DDSoftwareCaps.nFailingStartStep != code; }

int Failed(int code, const char* line) {
    if (line) LogPrintfBoth("%s", line);
    return code;
}

bool MakeDeviceSurface(DDSURFACEDATA& sd, int width, int height, int memory) {
    sd.lpDD = std::make_unique<DDDRAWDATA>();
    if (!sd.lpDD->surface.Allocate(DDDisplayFormat(), width, height)) {
        sd.lpDD.reset();
        return false;
    }
    sd.nWidth = sd.nTexWidth = width;
    sd.nHeight = sd.nTexHeight = height;
    sd.nDDMemory = memory;
    return true;
}

// The emulated display mode is the window over the whole display; a device
// without a window (off-screen drawing) has nothing to switch.
bool EnterFullScreen(HWND hWnd) { return !hWnd || SetWindowDisplay(hWnd, WindowDisplay::FullScreen); }

bool DepthHasDisplayMode(int bpp) { return bpp == 8 || bpp == 16 || bpp == 32; }

// The palette of a fresh start, before the game's own is set: full screen
// owns every entry; a window leaves the system's twenty to the desktop.
void FillStartPalette(bool fullScreen) {
    for (int i = 0; i < 256; ++i) {
        const BYTE v = static_cast<BYTE>(i);
        if (fullScreen || (i >= 10 && i <= 245)) DDPaletteColors[i] = PALETTEENTRY{v, v, 0, PC_RESERVED};
        else DDPaletteColors[i] = PALETTEENTRY{v, 0, 0, PC_EXPLICIT};
    }
    if (fullScreen) DDPaletteColors[0] = PALETTEENTRY{0, 0, 255, PC_RESERVED};
}

// The palette goes on the primary at 8 bits; deeper displays take their
// channel layout from it instead.
int SetUpPalette(bool fullScreen, int depth) {
    if (!StepRuns(DDINIT_CREATEPALETTE_ERR)) return Failed(DDINIT_CREATEPALETTE_ERR, "CreatePalette Err");
    FillStartPalette(fullScreen);
    if (depth != 8) {
        DDColorMasks(&TexChannels);
        return DDINIT_OK;
    }
    if (!StepRuns(DDINIT_SETPALETTE_ERR)) return Failed(DDINIT_SETPALETTE_ERR, "SetPalette Err");
    return DDINIT_OK;
}

struct NamedCode {
    int code;
    const char* name;
};
constexpr std::array<NamedCode, 10> kCodeNames = {{
    {DDINIT_CREATEEX_ERR, "CREATEEX_ERR"},
    {DDINIT_SETCOOPLEVEL_ERR, "SETCOOPLEVEL_ERR"},
    {DDINIT_SETDISPLAYMODE_ERR, "SETDISPLAYMODE_ERR"},
    {DDINIT_CREATESURFACE_ERR, "CREATESURFACE_ERR"},
    {DDINIT_GETATTACHEDSURFACE_ERR, "GETATTACHEDSURFACE_ERR"},
    {DDINIT_CREATEPALETTE_ERR, "CREATEPALETTE_ERR"},
    {DDINIT_SETPALETTE_ERR, "SETPALETTE_ERR"},
    {DDINIT_CLIPPER_ERR, "CLIPPER_ERR"},
    {DDINIT_SETHWND_ERR, "SETHWND_ERR"},
    {DDINIT_SETCLIPPER_ERR, "SETCLIPPER_ERR"},
}};

}  // namespace

int DDInitFullScreen(HWND hWnd, int width, int height, int bpp, int /*backBufferCount*/) {
    if (!StepRuns(DDINIT_CREATEEX_ERR)) return Failed(DDINIT_CREATEEX_ERR, "DirectDrawCreateEx Err");
    if (!StepRuns(DDINIT_SETCOOPLEVEL_ERR)) return Failed(DDINIT_SETCOOPLEVEL_ERR, "SetCooperativeLevel Err");
    if (!DepthHasDisplayMode(bpp) || !StepRuns(DDINIT_SETDISPLAYMODE_ERR) || !EnterFullScreen(hWnd)) {
        return Failed(DDINIT_SETDISPLAYMODE_ERR, "SetDisplayMode Err");
    }
    if (!StepRuns(DDINIT_CREATESURFACE_ERR) || !MakeDeviceSurface(DDPrimarySD, width, height, kVideoMemory)) {
        return Failed(DDINIT_CREATESURFACE_ERR, "Primary CreateSurface Err");
    }
    if (!StepRuns(DDINIT_GETATTACHEDSURFACE_ERR) || !MakeDeviceSurface(BackBuffer, width, height, kVideoMemory)) {
        return Failed(DDINIT_GETATTACHEDSURFACE_ERR, "GetAttachedSurface Err");
    }
    if (!MakeDeviceSurface(DDWorkSD, width, height, kSystemMemory)) return Failed(DDINIT_CREATESURFACE_ERR, nullptr);
    if (const int code = SetUpPalette(true, bpp); code != DDINIT_OK) return code;
    DDHideCursor();
    return DDINIT_OK;
}

int DDInitWindow(HWND /*hWnd*/) {
    // The frame is always drawn at the logical size; the window backend
    // scales it into whatever client area the window has.
    const int width = DDSetting.nWidth;
    const int height = DDSetting.nHeight;
    if (!StepRuns(DDINIT_CREATEEX_ERR)) return Failed(DDINIT_CREATEEX_ERR, "DirectDrawCreateEx Err");
    if (!StepRuns(DDINIT_SETCOOPLEVEL_ERR)) return Failed(DDINIT_SETCOOPLEVEL_ERR, "SetCooperativeLevel Err");
    // A depth without a pixel format of its own has no primary surface.
    if (!DepthHasDisplayMode(DDSetting.nBpp) || !StepRuns(DDINIT_CREATESURFACE_ERR) ||
        !MakeDeviceSurface(DDPrimarySD, width, height, kVideoMemory)) {
        return Failed(DDINIT_CREATESURFACE_ERR, "Primary CreateSurface Err");
    }
    if (!MakeDeviceSurface(BackBuffer, width, height, kVideoMemory) ||
        !MakeDeviceSurface(DDWorkSD, width, height, kSystemMemory)) {
        return Failed(DDINIT_CREATESURFACE_ERR, nullptr);
    }
    if (const int code = SetUpPalette(false, DDSetting.nBpp); code != DDINIT_OK) return code;
    if (!StepRuns(DDINIT_CLIPPER_ERR)) return Failed(DDINIT_CLIPPER_ERR, "CreateClipper Err");
    if (!StepRuns(DDINIT_SETHWND_ERR)) return Failed(DDINIT_SETHWND_ERR, "SetHWnd Err");
    if (!StepRuns(DDINIT_SETCLIPPER_ERR)) return Failed(DDINIT_SETCLIPPER_ERR, "SetClipper Err");
    DDShowCursor();
    return DDINIT_OK;
}

bool DDEnterFullScreen(HWND hWnd) { return EnterFullScreen(hWnd); }

void DDHideCursor() {
    while (ShowCursor(FALSE) >= 0) {}
}

void DDShowCursor() {
    while (ShowCursor(TRUE) < 0) {}
}

bool DDInitErrorMessage(int code) {
    for (const NamedCode& named : kCodeNames) {
        if (named.code != code) continue;
        WriteLog(named.name);
        return false;
    }
    return true;
}
