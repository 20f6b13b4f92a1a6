#pragma once
// The 256-colour palette, the transparent colour and the fills.
#include "draw/device/device.h"

extern PALETTEENTRY Palette[256];
extern PALETTEENTRY PaletteWork[256];

int SetTrans(const char* file);
void DDSetTransmit(BYTE red, BYTE green, BYTE blue);
bool DDLoadPaletteFromFile(PALETTEENTRY* palette, const char* file, int unused);
// The fill value of a colour number in the DirectDraw display format.
DWORD DDPalNumToPixel(DWORD n);
bool PalNumToRGB(DDSURFACEDATA* sd, int x, int y, int width, int height, DWORD n);
bool DDFillSurface(DDSURFACEDATA* sd, DWORD n);
bool DDFillRectColor(DDSURFACEDATA* sd, int x, int y, int width, int height, DWORD color);
bool DDFillSurfaceColor(DDSURFACEDATA* sd, DWORD color);
