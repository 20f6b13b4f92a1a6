#include "draw/text/numbers.h"

#include "draw/blit.h"

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
