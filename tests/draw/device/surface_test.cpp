#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "draw/blit.h"
#include "draw/device/surface_table.h"
#include "draw/draw_fixture.h"
#include "foundation/report.h"
#include "platform/present.h"

namespace {

class SurfaceTest : public DrawTest {};

TEST_F(SurfaceTest, TextureSizesFollowTheDeviceCaps) {
    const struct {
        const char* name;
        int pow2, square, w, h, texW, texH;
    } cases[] = {
        {"no rule", 0, 0, 300, 200, 300, 200},
        {"powers of two", 1, 0, 300, 200, 512, 256},
        {"powers of two and square", 1, 1, 300, 200, 512, 512},
        {"square only", 0, 1, 30, 200, 200, 200},
        {"exact powers stay", 1, 0, 256, 1, 256, 1},
    };
    Start(kD3D32);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        lpDTCon->bPow2 = c.pow2;
        lpDTCon->bSquareOnly = c.square;
        DDSURFACEDATA sd;
        ASSERT_TRUE(DDCreateSurface(&sd, c.w, c.h, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        EXPECT_EQ((std::vector<int>{sd.nWidth, sd.nHeight, sd.nTexWidth, sd.nTexHeight}),
                  (std::vector<int>{c.w, c.h, c.texW, c.texH}));
        EXPECT_EQ(sd.Pixels()->nWidth, c.texW);
        DDReleaseSurface(&sd);
    }
    int w = 0, h = 5;
    lpDTCon->bPow2 = 1;
    lpDTCon->bSquareOnly = 0;
    DDAdjustTextureSize(&w, &h);
    EXPECT_EQ(w, 0) << "0 counts as a power of two";
    EXPECT_EQ(h, 8);
}

TEST_F(SurfaceTest, OversizedTextureIsReported) {
    ASSERT_EQ(CreateReport("Report_Game.txt"), 1);
    Start(kD3D32);
    lpDTCon->nMaxTextureWidth = 2048;
    lpDTCon->nMaxTextureHeight = 2048;
    EXPECT_EQ(DDCheckTextureSize(4096, 100), 0);
    EXPECT_EQ(DDCheckTextureSize(2048, 2048), 1);
    const std::string report = dir.ReadHostFile("Report_Game.txt");
    EXPECT_NE(report.find("このビデオカードでは横幅2048を超える画像はサポートされていません！"), std::string::npos);
    EXPECT_EQ(report.find("縦幅"), std::string::npos);
}

TEST_F(SurfaceTest, PalNumToRgbOnRenderTargets) {
    Palette[5] = PALETTEENTRY{0x10, 0x20, 0x30, 0};
    const struct {
        const char* name;
        int key;
        bool cleared;
    } cases[] = {
        {"keyed: colour 0 clears to the transparent texel", 1, true},
        {"unkeyed: colour 0 is a transparent quad and leaves the pixels", 0, false},
    };
    for (const DrawMode* m : {&kD3D32, &kD3D16Window}) {
        Start(*m);
        const std::uint32_t five = m->bpp == 32 ? 0xFF102030u : 0xFF102131u;  // 16 bits: 5 bits a channel, widened
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(m->name) + ": " + c.name);
            DDSURFACEDATA sd;
            ASSERT_TRUE(DDCreateSurface(&sd, 4, 4, c.key, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
            EXPECT_TRUE(DDFillSurface(&sd, 5));
            EXPECT_EQ(PixelAt(sd, 0, 0), five);
            PalNumToRGB(&sd, 1, 1, 2, 2, 0);
            EXPECT_EQ(PixelAt(sd, 1, 1), c.cleared ? 0u : five);
            EXPECT_EQ(PixelAt(sd, 0, 0), five);
            EXPECT_EQ(PixelAt(sd, 3, 3), five);
            DDReleaseSurface(&sd);
        }
        DDRelease();
    }
}

TEST_F(SurfaceTest, PalNumToRgbValuesPerMode) {
    Palette[7] = PALETTEENTRY{0x12, 0x34, 0x56, 0};
    const struct {
        const DrawMode* mode;
        std::uint32_t stored;
    } cases[] = {
        {&kD3D32, 0xFF123456u},
        {&kDD32, 0x123456u},
        {&kDD8, 7u},
        // 16-bit DirectDraw palettes hold display channel values: masked in place.
        {&kDD16, (0x12u & 31) << 11 | (0x34u & 63) << 5 | (0x56u & 31)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode->name);
        Start(*c.mode);
        EXPECT_TRUE(PalNumToRGB(&BackBuffer, 2, 2, 1, 1, 7));
        EXPECT_EQ(BackBuffer.Pixels()->Get(2, 2), c.stored);
        DDRelease();
    }
}

TEST_F(SurfaceTest, FillIsClippedToTheScreen) {
    for (const DrawMode* m : {&kDD32, &kDD8, &kD3D32}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        Palette[1] = PALETTEENTRY{1, 1, 1, 0};
        Palette[2] = PALETTEENTRY{2, 2, 2, 0};
        DDFillSurface(&BackBuffer, 1);
        EXPECT_TRUE(PalNumToRGB(&BackBuffer, -10, 0, 700, 480, 2));
        const std::uint32_t two = PixelAt(BackBuffer, 0, 0);
        int wrong = 0;
        for (int y = 0; y < 480; y += 7)
            for (int x = 0; x < 640; ++x) wrong += PixelAt(BackBuffer, x, y) != two;
        EXPECT_EQ(wrong, 0);
        EXPECT_NE(two, 0u);
        EXPECT_FALSE(PalNumToRGB(&BackBuffer, 640, 0, 10, 10, 2)) << "wholly outside";
        DDRelease();
    }
}

TEST_F(SurfaceTest, ClearCoversExactlyTheRectangleInEveryDepth) {
    struct Case {
        DWORD fmt;
        std::uint32_t value;
    };
    const Case cases[] = {{D3DFMT_P8, 0xA5u}, {D3DFMT_A1R5G5B5, 0x8421u}, {D3DFMT_A8R8G8B8, 0xFF102030u}};
    // Cut on the left and at the bottom; the rows below the first are the
    // ones taken from it.
    const int left = -2, top = 1, width = 6, height = 9;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fmt);
        DDPIXELS px;
        ASSERT_TRUE(px.Allocate(c.fmt, 7, 5));
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) px.Put(x, y, static_cast<std::uint32_t>(x + 1));
        ClearPixels(px, left, top, width, height, c.value);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 7; ++x) {
                const bool inside = x < left + width && y >= top;
                EXPECT_EQ(px.Get(x, y), inside ? c.value : static_cast<std::uint32_t>(x + 1)) << x << "," << y;
            }
        }
    }
}

TEST_F(SurfaceTest, PresentConvertsTheBackBuffer) {
    const struct {
        const DrawMode* mode;
        std::uint32_t expected;
    } cases[] = {
        {&kD3D32, 0x123456u},
        {&kDD32, 0x123456u},
        {&kDD8, 0x123456u},
        {&kD3D16Window, 0x103152u},  // 5 bits a channel, widened
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode->name);
        Start(*c.mode);
        Palette[4] = PALETTEENTRY{0x12, 0x34, 0x56, 0};
        DDPaletteColors[4] = Palette[4];
        PalNumToRGB(&BackBuffer, 0, 0, 640, 480, 4);
        if (c.mode->bD3D) EXPECT_EQ(DDFlip(60, 0, 0), 1);
        else DDPresent();
        const platform::Frame f = platform::LastPresentedFrame();
        ASSERT_EQ(f.width, 640);
        ASSERT_EQ(f.height, 480);
        EXPECT_EQ(f.pixels[1000], c.expected);
        DDRelease();
    }
}

TEST_F(SurfaceTest, VirtualBackBufferTakesDrawsAndFlushesBack) {
    Start(kD3D32);
    DDSetVirBackBuffer(0);  // off while off: copies nothing
    EXPECT_EQ(PixelAt(BackBuffer, 0, 0), 0xFF000000u);
    DDSetVirBackBuffer(1);
    DDFillRectColor(&BackBuffer, 0, 0, 2, 2, 0xFF00FF00u);
    EXPECT_EQ(PixelAt(BackBuffer, 0, 0), 0xFF000000u);
    EXPECT_EQ(PixelAt(VirBackBuffer, 0, 0), 0xFF00FF00u);
    DDSetVirBackBuffer(0);
    EXPECT_EQ(PixelAt(BackBuffer, 0, 0), 0xFF00FF00u);
}

TEST_F(SurfaceTest, EraseFromListFindsRecordsByAddress) {
    Start(kD3D32);
    cList<DDSURFACEDATA> surfaces;
    cList<SURFACETABLEENTRY> entries;
    ASSERT_TRUE(DDPushSurfaceList(surfaces, entries, 8, 8, 1, 0, 0, 0));
    ASSERT_TRUE(DDPushSurfaceListAt(surfaces, entries, -3, 4, 4, 0, 0, 0, 0));
    EXPECT_EQ(surfaces.front().nWidth, 4);
    DDSURFACEDATA stranger;
    EXPECT_EQ(DDEraseSurfaceList(surfaces, entries, &stranger), 0);
    EXPECT_EQ(surfaces.size(), 2u);
    const std::size_t listed = SurfaceList.size();
    EXPECT_EQ(DDEraseSurfaceList(surfaces, entries, &surfaces.back()), 1);
    EXPECT_EQ(surfaces.size(), 1u);
    EXPECT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries.front().nColorKey, 0);
    EXPECT_EQ(SurfaceList.size(), listed - 1);
    DDReleaseSurfaceList(surfaces);
}

TEST_F(SurfaceTest, DroppedRecordLeavesTheTextureList) {
    Start(kD3D32);
    const std::size_t before = SurfaceList.size();
    {
        DDSURFACEDATA sd;
        ASSERT_TRUE(DDCreateSurface(&sd, 4, 4, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        EXPECT_EQ(SurfaceList.size(), before + 1);
        ASSERT_TRUE(DDCreateSurface(&sd, 8, 8, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));  // again, unreleased
        EXPECT_EQ(SurfaceList.size(), before + 1);
    }
    EXPECT_EQ(SurfaceList.size(), before);
}

TEST_F(SurfaceTest, ColourIndexMapsNameThePaletteEntries) {
    std::vector<std::uint32_t> table(256, 0);
    for (int i = 0; i < 256; ++i) table[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(i) << 16 | 0x0800u;
    dir.WriteHostFile("pic.bmp", Bmp8(3, 1, table, {5, 200, 9}));
    for (int i = 0; i < 256; ++i) Palette[i] = PALETTEENTRY{BYTE(i), 8, 0, 0};
    Palette[7] = PALETTEENTRY{9, 8, 0, 0};  // an earlier entry of the same colour wins
    Palette[9] = PALETTEENTRY{0, 0, 0, 0};
    for (const DrawMode* m : {&kD3D32, &kDD32}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        DDSURFACEDATA sd;
        ASSERT_EQ(DDCreateSurfaceFromFile(&sd, "pic.bmp", 0, 32, 0, 0, 0, 1, 0, 0, 0), 0);
        const std::vector<std::uint8_t>& map = sd.lpDT ? sd.lpDT->lpColorIndex : sd.lpDD->lpColorIndex;
        ASSERT_GE(map.size(), 3u);
        EXPECT_EQ(map[0], 5);
        EXPECT_EQ(map[1], 200);
        EXPECT_EQ(map[2], 7);
        DDReleaseSurface(&sd);
        DDRelease();
    }
}

TEST_F(SurfaceTest, EightBitCopyRefusesAPictureOfAnotherSize) {
    Start(kDD8);
    dir.WriteHostFile("pic.bmp", Bmp8(4, 1, {}, {1, 2, 3, 4}));
    DDSURFACEDATA sd;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sd, "pic.bmp", 0, 8, 0, 0, 0, 0, 0, 0, 0), 0);
    dir.WriteHostFile("pic.bmp", Bmp8(8, 1, {}, {9, 9, 9, 9, 9, 9, 9, 9}));
    EXPECT_TRUE(DDReloadBitmap(&sd, 8));
    EXPECT_EQ(sd.Pixels()->Get(0, 0), 1u) << "nothing copied";
    int large = -1;
    EXPECT_EQ(DDBitmapTooLarge(&large, "pic.bmp", 4, 4), 1);
    EXPECT_EQ(large, 1);
    EXPECT_EQ(DDBitmapTooLarge(&large, "pic.bmp", 8, 1), 1);
    EXPECT_EQ(large, 0);
    EXPECT_EQ(DDBitmapTooLarge(&large, "missing.bmp", 8, 1), 0);
    DDReleaseSurface(&sd);
}

TEST_F(SurfaceTest, PngContentWithBmpNameFailsInBothPaths) {
    const unsigned char png[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    dir.WriteHostFile("pic.bmp", std::string(reinterpret_cast<const char*>(png), sizeof png));
    for (const DrawMode* m : {&kD3D32, &kDD32}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        DDSURFACEDATA sd;
        EXPECT_EQ(DDCreateSurfaceFromFile(&sd, "pic.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 8);
        EXPECT_FALSE(DDSurfaceErrorMessage(8));
        DDReleaseSurface(&sd);
        DDRelease();
    }
}

TEST_F(SurfaceTest, TransparentColourFromThePalettePicture) {
    std::vector<std::uint32_t> table(256, 0);
    table[3] = 0x00FF00;
    table[0] = 0x0000FF;
    dir.WriteHostFile("pal.bmp", Bmp8(2, 1, table, {3, 0}));
    const struct {
        const DrawMode* mode;
        DWORD transmit;
    } cases[] = {{&kDD8, 3}, {&kDD32, 0x00FF00}, {&kDD16, 0x07E0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode->name);
        Start(*c.mode);
        EXPECT_EQ(SetTrans("pal.bmp"), 1);
        EXPECT_EQ(dwTransmit, c.transmit);
        DDRelease();
    }
    Start(kD3D32);
    EXPECT_EQ(SetTrans("pal.bmp"), 1);
    EXPECT_EQ(lpDTCon->argbTransmit, 0xFF00FF00u);
    EXPECT_EQ(SetTrans("missing.bmp"), 0);
    PALETTEENTRY pal[256] = {};
    EXPECT_TRUE(DDLoadPaletteFromFile(pal, "pal.bmp", 0));
    EXPECT_EQ(pal[3].peGreen, 255);
    EXPECT_EQ(pal[0].peBlue, 255);
}

TEST_F(SurfaceTest, SmallPalettePicturesFillWhatTheyHave) {
    // A colour table of two entries and a picture of four pixels: the rest
    // of the palette is left as it was, nothing is read beyond the file.
    ByteBuilder b;
    b.U8('B').U8('M').U32(54 + 8 + 4).U32(0).U32(54 + 8);
    b.U32(40).I32(2).I32(1).I16(1).I16(8).U32(0).U32(4).I32(0).I32(0).U32(2).U32(0);
    b.U32(0x00010203).U32(0x00040506).U8(1).U8(0).U8(0).U8(0);
    dir.WriteHostFile("short.bmp", b.Str());
    dir.WriteHostFile("rgb.bmp", Bmp24(2, 2, {0x111111, 0x222222, 0x333333, 0x444444}));
    Start(kD3D32);
    PALETTEENTRY pal[256];
    for (auto& e : pal) e = PALETTEENTRY{9, 9, 9, 9};
    EXPECT_TRUE(DDLoadPaletteFromFile(pal, "short.bmp", 0));
    EXPECT_EQ(pal[1].peRed, 4);
    EXPECT_EQ(pal[2].peRed, 0) << "entries the table lacks are black";
    for (auto& e : pal) e = PALETTEENTRY{9, 9, 9, 9};
    EXPECT_TRUE(DDLoadPaletteFromFile(pal, "rgb.bmp", 0));
    EXPECT_EQ(pal[3].peRed, 9) << "a picture that does not reach the swatch rows gives no colour";
}

TEST_F(SurfaceTest, SixteenBitDirectDrawPicturesKeepKeyAndDodgeIt) {
    Start(kDD16);
    lpDDCon->rgbTransmit_16[0] = 250;  // key colour (250, 0, 250)
    lpDDCon->rgbTransmit_16[2] = 250;
    dwTransmit = 0xF81F;
    // The key colour becomes the key value; full magenta converts onto the
    // key value too and must move off it.
    dir.WriteHostFile("p.bmp", Bmp24(3, 1, {0xFA00FA, 0xFF00FF, 0x00FF00}));
    DDSURFACEDATA sd;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sd, "p.bmp", 1, 16, 0, 0, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(sd.Pixels()->Get(0, 0), 0xF81Fu);
    EXPECT_EQ(sd.Pixels()->Get(1, 0), 0xF81Eu);
    EXPECT_EQ(sd.Pixels()->Get(2, 0), 0x07E0u);
    DDReleaseSurface(&sd);
}

}  // namespace
