#include "scenes/stage_play/stage_draw_fixture.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "draw/font.h"
#include "draw/surface_table.h"
#include "gamedata/stage_file/stage_data.h"
#include "platform/files.h"
#include "platform/present.h"
#include "scenes/stage_play/light_mask.h"
#include "scenes/stage_play/map_blocks.h"
#include "scenes/stage_play/stage_layers.h"
#include "scenes/stage_play/status_panel.h"
#include "scenes/stage_play/time_display.h"
#include "support/png_reader.h"

namespace {

std::uint32_t PaletteColour(int i) {
    switch (i) {
        case TestColour::Key: return 0xFF00FF;
        case TestColour::Dark: return 0x101830;
        case 240: return 0x101018;  // window frames
        case 241: return 0xFFFFF0;  // text
        default: break;
    }
    const std::uint32_t r = (i * 37) & 255, g = (i * 91 + 40) & 255, b = (i * 53 + 90) & 255;
    const std::uint32_t c = r << 16 | g << 8 | b;
    return c == 0xFF00FF ? 0xFE00FF : c;
}

template <class F>
std::string Picture(int w, int h, F f) {
    std::vector<std::uint32_t> table;
    for (int i = 0; i < 256; ++i) table.push_back(PaletteColour(i));
    std::vector<std::uint8_t> idx(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) idx[static_cast<std::size_t>(y) * w + x] = static_cast<std::uint8_t>(f(x, y));
    return Bmp8(w, h, table, idx);
}

// A 32 x 32 digit: a frame of its own colour with d + 1 bars inside.
int DigitCell(int d, int x, int y) {
    if (x < 4 || x >= 28 || y < 2 || y >= 30) return TestColour::Key;
    if (x < 7 || x >= 25 || y < 5 || y >= 27) return 20 + d * 21;
    return (y - 5) / 2 <= d && (y - 5) % 2 == 0 ? 230 : TestColour::Key;
}

int AccessoryPixel(int x, int y) {
    if (y >= 32 && y < 48 && x < 80) {
        const int cx = x % 16, cy = y - 32;
        if (cx == 0 || cx == 15 || cy == 0 || cy == 15) return TestColour::Key;
        return 60 + (x / 16) * 10 + (cx + cy) % 3;
    }
    if (y >= 128 && y < 176 && (x < 50 || (x >= 64 && x < 114))) {
        const int row = (y - 128) / 16, cy = (y - 128) % 16;
        if (cy < 2 || cy >= 14) return TestColour::Key;
        const int sp = x >= 64 ? 3 : 0;
        return (row == 0 ? TestColour::GaugeBack : row == 1 ? TestColour::Fill : TestColour::Warning) + sp;
    }
    return TestColour::Key;
}

const std::vector<std::pair<std::string, std::string>>& PictureFiles() {
    static const std::vector<std::pair<std::string, std::string>> files = {
        {"bmp\\plt\\Palette.bmp", Picture(16, 24, [](int x, int y) { return y < 8 ? 0 : (y - 8) * 16 + x; })},
        // Blocks 1 to 4 with a notch of the key colour in one corner.
        {"bmp\\Block.bmp", Picture(32, 160,
                                   [](int x, int y) {
                                       if (x + y % 32 < 8) return int(TestColour::Key);
                                       const int n = y / 32;
                                       return (x / 4 + y / 4) % 2 ? 100 + n * 6 : 104 + n * 6;
                                   })},
        {"bmp\\Mark.bmp", Picture(32, 64,
                                  [](int x, int y) {
                                      const int cy = y % 32;
                                      return x >= 20 && x < 30 && cy >= 2 && cy < 12 ? TestColour::Mark + y / 32
                                                                                     : TestColour::Key;
                                  })},
        {"bmp\\StatusWindow.bmp",
         Picture(640, 20, [](int x, int y) { return y == 19 ? int(TestColour::Key) : TestColour::Panel + x / 160; })},
        {"bmp\\Accessory.bmp", Picture(128, 176, AccessoryPixel)},
        {"bmp\\Word.bmp",
         Picture(320, 192, [](int x, int y) { return y < 160 ? 0 : DigitCell(x / 32, x % 32, y - 160); })},
        // Sky: opaque bands with a key-coloured dot the first layer shows as is.
        {"layer0.bmp",
         Picture(96, 64, [](int x, int y) { return x == 5 && y == 5 ? 0 : TestColour::Sky + y / 8 + x / 48; })},
        {"layer1.bmp", Picture(64, 48,
                               [](int x, int y) {
                                   const int top = 20 + (x < 32 ? x : 63 - x) / 2;
                                   return y >= 48 - top / 2 ? TestColour::Hills + (x + y) % 4 : TestColour::Key;
                               })},
        {"layer2.bmp",
         Picture(80, 40, [](int x, int) { return x < 6 ? int(TestColour::Stripe) : int(TestColour::Key); })},
    };
    return files;
}

struct Loaded {
    int index;
    const char* file;
};
constexpr Loaded kPictures[] = {{2, "bmp\\Block.bmp"},      {43, "bmp\\Mark.bmp"}, {47, "bmp\\StatusWindow.bmp"},
                                {50, "bmp\\Accessory.bmp"}, {52, "bmp\\Word.bmp"}, {56, "layer0.bmp"},
                                {57, "layer1.bmp"},         {58, "layer2.bmp"}};

bool ReadPng(const std::string& hostPath, PngPicture& out) {
    std::string why;
    return ReadPngFile(hostPath, out, why);
}

}  // namespace

void StageDrawTest::StartStage(const DrawMode& m, const std::vector<std::string>& picture, StageOptions options) {
    mode = &m;
    Start(m);
    platform::CreateDirectoryA("bmp");
    platform::CreateDirectoryA("bmp\\plt");
    for (const auto& [name, bytes] : PictureFiles())
        ASSERT_TRUE(platform::WriteFileSafely(name.c_str(), bytes.data(), bytes.size())) << name;
    ASSERT_TRUE(SetTrans("bmp\\plt\\Palette.bmp"));
    ASSERT_TRUE(DDLoadPaletteFromFile(Palette, "bmp\\plt\\Palette.bmp", 0));
    std::memcpy(PaletteWork, Palette, sizeof Palette);
    for (const Loaded& p : kPictures)
        ASSERT_EQ(DDCreateSurfaceFromFile(&SurfaceArray[p.index], p.file, 1, m.bpp, 0, 0, 0, 0, 0, 0, 0), 0) << p.file;
    FONTTABLEENTRY entries[kDefaultFontCount];
    std::copy(std::begin(FontTable), std::end(FontTable), entries);
    for (FONTTABLEENTRY& e : entries) e.nCacheMode = 0;
    ASSERT_EQ(CreateFonts(Fonts, entries, kDefaultFontCount), 1);
    savedItems.swap(SystemData.StatusItems);
    for (int i = 0; i < StatusItem::Count; ++i) SystemData.StatusItems.emplace_back("", 0);
    stage = std::make_unique<StageHarness>(picture, options);
    LoadedStage.m_vLayers.clear();
}

void StageDrawTest::TearDown() {
    stage.reset();
    SystemData.StatusItems.swap(savedItems);
    for (Font& f : Fonts) f.Release();
    for (const Loaded& p : kPictures) DDReleaseSurface(&SurfaceArray[p.index]);
    DDReleaseSurface(&SurfaceArray[kLightMaskPicture]);
    DDReleaseSurface(&SurfaceArray[kLightHolePicture]);
    SetBlockGraphicSource(nullptr);
    DrawTest::TearDown();
}

std::uint32_t StageDrawTest::Pixel(int x, int y) { return PixelAt(BackBuffer, x, y) & 0xFFFFFF; }

std::uint32_t StageDrawTest::Shown(int colour) const {
    if (mode->bpp == 8) return static_cast<std::uint32_t>(colour);
    const PALETTEENTRY& e = Palette[colour];
    return std::uint32_t(e.peRed) << 16 | std::uint32_t(e.peGreen) << 8 | e.peBlue;
}

void StageDrawTest::ExpectGolden(const std::string& name) {
    if (mode->bD3D) DDFlip(60, 0, 0);
    else DDPresent();
    const platform::Frame frame = platform::LastPresentedFrame();
    ASSERT_EQ(frame.width, 640);
    ASSERT_EQ(frame.height, 480);
    const std::string golden = std::string(SCENES_GOLDEN_DIR) + "/" + name + "_" + mode->name + ".png";
    if (std::getenv("PLAYER_WRITE_GOLDENS")) {
        ASSERT_TRUE(platform::WritePng(golden, frame));
        GTEST_SKIP() << "golden written: " << golden;
    }
    PngPicture expected;
    ASSERT_TRUE(ReadPng(golden, expected)) << golden;
    ASSERT_EQ(expected.argb.size(), frame.pixels.size());
    int differing = 0, first = -1;
    for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
        if ((frame.pixels[i] & 0xFFFFFF) == (expected.argb[i] & 0xFFFFFF)) continue;
        if (first < 0) first = static_cast<int>(i);
        ++differing;
    }
    EXPECT_EQ(differing, 0) << name << " first at x=" << first % 640 << " y=" << first / 640;
}
