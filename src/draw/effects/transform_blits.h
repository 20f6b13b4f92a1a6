#pragma once
// Blits that move pixels: the rotated blit, the lens and the circle.
#include "draw/device/surface.h"

struct DDBLTCOLOR;

// The w x h area at (sx, sy) rotated by angle degrees about (px, py) of the
// area; every caller passes the area's centre, which lands on (x, y).
bool DDBltRotate(DDSURFACEDATA* dst, int x, int y, int w, int h, int px, int py, int angle, DDSURFACEDATA* src, int sx,
                 int sy, int colorKey);
// A magnifying sphere of the given radius and depth around (x, y), drawn
// from the source around (sx, sy); false when the lens is flat or negative.
bool DDBltLens(DDSURFACEDATA* dst, int x, int y, int radius, int depth, DDSURFACEDATA* src, int sx, int sy,
               int colorKey, int clear, const DDBLTCOLOR* op);
// The part of the source inside a circle, drawn as bands of the given
// height and cut to +- half width and height around the centres.
void DDBltCircle(DDSURFACEDATA* dst, int x, int y, int halfWidth, int halfHeight, int radius, int band,
                 DDSURFACEDATA* src, int sx, int sy, int flags);
