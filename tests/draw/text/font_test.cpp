#include "draw/text/font.h"

#include <algorithm>
#include <string>
#include <vector>

#include "draw/blit.h"
#include "draw/draw_fixture.h"

namespace {

constexpr int kText = 241;
constexpr int kGround = 5;

class FontTest : public DrawTest {
protected:
    void Start(const DrawMode& m) {
        DrawTest::Start(m);
        Palette[kText] = PALETTEENTRY{0xF0, 0xF0, 0x20, 0};
        Palette[kGround] = PALETTEENTRY{0x10, 0x20, 0x60, 0};
        for (int k = 0; k < 26; ++k) Palette[10 + k] = PALETTEENTRY{BYTE(40 + k), BYTE(200 - k), BYTE(7 * k), 0};
    }
    void TearDown() override {
        font.Release();
        DDReleaseSurface(&symbols);
        DrawTest::TearDown();
    }
    // A gothic font of the default table's shape.
    void Make(int height, int pitch, int linePitch, int cacheMode, const char* face = "ＭＳ ゴシック") {
        ASSERT_EQ(font.Create(face, 0, height, pitch, linePitch, kText, nullptr, 1, 240, nullptr, cacheMode), 1);
    }
    // A 26-cell symbol picture whose cell k is filled with colour 10 + k.
    void MakeSymbols(int pitch, int linePitch) {
        ASSERT_TRUE(DDCreateSurface(&symbols, 26 * pitch, linePitch, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        for (int k = 0; k < 26; ++k) PalNumToRGB(&symbols, k * pitch, 0, pitch, linePitch, 10 + k);
        font.m_lpSymbol = &symbols;
        font.m_bSymbol = 1;
    }
    std::uint32_t Colour(int n) {
        DDSURFACEDATA probe;
        EXPECT_TRUE(DDCreateSurface(&probe, 1, 1, 0, 1, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        PalNumToRGB(&probe, 0, 0, 1, 1, n);
        const std::uint32_t c = PixelAt(probe, 0, 0);
        DDReleaseSurface(&probe);
        return c;
    }
    int CountInRect(DDSURFACEDATA& sd, int x, int y, int w, int h, std::uint32_t value) {
        int n = 0;
        for (int j = y; j < y + h; ++j) {
            for (int i = x; i < x + w; ++i) n += PixelAt(sd, i, j) == value;
        }
        return n;
    }
    int CountOther(DDSURFACEDATA& sd, int x, int y, int w, int h, std::uint32_t value) {
        return w * h - CountInRect(sd, x, y, w, h, value);
    }
    std::vector<std::uint32_t> Snapshot(DDSURFACEDATA& sd) {
        std::vector<std::uint32_t> px;
        for (int y = 0; y < sd.nHeight; ++y) {
            for (int x = 0; x < sd.nWidth; ++x) px.push_back(PixelAt(sd, x, y));
        }
        return px;
    }
    Font font;
    DDSURFACEDATA symbols;
};

SJISCODE Code(const char* s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s);
    return SjisCode(p, p[1] ? 2 : 1);
}

// Where a glyph drawn directly in the cell at (100, 200) puts its pen.
TEST_F(FontTest, GlyphOffsetsPerHeight) {
    Start(kDD8);
    const struct {
        const char* face;
        int height, pitch, linePitch;
        const char* ch;
        int x, y;
    } cases[] = {
        {"ＭＳ ゴシック", 9, 10, 10, "A", 101, 199},     {"ＭＳ ゴシック", 9, 10, 10, "あ", 100, 200},
        {"ＭＳ ゴシック", 16, 16, 16, "A", 102, 200},    {"ＭＳ ゴシック", 16, 16, 16, "あ", 100, 200},
        {"ＭＳ ゴシック", 30, 32, 32, "A", 104, 201},    {"ＭＳ ゴシック", 30, 32, 32, "漢", 100, 200},
        {"ＭＳ ゴシック", 16, 16, 16, "(", 102, 200},    {"ＭＳ Ｐゴシック", 16, 16, 16, "(", 106, 200},
        {"ＭＳ Ｐゴシック", 16, 16, 16, "}", 106, 200},  {"ＭＳ Ｐゴシック", 16, 16, 16, "（", 104, 200},
        {"ＭＳ Ｐゴシック", 16, 16, 16, "｝", 104, 200}, {"ＭＳ Ｐゴシック", 16, 16, 16, "[", 102, 200},
        {"ＭＳ Ｐゴシック", 30, 32, 32, "）", 108, 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.ch) + " at height " + std::to_string(c.height));
        Make(c.height, c.pitch, c.linePitch, 0, c.face);
        EXPECT_EQ(font.GlyphPen(Code(c.ch), 100, 200), std::make_pair(c.x, c.y));
    }
    // Centred glyphs ignore the bracket shift.
    Make(16, 16, 16, 0, "ＭＳ Ｐゴシック");
    font.m_bCenter = 1;
    EXPECT_EQ(font.GlyphPen(Code("（"), 100, 200).second, 200);
    EXPECT_LT(font.GlyphPen(Code("（"), 100, 200).first, 104);
}

TEST_F(FontTest, MeasuresMultiLineText) {
    Start(kDD8);
    const std::string longLine(600, 'x');
    const struct {
        int pitch, linePitch;
        std::string text;
        int w, h;
    } cases[] = {
        {16, 16, "abc\nabcde", 80, 32}, {16, 16, "", 0, 0},         {16, 16, "あいう", 48, 16},
        {16, 16, "a\n", 16, 16},        {16, 16, "\n\nab", 32, 48}, {10, 10, "漢字 and\nx", 60, 20},
        {16, 16, longLine, 9600, 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 20));
        Make(16, c.pitch, c.linePitch, 0);
        std::pair<int, int> size{-1, -1};
        MeasureTextLines(font, size, c.text.c_str());
        EXPECT_EQ(size, std::make_pair(c.w, c.h));
    }
}

// "ab" with a symbol picture is two symbol cells and no letters; with the
// no-symbols flag it is two letters.
TEST_F(FontTest, LettersStandForSymbolCells) {
    for (const DrawMode* m : {&kDD8, &kD3D32}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        Make(16, 16, 16, 1);
        MakeSymbols(16, 16);
        PalNumToRGB(&BackBuffer, 0, 0, 640, 480, kGround);
        font.DrawText(&BackBuffer, 32, 48, "ab");
        EXPECT_EQ(CountInRect(BackBuffer, 32, 48, 16, 16, Colour(10)), 256);
        EXPECT_EQ(CountInRect(BackBuffer, 48, 48, 16, 16, Colour(11)), 256);
        EXPECT_EQ(CountInRect(BackBuffer, 64, 48, 16, 16, Colour(kGround)), 256);

        PalNumToRGB(&BackBuffer, 0, 0, 640, 480, kGround);
        font.DrawText(&BackBuffer, 32, 48, "ab", 1);
        EXPECT_EQ(CountInRect(BackBuffer, 32, 48, 32, 16, Colour(10)), 0);
        EXPECT_EQ(CountInRect(BackBuffer, 32, 48, 32, 16, Colour(11)), 0);
        EXPECT_GT(CountOther(BackBuffer, 32, 48, 16, 16, Colour(kGround)), 10);
        EXPECT_GT(CountOther(BackBuffer, 48, 48, 16, 16, Colour(kGround)), 10);
        font.Release();
        DDReleaseSurface(&symbols);
        DDRelease();
    }
}

// The full-width atlas starts with the built-in characters in order, as
// many as fit; its size follows the path and the pitches.
TEST_F(FontTest, AtlasOrderAndCapacity) {
    const struct {
        const DrawMode* mode;
        int height, pitch, linePitch;
        int columns, rows, count;
    } cases[] = {
        {&kD3D32, 9, 10, 10, 32, 32, 258}, {&kDD8, 9, 10, 10, 32, 30, 258},   {&kD3D32, 16, 16, 16, 32, 32, 258},
        {&kDD8, 16, 16, 16, 32, 30, 258},  {&kDD8, 30, 32, 32, 20, 15, 258},  {&kD3D32, 30, 64, 64, 16, 16, 256},
        {&kDD8, 30, 64, 64, 10, 7, 70},    {&kDD16, 30, 32, 48, 20, 10, 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mode->name) + " pitch " + std::to_string(c.pitch));
        Start(*c.mode);
        Make(c.height, c.pitch, c.linePitch, 1);
        ASSERT_TRUE(font.m_lpFastFont && font.m_lpFastFont_Half);
        const cFastFont& full = *font.m_lpFastFont;
        EXPECT_EQ(full.m_nColumns, c.columns);
        EXPECT_EQ(full.m_nRows, c.rows);
        EXPECT_EQ(full.m_nCapacity, c.columns * c.rows);
        EXPECT_EQ(full.m_nCount, c.count);
        EXPECT_EQ(full.m_Surface.nWidth, c.columns * c.pitch);
        EXPECT_EQ(full.m_Surface.nHeight, c.rows * c.linePitch);
        EXPECT_EQ(font.m_lpFastFont_Half->m_Surface.nWidth, 16 * c.pitch);
        const struct {
            const char* ch;
            int index;
        } order[] = {{"０", 0}, {"ー", 10}, {"Ａ", 36}, {"あ", 88}, {"ヴ", 234}, {"：", 257}};
        for (const auto& o : order) {
            const FASTFONTGLYPH* g = full.Find(Code(o.ch));
            if (o.index >= c.count) {
                EXPECT_EQ(g, nullptr) << o.ch;
                continue;
            }
            ASSERT_NE(g, nullptr) << o.ch;
            EXPECT_EQ(g->nIndex, o.index);
            EXPECT_EQ(g->x, (o.index % c.columns) * c.pitch);
            EXPECT_EQ(g->y, (o.index / c.columns) * c.linePitch);
        }
        font.Release();
        DDRelease();
    }
}

// A character outside the built-in set joins the atlas when first drawn
// and is drawn from it afterwards; a full atlas draws it directly.
TEST_F(FontTest, FullWidthCharacterJoinsTheAtlasOnFirstUse) {
    for (const DrawMode* m : {&kDD8, &kD3D32}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        Make(16, 16, 16, 1);
        cFastFont& full = *font.m_lpFastFont;
        ASSERT_EQ(full.Find(Code("字")), nullptr);
        PalNumToRGB(&BackBuffer, 0, 0, 640, 480, kGround);
        font.DrawText(&BackBuffer, 0, 0, "漢字");
        const FASTFONTGLYPH* g = full.Find(Code("字"));
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(g->nIndex, 259);
        EXPECT_EQ(std::make_pair(g->x, g->y), std::make_pair(3 * 16, 8 * 16));
        EXPECT_EQ(full.m_nCount, 260);
        const int inAtlas = CountOther(full.m_Surface, g->x, g->y, 16, 16, Colour(0));
        EXPECT_GT(inAtlas, 20);
        const int onScreen = CountOther(BackBuffer, 16, 0, 16, 16, Colour(kGround));
        EXPECT_GT(onScreen, 20);
        // Solid glyphs show it exactly: the cell on the screen is the atlas cell.
        if (!m->bD3D) { EXPECT_EQ(onScreen, inAtlas); }
        font.DrawText(&BackBuffer, 0, 32, "字字");
        EXPECT_EQ(full.m_nCount, 260);
        EXPECT_EQ(CountOther(BackBuffer, 16, 32, 16, 16, Colour(kGround)), onScreen);
        font.Release();

        Make(30, 64, 64, 1);
        ASSERT_EQ(font.m_lpFastFont->m_nCount, font.m_lpFastFont->m_nCapacity);
        PalNumToRGB(&BackBuffer, 0, 0, 640, 480, kGround);
        font.DrawText(&BackBuffer, 0, 0, "字");
        EXPECT_EQ(font.m_lpFastFont->Find(Code("字")), nullptr);
        EXPECT_GT(CountOther(BackBuffer, 0, 0, 64, 64, Colour(kGround)), 20);
        font.Release();
        DDRelease();
    }
}

// Text drawn from the atlases looks exactly like text drawn glyph by glyph,
// and in the DirectDraw path every pixel is the background or the exact
// text colour: no fringe that a colour key could leave behind.
TEST_F(FontTest, AtlasTextEqualsDirectTextInExactColour) {
    for (const DrawMode* m : {&kDD8, &kDD16, &kDD32}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        const char* text = "Score 0123\nあいうＡＢ漢字 (ok)";
        Make(16, 16, 16, 0);
        PalNumToRGB(&BackBuffer, 0, 0, 640, 480, kGround);
        font.DrawText(&BackBuffer, 40, 40, text);
        const std::vector<std::uint32_t> direct = Snapshot(BackBuffer);
        font.Release();
        Make(16, 16, 16, 1);
        PalNumToRGB(&BackBuffer, 0, 0, 640, 480, kGround);
        font.DrawText(&BackBuffer, 40, 40, text);
        const std::vector<std::uint32_t> cached = Snapshot(BackBuffer);
        EXPECT_TRUE(direct == cached);
        const std::uint32_t ground = Colour(kGround), ink = Colour(kText);
        EXPECT_TRUE(
            std::all_of(cached.begin(), cached.end(), [&](std::uint32_t p) { return p == ground || p == ink; }));
        EXPECT_GT(std::count(cached.begin(), cached.end(), ink), 200);
        font.Release();
        DDRelease();
    }
}

// After a lost device the atlases hold the same glyphs as before, the
// character added on first use included.
TEST_F(FontTest, AtlasesAreRebuiltAfterALostDevice) {
    for (const DrawMode* m : {&kD3D32, &kDD8}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        Make(16, 16, 16, 1);
        font.DrawText(&BackBuffer, 0, 0, "字");
        const std::vector<std::uint32_t> half = Snapshot(font.m_lpFastFont_Half->m_Surface);
        const std::vector<std::uint32_t> full = Snapshot(font.m_lpFastFont->m_Surface);
        DDSimulateDeviceLost(true);
        EXPECT_FALSE(Snapshot(font.m_lpFastFont->m_Surface) == full);
        const bool restored = m->bD3D ? DDRestoreSurface() == 1 : DDRestore();
        EXPECT_TRUE(restored);
        EXPECT_TRUE(Snapshot(font.m_lpFastFont_Half->m_Surface) == half);
        EXPECT_TRUE(Snapshot(font.m_lpFastFont->m_Surface) == full);
        EXPECT_EQ(font.m_lpFastFont->m_nCount, 259);
        EXPECT_EQ(font.m_lpFastFont->m_Surface.bLost, 0);
        font.Release();
        DDRelease();
    }
}

// The digit strips of the default fonts hold their digits again after a
// lost device, in both paths.
TEST_F(FontTest, DigitStripsAreDrawnAgainAfterALostDevice) {
    for (const DrawMode* m : {&kD3D32, &kDD8}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        FONTTABLEENTRY entries[kDefaultFontCount];
        std::copy(std::begin(FontTable), std::end(FontTable), entries);
        for (FONTTABLEENTRY& e : entries) e.nCacheMode = 1;
        ASSERT_EQ(CreateFonts(Fonts, entries, kDefaultFontCount), 1);
        ASSERT_EQ(CreateDigitFonts(DigitSurfaces, DigitSurfaceTable, kDefaultFontCount, Fonts, entries), 1);
        EXPECT_EQ(DigitSurfaces[1].nWidth, 160);
        const std::vector<std::uint32_t> digits = Snapshot(DigitSurfaces[1]);
        EXPECT_GT(CountOther(DigitSurfaces[1], 0, 0, 160, 16, Colour(0)), 100);
        DDSimulateDeviceLost(true);
        const bool restored = m->bD3D ? DDRestoreSurface() == 1 : DDRestore();
        EXPECT_TRUE(restored);
        EXPECT_TRUE(Snapshot(DigitSurfaces[1]) == digits);
        for (Font& f : Fonts) f.Release();
        for (DDSURFACEDATA& sd : DigitSurfaces) DDReleaseSurface(&sd);
        DDRelease();
    }
}

// Text reaches every kind of destination (drawn on directly, or composed on
// the work surface and blitted keyed), inside its measured area only.
TEST_F(FontTest, TextReachesEveryKindOfDestination) {
    const struct {
        const DrawMode* mode;
        int ddMemory, memoryType, cacheMode;
    } cases[] = {
        {&kD3D32, 0, DTMEMORYTYPE_VIDEO_RT, 0}, {&kD3D32, 1, DTMEMORYTYPE_SYSTEM, 0},
        {&kD3D32, 1, DTMEMORYTYPE_SYSTEM, 1},   {&kDD8, 1, DTMEMORYTYPE_SYSTEM, 0},
        {&kDD32, 0, DTMEMORYTYPE_VIDEO_RT, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mode->name) + " memory " + std::to_string(c.memoryType) + " atlas " +
                     std::to_string(c.cacheMode));
        Start(*c.mode);
        Make(16, 16, 16, c.cacheMode);
        DDSURFACEDATA target;
        ASSERT_TRUE(DDCreateSurface(&target, 200, 100, 0, c.ddMemory, c.memoryType, 0, 0));
        PalNumToRGB(&target, 0, 0, 200, 100, kGround);
        const std::uint32_t ground = PixelAt(target, 0, 0);
        font.DrawText(&target, 20, 30, "Aあ\n字b");
        EXPECT_GT(CountOther(target, 20, 30, 32, 32, ground), 60);
        EXPECT_EQ(CountOther(target, 0, 0, 200, 100, ground), CountOther(target, 20, 30, 32, 32, ground));
        DDReleaseSurface(&target);
        font.Release();
        DDRelease();
    }
}

TEST_F(FontTest, WindowCentredOnItsPicture) {
    Start(kDD32);
    DDSURFACEDATA window;
    ASSERT_TRUE(DDCreateSurface(&window, 640, 480, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    PalNumToRGB(&window, 0, 0, 640, 480, 12);
    ASSERT_EQ(font.Create("ＭＳ ゴシック", 0, 16, 16, 16, kText, &window, 1, 240, nullptr, 0), 1);
    PalNumToRGB(&BackBuffer, 0, 0, 640, 480, kGround);
    font.DrawWindow(&BackBuffer, 10000, 100, 200, 50);
    EXPECT_EQ(PixelAt(BackBuffer, 218, 120), Colour(kGround));
    EXPECT_EQ(PixelAt(BackBuffer, 219, 120), Colour(240));
    EXPECT_EQ(PixelAt(BackBuffer, 220, 120), Colour(12));
    EXPECT_EQ(PixelAt(BackBuffer, 419, 120), Colour(12));
    EXPECT_EQ(PixelAt(BackBuffer, 420, 120), Colour(240));
    // A text frame of zero size takes the margin and the measured text.
    PalNumToRGB(&BackBuffer, 0, 0, 640, 480, kGround);
    font.DrawTextFrame(&BackBuffer, 100, 300, 0, 0, "abc\nabcde", 8);
    EXPECT_EQ(PixelAt(BackBuffer, 100 + 8 + 80 - 1, 316), Colour(12));
    EXPECT_EQ(PixelAt(BackBuffer, 100 + 8 + 80, 316), Colour(240));
    EXPECT_EQ(PixelAt(BackBuffer, 150, 300 + 32), Colour(240));
    font.Release();
    DDReleaseSurface(&window);
}

}  // namespace
