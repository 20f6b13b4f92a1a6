#pragma once
// The game's 256 colours. Colour 0 is the transparent colour (the first
// pixel of the palette picture); 16 to 207 are twelve ramps of sixteen
// shades that the player's palette option rotates; 240 is the frame white.
#include "file_formats.h"

const ColourTable& GamePalette();

// Named colours of the pixel art and the drawing code.
namespace Pal {
constexpr std::uint8_t Clear = 0;
constexpr std::uint8_t Black = 16;
constexpr std::uint8_t White = 240;
// Shade s (0 dark .. 15 light) of ramp r (0 grey, 1 red, 2 orange, 3 yellow,
// 4 lime, 5 green, 6 teal, 7 cyan, 8 sky, 9 blue, 10 violet, 11 pink).
constexpr std::uint8_t Ramp(int r, int s) { return static_cast<std::uint8_t>(16 + r * 16 + s); }
constexpr int Grey = 0, Red = 1, Orange = 2, Yellow = 3, Lime = 4, Green = 5, Teal = 6, Cyan = 7, Sky = 8, Blue = 9,
              Violet = 10, Pink = 11;
constexpr std::uint8_t Skin = 208;
constexpr std::uint8_t SkinShade = 209;
constexpr std::uint8_t Brown = 210;
constexpr std::uint8_t DarkBrown = 211;
}  // namespace Pal

// The palette entry closest to a colour (entries 1 to 255).
std::uint8_t NearestColour(Rgb colour);

// The 65536-byte blend table of the 8-bit mode for palette option n:
// entry a * 256 + b is the colour closest to the even mix of a and b.
Bytes BlendTable(int paletteOption);
// The palette as the 8-bit mode shows it with palette option n.
ColourTable RotatedPalette(int paletteOption);
