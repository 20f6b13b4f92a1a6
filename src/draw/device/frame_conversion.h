#pragma once
// The back buffer turned into the 0x00RRGGBB frame the window shows: one
// pass a row, the format chosen once per frame.
#include <cstdint>

#include "draw/device/device.h"
#include "draw/device/surface.h"

// Writes px as nWidth x nHeight 0x00RRGGBB values to out (no padding); an
// 8-bit buffer takes its colours from palette (256 entries). false, writing
// nothing, for a format without a conversion.
bool ConvertToFrame(const DDPIXELS& px, const PALETTEENTRY* palette, std::uint32_t* out);
