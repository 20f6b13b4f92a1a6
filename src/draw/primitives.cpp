// Small drawing helpers on top of the blits and fills: the bitmap-font debug
// text, the circle outline and the message box that works in full screen.
#include <cstdarg>
#include <cstdio>
#include <string>

#include "draw/blit.h"
#include "draw/device.h"
#include "draw/palette.h"
#include "draw/primitives.h"
#include "draw/sprite_batch.h"
#include "foundation/report.h"
#include "platform/cursor.h"
#include "platform/message_box.h"

int DDDrawDebugText(DDSURFACEDATA* dst, int x, int y, int cellWidth, int cellHeight, DDSURFACEDATA* font,
                    const char* text) {
    DDSpriteBatchOpen(0);
    int c = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); p && *p; ++p) {
        const int b = *p;
        if (b == '\n') {
            c = 0;
            y += cellHeight;
            continue;
        }
        int row = (b >> 4) & 15;
        if (b >= 0xA6 && b <= 0xBF) row -= 10;
        else if (b >= 0xC0 && b <= 0xDD) row -= 4;
        DDBlt(dst, x + c, y, cellWidth, cellHeight, font, (b & 15) * cellWidth, row * cellHeight, 1);
        c += cellWidth;
        if (c >= DDSetting.nWidth) {
            c = 0;
            y += cellHeight;
        }
    }
    DDSpriteBatchFlush();
    return 1;
}

int DDDrawDebugTextF(DDSURFACEDATA* dst, int x, int y, int cellWidth, int cellHeight, DDSURFACEDATA* font,
                     const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return DDDrawDebugText(dst, x, y, cellWidth, cellHeight, font, text);
}

namespace {
void DDPutPixel(DDSURFACEDATA* sd, int x, int y, DWORD n) {
    if (lpDTCon) {
        PalNumToRGB(sd, x, y, 1, 1, n);
        return;
    }
    DDPIXELS* px = sd ? sd->Pixels() : nullptr;
    if (px && x >= 0 && y >= 0 && x < sd->nWidth && y < sd->nHeight) px->Put(x, y, DDPalNumToPixel(n));
}
}  // namespace

void DDCircle(DDSURFACEDATA* sd, int cx, int cy, int r, DWORD n) {
    if (r < 1) return;
    int x = 0, y = r, d = 3 - 2 * r;
    while (x <= y) {
        const int pts[8][2] = {{cx + x, cy + y}, {cx - x, cy + y}, {cx + x, cy - y}, {cx - x, cy - y},
                               {cx + y, cy + x}, {cx - y, cy + x}, {cx + y, cy - x}, {cx - y, cy - x}};
        for (const auto& p : pts) DDPutPixel(sd, p[0], p[1], n);
        if (d < 0) {
            d += 4 * x + 6;
        } else {
            d += 4 * (x - y) + 10;
            --y;
        }
        ++x;
    }
}

int DDDialogBoxMode(int on) {
    if (DDSetting.nWindowMode || (!lpDTCon && !lpDDCon)) return 1;
    if (!on) {
        DDHideCursor();
        return 1;
    }
    // The frame of the device path is closed before a box covers it.
    if (lpDTCon) DDEndScene();
    ShowCursor(TRUE);
    return 1;
}

int DDMesBox(const std::string& text, const std::string& caption, UINT type) {
    if (!DDDialogBoxMode(1)) {
        WriteLogF("DDMesBox 失敗! %s, %s", text.c_str(), caption.c_str());
        return 0;
    }
    ::MessageBoxA(DDSetting.hWnd, text, caption, type);
    DDDialogBoxMode(0);
    return 1;
}
