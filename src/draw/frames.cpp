#include "draw/frames.h"

#include "draw/blit.h"
#include "draw/palette.h"
#include "draw/sprite_batch.h"

void DDFrame(DDSURFACEDATA* dst, int x, int y, int w, int h, int thickness, DWORD n) {
    DDFillBatchReset();
    PalNumToRGB(dst, x, y, w, thickness, n);
    PalNumToRGB(dst, x, y + h - thickness, w, thickness, n);
    PalNumToRGB(dst, x, y, thickness, h, n);
    PalNumToRGB(dst, x + w - thickness, y, thickness, h, n);
    DDFillBatchFlush();
}

void DDFramedBox(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* picture, int thickness, DWORD n) {
    DDBlt(dst, x, y, w, h, picture, 0, 0, 1);
    DDFrame(dst, x - thickness, y - thickness, w + 2 * thickness, h + 2 * thickness, thickness, n);
}

void DrawNumber(DDSURFACEDATA* dst, int x, int y, int digitWidth, int digitHeight, DDSURFACEDATA* strip, int stripX,
                int stripY, int flags, int value, int fieldDigits, int centre, int /*reserved*/) {
    if (value < 0) return;
    int digits[10];
    int count = 0;
    do {
        digits[count++] = value % 10;
        value /= 10;
    } while (value > 0 && count < 10);
    if (count < fieldDigits) {
        const int blank = (fieldDigits - count) * digitWidth;
        x += centre ? blank / 2 : blank;
    }
    for (int k = count - 1; k >= 0; --k) {
        DDBlt(dst, x, y, digitWidth, digitHeight, strip, stripX + digitWidth * digits[k], stripY, flags);
        x += digitWidth;
    }
}
