#pragma once
// The glyphs of one host face at one size, rendered once and kept, and
// their placing on pixel buffers: monochrome glyphs set one exact pixel
// value (no fringe against a colour key, an exact palette index at 8
// bits); coverage glyphs blend a colour with the coverage as alpha.
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "draw/device/surface.h"
#include "platform/glyphs.h"

// A character as its Shift-JIS bytes: the byte, or lead << 8 | trail.
using SJISCODE = std::uint16_t;

inline SJISCODE SjisCode(const unsigned char* p, int bytes) {
    return static_cast<SJISCODE>(bytes == 2 ? (p[0] << 8 | p[1]) : p[0]);
}

class cGlyphSet {
public:
    // Opens the face; false when the host has no font for it.
    bool Open(std::string_view faceSjis, int width, int height, platform::GlyphMode mode);
    void Close();
    bool IsOpen() const { return face_ != nullptr; }
    int Ascent() const;
    // The rendered glyph of a character (an empty one when closed).
    const platform::Glyph& Get(SJISCODE code);

private:
    std::unique_ptr<platform::GlyphFace> face_;
    platform::GlyphMode mode_ = platform::GlyphMode::kMonochrome;
    std::array<std::unique_ptr<platform::Glyph>, 256> single_;
    std::unordered_map<SJISCODE, platform::Glyph> double_;
};

// Sets the pixels of a glyph whose pen stands at (x, y) to value where its
// coverage is at least half, inside the clip width x height.
void PutGlyphSolid(DDPIXELS& px, int clipW, int clipH, int x, int y, const platform::Glyph& g, std::uint32_t value);
// Draws a glyph in argb (its alpha ignored) with the coverage as alpha:
// over opaque pixels it blends, onto transparent texels it leaves the
// colour with the coverage as their alpha.
void PutGlyphBlended(DDPIXELS& px, int clipW, int clipH, int x, int y, const platform::Glyph& g, std::uint32_t argb);
