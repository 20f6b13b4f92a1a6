#include <vector>

#include "draw/blit.h"
#include "draw/primitives.h"
#include "draw_fixture.h"

namespace {

// A picture whose pixel colour names its column (never black).
std::vector<std::uint32_t> ColumnCoded(int w, int h) {
    std::vector<std::uint32_t> rgb(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            rgb[static_cast<std::size_t>(y) * w + x] = 0x010000u | static_cast<std::uint32_t>(x);
    }
    return rgb;
}

struct ClipCase {
    const char* name;
    const DrawMode* mode;
    int srcW, srcH;
    int x, y, w, h, sx, sy, sw, sh;
    int result;
    int ox, oy, ow, oh, osx, osy, osw, osh;
};

class ClipTest : public DrawTest {};

TEST_F(ClipTest, ClipsBothRectangles) {
    const ClipCase cases[] = {
        {"1000-wide picture at x=-30",
         &kDD32,
         1000,
         32,
         -30,
         0,
         1000,
         32,
         0,
         0,
         1000,
         32,
         1,
         0,
         0,
         640,
         32,
         30,
         0,
         640,
         32},
        {"zero width", &kDD32, 32, 32, 0, 0, 0, 32, 0, 0, 0, 32, 0, 0, 0, 0, 32, 0, 0, 0, 32},
        {"negative source left leaves the destination",
         &kDD32,
         32,
         32,
         100,
         50,
         32,
         32,
         -10,
         0,
         32,
         32,
         1,
         100,
         50,
         22,
         32,
         0,
         0,
         22,
         32},
        {"right and bottom edges", &kDD32, 64, 64, 620, 470, 32, 32, 0, 0, 32, 32, 1, 620, 470, 20, 10, 0, 0, 20, 10},
        {"wholly outside", &kDD32, 32, 32, 700, 0, 32, 32, 0, 0, 32, 32, 0, 700, 0, 0, 32, 0, 0, -60, 32},
        {"scaled, cut on the left in proportion",
         &kDD32,
         32,
         32,
         -10,
         0,
         64,
         64,
         0,
         0,
         32,
         32,
         1,
         0,
         0,
         54,
         64,
         5,
         0,
         27,
         32},
        {"scaled mirror inside the source",
         &kD3D32,
         32,
         32,
         0,
         0,
         64,
         32,
         32,
         0,
         -32,
         32,
         1,
         0,
         0,
         64,
         32,
         32,
         0,
         -32,
         32},
        {"scaled mirror beyond the source keeps its sign",
         &kD3D32,
         20,
         32,
         0,
         0,
         64,
         32,
         32,
         0,
         -32,
         32,
         1,
         0,
         0,
         40,
         32,
         20,
         0,
         -20,
         32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start(*c.mode);
        DDSURFACEDATA src;
        src.nWidth = c.srcW;
        src.nHeight = c.srcH;
        int x = c.x, y = c.y, w = c.w, h = c.h, sx = c.sx, sy = c.sy, sw = c.sw, sh = c.sh;
        EXPECT_EQ(DDClipBlt(&BackBuffer, &x, &y, &w, &h, &src, &sx, &sy, &sw, &sh), c.result);
        if (c.result) {
            EXPECT_EQ((std::vector<int>{x, y, w, h, sx, sy, sw, sh}),
                      (std::vector<int>{c.ox, c.oy, c.ow, c.oh, c.osx, c.osy, c.osw, c.osh}));
        }
        DDRelease();
    }
}

class BlitTest : public DrawTest {};

// Channel bits every mode keeps of a colour: 16-bit modes hold the top five
// bits of each channel, 8-bit mode holds the index.
std::uint32_t KeptBits(const DrawMode& m) { return m.bpp == 8 ? 0xFFu : m.bpp == 16 ? 0xF8F8F8u : 0xFFFFFFu; }

const DrawMode* const kAllModes[] = {&kD3D32, &kD3D16Window, &kD3D16Full, &kDD32, &kDD16, &kDD8};

TEST_F(BlitTest, WidePictureAtMinus30DrawsColumns30To669) {
    std::vector<std::uint32_t> table(256);
    for (int i = 0; i < 256; ++i)
        table[static_cast<std::size_t>(i)] = 0x080000u * (i % 31 + 1) + 0x0800u * (i % 29) + 0x08u * (i % 23);
    std::vector<std::uint8_t> idx(2000);
    for (int i = 0; i < 2000; ++i)
        idx[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(1 + (i % 1000) * 7 % 251);
    dir.WriteHostFile("wide.bmp", Bmp8(1000, 2, table, idx));
    for (const DrawMode* m : kAllModes) {
        SCOPED_TRACE(m->name);
        Start(*m);
        DDSURFACEDATA pic;
        ASSERT_EQ(DDCreateSurfaceFromFile(&pic, "wide.bmp", 0, m->bpp, 0, 0, 0, 0, 0, 0, 0), 0);
        PalNumToRGB(&BackBuffer, 0, 0, 640, 3, 0);
        const std::uint32_t below = PixelAt(BackBuffer, 0, 2);
        EXPECT_EQ(DDBlt(&BackBuffer, -30, 0, 1000, 2, &pic, 0, 0, 0), 1);
        const std::uint32_t bits = KeptBits(*m);
        int wrong = 0;
        for (int x = 0; x < 640; ++x) wrong += (PixelAt(BackBuffer, x, 1) & bits) != (PixelAt(pic, 30 + x, 1) & bits);
        EXPECT_EQ(wrong, 0);
        EXPECT_NE(PixelAt(BackBuffer, 0, 1) & bits, PixelAt(pic, 0, 1) & bits);
        EXPECT_EQ(PixelAt(BackBuffer, 0, 2), below) << "nothing below the picture";
        DDReleaseSurface(&pic);
        DDRelease();
    }
}

TEST_F(BlitTest, DirectDrawKeyIsTheSourceKeyOfKeyedSurfaces) {
    const struct {
        const DrawMode* mode;
        int surfaceKey;
        int flags;
        bool keyShows;
    } cases[] = {
        {&kDD32, 1, 0, true}, {&kDD32, 1, 1, false}, {&kDD32, 0, 1, true},
        {&kDD8, 1, 0, true},  {&kDD8, 1, 1, false},  {&kDD16, 1, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mode->name) + " key " + std::to_string(c.surfaceKey) + " flags " +
                     std::to_string(c.flags));
        Start(*c.mode);
        Palette[1] = PALETTEENTRY{1, 1, 1, 0};
        Palette[2] = PALETTEENTRY{2, 2, 2, 0};
        Palette[3] = PALETTEENTRY{3, 3, 3, 0};
        dwTransmit = DDPalNumToPixel(2);  // the key a surface takes at its creation
        DDSURFACEDATA pic;
        ASSERT_TRUE(DDCreateSurface(&pic, 2, 1, c.surfaceKey, 0, 0, 0, 0));
        dwTransmit = DDPalNumToPixel(3);  // later changes do not reach it
        PalNumToRGB(&pic, 0, 0, 1, 1, 2);
        PalNumToRGB(&pic, 1, 0, 1, 1, 3);
        PalNumToRGB(&BackBuffer, 0, 0, 2, 1, 1);
        EXPECT_EQ(DDBlt(&BackBuffer, 0, 0, 2, 1, &pic, 0, 0, c.flags), 1);
        EXPECT_EQ(BackBuffer.Pixels()->Get(0, 0), DDPalNumToPixel(c.keyShows ? 2 : 1));
        EXPECT_EQ(BackBuffer.Pixels()->Get(1, 0), DDPalNumToPixel(3));
        DDReleaseSurface(&pic);
        DDRelease();
    }
}

TEST_F(BlitTest, EightBitPictureCopiesIndices) {
    Start(kDD8);
    std::vector<std::uint8_t> idx(300);
    for (int x = 0; x < 300; ++x) idx[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(x % 251);
    dir.WriteHostFile("p8.bmp", Bmp8(300, 1, {}, idx));
    dwTransmit = 5;
    DDSURFACEDATA pic;
    ASSERT_EQ(DDCreateSurfaceFromFile(&pic, "p8.bmp", 1, 8, 0, 0, 0, 0, 0, 0, 0), 0);
    PalNumToRGB(&BackBuffer, 0, 0, 640, 1, 9);
    EXPECT_EQ(DDBlt(&BackBuffer, -10, 0, 300, 1, &pic, 0, 0, 1), 1);
    EXPECT_EQ(PixelAt(BackBuffer, 0, 0), 10u);
    EXPECT_EQ(PixelAt(BackBuffer, 246, 0), 9u) << "index 5 is the key and leaves the fill";
    EXPECT_EQ(PixelAt(BackBuffer, 247, 0), 6u);
    EXPECT_EQ(PixelAt(BackBuffer, 290, 0), 9u) << "nothing beyond the picture";
}

TEST_F(BlitTest, ZeroWidthDrawsNothing) {
    for (const DrawMode* m : {&kD3D32, &kDD32, &kDD8}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        DDSURFACEDATA pic;
        ASSERT_TRUE(DDCreateSurface(&pic, 8, 8, 0, 0, 0, 0, 0));
        EXPECT_EQ(DDBlt(&BackBuffer, 0, 0, 0, 8, &pic, 0, 0, 0), 0);
        DDReleaseSurface(&pic);
        DDRelease();
    }
}

TEST_F(BlitTest, MirroredCellDrawsTheSharedSheetReversed) {
    Start(kD3D32);
    dir.WriteHostFile("sheet.bmp", Bmp24(64, 2, ColumnCoded(64, 2)));
    DDSURFACEDATA sheet, mirrored;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sheet, "sheet.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    ASSERT_EQ(DDCreateSurfaceFromFile(&mirrored, "sheet.bmp", 1, 32, 0, 0, 1, 0, 32, 0, 0), 0);
    mirrored.lpShareSD = &sheet;

    struct WrapCase {
        int sx, sw, osx, osw;
    } wraps[] = {{64, 32, 96, -32}, {70, 16, 90, -16}, {0, 64, 0, 64}};
    for (const auto& c : wraps) {
        int sx = c.sx, sy = 0, sw = c.sw, sh = 2;
        DDWrapMirror(&mirrored, &sx, &sy, &sw, &sh);
        EXPECT_EQ(sx, c.osx);
        EXPECT_EQ(sw, c.osw);
        EXPECT_EQ(sh, 2);
    }
    EXPECT_EQ(DDBlt(&BackBuffer, 0, 0, 32, 2, &mirrored, 32, 0, 1), 1);
    for (int x = 0; x < 32; ++x) EXPECT_EQ(PixelAt(BackBuffer, x, 0), 0xFF010000u | (63u - x)) << x;
    DDReleaseSurface(&mirrored);
    EXPECT_EQ(sheet.nWidth, 64);
    EXPECT_NE(sheet.Pixels(), nullptr) << "releasing the sharing record keeps the sheet";
    DDReleaseSurface(&sheet);
}

TEST_F(BlitTest, LoadedMirrorSheetsAreReversedPerCell) {
    for (const DrawMode* m : {&kD3D32, &kDD32}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        dir.WriteHostFile("sheet.bmp", Bmp24(64, 1, ColumnCoded(64, 1)));
        DDSURFACEDATA sheet;
        ASSERT_EQ(DDCreateSurfaceFromFile(&sheet, "sheet.bmp", 1, 32, 0, 0, 0, 0, 32, 0, 0), 0);
        for (int x : {0, 31, 32, 63}) {
            const std::uint32_t want = 0x010000u | static_cast<std::uint32_t>((x / 32 + 1) * 32 - x % 32 - 1);
            EXPECT_EQ(PixelAt(sheet, x, 0) & 0xFFFFFF, want) << x;
        }
        DDReleaseSurface(&sheet);
        DDRelease();
    }
}

// A keyed picture drawn with flags 0 shows its transparent texels as the
// target's idea of transparent; with flags 1 they leave the target alone.
TEST_F(BlitTest, KeyedPictureWithFlags0OnRenderTargetAndBackBuffer) {
    struct Case {
        const char* name;
        bool onBackBuffer;
        int flags;
        std::uint32_t keyPixel;
    };
    const Case cases[] = {
        {"render target, flags 0", false, 0, 0x00000000u},
        {"back buffer, flags 0", true, 0, 0xFFFF00FFu},
        {"render target, flags 1", false, 1, 0xFF00FF00u},
        {"back buffer, flags 1", true, 1, 0xFF00FF00u},
    };
    Start(kD3D32);
    DDSetTransmit(255, 0, 255);
    dir.WriteHostFile("keyed.bmp", Bmp24(2, 1, {0xFF00FF, 0xFF0000}));
    DDSURFACEDATA pic, target;
    ASSERT_EQ(DDCreateSurfaceFromFile(&pic, "keyed.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    ASSERT_TRUE(DDCreateSurface(&target, 4, 1, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DDSURFACEDATA* dst = c.onBackBuffer ? &BackBuffer : &target;
        DDFillRectColor(dst, 0, 0, 4, 1, 0xFF00FF00u);
        EXPECT_EQ(DDBlt(dst, 0, 0, 2, 1, &pic, 0, 0, c.flags), 1);
        EXPECT_EQ(PixelAt(*dst, 0, 0), c.keyPixel);
        EXPECT_EQ(PixelAt(*dst, 1, 0), 0xFFFF0000u);
        EXPECT_EQ(PixelAt(*dst, 2, 0), 0xFF00FF00u);
    }
    DDReleaseSurface(&pic);
    DDReleaseSurface(&target);
}

TEST_F(BlitTest, SixteenBitTexturesKeepTheirKeyBit) {
    Start(kD3D16Window);
    lpDTCon->rgbTransmit_16[0] = 255;  // blue
    lpDTCon->rgbTransmit_16[2] = 255;  // red
    dir.WriteHostFile("keyed.bmp", Bmp24(2, 1, {0xFF00FF, 0xFF0000}));
    DDSURFACEDATA pic, target;
    ASSERT_EQ(DDCreateSurfaceFromFile(&pic, "keyed.bmp", 1, 16, 0, 0, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(pic.Pixels()->Get(0, 0), 0u);
    EXPECT_EQ(pic.Pixels()->Get(1, 0), 0xFC00u);
    ASSERT_TRUE(DDCreateSurface(&target, 2, 1, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    DDFillRectColor(&target, 0, 0, 2, 1, 0xFF00FF00u);
    EXPECT_EQ(DDBlt(&target, 0, 0, 2, 1, &pic, 0, 0, 1), 1);
    EXPECT_EQ(target.Pixels()->Get(0, 0), 0x83E0u);
    EXPECT_EQ(target.Pixels()->Get(1, 0), 0xFC00u);
    DDReleaseSurface(&pic);
    DDReleaseSurface(&target);
}

TEST_F(BlitTest, FullScreen16BitProcessorCopyWidensGreen) {
    Start(kD3D16Full);
    DDSURFACEDATA sys;
    ASSERT_TRUE(DDCreateSurface(&sys, 2, 1, 1, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
    sys.Pixels()->Put(0, 0, 0x83E0u);  // opaque green
    sys.Pixels()->Put(1, 0, 0x03E0u);  // green without the key bits: transparent
    PalNumToRGB(&BackBuffer, 0, 0, 2, 1, 0);
    BackBuffer.Pixels()->Put(1, 0, 0x1234u);
    EXPECT_EQ(DDBlt(&BackBuffer, 0, 0, 2, 1, &sys, 0, 0, 1), 1);
    EXPECT_EQ(BackBuffer.Pixels()->Get(0, 0), 0x07C0u);
    EXPECT_EQ(BackBuffer.Pixels()->Get(1, 0), 0x1234u);
    DDReleaseSurface(&sys);
}

TEST_F(BlitTest, ProcessorCopyNeverReadsOutsideTheSource) {
    Start(kD3D32);
    DDSURFACEDATA sys, target;
    ASSERT_TRUE(DDCreateSurface(&sys, 4, 4, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&target, 8, 8, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
    DDFillRectColor(&sys, 0, 0, 4, 4, 0xFF112233u);
    DDFillRectColor(&target, 0, 0, 8, 8, 0xFF000000u);
    // Negative source coordinates and a scaled rectangle far larger than
    // the source: only the part that lies inside the source is copied.
    EXPECT_EQ(DDBltStretch(&target, 0, 0, 8, 8, &sys, -2, -2, 16, 16, 0), 1);
    int copied = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) copied += PixelAt(target, x, y) == 0xFF112233u;
    EXPECT_EQ(copied, 4);  // of steps 2 from -2, only source columns and rows 0 and 2 exist
    DDReleaseSurface(&sys);
    DDReleaseSurface(&target);
}

TEST_F(BlitTest, TextureStageOperations) {
    Start(kD3D32);
    DDSURFACEDATA pic;
    ASSERT_TRUE(DDCreateSurface(&pic, 1, 1, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    pic.Pixels()->Put(0, 0, 0xFF808080u);
    const struct {
        DWORD diffuse, colorOp, alphaOp;
        std::uint32_t want;  // over opaque black
    } cases[] = {
        {0xFFFF0000u, D3DTOP_MODULATE, D3DTOP_SELECTARG1, 0xFF800000u},
        {0xFF90FF00u, D3DTOP_ADD, D3DTOP_SELECTARG1, 0xFFFFFF80u},
        {0xFF204000u, D3DTOP_SUBTRACT, D3DTOP_SELECTARG1, 0xFF604080u},
        {0xFF102030u, D3DTOP_SELECTARG2, D3DTOP_SELECTARG1, 0xFF102030u},
        {0xFF404040u, D3DTOP_MODULATE2X, D3DTOP_SELECTARG1, 0xFF404040u},
        {0xFF000000u, D3DTOP_BLENDDIFFUSEALPHA, D3DTOP_SELECTARG1, 0xFF808080u},
        // Alpha from the diffuse colour: half the tinted texel over black.
        {0x80FFFFFFu, D3DTOP_MODULATE, D3DTOP_MODULATE, 0xFF404040u},
        {0x80FFFFFFu, D3DTOP_SELECTARG1, D3DTOP_DISABLE, 0xFF404040u},
        // Alpha from the texel: the diffuse alpha does not matter.
        {0x00FFFFFFu, D3DTOP_MODULATE, D3DTOP_SELECTARG1, 0xFF808080u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << std::hex << c.diffuse << " op " << std::dec << c.colorOp << "/" << c.alphaOp);
        DDFillRectColor(&BackBuffer, 0, 0, 1, 1, 0xFF000000u);
        DDSetAlphaOp(c.alphaOp);
        const DDBLTCOLOR op = {c.diffuse, c.colorOp};
        EXPECT_EQ(DDBltOp(&BackBuffer, 0, 0, 1, 1, &pic, 0, 0, 0, &op), 1);
        DDResetAlphaOp();
        EXPECT_EQ(PixelAt(BackBuffer, 0, 0), c.want);
        EXPECT_EQ(lpDTCon->dwColorOp, D3DTOP_MODULATE) << "the pair is reset after the blit";
        EXPECT_EQ(lpDTCon->dwVertexColor, 0xFFFFFFFFu);
    }
    DDReleaseSurface(&pic);
}

TEST_F(BlitTest, TexelsOfEveryAlphaClassInOneRow) {
    Start(kD3D32);
    DDSURFACEDATA pic;
    ASSERT_TRUE(DDCreateSurface(&pic, 3, 2, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    const std::uint32_t texels[2][3] = {{0x80FF0000u, 0xFF00FF00u, 0x00000000u},
                                        {0xFF0000FFu, 0x00FFFFFFu, 0xFF0000FFu}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) pic.Pixels()->Put(x, y, texels[y][x]);
    const std::uint32_t want[2][3] = {{0xFF800000u, 0xFF00FF00u, 0xFF000000u}, {0xFF0000FFu, 0xFF000000u, 0xFF0000FFu}};
    for (bool opaqueNoted : {false, true}) {
        if (opaqueNoted) pic.Pixels()->NoteOpacity();
        EXPECT_FALSE(pic.Pixels()->bOpaque);
        DDFillRectColor(&BackBuffer, 0, 0, 3, 2, 0xFF000000u);
        EXPECT_EQ(DDBlt(&BackBuffer, 0, 0, 3, 2, &pic, 0, 0, 1), 1);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelAt(BackBuffer, x, y), want[y][x]) << x << "," << y;
    }
}

// A sheet of key holes and opaque texels is noted so when loaded and drawn
// by each texel's top bit; a texel written afterwards drops the note, so a
// partial alpha written then is blended, not taken whole.
TEST_F(BlitTest, SheetOfHolesAndOpaqueTexelsKeepsItsNoteOnlyUntilWritten) {
    Start(kD3D32);
    DDSURFACEDATA pic;
    ASSERT_TRUE(DDCreateSurface(&pic, 3, 1, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    const std::uint32_t texels[3] = {0xFF112233u, 0x00FFFFFFu, 0xFF0000FFu};
    for (int x = 0; x < 3; ++x) pic.Pixels()->Put(x, 0, texels[x]);
    pic.Pixels()->NoteOpacity();
    EXPECT_TRUE(pic.Pixels()->bAlphaCut);
    EXPECT_FALSE(pic.Pixels()->bOpaque);
    DDFillRectColor(&BackBuffer, 0, 0, 3, 1, 0xFF000000u);
    EXPECT_EQ(DDBlt(&BackBuffer, 0, 0, 3, 1, &pic, 0, 0, 1), 1);
    EXPECT_EQ(PixelAt(BackBuffer, 0, 0), 0xFF112233u);
    EXPECT_EQ(PixelAt(BackBuffer, 1, 0), 0xFF000000u) << "a hole leaves the destination";
    EXPECT_EQ(PixelAt(BackBuffer, 2, 0), 0xFF0000FFu);

    pic.Pixels()->Put(0, 0, 0x80FF0000u);
    EXPECT_FALSE(pic.Pixels()->bAlphaCut);
    DDFillRectColor(&BackBuffer, 0, 0, 3, 1, 0xFF000000u);
    EXPECT_EQ(DDBlt(&BackBuffer, 0, 0, 3, 1, &pic, 0, 0, 1), 1);
    EXPECT_EQ(PixelAt(BackBuffer, 0, 0), 0xFF800000u) << "half red over black";
    DDReleaseSurface(&pic);
}

TEST_F(BlitTest, BackBufferReadAsTextureIsOpaque) {
    Start(kD3D32);
    DDSURFACEDATA work;
    ASSERT_TRUE(DDCreateSurface(&work, 4, 1, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    DDFillRectColor(&BackBuffer, 0, 0, 4, 1, 0xFF000000u);
    DDFillRectColor(&BackBuffer, 0, 0, 4, 1, 0x80FFFFFFu);  // leaves a fourth byte below 255
    ASSERT_LT(BackBuffer.Pixels()->Get(0, 0) >> 24, 255u);
    const std::uint32_t shown = PixelAt(BackBuffer, 0, 0);
    for (int sw : {4, 8}) {  // same size and scaled
        SCOPED_TRACE(sw);
        DDFillRectColor(&work, 0, 0, 4, 1, 0xFF00FF00u);
        EXPECT_EQ(DDBltStretch(&work, 0, 0, 4, 1, &BackBuffer, 0, 0, sw, 1, 0), 1);
        EXPECT_EQ(PixelAt(work, 0, 0), shown);
    }
    DDReleaseSurface(&work);
}

TEST_F(BlitTest, HalfAlphaFillBlendsOverTheTarget) {
    Start(kD3D32);
    DDFillRectColor(&BackBuffer, 0, 0, 1, 1, 0xFF000000u);
    DDFillRectColor(&BackBuffer, 0, 0, 1, 1, 0x80FF0000u);
    EXPECT_EQ(PixelAt(BackBuffer, 0, 0), 0xFF800000u);
}

TEST_F(BlitTest, NothingDrawsDuringTheFatalClose) {
    Start(kD3D32);
    DDSURFACEDATA pic;
    ASSERT_TRUE(DDCreateSurface(&pic, 1, 1, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    DDFillRectColor(&pic, 0, 0, 1, 1, 0xFF123456u);
    AbortFlag = 1;
    EXPECT_EQ(DDBlt(&BackBuffer, 0, 0, 1, 1, &pic, 0, 0, 0), 0);
    AbortFlag = 0;
    EXPECT_NE(PixelAt(BackBuffer, 0, 0), 0xFF123456u);
    DDReleaseSurface(&pic);
}

TEST_F(BlitTest, CircleOfRadiusOneSetsFourPoints) {
    for (const DrawMode* m : {&kD3D32, &kDD8}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        Palette[3] = PALETTEENTRY{1, 2, 3, 0};
        PalNumToRGB(&BackBuffer, 0, 0, 8, 8, 1);
        const std::uint32_t bg = PixelAt(BackBuffer, 0, 0);
        DDCircle(&BackBuffer, 4, 4, 1, 3);
        int set = 0;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) set += PixelAt(BackBuffer, x, y) != bg;
        EXPECT_EQ(set, 4);
        EXPECT_NE(PixelAt(BackBuffer, 4, 3), bg);
        EXPECT_NE(PixelAt(BackBuffer, 3, 4), bg);
        DDRelease();
    }
}

TEST_F(BlitTest, DebugTextLineFeedStartsBelowAtTheSameX) {
    Start(kD3D32);
    // 16 columns x 8 rows of 2 x 2 cells; each cell coloured by its byte.
    std::vector<std::uint32_t> rgb(32 * 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) rgb[static_cast<std::size_t>(y) * 32 + x] = 0x100u + (y / 2) * 16 + x / 2;
    dir.WriteHostFile("font.bmp", Bmp24(32, 16, rgb));
    DDSURFACEDATA font;
    ASSERT_EQ(DDCreateSurfaceFromFile(&font, "font.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    DDDrawDebugText(&BackBuffer, 10, 20, 2, 2, &font, "A\nB");
    EXPECT_EQ(PixelAt(BackBuffer, 10, 20) & 0xFFFF, 0x100u + 'A');
    EXPECT_EQ(PixelAt(BackBuffer, 10, 22) & 0xFFFF, 0x100u + 'B');
    EXPECT_EQ(DDSpriteBatchDepth(), 0);
    DDReleaseSurface(&font);
}

TEST_F(BlitTest, FormattedDebugTextDrawsTheFormattedBytesAndStopsAt255) {
    Start(kD3D32);
    std::vector<std::uint32_t> rgb(32 * 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) rgb[static_cast<std::size_t>(y) * 32 + x] = 0x100u + (y / 2) * 16 + x / 2;
    dir.WriteHostFile("font.bmp", Bmp24(32, 16, rgb));
    DDSURFACEDATA font;
    ASSERT_EQ(DDCreateSurfaceFromFile(&font, "font.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    DDDrawDebugTextF(&BackBuffer, 10, 20, 2, 2, &font, "X%dY%s", 42, "Z");
    const char expected[] = "X42YZ";
    for (int i = 0; i < 5; ++i) EXPECT_EQ(PixelAt(BackBuffer, 10 + 2 * i, 20) & 0xFFFF, 0x100u + expected[i]) << i;
    // A longer text is cut at 255 bytes: 255 cells of 2 pixels end at 510.
    const std::string longText(400, 'Q');
    DDDrawDebugTextF(&BackBuffer, 0, 100, 2, 2, &font, "%s", longText.c_str());
    EXPECT_EQ(PixelAt(BackBuffer, 508, 100) & 0xFFFF, 0x100u + 'Q');
    EXPECT_NE(PixelAt(BackBuffer, 510, 100) & 0xFFFF, 0x100u + 'Q');
    DDReleaseSurface(&font);
}

}  // namespace
