#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "chara_effect_fixture.h"
#include "draw/device.h"
#include "draw/palette.h"
#include "draw/pixel_ops.h"
#include "draw/surface_table.h"
#include "draw/surfaces.h"
#include "foundation/abort.h"
#include "platform/present.h"
#include "stage/drawing/chara_graphic.h"
#include "support/png_reader.h"
#include "support/stage/stage_harness.h"

namespace {

struct Mode {
    const char* name;
    int bD3D;
};

// A 32 x 32 figure on a transparent ground, not the same any way it is
// turned: a disc with a red cap, a blue stripe on its left and a green dot.
std::uint32_t Figure(int x, int y) {
    const int dx = x - 16, dy = y - 16;
    if (dx * dx + dy * dy > 14 * 14) return 0;
    if (y < 9) return 0xFFE03020u;
    if (x >= 6 && x < 10) return 0xFF2040E0u;
    if (dx > 3 && dx < 9 && dy > 3 && dy < 9) return 0xFF20C040u;
    return 0xFFF0D040u;
}

// The raw value of a colour in the path's pixel format; transparent pixels
// are alpha 0 with textures and the key (black) without.
std::uint32_t Raw(const DDPIXELS& px, std::uint32_t argb) { return argb == 0 ? 0 : FromArgb(px.fmt, argb); }

bool MakePicture(int index, int w, int h, bool mirrored) {
    DDSURFACEDATA& sd = SurfaceArray[index];
    if (!DDCreateSurface(&sd, w, h, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0)) return false;
    DDPIXELS* px = sd.Pixels();
    if (!px) return false;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) px->Put(x, y, Raw(*px, x < 32 && y < 32 ? Figure(mirrored ? 31 - x : x, y) : 0));
    }
    return true;
}

struct Shot {
    EffectRow effect;
    double value;  // the tweened value drawn
};

// Every kind at a value inside its run.
const Shot kShots[] = {
    {{0, {}}, 0},
    {{1, {10, 0, 8}}, 4},
    {{2, {10, 0, 6, 4}}, 3},
    {{3, {10, 0, 6, 4}}, 3},
    {{4, {10, 0, 4, 2, 2}}, 2},
    {{5, {10, 0, 4, 2, 2}}, 2},
    {{6, {10, 2}}, 0},
    {{7, {10, 0, 90}}, 45},
    {{8, {10, 0, 90}}, 45},
    {{9, {10, 0, 64}}, 8},
    {{10, {10, 16, 0, 2}}, 10},
    {{11, {10, 32, 48}}, 40},
    {{12, {10, 100, 20}}, 60},
    {{13, {10, 1, 4, 40}}, 2},
    {{14, {10, 9999}}, 0},
    {{15, {10, 1, 8}}, 4},
    {{16, {10, 1, 4}}, 2},
};

// Row 1: each kind at natural size; rows 2 and 3: each kind at scale 2.
void DrawAllKinds(StageHarness& stage) {
    cChara& a = stage.Chara('a');
    a.m_Def.m_cSheet = 1;
    a.m_nGraphic = 0;
    a.m_Def.m_sSheetSub = 0;
    a.m_Def.m_bNoIcon = 1;
    a.m_bPinScreenX = a.m_bPinScreenY = 1;
    a.m_rcGraphicBase = {0, 0, 32, 32};
    for (int scale : {1, 2}) {
        for (int k = 0; k < 17; ++k) {
            a.m_Def.m_cScale = static_cast<std::int8_t>(scale);
            a.m_rcGraphic = {0, 0, 32 * scale, 32 * scale};
            a.m_nPinScreenX = scale == 1 ? 8 + k * 37 : 24 + (k % 9) * 68;
            a.m_nPinScreenY = scale == 1 ? 24 : 100 + (k / 9) * 100;
            a.m_EffectRun.Start(k + 1, 0, 0);
            a.m_EffectRun.dValue = kShots[k].value;
            a.m_EffectRun.bVisible = kShots[k].effect.kind == 6 ? 1 : 0;
            a.Draw(&BackBuffer, 1);
        }
    }
}

bool ReadPng(const std::string& path, PngPicture& out) {
    std::string why;
    return ReadPngFile(path, out, why);
}

class CharaGolden : public ::testing::TestWithParam<Mode> {};

// A character under each effect kind, at natural size and stretched, drawn
// by the drawing layer, equals its golden picture pixel for pixel. With
// PLAYER_WRITE_GOLDENS set the picture is written instead.
TEST_P(CharaGolden, EveryEffectKindMatchesItsGolden) {
    const Mode m = GetParam();
    std::vector<EffectRow> rows;
    for (const Shot& s : kShots) rows.push_back(s.effect);
    CharaEffectTable effects(rows);
    StageHarness stage({"a."});
    stage.Drawing().SetForward(true);
    AbortFlag = 0;
    DDSoftwareCaps = DDSOFTWARECAPS();
    ASSERT_TRUE(DDInit(m.bD3D, nullptr, 640, 480, 32, 1, 1, 1, 60, 0, nullptr, nullptr, 0, 0));
    dwTransmit = 0;
    PaletteWork[40] = {255, 0, 0, 0};
    ASSERT_TRUE(MakePicture(4, 64, 64, false) && MakePicture(22, 64, 64, false));
    ASSERT_TRUE(MakePicture(5, 64, 64, true) && MakePicture(23, 64, 64, true));
    for (int work : {68, 69, 70, 71}) ASSERT_TRUE(MakePicture(work, 256, 256, false));
    SelectIconSheets();
    DDFillRectColor(&BackBuffer, 0, 0, 640, 480, m.bD3D ? 0xFF303040u : 0x303040u);
    DrawAllKinds(stage);
    if (m.bD3D) DDFlip(60, 0, 0);
    else DDPresent();
    const platform::Frame frame = platform::LastPresentedFrame();
    for (int i : {4, 5, 22, 23, 68, 69, 70, 71}) DDReleaseSurface(&SurfaceArray[i]);
    DDRelease();
    PaletteWork[40] = {};
    EXPECT_EQ(AbortFlag.load(), 0);
    ASSERT_EQ(frame.width, 640);

    const std::string golden = std::string(STAGE_GOLDEN_DIR) + "/chara_effects_" + m.name + ".png";
    if (std::getenv("PLAYER_WRITE_GOLDENS")) { ASSERT_TRUE(platform::WritePng(golden, frame)); }
    PngPicture expected;
    ASSERT_TRUE(ReadPng(golden, expected)) << golden;
    ASSERT_EQ(expected.argb.size(), frame.pixels.size());
    int differing = 0, first = -1;
    for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
        if ((expected.argb[i] & 0xFFFFFFu) == (frame.pixels[i] & 0xFFFFFFu)) continue;
        if (first < 0) first = static_cast<int>(i);
        ++differing;
    }
    EXPECT_EQ(differing, 0) << "first at x=" << first % 640 << " y=" << first / 640;
}

INSTANTIATE_TEST_SUITE_P(Paths, CharaGolden, ::testing::Values(Mode{"D3D32", 1}, Mode{"DD32", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
