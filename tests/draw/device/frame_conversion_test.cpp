#include "draw/device/frame_conversion.h"

#include "draw/device/pixel_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// A 3 x 2 buffer whose every pixel differs, so a row or column mixed up
// shows.
DDPIXELS Buffer(DWORD fmt, const std::vector<std::uint32_t>& values) {
    DDPIXELS px;
    EXPECT_TRUE(px.Allocate(fmt, 3, 2));
    auto v = values.begin();
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) px.Put(x, y, *v++);
    return px;
}

}  // namespace

TEST(FrameConversion, EveryFormatConvertsEachPixelInPlace) {
    PALETTEENTRY palette[256] = {};
    palette[1] = PALETTEENTRY{0x11, 0x22, 0x33, 0};
    palette[200] = PALETTEENTRY{0xFE, 0x01, 0x80, PC_RESERVED};
    palette[255] = PALETTEENTRY{0xFF, 0xFF, 0xFF, 0};
    const struct {
        const char* name;
        DWORD fmt;
        std::vector<std::uint32_t> in;
        std::vector<std::uint32_t> out;
    } cases[] = {
        {"X8R8G8B8",
         D3DFMT_X8R8G8B8,
         {0x00123456u, 0xFF000001u, 0x80FFFFFFu, 0u, 0x7F654321u, 0xABCDEF01u},
         {0x123456u, 0x000001u, 0xFFFFFFu, 0u, 0x654321u, 0xCDEF01u}},
        {"A8R8G8B8",
         D3DFMT_A8R8G8B8,
         {0x01020304u, 0u, 0xFFFFFFFFu, 0x00800000u, 0x12000034u, 0x99999999u},
         {0x020304u, 0u, 0xFFFFFFu, 0x800000u, 0x000034u, 0x999999u}},
        {"R5G6B5",
         D3DFMT_R5G6B5,
         {0xF800u, 0x07E0u, 0x001Fu, 0xFFFFu, 0u, 0x8410u},
         {0xFF0000u, 0x00FF00u, 0x0000FFu, 0xFFFFFFu, 0u, 0x848284u}},
        {"A1R5G5B5",
         D3DFMT_A1R5G5B5,
         {0xFC00u, 0x03E0u, 0x001Fu, 0x7FFFu, 0x8000u, 0x4210u},
         {0xFF0000u, 0x00FF00u, 0x0000FFu, 0xFFFFFFu, 0u, 0x848484u}},
        {"P8", D3DFMT_P8, {1, 200, 255, 0, 1, 200}, {0x112233u, 0xFE0180u, 0xFFFFFFu, 0u, 0x112233u, 0xFE0180u}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DDPIXELS px = Buffer(c.fmt, c.in);
        std::vector<std::uint32_t> frame(6, 0xDEADBEEFu);
        ASSERT_TRUE(ConvertToFrame(px, palette, frame.data()));
        EXPECT_EQ(frame, c.out);
    }
}

TEST(FrameConversion, UnknownFormatOrMissingPaletteWritesNothing) {
    const DDPIXELS indexed = Buffer(D3DFMT_P8, {1, 2, 3, 4, 5, 6});
    DDPIXELS unknown = Buffer(D3DFMT_X8R8G8B8, {1, 2, 3, 4, 5, 6});
    unknown.fmt = 99;
    std::vector<std::uint32_t> frame(6, 0xDEADBEEFu);
    EXPECT_FALSE(ConvertToFrame(indexed, nullptr, frame.data()));
    EXPECT_FALSE(ConvertToFrame(unknown, nullptr, frame.data()));
    EXPECT_EQ(frame, std::vector<std::uint32_t>(6, 0xDEADBEEFu));
}

// Every 16-bit value, in rows wide enough for the vector loop and in rows
// whose width leaves a remainder, comes out as the pixel widening gives it.
TEST(FrameConversion, SixteenBitFormatsWidenEveryValueAsThePixelFormatDoes) {
    const struct {
        const char* name;
        DWORD fmt;
        std::uint32_t (*widen)(std::uint32_t);
    } formats[] = {{"R5G6B5", D3DFMT_R5G6B5, Argb565}, {"A1R5G5B5", D3DFMT_A1R5G5B5, Argb1555}};
    for (const auto& f : formats) {
        for (int width : {256, 29}) {
            SCOPED_TRACE(std::string(f.name) + " width " + std::to_string(width));
            const int height = (65536 + width - 1) / width;
            DDPIXELS px;
            ASSERT_TRUE(px.Allocate(f.fmt, width, height));
            std::vector<std::uint32_t> expected;
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const std::uint32_t value = static_cast<std::uint32_t>(y * width + x) & 0xFFFFu;
                    px.Put(x, y, value);
                    expected.push_back(f.widen(value) & 0xFFFFFFu);
                }
            }
            std::vector<std::uint32_t> frame(expected.size(), 0xDEADBEEFu);
            ASSERT_TRUE(ConvertToFrame(px, nullptr, frame.data()));
            EXPECT_EQ(frame, expected);
        }
    }
}
