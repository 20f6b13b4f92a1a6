#pragma once
// Set-up shared by the tests of the mixing and moving operations: small
// surfaces whose raw pixels the tests write and read in the running format.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "draw_fixture.h"

// A w x h surface of the running path filled with one raw pixel value; a
// system-memory texture in Direct3D when processor is set (so the mixing
// operations take their processor path), else a render target.
inline bool MakeRawSurface(DDSURFACEDATA& sd, int w, int h, std::uint32_t fill, bool processor = false) {
    if (!DDCreateSurface(&sd, w, h, 1, 0, processor ? DTMEMORYTYPE_SYSTEM : DTMEMORYTYPE_VIDEO_RT, 0, 0)) return false;
    DDPIXELS* px = sd.Pixels();
    if (!px) return false;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) px->Put(x, y, fill);
    }
    return true;
}

// Writes raw pixel values into one row starting at (x, y).
inline void PutRow(DDSURFACEDATA& sd, int x, int y, std::initializer_list<std::uint32_t> values) {
    DDPIXELS* px = sd.Pixels();
    for (const std::uint32_t v : values) px->Put(x++, y, v);
}

// The raw pixel values of one row from (x, y), n of them.
inline std::vector<std::uint32_t> RawRow(DDSURFACEDATA& sd, int x, int y, int n) {
    std::vector<std::uint32_t> out;
    for (int i = 0; i < n; ++i) out.push_back(sd.Pixels()->Get(x + i, y));
    return out;
}

inline std::uint32_t RawAt(DDSURFACEDATA& sd, int x, int y) { return sd.Pixels()->Get(x, y); }

// The transparent raw source pixel of a mode: the key in DirectDraw, a
// texel of alpha 0 in Direct3D.
inline std::uint32_t TransparentRaw(const DrawMode& m) { return m.bD3D ? 0u : dwTransmit; }

// A key value for DirectDraw tests that no test colour equals.
inline void SetTestKey(const DrawMode& m) {
    if (m.bD3D) return;
    dwTransmit = m.bpp == 8 ? 5u : m.bpp == 16 ? 0xF81Fu : 0xFF00FFu;
}
