#include "draw/device/frames.h"

#include "draw/blit.h"
#include "draw/palette.h"
#include "draw/sprite_batch.h"

void DDFrame(DDSURFACEDATA* dst, int x, int y, int width, int height, int thickness, int color) {
    const DWORD n = static_cast<DWORD>(color);
    DDFillBatchReset();
    PalNumToRGB(dst, x, y, width, thickness, n);
    PalNumToRGB(dst, x, y + height - thickness, width, thickness, n);
    PalNumToRGB(dst, x, y, thickness, height, n);
    PalNumToRGB(dst, x + width - thickness, y, thickness, height, n);
    DDFillBatchFlush();
}

void DDFramedBox(DDSURFACEDATA* dst, int x, int y, int width, int height, DDSURFACEDATA* picture, int thickness,
                 int color) {
    if (picture) DDBlt(dst, x, y, width, height, picture, 0, 0, 1);
    DDFrame(dst, x - thickness, y - thickness, width + 2 * thickness, height + 2 * thickness, thickness, color);
}
