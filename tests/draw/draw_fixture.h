#pragma once
// Shared set-up of the drawing tests: a device started in one mode, small
// BMP files built byte by byte, and pixel readers in 0xAARRGGBB.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "draw/device/device.h"
#include "draw/device/surfaces.h"
#include "draw/palette.h"
#include "draw/pixel_ops.h"
#include "draw/sprite_batch.h"
#include "foundation/abort.h"
#include "support/byte_builder.h"
#include "support/temp_dir.h"

struct DrawMode {
    const char* name;
    int bD3D;
    int bpp;
    int windowMode;
};

inline const DrawMode kD3D32{"D3D32", 1, 32, 1};
inline const DrawMode kD3D16Window{"D3D16w", 1, 16, 1};
inline const DrawMode kD3D16Full{"D3D16f", 1, 16, 0};
inline const DrawMode kDD32{"DD32", 0, 32, 1};
inline const DrawMode kDD16{"DD16", 0, 16, 1};
inline const DrawMode kDD8{"DD8", 0, 8, 1};

inline bool StartMode(const DrawMode& m) {
    AbortFlag = 0;
    DDSoftwareCaps = DDSOFTWARECAPS();
    return DDInit(m.bD3D, nullptr, 640, 480, m.bpp, 1, m.windowMode, 1, 60, 0, nullptr, nullptr, 0, 0);
}

// A BMP with the given rows (top row first) of 0x00RRGGBB pixels, 24 bits.
inline std::string Bmp24(int w, int h, const std::vector<std::uint32_t>& rgb) {
    const int stride = (w * 3 + 3) / 4 * 4;
    ByteBuilder b;
    b.U8('B').U8('M').U32(54 + stride * h).U32(0).U32(54);
    b.U32(40).I32(w).I32(h).I16(1).I16(24).U32(0).U32(stride * h).I32(0).I32(0).U32(0).U32(0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = rgb[static_cast<std::size_t>(y) * w + x];
            b.U8(p & 255).U8((p >> 8) & 255).U8((p >> 16) & 255);
        }
        for (int k = w * 3; k < stride; ++k) b.U8(0);
    }
    return b.Str();
}

// An 8-bit BMP with a 256-entry colour table and the given indices.
inline std::string Bmp8(int w, int h, const std::vector<std::uint32_t>& table, const std::vector<std::uint8_t>& idx) {
    const int stride = (w + 3) / 4 * 4;
    ByteBuilder b;
    b.U8('B').U8('M').U32(54 + 1024 + stride * h).U32(0).U32(54 + 1024);
    b.U32(40).I32(w).I32(h).I16(1).I16(8).U32(0).U32(stride * h).I32(0).I32(0).U32(256).U32(0);
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t p = i < static_cast<int>(table.size()) ? table[static_cast<std::size_t>(i)] : 0;
        b.U8(p & 255).U8((p >> 8) & 255).U8((p >> 16) & 255).U8(0);
    }
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) b.U8(idx[static_cast<std::size_t>(y) * w + x]);
        for (int k = w; k < stride; ++k) b.U8(0);
    }
    return b.Str();
}

// Pixel of a surface as 0xAARRGGBB (P8 as its index).
inline std::uint32_t PixelAt(DDSURFACEDATA& sd, int x, int y) {
    DDPIXELS* px = sd.Pixels();
    if (!px) return 0xDEADBEEFu;
    const std::uint32_t v = px->Get(x, y);
    return px->fmt == D3DFMT_P8 ? v : ToArgb(px->fmt, v);
}

// Fixture: a device in one mode, a temporary working folder, and the
// release of everything at the end.
class DrawTest : public ::testing::Test {
protected:
    void Start(const DrawMode& m) { ASSERT_TRUE(StartMode(m)) << m.name; }
    void TearDown() override {
        DDRelease();
        AbortFlag = 0;
        // The palettes and the key are process-wide: no test sees another's.
        std::fill(std::begin(Palette), std::end(Palette), PALETTEENTRY{});
        std::fill(std::begin(PaletteWork), std::end(PaletteWork), PALETTEENTRY{});
        dwTransmit = 0;
    }
    TempDir dir;
};
