// Rectangle fills with palette colour numbers or 32-bit colours.
#include <algorithm>

#include "draw/device/device.h"
#include "draw/palette.h"
#include "draw/pixel_ops.h"
#include "draw/sprite_batch.h"
#include "foundation/report.h"

namespace {

// Clips a rectangle to a surface on all four sides; false when nothing is left.
bool ClipRect(const DDSURFACEDATA* sd, int& x, int& y, int& w, int& h) {
    const int x1 = std::min(x + w, sd->nWidth), y1 = std::min(y + h, sd->nHeight);
    x = std::max(x, 0);
    y = std::max(y, 0);
    w = x1 - x;
    h = y1 - y;
    return w > 0 && h > 0;
}

bool FillDirectDraw(DDSURFACEDATA* sd, int x, int y, int w, int h, DWORD value) {
    DDPIXELS* px = sd->Pixels();
    if (!px || !ClipRect(sd, x, y, w, h)) return false;
    ClearPixels(*px, x, y, w, h, value);
    return true;
}

// A 32-bit colour scaled into the texture format of the 16-bit path.
std::uint32_t ScaleToTexture16(DWORD color) {
    const DDCHANNELS& c = TexChannels;
    const std::uint32_t parts[4] = {(color >> 16) & 255, (color >> 8) & 255, color & 255, color >> 24};
    std::uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v |= (parts[k] * c.nMax[k] / 255) << c.nShift[k];
    return v;
}

}  // namespace

bool PalNumToRGB(DDSURFACEDATA* sd, int x, int y, int width, int height, DWORD n) {
    if (!sd) return false;
    if (lpDTCon) {
        if (n > 255) {
            WriteLogF("PalNumToRGB(DWORD dwPalNum) Err dwPalNum = %u", n);
            n = 0;
        }
        const PALETTEENTRY& e = Palette[n];
        const DWORD color =
            n == 0 ? lpDTCon->dwTransparent : 0xFF000000u | DWORD(e.peRed) << 16 | DWORD(e.peGreen) << 8 | e.peBlue;
        return DDFillRectColor(sd, x, y, width, height, color);
    }
    if (n > 255) return false;
    return FillDirectDraw(sd, x, y, width, height, DDPalNumToPixel(n));
}

bool DDFillSurface(DDSURFACEDATA* sd, DWORD n) { return sd && PalNumToRGB(sd, 0, 0, sd->nWidth, sd->nHeight, n); }

bool DDFillRectColor(DDSURFACEDATA* sd, int x, int y, int width, int height, DWORD color) {
    if (!lpDTCon) return sd && FillDirectDraw(sd, x, y, width, height, color);
    DDGetShareSD(&sd);
    DDRedirectBackBuffer(&sd);
    if (!sd || !sd->lpDT) return false;
    DDPIXELS* px = sd->Pixels();
    if (!px) return false;
    if (sd->lpDT->bRenderTarget) {
        if (!ClipRect(sd, x, y, width, height)) return false;
        if (sd->Keyed() && color == lpDTCon->dwTransparent) {
            // A transparent quad would leave the old pixels: clear instead.
            if (!DDBeginScene()) return false;
            ClearPixels(*px, x, y, width, height, FromArgb(px->fmt, color));
            return true;
        }
        if (DDFillBatchCollect(sd, x, y, width, height, color)) return true;
        if (!DDBeginScene()) return false;
        lpDTCon->dwTextureFactor = color;
        BlendFillPixels(*px, x, y, width, height, color);
        return true;
    }
    if (!ClipRect(sd, x, y, width, height)) return false;
    ClearPixels(*px, x, y, width, height, px->fmt == D3DFMT_A1R5G5B5 ? ScaleToTexture16(color) : color);
    return true;
}

bool DDFillSurfaceColor(DDSURFACEDATA* sd, DWORD color) {
    return sd && DDFillRectColor(sd, 0, 0, sd->nWidth, sd->nHeight, color);
}
