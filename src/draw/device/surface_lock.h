#pragma once
// The scoped lock of a surface for pixel work in either path, and the pixel
// rules every processor-side effect shares: which format a locked buffer
// has, when a source pixel is transparent, how channels are read, added to
// and packed.
#include <cstdint>

#include "draw/device/surface.h"
#include "platform/win_types.h"

struct DDBLTCOLOR;

class DDSurfaceLock {
public:
    DDSurfaceLock() = default;
    ~DDSurfaceLock() { DDUnlockSD(); }
    DDSurfaceLock(const DDSurfaceLock&) = delete;
    DDSurfaceLock& operator=(const DDSurfaceLock&) = delete;

    // Locks the surface the record stands for (its shared record, the
    // virtual back buffer for the back buffer while that is on); false with
    // a debug-log line when it has no pixels.
    bool Begin(DDSURFACEDATA* sd);
    void DDUnlockSD();
    // The locked picture's size (never beyond its pixel buffer).
    int Width() const;
    int Height() const;

    DDSURFACEDATA* m_lpSD = nullptr;
    DDPIXELS* bits = nullptr;
    int nBitsPerPixel = 32;
    int nBytesPerPixel = 4;
    int nPitch = 0;  // in pixels
};

// True for the back buffer of a full-screen display.
bool DDIsFullScreenBack(DDSURFACEDATA* sd);

// The shift and maximum of each channel of a 16- or 32-bit format.
const DDCHANNELS& ChannelsOf(DWORD fmt);

// Transparency of a source pixel of the running path: the key value in
// DirectDraw, the alpha (bit 15 or 13 at 16 bits) in Direct3D.
struct DDKEYRULE {
    bool d3d;
    DWORD fmt;
    std::uint32_t key;
    bool Transparent(std::uint32_t p) const {
        if (!d3d) return p == key;
        if (fmt == D3DFMT_A8R8G8B8) return (p >> 24) == 0;
        if (fmt == D3DFMT_A1R5G5B5) return (p & 0xA000u) == 0;
        return false;
    }
};
DDKEYRULE KeyRuleOf(const DDPIXELS& src);

// The colour a blit-colour pair adds: its red, green and blue bytes scaled
// into the channels of the format; all zero unless the operation is ADD.
struct DDADDCOLOR {
    int c[3] = {0, 0, 0};
    bool bAny = false;
};
DDADDCOLOR AddColorOf(const DDBLTCOLOR* op, const DDCHANNELS& ch);

inline int ChannelOf(std::uint32_t p, const DDCHANNELS& ch, int k) {
    return static_cast<int>((p >> ch.nShift[k]) & static_cast<std::uint32_t>(ch.nMax[k]));
}

// Adds the colour to the channels of a pixel, each saturating at its maximum.
inline std::uint32_t AddSaturated(std::uint32_t p, const DDADDCOLOR& add, const DDCHANNELS& ch) {
    if (!add.bAny) return p;
    std::uint32_t out = p;
    for (int k = 0; k < 3; ++k) {
        const int v = ChannelOf(p, ch, k) + add.c[k];
        const int m = ch.nMax[k];
        out &= ~(static_cast<std::uint32_t>(m) << ch.nShift[k]);
        out |= static_cast<std::uint32_t>(v > m ? m : v) << ch.nShift[k];
    }
    return out;
}

// How results of the processor paths are written into one destination: the
// channels of its format, the alpha a Direct3D result carries, and whether
// the five-bit green of a texture is written into the six-bit green of a
// full-screen back buffer.
struct DDRESULTPACK {
    const DDCHANNELS* ch;
    std::uint32_t alpha;
    bool bGreenDoubled;
    std::uint32_t Pack(int r, int g, int b) const {
        return alpha | static_cast<std::uint32_t>(r) << ch->nShift[0] | static_cast<std::uint32_t>(g) << ch->nShift[1] |
               static_cast<std::uint32_t>(b) << ch->nShift[2];
    }
};
DDRESULTPACK ResultPackOf(const DDPIXELS& dst, const DDPIXELS& src);

// The pixels (i, j) of a w x h area whose destination (x + i, y + j) and
// source (sx + i, sy + j) both lie inside their pictures: i in [i0, i1),
// j in [j0, j1). Positions anywhere in the int range are safe.
struct DDAREASPAN {
    int i0, i1, j0, j1;
    bool Empty() const { return i0 >= i1 || j0 >= j1; }
};
DDAREASPAN AreaInside(int x, int y, int w, int h, int dstW, int dstH, int sx, int sy, int srcW, int srcH);
