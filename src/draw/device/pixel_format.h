#pragma once
// Pixel formats of the two drawing paths and the conversions between them
// and 0xAARRGGBB. The values are the format codes the device records carry.
#include <cstdint>

#include "platform/win_types.h"

constexpr DWORD D3DFMT_A8R8G8B8 = 21;
constexpr DWORD D3DFMT_X8R8G8B8 = 22;
constexpr DWORD D3DFMT_R5G6B5 = 23;
constexpr DWORD D3DFMT_A1R5G5B5 = 25;
constexpr DWORD D3DFMT_P8 = 41;

// Shift and maximum of red, green, blue and alpha, in this order.
struct DDCHANNELS {
    int nShift[4];
    int nMax[4];
};

inline int BytesPerPixel(DWORD fmt) {
    switch (fmt) {
        case D3DFMT_P8: return 1;
        case D3DFMT_R5G6B5:
        case D3DFMT_A1R5G5B5: return 2;
        default: return 4;
    }
}

// 5 or 6 bits widened to 8 the usual way: the top bits repeat below.
inline std::uint32_t Widen5(std::uint32_t c) { return (c << 3) | (c >> 2); }
inline std::uint32_t Widen6(std::uint32_t c) { return (c << 2) | (c >> 4); }

inline std::uint32_t Argb1555(std::uint32_t p) {
    return ((p & 0x8000u) ? 0xFF000000u : 0u) | Widen5((p >> 10) & 31) << 16 | Widen5((p >> 5) & 31) << 8 |
           Widen5(p & 31);
}
inline std::uint32_t Argb565(std::uint32_t p) {
    return 0xFF000000u | Widen5((p >> 11) & 31) << 16 | Widen6((p >> 5) & 63) << 8 | Widen5(p & 31);
}
inline std::uint32_t To1555(std::uint32_t argb) {
    return ((argb >> 31) << 15) | ((argb >> 19) & 31) << 10 | ((argb >> 11) & 31) << 5 | ((argb >> 3) & 31);
}
inline std::uint32_t To565(std::uint32_t argb) {
    return ((argb >> 19) & 31) << 11 | ((argb >> 10) & 63) << 5 | ((argb >> 3) & 31);
}
// The processor copy into a full-screen 16-bit back buffer: the five green
// bits are doubled into six.
inline std::uint16_t Convert1555To565(std::uint32_t p) {
    return static_cast<std::uint16_t>(((p >> 10) & 31) << 11 | ((p >> 5) & 31) << 6 | (p & 31));
}

// A pixel of a 16- or 32-bit format as 0xAARRGGBB (X8R8G8B8 and R5G6B5 are
// opaque). P8 has no colour without a palette and is not handled here.
inline std::uint32_t ToArgb(DWORD fmt, std::uint32_t p) {
    switch (fmt) {
        case D3DFMT_X8R8G8B8: return p | 0xFF000000u;
        case D3DFMT_R5G6B5: return Argb565(p);
        case D3DFMT_A1R5G5B5: return Argb1555(p);
        default: return p;
    }
}
inline std::uint32_t FromArgb(DWORD fmt, std::uint32_t argb) {
    switch (fmt) {
        case D3DFMT_R5G6B5: return To565(argb);
        case D3DFMT_A1R5G5B5: return To1555(argb);
        default: return argb;
    }
}
