#pragma once
// Frames drawn with the fill batch, and framed boxes (a window picture with
// a frame around it): text windows and menus are drawn with them.
#include "draw/device/surface.h"

// A frame of the given thickness inside the rectangle, in a colour number.
void DDFrame(DDSURFACEDATA* dst, int x, int y, int width, int height, int thickness, int color);
// The top-left width x height of the picture at (x, y), keyed, then a frame
// of the given thickness around it (outside the area).
void DDFramedBox(DDSURFACEDATA* dst, int x, int y, int width, int height, DDSURFACEDATA* picture, int thickness,
                 int color);
