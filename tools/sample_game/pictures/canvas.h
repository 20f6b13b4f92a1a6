#pragma once
// Pictures drawn by code: an indexed canvas in the game's palette and a
// true-colour canvas, with the few drawing operations the content needs.
#include <initializer_list>
#include <string_view>
#include <utility>

#include "file_formats.h"

// Pixel art kept as text: one string per row, one character per pixel,
// looked up in a key of (character, palette colour) pairs; characters not in
// the key are transparent.
struct PixelArt {
    std::initializer_list<std::string_view> rows;
};
using ArtKey = std::initializer_list<std::pair<char, std::uint8_t>>;

class Canvas8 {
public:
    Canvas8(int width, int height, std::uint8_t fill = 0);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    std::uint8_t At(int x, int y) const;
    void Set(int x, int y, std::uint8_t colour);
    void FillRect(int x, int y, int w, int h, std::uint8_t colour);
    void Frame(int x, int y, int w, int h, std::uint8_t colour);
    // A vertical run through a ramp's shades, top dark to bottom light when
    // rising is true.
    void ShadeRect(int x, int y, int w, int h, int ramp, int firstShade, int lastShade);
    // Pixel art at (x, y), each pixel a scale x scale square; mirrored
    // flips it left to right.
    void Draw(const PixelArt& art, const ArtKey& key, int x, int y, int scale = 1, bool mirrored = false);
    // Copies a w x h area of another canvas; colour 0 is skipped when keyed.
    void Blit(const Canvas8& src, int sx, int sy, int w, int h, int x, int y, bool keyed = true);
    // A digit 0-9 or a letter A-Z from the built-in 5 x 7 font.
    void Glyph(char c, int x, int y, int scale, std::uint8_t colour);
    void Text(std::string_view text, int x, int y, int scale, std::uint8_t colour);
    static int TextWidth(std::string_view text, int scale) { return static_cast<int>(text.size()) * 6 * scale; }

    Bytes Encode() const;

private:
    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_pixels;
};

class Canvas24 {
public:
    Canvas24(int width, int height, Rgb fill = 0);

    void Set(int x, int y, Rgb colour);
    // Vertical gradient from top to bottom colour.
    void Gradient(int x, int y, int w, int h, Rgb top, Rgb bottom);
    void FillRect(int x, int y, int w, int h, Rgb colour);
    // Soft hills: a sine silhouette filled below with a colour.
    void Hills(int baseY, int amplitude, double waves, double phase, Rgb colour);
    Bytes Encode() const;

private:
    int m_width;
    int m_height;
    std::vector<Rgb> m_pixels;
};

Rgb MixRgb(Rgb a, Rgb b, double t);
