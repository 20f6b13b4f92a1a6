#pragma once
// Effects drawn as bands of ordinary blits inside one sprite batch: the
// wave, the split, the card turn and the burst.
#include "draw/device/surface.h"

void DDBltWave(DDSURFACEDATA* dst, int x, int y, int w, int h, int waveCount, double amplitude, int phase, int band,
               DDSURFACEDATA* src, int sx, int sy, int flags, int vertical);
void DDBltSplit(DDSURFACEDATA* dst, int x, int y, int w, int h, int band, int offset, DDSURFACEDATA* src, int sx,
                int sy, int flags, int vertical);
// Between the front and the back picture over a period of twice the width
// (direction 0) or height (direction 1) in phase units; a picture less than
// 2 pixels that way draws nothing.
int DDBltTurn(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* front, int fx, int fy, DDSURFACEDATA* back,
              int bx, int by, int sw, int sh, int flags, int phase, int direction);
void DDBltBurst(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int distance,
                int flags);
