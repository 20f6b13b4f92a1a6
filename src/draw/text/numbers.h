#pragma once
// Numbers drawn from a horizontal strip of ten digit pictures.
#include "draw/device/surface.h"

// A non-negative value in decimal, right-aligned in a field of the given
// digits or centred in it, with no leading zeros; a negative value draws
// nothing. The reserved last argument has no effect.
void DrawNumber(DDSURFACEDATA* dst, int x, int y, int digitWidth, int digitHeight, DDSURFACEDATA* strip, int stripX,
                int stripY, int flags, int value, int fieldDigits, int centre, int reserved);
