#include "canvas.h"

#include <algorithm>
#include <cmath>

#include "game_palette.h"

namespace {

// 5 x 7 glyphs, one 5-bit row each (bit 4 the left pixel).
struct Glyph5x7 {
    char c;
    std::uint8_t rows[7];
};

constexpr Glyph5x7 kFont[] = {
    {'0', {14, 17, 19, 21, 25, 17, 14}}, {'1', {4, 12, 4, 4, 4, 4, 14}},      {'2', {14, 17, 1, 2, 4, 8, 31}},
    {'3', {30, 1, 1, 14, 1, 1, 30}},     {'4', {2, 6, 10, 18, 31, 2, 2}},     {'5', {31, 16, 30, 1, 1, 17, 14}},
    {'6', {6, 8, 16, 30, 17, 17, 14}},   {'7', {31, 1, 2, 4, 8, 8, 8}},       {'8', {14, 17, 17, 14, 17, 17, 14}},
    {'9', {14, 17, 17, 15, 1, 2, 12}},   {'A', {14, 17, 17, 31, 17, 17, 17}}, {'B', {30, 17, 17, 30, 17, 17, 30}},
    {'C', {14, 17, 16, 16, 16, 17, 14}}, {'D', {30, 17, 17, 17, 17, 17, 30}}, {'E', {31, 16, 16, 30, 16, 16, 31}},
    {'F', {31, 16, 16, 30, 16, 16, 16}}, {'G', {14, 17, 16, 23, 17, 17, 15}}, {'H', {17, 17, 17, 31, 17, 17, 17}},
    {'I', {14, 4, 4, 4, 4, 4, 14}},      {'J', {7, 2, 2, 2, 2, 18, 12}},      {'K', {17, 18, 20, 24, 20, 18, 17}},
    {'L', {16, 16, 16, 16, 16, 16, 31}}, {'M', {17, 27, 21, 21, 17, 17, 17}}, {'N', {17, 17, 25, 21, 19, 17, 17}},
    {'O', {14, 17, 17, 17, 17, 17, 14}}, {'P', {30, 17, 17, 30, 16, 16, 16}}, {'Q', {14, 17, 17, 17, 21, 18, 13}},
    {'R', {30, 17, 17, 30, 20, 18, 17}}, {'S', {15, 16, 16, 14, 1, 1, 30}},   {'T', {31, 4, 4, 4, 4, 4, 4}},
    {'U', {17, 17, 17, 17, 17, 17, 14}}, {'V', {17, 17, 17, 17, 17, 10, 4}},  {'W', {17, 17, 17, 21, 21, 21, 10}},
    {'X', {17, 17, 10, 4, 10, 17, 17}},  {'Y', {17, 17, 10, 4, 4, 4, 4}},     {'Z', {31, 1, 2, 4, 8, 16, 31}},
    {'!', {4, 4, 4, 4, 4, 0, 4}},        {'-', {0, 0, 0, 31, 0, 0, 0}},       {':', {0, 4, 0, 0, 0, 4, 0}},
    {'.', {0, 0, 0, 0, 0, 0, 4}},        {'+', {0, 4, 4, 31, 4, 4, 0}},
};

}  // namespace

Canvas8::Canvas8(int width, int height, std::uint8_t fill)
    : m_width(width), m_height(height), m_pixels(static_cast<std::size_t>(width) * height, fill) {}

std::uint8_t Canvas8::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    return m_pixels[static_cast<std::size_t>(y) * m_width + x];
}

void Canvas8::Set(int x, int y, std::uint8_t colour) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    m_pixels[static_cast<std::size_t>(y) * m_width + x] = colour;
}

void Canvas8::FillRect(int x, int y, int w, int h, std::uint8_t colour) {
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) Set(x + i, y + j, colour);
    }
}

void Canvas8::Frame(int x, int y, int w, int h, std::uint8_t colour) {
    FillRect(x, y, w, 1, colour);
    FillRect(x, y + h - 1, w, 1, colour);
    FillRect(x, y, 1, h, colour);
    FillRect(x + w - 1, y, 1, h, colour);
}

void Canvas8::ShadeRect(int x, int y, int w, int h, int ramp, int firstShade, int lastShade) {
    for (int j = 0; j < h; ++j) {
        const int shade = h > 1 ? firstShade + (lastShade - firstShade) * j / (h - 1) : firstShade;
        FillRect(x, y + j, w, 1, Pal::Ramp(ramp, shade));
    }
}

void Canvas8::Draw(const PixelArt& art, const ArtKey& key, int x, int y, int scale, bool mirrored) {
    int row = 0;
    for (std::string_view line : art.rows) {
        const int width = static_cast<int>(line.size());
        for (int col = 0; col < width; ++col) {
            const char c = line[static_cast<std::size_t>(col)];
            const auto found = std::find_if(key.begin(), key.end(), [c](const auto& k) { return k.first == c; });
            if (found == key.end()) continue;
            const int px = mirrored ? width - 1 - col : col;
            FillRect(x + px * scale, y + row * scale, scale, scale, found->second);
        }
        ++row;
    }
}

void Canvas8::Blit(const Canvas8& src, int sx, int sy, int w, int h, int x, int y, bool keyed) {
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            const std::uint8_t c = src.At(sx + i, sy + j);
            if (!keyed || c != 0) Set(x + i, y + j, c);
        }
    }
}

void Canvas8::Glyph(char c, int x, int y, int scale, std::uint8_t colour) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const auto found = std::find_if(std::begin(kFont), std::end(kFont), [c](const Glyph5x7& g) { return g.c == c; });
    if (found == std::end(kFont)) return;
    for (int row = 0; row < 7; ++row) {
        for (int col = 0; col < 5; ++col) {
            if (found->rows[row] >> (4 - col) & 1) FillRect(x + col * scale, y + row * scale, scale, scale, colour);
        }
    }
}

void Canvas8::Text(std::string_view text, int x, int y, int scale, std::uint8_t colour) {
    for (char c : text) {
        Glyph(c, x, y, scale, colour);
        x += 6 * scale;
    }
}

Bytes Canvas8::Encode() const { return EncodeBmp8(m_width, m_height, GamePalette(), m_pixels); }

Rgb MixRgb(Rgb a, Rgb b, double t) {
    auto ch = [&](int shift) {
        const double va = a >> shift & 255, vb = b >> shift & 255;
        return static_cast<Rgb>(std::lround(va + (vb - va) * t)) << shift;
    };
    return ch(16) | ch(8) | ch(0);
}

Canvas24::Canvas24(int width, int height, Rgb fill)
    : m_width(width), m_height(height), m_pixels(static_cast<std::size_t>(width) * height, fill) {}

void Canvas24::Set(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    m_pixels[static_cast<std::size_t>(y) * m_width + x] = colour;
}

void Canvas24::FillRect(int x, int y, int w, int h, Rgb colour) {
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) Set(x + i, y + j, colour);
    }
}

void Canvas24::Gradient(int x, int y, int w, int h, Rgb top, Rgb bottom) {
    for (int j = 0; j < h; ++j) FillRect(x, y + j, w, 1, MixRgb(top, bottom, h > 1 ? double(j) / (h - 1) : 0.0));
}

void Canvas24::Hills(int baseY, int amplitude, double waves, double phase, Rgb colour) {
    constexpr double kTau = 6.283185307179586;
    for (int x = 0; x < m_width; ++x) {
        const double s = std::sin(phase + kTau * waves * x / m_width);
        const int top = baseY - static_cast<int>(std::lround(amplitude * (0.5 + 0.5 * s)));
        for (int y = std::max(top, 0); y < m_height; ++y) Set(x, y, colour);
    }
}

Bytes Canvas24::Encode() const { return EncodeBmp24(m_width, m_height, m_pixels); }
