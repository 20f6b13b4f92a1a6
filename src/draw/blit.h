#pragma once
// Blits between surfaces, their clipping and mirrored sheets.
#include "draw/device/surface.h"
#include "platform/win_types.h"

// {vertex colour, colour operation} as DDBltOp takes it.
struct DDBLTCOLOR {
    DWORD dwColor;
    DWORD dwColorOp;
};

int DDBlt(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int flags);
int DDBltStretch(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
                 int flags);
int DDBltOp(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int flags,
            const DDBLTCOLOR* op);
int DDBltStretchOp(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
                   int flags, const DDBLTCOLOR* op);
int DDClipBlt(DDSURFACEDATA* dst, int* x, int* y, int* w, int* h, DDSURFACEDATA* src, int* sx, int* sy, int* sw,
              int* sh);
void DDWrapMirror(DDSURFACEDATA* src, int* sx, int* sy, int* sw, int* sh);

// The device path's draw of one clipped quad with the given stage state;
// the sprite batch replays its requests through it.
struct DDSTAGESTATE;
void DDDrawQuad(DDSURFACEDATA* dst, DDSURFACEDATA* src, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                const DDSTAGESTATE& state);
// Clears a rectangle to the value a keyed source's transparent texels show
// on this destination when drawn with flags 0.
void DDClearForUnkeyedDraw(DDSURFACEDATA* dst, int x, int y, int w, int h);
