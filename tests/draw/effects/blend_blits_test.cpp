#include <cstring>

#include "draw/blit.h"
#include "draw/effect_fixture.h"
#include "draw/effects/blend_blits.h"
#include "foundation/report.h"

namespace {

class BlendBlitTest : public DrawTest {
protected:
    // A 2 x 1 source (transparent, colour) and a destination row of two
    // pixels of one colour at (10, 10) of the back buffer.
    void Prepare(const DrawMode& m, std::uint32_t colour, std::uint32_t under, bool processor) {
        Start(m);
        SetTestKey(m);
        ASSERT_TRUE(MakeRawSurface(src, 2, 1, colour, processor));
        PutRow(src, 0, 0, {TransparentRaw(m)});
        PutRow(BackBuffer, 10, 10, {under, under});
    }
    void TearDown() override {
        DDReleaseSurface(&src);
        DrawTest::TearDown();
    }
    DDSURFACEDATA src;
};

// The source colour (64, 128, 192) in each format, tinted toward (200, 100,
// 40) (in 16-bit DirectDraw the palette holds (25, 25, 5) in channel units).
TEST_F(BlendBlitTest, TintPerPathAndLevel) {
    const struct {
        const char* name;
        const DrawMode* mode;
        bool processor;
        std::uint32_t colour, under;
        int level;
        std::uint32_t expect;
    } cases[] = {
        {"device, level 1: texel * 128/255 + tint * 127/255", &kD3D32, false, 0xFF4080C0u, 0xFF000000u, 1, 0xFF847274u},
        {"device, level 2: factor 80", &kD3D32, false, 0xFF4080C0u, 0xFF000000u, 2, 0xFF9D6D57u},
        {"processor, level 1: (c + t) >> 1", &kD3D32, true, 0xFF4080C0u, 0xFF000000u, 1, 0xFF847274u},
        {"processor, level 2: c * 64/255 + t * 191/255", &kD3D32, true, 0xFF4080C0u, 0xFF000000u, 2, 0xFFA56B4Eu},
        {"device 16-bit texture", &kD3D16Window, false, 0xA218u, 0x8000u, 1, 0xC1CEu},
        {"processor 16-bit", &kD3D16Window, true, 0xA218u, 0x8000u, 1, 0xC1CEu},
        {"texel 0x2000 counts as opaque", &kD3D16Window, true, 0x2000u, 0x8000u, 1, 0xC0C2u},
        {"full-screen back buffer: green sum not halved", &kD3D16Full, true, 0xA218u, 0u, 1, 0x838Eu},
        {"DirectDraw 32, level 1", &kDD32, false, 0x4080C0u, 0x11000000u, 1, 0x11847274u},
        {"DirectDraw 32, level 2 halves twice", &kDD32, false, 0x4080C0u, 0u, 2, 0xA66B4Eu},
        {"DirectDraw 16 on the 0..255 scale", &kDD16, false, 0x4418u, 0u, 1, 0x838Eu},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Prepare(*c.mode, c.colour, c.under, c.processor);
        PALETTEENTRY pal[256] = {};
        pal[7] = c.mode->bpp == 16 && !c.mode->bD3D ? PALETTEENTRY{25, 25, 5, 0} : PALETTEENTRY{200, 100, 40, 0};
        EXPECT_TRUE(DDBltTint(&BackBuffer, 10, 10, 2, 1, &src, 0, 0, 1, pal, BlendTable, 7, c.level, nullptr));
        EXPECT_EQ(RawRow(BackBuffer, 10, 10, 2), (std::vector<std::uint32_t>{c.under, c.expect}));
        DDReleaseSurface(&src);
        DDRelease();
    }
}

TEST_F(BlendBlitTest, EightBitTintAppliesTheTableLevelTimes) {
    Prepare(kDD8, 10, 1, false);
    static BYTE table[65536];
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) table[a * 256 + b] = static_cast<BYTE>(a + 2 * b);
    }
    PALETTEENTRY pal[256] = {};
    for (int level = 1; level <= 3; ++level) {
        SCOPED_TRACE(level);
        PutRow(BackBuffer, 10, 10, {1, 1});
        EXPECT_TRUE(DDBltTint(&BackBuffer, 10, 10, 2, 1, &src, 0, 0, 1, pal, table, 3, level, nullptr));
        EXPECT_EQ(RawRow(BackBuffer, 10, 10, 2), (std::vector<std::uint32_t>{1, 10u + 6u * level}));
    }
    EXPECT_TRUE(DDBltTint(&BackBuffer, 10, 10, 2, 1, &src, 0, 0, 0, pal, table, 3, 1, nullptr));
    EXPECT_EQ(RawAt(BackBuffer, 10, 10), 11u) << "the key index is tinted without the key flag";
}

// Source (64, 128, 192) over (200, 100, 40): 55/255 of the source on the
// device path with transparency 200, the mean on every other path.
TEST_F(BlendBlitTest, AlphaOnTheDevicePathHalfElsewhere) {
    const struct {
        const char* name;
        const DrawMode* mode;
        bool processor;
        std::uint32_t colour, under, expect;
    } cases[] = {
        {"device 32", &kD3D32, false, 0xFF4080C0u, 0xFFC86428u, 0xD4AB6A49u},
        {"device 16", &kD3D16Window, false, 0xA218u, 0xE585u, 0xD9A9u},
        {"processor 32", &kD3D32, true, 0xFF4080C0u, 0xFFC86428u, 0xFF847274u},
        {"processor 16", &kD3D16Window, true, 0xA218u, 0xE585u, 0xC1CEu},
        {"DirectDraw 32 keeps byte 3", &kDD32, false, 0x4080C0u, 0x22C86428u, 0x22847274u},
        {"DirectDraw 16", &kDD16, false, 0x4418u, 0xCB25u, 0x838Eu},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Prepare(*c.mode, c.colour, c.under, c.processor);
        EXPECT_TRUE(DDBltAlpha(&BackBuffer, 10, 10, 2, 1, &src, 0, 0, 1, BlendTable, 200));
        EXPECT_EQ(RawRow(BackBuffer, 10, 10, 2), (std::vector<std::uint32_t>{c.under, c.expect}));
        DDReleaseSurface(&src);
        DDRelease();
    }
}

// Rows of opaque texels and holes take the vector loops, rows with partial
// alpha the texel-by-texel ones: a wide blit equals the same blit one column
// at a time, on both kinds of rows.
TEST_F(BlendBlitTest, WideRowsEqualColumnByColumn) {
    Start(kD3D32);
    ASSERT_TRUE(MakeRawSurface(src, 37, 2, 0));
    for (int i = 0; i < 37; ++i) {
        const std::uint32_t rgb = 0x103050u + 0x070503u * std::uint32_t(i);
        PutRow(src, i, 0, {i % 5 == 0 ? 0u : 0xFF000000u | rgb});
        PutRow(src, i, 1, {std::uint32_t(i * 7) << 24 | rgb});
    }
    PALETTEENTRY pal[256] = {};
    pal[3] = PALETTEENTRY{200, 100, 40, 0};
    const auto under = [](int i, int j) { return 0xFF000000u | (0x204080u + 0x030201u * std::uint32_t(i + 40 * j)); };
    for (const bool tint : {false, true}) {
        SCOPED_TRACE(tint ? "tint" : "alpha");
        auto draw = [&](int x, int w) {
            if (tint) return DDBltTint(&BackBuffer, 10 + x, 10, w, 2, &src, x, 0, 1, pal, BlendTable, 3, 2, nullptr);
            return DDBltAlpha(&BackBuffer, 10 + x, 10, w, 2, &src, x, 0, 1, BlendTable, 90);
        };
        auto reset = [&] {
            for (int j = 0; j < 2; ++j) {
                for (int i = 0; i < 37; ++i) PutRow(BackBuffer, 10 + i, 10 + j, {under(i, j)});
            }
        };
        reset();
        ASSERT_TRUE(draw(0, 37));
        const std::vector<std::uint32_t> wide0 = RawRow(BackBuffer, 10, 10, 37), wide1 = RawRow(BackBuffer, 10, 11, 37);
        reset();
        for (int i = 0; i < 37; ++i) ASSERT_TRUE(draw(i, 1));
        EXPECT_EQ(wide0, RawRow(BackBuffer, 10, 10, 37));
        EXPECT_EQ(wide1, RawRow(BackBuffer, 10, 11, 37));
        EXPECT_EQ(wide0[0], under(0, 0)) << "a hole";
        EXPECT_NE(wide0[1], under(1, 0));
    }
}

TEST_F(BlendBlitTest, EightBitHalfBlitKeepsTheKeyIndexOut) {
    // The key index is 5 here, not 0: a key pixel of the source stays out,
    // a key pixel of the destination takes the source index unchanged.
    Prepare(kDD8, 9, 7, false);
    static BYTE table[65536];
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) table[a * 256 + b] = static_cast<BYTE>(a + 2 * b);
    }
    DDReleaseSurface(&src);
    ASSERT_TRUE(MakeRawSurface(src, 4, 1, 9));
    PutRow(src, 0, 0, {5, 9, 0, 9});
    PutRow(BackBuffer, 10, 10, {7, 7, 7, 5});
    EXPECT_TRUE(DDBltHalf(&BackBuffer, 10, 10, 4, 1, &src, 0, 0, 1, table));
    EXPECT_EQ(RawRow(BackBuffer, 10, 10, 4), (std::vector<std::uint32_t>{7, 25, 7, 9}));
}

TEST_F(BlendBlitTest, AreaStickingOutIsCutPixelByPixel) {
    for (const DrawMode* m : {&kD3D32, &kDD32}) {
        SCOPED_TRACE(m->name);
        Prepare(*m, m->bD3D ? 0xFF4080C0u : 0x4080C0u, 0, true);
        PutRow(src, 0, 0, {m->bD3D ? 0xFF4080C0u : 0x4080C0u});
        PutRow(BackBuffer, 638, 0, {0, 0});
        // Two columns fit the destination, the source has two of three.
        EXPECT_TRUE(DDBltAlpha(&BackBuffer, 638, 0, 3, 1, &src, -1, 0, 0, BlendTable, 128));
        EXPECT_EQ(RawAt(BackBuffer, 638, 0) & 0xFFFFFFu, 0u) << "its source point lies left of the source";
        EXPECT_EQ(RawAt(BackBuffer, 639, 0) & 0xFFFFFFu, 0x204060u);
        EXPECT_TRUE(DDBltAlpha(&BackBuffer, 1 << 30, 1 << 30, 1 << 30, 2, &src, 0, 0, 0, BlendTable, 128));
        DDReleaseSurface(&src);
        DDRelease();
    }
}

TEST_F(BlendBlitTest, ChangeColorWeighsTheColourByAlpha) {
    Start(kD3D32);
    PutRow(BackBuffer, 0, 0, {0xFF4080C0u});
    EXPECT_TRUE(DDChangeColor(&BackBuffer, 0, 0, 640, 480, 255, 255, 0, 0));
    EXPECT_EQ(RawAt(BackBuffer, 0, 0) & 0xFFFFFFu, 0x4080C0u) << "alpha 255 changes nothing";
    EXPECT_TRUE(DDChangeColor(&BackBuffer, 0, 0, 0, 0, 0, 255, 0, 0));
    EXPECT_EQ(RawAt(BackBuffer, 0, 0) & 0xFFFFFFu, 0x400000u) << "alpha 0 multiplies by the colour";
    EXPECT_EQ(RawAt(BackBuffer, 639, 479) & 0xFFFFFFu, 0u) << "the whole surface, whatever the rectangle";
    DDRelease();
    Start(kDD32);
    PutRow(BackBuffer, 0, 0, {0x4080C0u});
    EXPECT_TRUE(DDChangeColor(&BackBuffer, 0, 0, 640, 480, 0, 255, 0, 0));
    EXPECT_EQ(RawAt(BackBuffer, 0, 0), 0x4080C0u) << "DirectDraw has no colour change";
}

TEST_F(BlendBlitTest, UnpalettedFadeMixesTheSourceTowardTheColour) {
    const struct {
        const DrawMode* mode;
        std::uint32_t source;
        int level;
        std::uint32_t expect;
    } cases[] = {
        {&kDD32, 0x4080C0u, 256, 0x4080C0u},
        {&kDD32, 0x4080C0u, 0, 0x102030u},
        {&kDD32, 0x4080C0u, 128, 0x285078u},
        // 16 bits go through the 0..255 scale and back, losing a step.
        {&kDD16, 0x4418u, 256, 0x3BF7u},
        {&kDD16, 0x4418u, 0, 0x08E5u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        Start(*c.mode);
        DDSURFACEDATA big;
        ASSERT_TRUE(MakeRawSurface(big, 640, 480, c.source));
        EXPECT_TRUE(DDFade_UnPal(&BackBuffer, c.level, 0x10, 0x20, 0x30, &big));
        EXPECT_EQ(RawAt(BackBuffer, 639, 479), c.expect);
        DDReleaseSurface(&big);
        DDRelease();
    }
    // A source smaller than the screen fades only the part it covers.
    Start(kDD32);
    DDSURFACEDATA small;
    ASSERT_TRUE(MakeRawSurface(small, 4, 4, 0x4080C0u));
    PutRow(BackBuffer, 4, 0, {0x123456u});
    EXPECT_TRUE(DDFade_UnPal(&BackBuffer, 256, 0, 0, 0, &small));
    EXPECT_EQ(RawRow(BackBuffer, 3, 0, 2), (std::vector<std::uint32_t>{0x4080C0u, 0x123456u}));
    DDReleaseSurface(&small);
}

TEST_F(BlendBlitTest, BlendTableFileMustBeWhole) {
    ASSERT_EQ(CreateReport("Report_Game.txt"), 1);
    Start(kDD8);
    std::memset(BlendTable, 7, sizeof BlendTable);
    dir.WriteHostFile("short.dat", std::string(65535, '\1'));
    dir.WriteHostFile("whole.dat", std::string(65536, '\2'));
    EXPECT_FALSE(DDLoadBlendTable(BlendTable, "missing.dat"));
    EXPECT_FALSE(DDLoadBlendTable(BlendTable, "short.dat"));
    EXPECT_EQ(BlendTable[0], 7) << "a refused file leaves the table";
    EXPECT_NE(dir.ReadHostFile("Report_Game.txt").find("short.dat"), std::string::npos);
    EXPECT_TRUE(DDLoadBlendTable(BlendTable, "whole.dat"));
    EXPECT_EQ(BlendTable[65535], 2);
    DDRelease();
    Start(kD3D32);
    EXPECT_TRUE(DDLoadBlendTable(BlendTable, "missing.dat")) << "Direct3D reads no table";
}

}  // namespace
