// Palettes taken from palette pictures, and pictures without the palette's
// indices drawn into 8-bit surfaces.
#include "draw/effects/blend_blits.h"
#include "effect_fixture.h"

namespace {

class PalettePictureTest : public DrawTest {};

// Colour table entry i is (i, 255 - i, 2i); the picture's top rows are the
// key index 0, and the swatch below gives entry i the index of swatch[i].
std::vector<std::uint32_t> Table() {
    std::vector<std::uint32_t> t(256);
    for (int i = 0; i < 256; ++i)
        t[static_cast<std::size_t>(i)] = std::uint32_t(i) << 16 | std::uint32_t(255 - i) << 8 | ((2 * i) & 255);
    return t;
}
template <class F>
std::string PalettePicture(F swatch) {
    std::vector<std::uint8_t> idx(16 * 24, 0);
    for (int i = 0; i < 256; ++i) idx[static_cast<std::size_t>(8 * 16 + i)] = static_cast<std::uint8_t>(swatch(i));
    return Bmp8(16, 24, Table(), idx);
}

TEST_F(PalettePictureTest, SixteenBitDirectDrawPaletteHoldsDisplayChannels) {
    dir.WriteHostFile("pal.bmp", PalettePicture([](int i) { return i; }));
    Start(kDD16);
    ASSERT_TRUE(DDLoadPaletteFromFile(Palette, "pal.bmp", 0));
    // Entry 200 is (200, 55, 144): channels 25, 13, 18 of R5G6B5.
    EXPECT_EQ(Palette[200].peRed, 25);
    EXPECT_EQ(Palette[200].peGreen, 13);
    EXPECT_EQ(Palette[200].peBlue, 18);
    PalNumToRGB(&BackBuffer, 0, 0, 1, 1, 200);
    EXPECT_EQ(RawAt(BackBuffer, 0, 0), std::uint32_t(25 << 11 | 13 << 5 | 18));
}

TEST_F(PalettePictureTest, DevicePathTakesOpaqueSwatchPixelsOverTheTable) {
    // Swatch place 4 shows index 9; place 5 shows the key index 0.
    dir.WriteHostFile("pal.bmp", PalettePicture([](int i) { return i == 4 ? 9 : i == 5 ? 0 : i; }));
    Start(kD3D32);
    ASSERT_EQ(SetTrans("pal.bmp"), 1);
    PALETTEENTRY pal[256] = {};
    ASSERT_TRUE(DDLoadPaletteFromFile(pal, "pal.bmp", 0));
    EXPECT_EQ(pal[4].peRed, 9) << "the pixel's colour";
    EXPECT_EQ(pal[5].peRed, 5) << "a transparent pixel keeps the table's entry";
    EXPECT_EQ(pal[5].peFlags, 0xFF);
}

TEST_F(PalettePictureTest, EightBitModeTakesTheSwatchOfAPictureWithoutTable) {
    std::vector<std::uint32_t> rgb(16 * 24, 0xFF00FFu);
    for (int i = 0; i < 256; ++i) rgb[static_cast<std::size_t>(8 * 16 + i)] = Table()[static_cast<std::size_t>(i)];
    dir.WriteHostFile("pal24.bmp", Bmp24(16, 24, rgb));
    Start(kDD8);
    PALETTEENTRY pal[256] = {};
    ASSERT_TRUE(DDLoadPaletteFromFile(pal, "pal24.bmp", 0));
    EXPECT_EQ(pal[77].peRed, 77);
    EXPECT_EQ(pal[77].peFlags, PC_RESERVED);
    EXPECT_EQ(DDPaletteColors[77].peGreen, 255 - 77);
}

TEST_F(PalettePictureTest, EightBitCopyOfATrueColourPictureMapsThroughThePalette) {
    Start(kDD8);
    const std::vector<std::uint32_t> t = Table();
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t c = t[static_cast<std::size_t>(i)];
        Palette[i] = PALETTEENTRY{BYTE(c >> 16), BYTE(c >> 8), BYTE(c), 0};
    }
    // Exact colours of entries 40 and 200, and one a step off entry 41.
    dir.WriteHostFile("rgb.bmp", Bmp24(3, 1, {t[40], t[200], t[41] + 0x010000u}));
    DDSURFACEDATA sd;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sd, "rgb.bmp", 0, 8, 0, 0, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(RawRow(sd, 0, 0, 3), (std::vector<std::uint32_t>{40, 200, 41}));
    DDReleaseSurface(&sd);
}

TEST_F(PalettePictureTest, SetPaletteFromPixelsReadsOnlyWhatThePictureHas) {
    Start(kD3D16Window);
    DDSURFACEDATA sd;
    ASSERT_TRUE(MakeRawSurface(sd, 16, 9, 0x8000u | 31u << 10 | 16u << 5));  // one swatch row
    PutRow(sd, 1, 8, {0x7FFFu});                                             // alpha bit clear
    PALETTEENTRY pal[256];
    for (auto& e : pal) e = PALETTEENTRY{1, 2, 3, 4};
    DDSetPalette_UnPal(pal, &sd);
    EXPECT_EQ(pal[0].peRed, 255);
    EXPECT_EQ(pal[0].peGreen, 16 * 255 / 31);
    EXPECT_EQ(pal[1].peRed, 1) << "a pixel without its alpha bit is not read";
    EXPECT_EQ(pal[16].peRed, 1) << "rows the picture lacks leave their entries";
    DDReleaseSurface(&sd);
}

}  // namespace
