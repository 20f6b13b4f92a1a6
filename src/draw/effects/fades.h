#pragma once
// Palette fades and rotation, and the two screen fades every scene runs when
// it starts and when it ends.
#include "draw/device/device.h"

void PaletteFade(PALETTEENTRY* out, int first, int last, int factor, BYTE red, BYTE green, BYTE blue,
                 const PALETTEENTRY* source);
void PaletteRotate(PALETTEENTRY* out, int first, int last, int count, int direction, const PALETTEENTRY* source);

// One step of the fade to black (angle 90 down to 0) or from black (0 up to
// 90) per call; true once the fade has finished, and the fade starts afresh
// next time. A fade left half-way for more than a frame starts afresh too,
// from a new snapshot of the screen.
bool ScreenFadeToBlack(PALETTEENTRY* palette, int first, int last, BYTE red, BYTE green, BYTE blue, double speed,
                       const PALETTEENTRY* source, BYTE finish);
bool ScreenFadeFromBlack(PALETTEENTRY* palette, int first, int last, BYTE red, BYTE green, BYTE blue, double speed,
                         const PALETTEENTRY* source, BYTE finish);
