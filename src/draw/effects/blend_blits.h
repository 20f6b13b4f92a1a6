#pragma once
// Blits that mix colours instead of copying pixels: the tint toward a
// palette colour, the translucent blit, the whole-surface colour change, the
// unpaletted fade, the palette read from a picture's pixels, and the 8-bit
// blend table.
#include "draw/device/device.h"
#include "draw/device/surface.h"

struct DDBLTCOLOR;

// Entry [a * 256 + b]: the palette index of the even mix of colours a and b.
extern BYTE BlendTable[65536];

bool DDBltTint(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int colorKey,
               const PALETTEENTRY* palette, const BYTE* table, int colorNumber, int level, const DDBLTCOLOR* op);
bool DDBltAlpha(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int colorKey,
                const BYTE* table, int transparency);
bool DDBltHalf(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int colorKey,
               const BYTE* table);
bool DDChangeColor(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nAlpha, BYTE bRed, BYTE bGreen,
                   BYTE bBlue);
bool DDFade_UnPal(DDSURFACEDATA* dst, int level, BYTE red, BYTE green, BYTE blue, DDSURFACEDATA* src);
void DDSetPalette_UnPal(PALETTEENTRY* palette, DDSURFACEDATA* sd);
// False, with a report line, when the file is missing or shorter than the
// table; the buffer is then left as it was.
bool DDLoadBlendTable(BYTE* buffer, const char* file);

// The Direct3D device path of the mixing operations: the destination is a
// render target and the source's texture is not in system memory.
bool DDUsesDevicePath(DDSURFACEDATA* dst, DDSURFACEDATA* src);
