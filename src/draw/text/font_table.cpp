// The default fonts, their table and their digit strips.
#include "draw/device/device.h"
#include "draw/device/surfaces.h"
#include "draw/palette.h"
#include "draw/text/font.h"

FONTTABLEENTRY FontTable[kDefaultFontCount] = {
    {"ＭＳ ゴシック", 0, 9, 10, 10, 241, 46, 1, 240, 51, 2},
    {"ＭＳ ゴシック", 0, 16, 16, 16, 241, 46, 1, 240, 51, 2},
    {"ＭＳ ゴシック", 0, 30, 32, 32, 241, 46, 1, 240, 51, 0},
};

Font Fonts[kDefaultFontCount];

DDSURFACEDATA DigitSurfaces[kDefaultFontCount];
// Keyed strips in video memory, so that text is drawn on them directly
// and the restore after a lost device draws them again.
SURFACETABLEENTRY DigitSurfaceTable[kDefaultFontCount] = {
    {"E", 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0, 0, 0, 0, 0, 0},
    {"E", 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0, 0, 0, 0, 0, 0},
    {"E", 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0, 0, 0, 0, 0, 0},
};

namespace {
DDSURFACEDATA* TablePicture(int index) { return index >= 0 && index < kSurfaceCount ? &SurfaceArray[index] : nullptr; }
}  // namespace

int CreateFonts(Font* fonts, FONTTABLEENTRY* entries, int count) {
    int ok = 1;
    for (int k = 0; k < count; ++k) {
        const FONTTABLEENTRY& e = entries[k];
        if (!fonts[k].Create(e.face, e.nWidth, e.nHeight, e.nPitch, e.nLinePitch, e.nColor, TablePicture(e.nWindow),
                             e.nFrame, e.nFrameColor, TablePicture(e.nSymbol), e.nCacheMode))
            ok = 0;
    }
    return ok;
}

int CreateDigitFonts(DDSURFACEDATA* digits, SURFACETABLEENTRY* entries, int count, Font* fonts,
                     FONTTABLEENTRY* fontEntries) {
    for (int k = 0; k < count; ++k) {
        const SURFACETABLEENTRY& e = entries[k];
        if (!DDCreateSurface(&digits[k], 10 * fontEntries[k].nPitch, fontEntries[k].nLinePitch, e.nColorKey,
                             e.nDDMemory, e.nMemoryType, e.nShare, 0))
            return 0;
        DrawDigitStrip(&digits[k], &fonts[k]);
    }
    return 1;
}

void DrawDigitStrip(DDSURFACEDATA* digits, Font* font) {
    DDFillSurface(digits, 0);
    font->DrawText(digits, 0, 0, "0123456789");
}
