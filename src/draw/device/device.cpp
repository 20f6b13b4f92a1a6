#include "draw/device/device.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "draw/blit.h"
#include "draw/device/frame_conversion.h"
#include "draw/device/surfaces.h"
#include "draw/palette.h"
#include "draw/pixel_ops.h"
#include "draw/primitives.h"
#include "draw/sprite_batch.h"
#include "foundation/frame_timer.h"
#include "foundation/report.h"
#include "platform/clock.h"
#include "platform/dialog_window.h"
#include "platform/headless_input.h"
#include "platform/present.h"

DDSETTING DDSetting;
int bDDInit = 0;
DDSOFTWARECAPS DDSoftwareCaps;
std::unique_ptr<DDDEVICE> lpDTCon;
std::unique_ptr<DDCONTEXT> lpDDCon;
DWORD dwTransmit = 0;
DDCHANNELS TexChannels = {};
DDCHANNELS BackChannels = {};
DDSURFACEDATA BackBuffer;
DDSURFACEDATA VirBackBuffer;
DDSURFACEDATA WorkSD;
DDSURFACEDATA DDPrimarySD;
DDSURFACEDATA DDWorkSD;
PALETTEENTRY DDPaletteColors[256] = {};
unsigned DDPresentedFrames = 0;

namespace {

bool g_started = false;
// The driver model level the Direct3D start needs.
constexpr int kDriverModelNeeded = 9;
// The result codes a lost device answers with.
constexpr unsigned kDeviceLost = 0x88760868u;

constexpr DDCHANNELS kChannels8888 = {{16, 8, 0, 24}, {255, 255, 255, 255}};
constexpr DDCHANNELS kChannels1555 = {{10, 5, 0, 15}, {31, 31, 31, 1}};
constexpr DDCHANNELS kChannels565 = {{11, 5, 0, 16}, {31, 63, 31, 0}};

void RecordSize(DDSURFACEDATA& sd, int width, int height) {
    sd.nWidth = sd.nTexWidth = width;
    sd.nHeight = sd.nTexHeight = height;
}

// A windowed VSync start asks the display for 60 Hz; one that stays at
// another rate cannot pace by the vertical blank.
void CheckRefreshRate() {
    if (!DDSetting.nWindowMode || !DDSetting.bVSync) return;
    LogPrintfBoth("RefreshRate : %d", DDSoftwareCaps.nDisplayRefreshRate);
    if (DDSoftwareCaps.nDisplayRefreshRate != 60) {
        DDSetting.bVSync = 0;
        LogPrintfBoth("リフレッシュレートの変更に失敗しました！垂直同期が無効になります！");
    }
}

bool InitD3D(int width, int height, int bpp) {
    if (DDSoftwareCaps.nDDIVersion < kDriverModelNeeded) {
        LogPrintfBoth("ビデオカードのドライバがDirectX9をサポートしていません！ %d", DDSoftwareCaps.nDDIVersion);
        return false;
    }
    if (!DDSetting.nWindowMode && !DDEnterFullScreen(DDSetting.hWnd)) return false;
    lpDTCon = std::make_unique<DDDEVICE>();
    DDDEVICE& dev = *lpDTCon;
    CheckRefreshRate();
    dev.bPow2 = DDSoftwareCaps.bPow2;
    dev.bSquareOnly = DDSoftwareCaps.bSquareOnly;
    dev.nMaxTextureWidth = DDSoftwareCaps.nMaxTextureWidth;
    dev.nMaxTextureHeight = DDSoftwareCaps.nMaxTextureHeight;
    if (bpp == 32) {
        dev.fmtBackBuffer = D3DFMT_X8R8G8B8;
        dev.fmtTexture = D3DFMT_A8R8G8B8;
        TexChannels = kChannels8888;
    } else if (bpp == 16) {
        dev.fmtTexture = D3DFMT_A1R5G5B5;
        dev.fmtBackBuffer = DDSetting.nWindowMode ? D3DFMT_A1R5G5B5 : D3DFMT_R5G6B5;
        TexChannels = kChannels1555;
        BackChannels = DDSetting.nWindowMode ? kChannels1555 : kChannels565;
    } else {
        return false;
    }
    LogPrintfBoth("Device HAL-HARD");
    LogPrintfBoth("%s", dev.fmtBackBuffer == D3DFMT_X8R8G8B8 ? "X8R8G8B8"
                        : dev.fmtBackBuffer == D3DFMT_R5G6B5 ? "R5G6B5"
                                                             : "A1R5G5B5");
    SetFrameTimerHasDevice(true);

    BackBuffer.lpDT = std::make_unique<DDTEXTUREDATA>();
    RecordSize(BackBuffer, width, height);
    BackBuffer.nDDMemory = 0;
    SetRecordName(BackBuffer.name, "BackBuffer");
    BackBuffer.lpDT->bRenderTarget = 1;
    BackBuffer.lpDT->nTextureId = 0;
    BackBuffer.lpDT->texture.Allocate(dev.fmtBackBuffer, width, height);
    dev.nTextureCount = 1;
    dev.nFontCount = 0;
    dev.lpRenderTarget = &BackBuffer;

    DDSetVirBackBuffer(0);
    dev.bFlushing = 0;
    DDCreateSurface(&VirBackBuffer, width, height, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
    SetRecordName(VirBackBuffer.name, "VirBackBuffer");
    DDCreateSurface(&WorkSD, width, height, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
    SetRecordName(WorkSD.name, "WorkSD");
    if (!DDSetting.nWindowMode) DDHideCursor();
    return true;
}

bool InitDirectDraw(HWND hWnd, int width, int height, int bpp, int backBufferCount) {
    lpDDCon = std::make_unique<DDCONTEXT>();
    const int code =
        DDSetting.nWindowMode ? DDInitWindow(hWnd) : DDInitFullScreen(hWnd, width, height, bpp, backBufferCount);
    return DDInitErrorMessage(code);
}

}  // namespace

bool DDInit(int bD3D, HWND hWnd, int width, int height, int bpp, int vsync, int windowMode, int backBufferCount,
            int refreshRate, int useRefreshRate, DDSURFACEDATA* surfaceArray, SURFACETABLEENTRY* surfaceTable,
            int surfaceCount, int /*unused*/) {
    DDSetting = DDSETTING{bD3D,           hWnd,         width,           height,      bpp,
                          bpp / 8,        windowMode,   backBufferCount, vsync != 0,  refreshRate,
                          useRefreshRate, surfaceArray, surfaceTable,    surfaceCount};
    LogPrintfBoth("VSync : %d", vsync);
    if (g_started) DDRelease();
    const bool ok = bD3D ? InitD3D(width, height, bpp) : InitDirectDraw(hWnd, width, height, bpp, backBufferCount);
    if (!ok) return false;
    bDDInit = 1;
    g_started = true;
    // Full screen shows error boxes inside the frame.
    SetInFrameMessageBox(DDMesBox, [] { return DDSetting.nWindowMode == 0; });
    // A headless run's script can take the display away between frames.
    platform::headless::SetDisplayLossHook([] {
        LogPrintfBoth("Display lost");
        DDSimulateDeviceLost(true);
    });
    return true;
}

void DDRelease() {
    if (DDSetting.lpSurfaceArray) {
        for (int i = 0; i < DDSetting.nSurfaceCount; ++i) DDReleaseSurface(&DDSetting.lpSurfaceArray[i]);
    }
    // The array belongs to the caller; a later release must not reach it.
    DDSetting.lpSurfaceArray = nullptr;
    DDSetting.nSurfaceCount = 0;
    for (DDSURFACEDATA* sd : {&WorkSD, &VirBackBuffer, &BackBuffer, &DDPrimarySD, &DDWorkSD}) {
        DDReleaseSurface(sd);
        *sd = DDSURFACEDATA();
    }
    DDSpriteBatchDiscardAll();
    SetInFrameMessageBox(nullptr, nullptr);
    platform::headless::SetDisplayLossHook(nullptr);
    lpDTCon.reset();
    lpDDCon.reset();
    SetFrameTimerHasDevice(false);
    g_started = false;
}

void DDExit() { DDRelease(); }

int DDFlip(int fps, int /*a*/, int /*b*/) {
    if (!lpDTCon) return 1;
    if (lpDTCon->bVirBackBuffer) DDFlushVirBackBuffer(&BackBuffer, &VirBackBuffer);
    // The present never blocks on the display: with VSync on, the
    // frame waits for the display's next refresh instead.
    const int rate = DDSetting.bVSync ? DDSoftwareCaps.nDisplayRefreshRate : fps;
    while (!WaitFrame(rate)) Sleep(1);
    DDEndScene();
    if (lpDTCon->bDeviceLost) {
        // A lost full-screen display gives the desktop back until the
        // device can be restored.
        if (DDSetting.nWindowMode == 0 && DDSetting.hWnd) ShowWindow(DDSetting.hWnd, SW_SHOWMINNOACTIVE);
        return 0;
    }
    DDPresent();
    return 1;
}

namespace {
void HandOverBackBuffer(void (*show)(platform::Frame&)) {
    const DDPIXELS* px = BackBuffer.Pixels();
    if (!px || px->Empty()) return;
    // Kept between frames: the present hands it over and gets the buffer of
    // the frame before back, so a frame allocates nothing.
    static platform::Frame frame;
    frame.width = px->nWidth;
    frame.height = px->nHeight;
    frame.pixels.resize(static_cast<std::size_t>(px->nWidth) * px->nHeight);
    if (!ConvertToFrame(*px, DDPaletteColors, frame.pixels.data())) return;
    show(frame);
    ++DDPresentedFrames;
}
}  // namespace

void DDPresent() { HandOverBackBuffer(platform::PresentFrameBuffer); }

void DDPresentFlip() { HandOverBackBuffer(platform::FlipFrameBuffer); }

void DDWaitForVerticalBlank() { platform::WaitForVerticalBlank(); }

void DDSetVirBackBuffer(int on) {
    if (!lpDTCon) return;
    if (lpDTCon->bVirBackBuffer && !on && VirBackBuffer.Pixels()) DDFlushVirBackBuffer(&BackBuffer, &VirBackBuffer);
    lpDTCon->bVirBackBuffer = on;
    lpDTCon->lpRenderTarget = on ? &BackBuffer : &VirBackBuffer;
}

int DDRedirectBackBuffer(DDSURFACEDATA** surface) {
    if (lpDTCon && lpDTCon->bVirBackBuffer && *surface == &BackBuffer) {
        *surface = &VirBackBuffer;
        return 1;
    }
    return 0;
}

void DDFlushVirBackBuffer(DDSURFACEDATA* dst, DDSURFACEDATA* src) {
    if (!lpDTCon) return;
    lpDTCon->bFlushing = 1;
    DDSetAlphaOp(D3DTOP_DISABLE);
    DDBlt(dst, 0, 0, src->nWidth, src->nHeight, src, 0, 0, 0);
    DDResetAlphaOp();
    lpDTCon->bFlushing = 0;
}

void DDSetVertexColor(DWORD color) {
    if (lpDTCon) lpDTCon->dwVertexColor = color;
}
void DDResetVertexColor() { DDSetVertexColor(0xFFFFFFFFu); }
void DDSetColorOp(DWORD op) {
    if (lpDTCon) lpDTCon->dwColorOp = op;
}
void DDResetColorOp() { DDSetColorOp(D3DTOP_MODULATE); }
void DDSetAlphaOp(DWORD op) {
    if (lpDTCon) lpDTCon->dwAlphaOp = op;
}
void DDResetAlphaOp() { DDSetAlphaOp(D3DTOP_SELECTARG1); }

int DDBeginScene() {
    if (!lpDTCon) return 0;
    if (lpDTCon->bInScene) return 1;
    if (lpDTCon->bDeviceLost) {
        LogPrintfBoth("BeginScene Err %x", kDeviceLost);
        return 0;
    }
    lpDTCon->bInScene = 1;
    return 1;
}

void DDEndScene() {
    if (lpDTCon) lpDTCon->bInScene = 0;
}

int DDSetRenderTarget(int /*index*/, DDSURFACEDATA* surface) {
    return (surface && surface->lpDT && surface->lpDT->bRenderTarget) ? 1 : 0;
}

void DDGetShareSD(DDSURFACEDATA** surface) {
    if (lpDTCon && *surface && (*surface)->lpShareSD) *surface = (*surface)->lpShareSD;
}

namespace {
int NextPowerOfTwo(int v) {
    if (v <= 0 || (v & (v - 1)) == 0) return v;
    int high = 1;
    while (high <= v / 2) high <<= 1;
    return high * 2;
}
}  // namespace

void DDAdjustTextureSize(int* width, int* height) {
    if (!lpDTCon) return;
    if (lpDTCon->bPow2) {
        *width = NextPowerOfTwo(*width);
        *height = NextPowerOfTwo(*height);
    }
    if (lpDTCon->bSquareOnly) {
        if (*width < *height) *width = *height;
        else *height = *width;
    }
}

int DDCheckTextureSize(unsigned width, unsigned height) {
    if (!lpDTCon) return 1;
    int ok = 1;
    if (width > static_cast<unsigned>(lpDTCon->nMaxTextureWidth)) {
        LogPrintfBoth("このビデオカードでは横幅%dを超える画像はサポートされていません！", lpDTCon->nMaxTextureWidth);
        ok = 0;
    }
    if (height > static_cast<unsigned>(lpDTCon->nMaxTextureHeight)) {
        LogPrintfBoth("このビデオカードでは縦幅%dを超える画像はサポートされていません！", lpDTCon->nMaxTextureHeight);
        ok = 0;
    }
    return ok;
}

DWORD DDDisplayFormat() {
    switch (DDSetting.nBpp) {
        case 8: return D3DFMT_P8;
        case 16: return D3DFMT_R5G6B5;
        default: return D3DFMT_X8R8G8B8;
    }
}

void DDColorMasks(DDCHANNELS* table) {
    const DWORD fmt = DDDisplayFormat();
    *table = fmt == D3DFMT_R5G6B5 ? kChannels565 : DDCHANNELS{{16, 8, 0, 24}, {255, 255, 255, 0}};
}

DWORD DDPalToRGB16(const PALETTEENTRY* e) {
    if (lpDTCon) {
        WriteLog("DDPalToRGB16はDirect3Dでは未対応");
        return 0;
    }
    const DDCHANNELS& c = TexChannels;
    return DWORD(e->peBlue & c.nMax[2]) << c.nShift[2] | DWORD(e->peGreen & c.nMax[1]) << c.nShift[1] |
           DWORD(e->peRed & c.nMax[0]) << c.nShift[0];
}

bool DDLock(DDSURFACEDATA* sd, DDSURFACEDESC2* desc, void** bits, int depth) {
    if (lpDTCon) {
        WriteLog("D3DではDDLockは未対応");
        return true;
    }
    DDPIXELS* px = sd ? sd->Pixels() : nullptr;
    if (!px) return false;
    if (desc) *desc = DDSURFACEDESC2{px->nWidth, px->nHeight, px->nPitch, BytesPerPixel(px->fmt) * 8};
    if (bits && (depth == 8 || depth == 16 || depth == 24 || depth == 32)) *bits = px->bits.data();
    px->ForgetOpacity();  // the caller writes through the pointer
    return true;
}

void DDUnlock(DDSURFACEDATA*) {}
