#pragma once
// Frames, framed boxes and numbers drawn from a strip of digit pictures.
#include "draw/surface.h"
#include "platform/win_types.h"

void DDFrame(DDSURFACEDATA* dst, int x, int y, int w, int h, int thickness, DWORD n);
void DDFramedBox(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* picture, int thickness, DWORD n);
// A non-negative value in decimal, right-aligned in a field of the given
// digits or centred in it, with no leading zeros; a negative value draws
// nothing.
void DrawNumber(DDSURFACEDATA* dst, int x, int y, int digitWidth, int digitHeight, DDSURFACEDATA* strip, int stripX,
                int stripY, int flags, int value, int fieldDigits, int centre, int reserved);
