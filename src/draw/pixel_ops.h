#pragma once
// Row loops over pixel buffers: clears, fills, blended fills and the quad
// rasteriser of the device path. Callers pass rectangles already inside the
// destination; source reads are checked here against the source buffer.
#include <cstdint>

#include "draw/device/surface.h"

// Sets every pixel of the rectangle (clipped to the buffer) to value.
void ClearPixels(DDPIXELS& px, int x, int y, int w, int h, std::uint32_t value);

// The device's blend of one colour over the rectangle (clipped): source
// alpha over the destination, 16- and 32-bit formats.
void BlendFillPixels(DDPIXELS& px, int x, int y, int w, int h, std::uint32_t argb);

// Texture-stage state of one device-path draw.
struct DDSTAGESTATE {
    std::uint32_t dwVertexColor = 0xFFFFFFFFu;
    std::uint32_t dwColorOp = 4;
    std::uint32_t dwAlphaOp = 2;
    std::uint32_t dwTextureFactor = 0xFFFFFFFFu;
};

// A texel (0xAARRGGBB) through texture stage 0: argument 1 the texel,
// argument 2 the diffuse colour, the factor's alpha for the factor blend.
std::uint32_t StageTexel(std::uint32_t texel, const DDSTAGESTATE& state);
// True when the stage leaves every texel as it is.
bool StagePassesTexel(const DDSTAGESTATE& state);

// Draws the textured quad (x, y, w, h) sampling (sx, sy, sw, sh) of the
// source texture point-wise (wrapping addresses), through the stage
// operations and the alpha blend, onto the part of the rectangle that lies
// inside the destination.
void DrawQuadPixels(DDPIXELS& dst, const DDPIXELS& src, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                    const DDSTAGESTATE& state);

// The processor copy: every destination pixel inside the destination takes
// the source pixel at the same (or scaled) offset when that lies inside the
// source's srcW x srcH picture; keyed skips transparent texels.
void ProcessorCopyPixels(DDPIXELS& dst, const DDPIXELS& src, int srcW, int srcH, int x, int y, int w, int h, int sx,
                         int sy, int sw, int sh, bool keyed);

// The DirectDraw blits. The rectangles are clipped already; keyed skips the
// pixels equal to the key.
void FastBltPixels(DDPIXELS& dst, const DDPIXELS& src, int x, int y, int w, int h, int sx, int sy, bool keyed,
                   std::uint32_t key);
void StretchBltPixels(DDPIXELS& dst, const DDPIXELS& src, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                      bool keyed, std::uint32_t key);
