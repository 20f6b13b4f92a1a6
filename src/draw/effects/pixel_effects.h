#pragma once
// Effects that recompute every pixel of an area from source pixels around
// it: the blur (a box average) and the mosaic (square blocks of one colour).
// Both work on the processor in both paths; source pixels outside the
// source surface are never read.
#include "draw/device/surface.h"

struct DDBLTCOLOR;

// Window of 2 x radius pixels each way, one more on the negative side.
bool DDPixelEffectA(DDSURFACEDATA* dst, int x, int y, int w, int h, int radiusX, int radiusY, DDSURFACEDATA* src,
                    int sx, int sy, int colorKey, const DDBLTCOLOR* op);
bool DDPixelEffectB(DDSURFACEDATA* dst, int x, int y, int w, int h, int block, DDSURFACEDATA* src, int sx, int sy,
                    int colorKey, const DDBLTCOLOR* op);
