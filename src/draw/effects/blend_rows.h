#pragma once
// Row loops of the mixing operations over 32-bit pixels, written so that
// the compiler vectorises them: every channel pair rides in one 32-bit lane
// pair (red and blue, alpha and green) and no pixel takes a branch.
#include <cstddef>
#include <cstdint>

// a * b / 255 rounded, for bytes; two lanes at once.
inline std::uint32_t Mul8Lanes(std::uint32_t lanes, std::uint32_t b) {
    const std::uint32_t v = lanes * b + 0x00800080u;
    return ((v + ((v >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
}

// (s * a + d * (255 - a)) / 255 rounded, per channel, alpha included (the
// source's alpha channel counts as a): the device's alpha blend.
inline std::uint32_t BlendLanes(std::uint32_t s, std::uint32_t d, std::uint32_t a) {
    const std::uint32_t ia = 255 - a;
    const std::uint32_t x = (s & 0x00FF00FFu) * a + (d & 0x00FF00FFu) * ia + 0x007F007Fu;
    const std::uint32_t y = ((a << 16) | ((s >> 8) & 0xFFu)) * a + ((d >> 8) & 0x00FF00FFu) * ia + 0x007F007Fu;
    const std::uint32_t rb = ((x + 0x00010001u + ((x >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    const std::uint32_t ag = ((y + 0x00010001u + ((y >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    return rb | ag << 8;
}

// Floor of the mean of each byte of two pixels.
inline std::uint32_t AverageBytes(std::uint32_t a, std::uint32_t b) { return (a & b) + (((a ^ b) & 0xFEFEFEFEu) >> 1); }

struct DDROWS32 {
    std::uint32_t* d;
    std::ptrdiff_t dPitch;  // in pixels
    const std::uint32_t* s;
    std::ptrdiff_t sPitch;
    int n;
    int rows;
    std::uint32_t sOr;  // ORed into every source pixel (opaque formats)
    std::uint32_t dOr;
};

// Device tint: each texel becomes texel * f / 255 + tint part and is blended
// over the destination by its alpha.
void TintRows32(const DDROWS32& r, std::uint32_t factor, std::uint32_t tintPart);
// Device translucent blit: each texel's alpha is multiplied by the vertex
// alpha, then the texel is blended over the destination.
void AlphaRows32(const DDROWS32& r, std::uint32_t vertexAlpha);
// DirectDraw 32-bit tint, halving toward the colour level times; byte 3 of
// the destination stays.
void TintRowsDD32(const DDROWS32& r, std::uint32_t tint, int level, bool keyed, std::uint32_t key);
// DirectDraw 32-bit half blit with the key rules; byte 3 of the destination
// stays.
void HalfRowsDD32(const DDROWS32& r, bool keyed, std::uint32_t key);
// DirectDraw 32-bit fade of the source toward a colour by level / 256.
void FadeRowsDD32(const DDROWS32& r, std::uint32_t color, std::uint32_t level);
// The device's blend of one colour over 32-bit pixels by the colour's alpha.
void ShadeRows32(std::uint32_t* d, std::ptrdiff_t dPitch, int n, int rows, std::uint32_t argb, std::uint32_t dOr);
