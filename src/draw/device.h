#pragma once
// The drawing device. Both paths draw into CPU surfaces in software: the
// "Direct3D" path keeps texture formats, texture-stage operations and alpha
// blending; the "DirectDraw" path keeps the display format, colour keys and
// the 256-colour palette. Exactly one of lpDTCon and lpDDCon is set while
// the layer runs, and every operation takes its branch from them.
#include <memory>
#include <string>

#include "draw/pixel_format.h"
#include "draw/surface.h"
#include "foundation/system_report.h"
#include "platform/win_types.h"

struct SURFACETABLEENTRY;

struct DDSETTING {
    int bD3D = 0;
    HWND hWnd = nullptr;
    int nWidth = 640;
    int nHeight = 480;
    int nBpp = 32;
    int nBytePerPixel = 4;
    int nWindowMode = 1;
    int nBackBufferCount = 1;
    int bVSync = 0;
    int nRefreshRate = 60;
    int bUseRefreshRate = 0;
    DDSURFACEDATA* lpSurfaceArray = nullptr;
    SURFACETABLEENTRY* lpSurfaceTable = nullptr;
    int nSurfaceCount = 0;
};
extern DDSETTING DDSetting;
extern int bDDInit;

// What the software device reports as its capabilities. Tests narrow them
// to reach the power-of-two, square and size-limit rules.
struct DDSOFTWARECAPS {
    bool bPow2 = false;
    bool bSquareOnly = false;
    int nMaxTextureWidth = 8192;
    int nMaxTextureHeight = 8192;
    // The refresh rate the display reports after a windowed VSync start.
    int nDisplayRefreshRate = 60;
    // The driver model level of the display driver (GetDDIVersion).
    int nDDIVersion = GetDDIVersion();
    // A step of the DirectDraw starts that fails as it would on a display
    // without that service, named by its result code (DDINIT_*); 0 for none.
    int nFailingStartStep = 0;
};
extern DDSOFTWARECAPS DDSoftwareCaps;

// Texture-stage operations (values of the device's operation codes).
constexpr DWORD D3DTOP_DISABLE = 1;
constexpr DWORD D3DTOP_SELECTARG1 = 2;
constexpr DWORD D3DTOP_SELECTARG2 = 3;
constexpr DWORD D3DTOP_MODULATE = 4;
constexpr DWORD D3DTOP_MODULATE2X = 5;
constexpr DWORD D3DTOP_MODULATE4X = 6;
constexpr DWORD D3DTOP_ADD = 7;
constexpr DWORD D3DTOP_ADDSIGNED = 8;
constexpr DWORD D3DTOP_ADDSIGNED2X = 9;
constexpr DWORD D3DTOP_SUBTRACT = 10;
constexpr DWORD D3DTOP_ADDSMOOTH = 11;
constexpr DWORD D3DTOP_BLENDDIFFUSEALPHA = 12;
constexpr DWORD D3DTOP_BLENDTEXTUREALPHA = 13;
constexpr DWORD D3DTOP_BLENDFACTORALPHA = 14;

struct DDDEVICE {
    DWORD fmtBackBuffer = D3DFMT_X8R8G8B8;
    DWORD fmtTexture = D3DFMT_A8R8G8B8;
    int bPow2 = 0;
    int bSquareOnly = 0;
    int bDynamicTexture = 1;
    int nMaxTextureWidth = 8192;
    int nMaxTextureHeight = 8192;
    int bVirBackBuffer = 0;
    DDSURFACEDATA* lpRenderTarget = nullptr;
    int bFlushing = 0;
    BYTE rgbTransmit[3] = {};     // blue, green, red
    BYTE rgbTransmit_16[3] = {};  // blue, green, red
    DWORD dwTransparent = 0;
    DWORD argbTransmit = 0xFF000000u;
    WORD wTransmit_16 = 0;
    int bInScene = 0;
    DWORD dwVertexColor = 0xFFFFFFFFu;
    DWORD dwColorOp = D3DTOP_MODULATE;
    DWORD dwAlphaOp = D3DTOP_SELECTARG1;
    DWORD dwTextureFactor = 0xFFFFFFFFu;
    int bDeviceLost = 0;
    int bResettable = 0;
    int nTextureCount = 1;
    int nFontCount = 0;
    std::string strTextureErr;
};

struct DDCONTEXT {
    BYTE rgbTransmit[3] = {};  // blue, green, red
    BYTE pad0 = 0;
    BYTE rgbTransmit_16[3] = {};  // blue, green, red
    BYTE pad1 = 0;
    DWORD nFontCount = 0;
};

extern std::unique_ptr<DDDEVICE> lpDTCon;
extern std::unique_ptr<DDCONTEXT> lpDDCon;
extern DWORD dwTransmit;
extern DDCHANNELS TexChannels;
extern DDCHANNELS BackChannels;

extern DDSURFACEDATA BackBuffer;
extern DDSURFACEDATA VirBackBuffer;
extern DDSURFACEDATA WorkSD;
extern DDSURFACEDATA DDPrimarySD;
extern DDSURFACEDATA DDWorkSD;

// The 256 colours set on the DirectDraw palette (8-bit present).
struct PALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};
extern PALETTEENTRY DDPaletteColors[256];
constexpr BYTE PC_RESERVED = 0x01;
constexpr BYTE PC_EXPLICIT = 0x02;

bool DDInit(int bD3D, HWND hWnd, int width, int height, int bpp, int vsync, int windowMode, int backBufferCount,
            int refreshRate, int useRefreshRate, DDSURFACEDATA* surfaceArray, SURFACETABLEENTRY* surfaceTable,
            int surfaceCount, int unused);
void DDRelease();
void DDExit();

// Result codes of the two DirectDraw starts; 0 is success.
enum : int {
    DDINIT_OK = 0,
    DDINIT_CREATEEX_ERR = 1,
    DDINIT_SETCOOPLEVEL_ERR = 2,
    DDINIT_SETDISPLAYMODE_ERR = 3,
    DDINIT_CREATESURFACE_ERR = 4,
    DDINIT_GETATTACHEDSURFACE_ERR = 5,
    DDINIT_CREATEPALETTE_ERR = 6,
    DDINIT_SETPALETTE_ERR = 7,
    DDINIT_CLIPPER_ERR = 10,
    DDINIT_SETHWND_ERR = 11,
    DDINIT_SETCLIPPER_ERR = 12,
};
// The DirectDraw starts (lpDDCon exists): full screen in the display mode of
// the given size and depth, or in the window's client area. Each failing
// step writes its line to the run report and answers its code.
int DDInitFullScreen(HWND hWnd, int width, int height, int bpp, int backBufferCount);
int DDInitWindow(HWND hWnd);
// Puts the window over the whole display (nothing without a window); false
// when the host cannot.
bool DDEnterFullScreen(HWND hWnd);
// The pointer over a full-screen display: DDHideCursor takes the display
// count below 0, DDShowCursor brings it back to 0 or more.
void DDHideCursor();
void DDShowCursor();
// Writes the name of a start's result code to the debug log; true when the
// code means success.
bool DDInitErrorMessage(int code);
int DDFlip(int fps, int a, int b);
// Converts the finished back buffer to 0x00RRGGBB (through the DirectDraw
// palette at 8 bits) and hands it to the window backend: DDPresent copies it
// onto the display at once, DDPresentFlip shows it by a page flip that waits
// for the display's next refresh.
void DDPresent();
void DDPresentFlip();
// Waits for the display's next vertical blank (the windowed DirectDraw
// present waits there before its blit).
void DDWaitForVerticalBlank();
// Frames handed to the window so far; the screen fades tell a run that goes
// on from one abandoned frames ago.
extern unsigned DDPresentedFrames;

void DDSetVirBackBuffer(int on);
int DDRedirectBackBuffer(DDSURFACEDATA** surface);
void DDFlushVirBackBuffer(DDSURFACEDATA* dst, DDSURFACEDATA* src);
void DDSetVertexColor(DWORD color);
void DDResetVertexColor();
void DDSetColorOp(DWORD op);
void DDResetColorOp();
void DDSetAlphaOp(DWORD op);
void DDResetAlphaOp();
int DDBeginScene();
void DDEndScene();
int DDSetRenderTarget(int index, DDSURFACEDATA* surface);
void DDGetShareSD(DDSURFACEDATA** surface);
void DDAdjustTextureSize(int* width, int* height);
int DDCheckTextureSize(unsigned width, unsigned height);
void DDColorMasks(DDCHANNELS* table);
// The DirectDraw display format of the running depth.
DWORD DDDisplayFormat();
int DDRestoreSurface();
bool DDRestore();

// The real device is never lost. Tests reach the restore paths through
// this hook: the device path's device becomes lost (Present and BeginScene
// fail, video-memory textures lose their content) and becomes resettable
// when resettable is set; in the DirectDraw path the primary, every
// video-memory surface of the surface array and of the lent picture sets
// (surface_sets.h) and the fonts' surfaces are lost.
void DDSimulateDeviceLost(bool resettable);
void DDSetDeviceResettable(bool resettable);

// What a lock of a DirectDraw surface hands out.
struct DDSURFACEDESC2 {
    int dwWidth = 0;
    int dwHeight = 0;
    int lPitch = 0;  // bytes
    int nBitCount = 0;
};
bool DDLock(DDSURFACEDATA* sd, DDSURFACEDESC2* desc, void** bits, int depth);
void DDUnlock(DDSURFACEDATA* sd);
DWORD DDPalToRGB16(const PALETTEENTRY* entry);
