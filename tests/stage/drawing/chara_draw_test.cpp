#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "chara_effect_fixture.h"
#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "foundation/abort.h"
#include "shell/loop/game.h"
#include "stage/drawing/chara_graphic.h"
#include "support/stage/stage_harness.h"

namespace {

using Lines = std::vector<std::string>;

// The drawing path and the picture sizes a draw reads, as one test sets
// them; restored afterwards.
class DrawSetting {
public:
    DrawSetting() : m_Saved(DDSetting) {
        for (int i = 4; i < 40; ++i) SizePicture(i, 640, 480);
        SizePicture(Picture::Accessory, 128, 256);
        SelectIconSheets();
    }
    ~DrawSetting() {
        DDSetting = m_Saved;
        for (DDSURFACEDATA& sd : SurfaceArray) sd.nWidth = sd.nHeight = 0;
        SystemData.m_bFlashColours = 0;
        SystemData.m_bCompatCharaDraw = 0;
        Database.BmpCharaExc.clear();
        StageBmpSurfaces.clear();
    }
    DrawSetting(const DrawSetting&) = delete;
    DrawSetting& operator=(const DrawSetting&) = delete;

    static void SizePicture(int index, int w, int h) {
        SurfaceArray[index].nWidth = w;
        SurfaceArray[index].nHeight = h;
    }

private:
    DDSETTING m_Saved;
};

// Character 'a' drawn at a pinned screen position (100, 200), its graphic
// cell 16 (sheet 1, row 1) at base column 2, facing left, without a mark.
void Pose(cChara& a) {
    a.m_Def.m_cSheet = 1;
    a.m_nGraphic = 16;
    a.m_Def.m_sSheetSub = 2;
    a.m_Def.m_bNoIcon = 1;
    a.m_nDirection = 0;
    a.m_bPinScreenX = a.m_bPinScreenY = 1;
    a.m_nPinScreenX = 100;
    a.m_nPinScreenY = 200;
    a.m_rcGraphic = {0, 0, 32, 32};
    a.m_rcGraphicBase = {0, 0, 32, 32};
}

void Scale2(cChara& a) {
    a.m_Def.m_cScale = 2;
    a.m_rcGraphic = {0, 0, 64, 64};
}

void Direct3D(cChara&) { DDSetting.bD3D = 1; }

void Flashing(cChara& a) {
    DDSetting.bD3D = 1;
    SystemData.m_bFlashColours = 1;
    a.m_Def.m_cInvincible = 1;
    a.m_Def.m_cFlashColour = 2;
    FlashColours[2] = {0xFF204060u, 7};
}

struct DrawCase {
    const char* name;
    EffectRow effect;
    std::function<void(cChara&)> setup;
    Lines lines;
};

// Effect entry 1 of each case, started forward at its start value.
TEST(CharaDraw, EachEffectKindMakesItsCalls) {
    const std::vector<DrawCase> cases = {
        {"plain", {0, {}}, nullptr, {"Blt Back 100,200 32x32 <- #6 64,32 32x32 key"}},
        {"plain facing right, animation frame as column",
         {0, {}},
         [](cChara& a) { a.m_nDirection = 1; },
         {"Blt Back 100,200 32x32 <- #7 64,32 32x32 key"}},
        {"plain stretched from the secondary sheet",
         {0, {}},
         Scale2,
         {"Blt Back 100,200 64x64 <- #24 64,32 32x32 key"}},
        {"plain in its flash colour",
         {0, {}},
         Flashing,
         // Invincible also moves the column by the set's first offset (4).
         {"Blt Back 100,200 32x32 <- #6 192,32 32x32 key tint=ff204060/7"}},
        {"burst", {1, {5, 3, 32}}, nullptr, {"Burst Back 100,200 32x32 <- #6 64,32 key p=3"}},
        {"burst stretched with batching",
         {1, {5, 3, 32}},
         [](cChara& a) {
             Scale2(a);
             Direct3D(a);
         },
         {"SpriteBatchOff", "Blt #69 0,0 64x64 <- #24 64,32 32x32", "Burst Back 100,200 64x64 <- #69 0,0 key p=6",
          "SpriteBatchOn"}},
        {"split across with a strip count of 0 from data",
         {2, {5, 4, 32, 0}},
         nullptr,
         {"Split Back 100,200 32x32 <- #6 64,32 key p=32,4"}},
        {"split down in 3 strips", {3, {5, 4, 32, 3}}, nullptr, {"Split Back 100,200 32x32 <- #6 64,32 key p=11,4,1"}},
        {"wave", {4, {5, 6, 32, 2, 3}}, nullptr, {"Wave Back 100,200 32x32 <- #6 64,32 key p=2,6,0,3"}},
        {"rotation A without textures",
         {7, {10, 90, 1440}},
         nullptr,
         {"Rotate Back 116,216 32x32 <- #24 64,32 key p=16,16,90"}},
        {"rotation A with textures is B",
         {7, {10, 90, 1440}},
         Direct3D,
         {"Rotate Back 116,216 32x32 <- #24 64,32 key p=16,16,90"}},
        {"rotation A stretched without textures",
         {7, {10, 90, 1440}},
         Scale2,
         {"Clear #69 0,0 45x45", "Rotate #69 22,22 32x32 <- #24 64,32 p=16,16,90",
          "Blt Back 87,187 90x90 <- #69 0,0 45x45 key"}},
        {"depth turn", {9, {10, 8, 256}}, nullptr, {"Turn Back 100,200 32x32 <- #24 64,32 32x32 / #25 64,32 key p=8"}},
        {"circle", {10, {5, 20, 0, 2}}, nullptr, {"Circle Back 116,216 32x32 <- #6 80,48 key p=16,16,20,2"}},
        {"zoom", {11, {10, 40, 64}}, nullptr, {"Blt Back 96,196 40x40 <- #24 64,32 32x32 key"}},
        {"lens without textures",
         {12, {10, 100, 5, 2, -1}},
         nullptr,
         {"Clear #69 0,0 50x50", "Blt #69 0,0 32x32 <- #6 64,32 32x32",
          "Lens Back 118,215 0x0 <- #69 18,15 key p=25,100"}},
        {"colour change", {13, {10, 2, 4, 40}}, nullptr, {"Tint Back 100,200 32x32 <- #24 64,32 key p=40,2"}},
        {"translucent with batching",
         {14, {10, 9999}},
         Direct3D,
         {"SpriteBatchOff", "Clear #69 0,0 32x32", "Blt #69 0,0 32x32 <- #24 64,32 32x32",
          "Half Back 100,200 32x32 <- #69 0,0 key", "SpriteBatchOn"}},
        {"mosaic without textures", {15, {10, 3, 8}}, nullptr, {"Mosaic Back 100,200 32x32 <- #24 64,32 key p=3,3"}},
        {"blur in 8-bit colour fades toward colour 31",
         {16, {10, 2, 4}},
         [](cChara&) { DDSetting.nBpp = 8; },
         {"Tint Back 100,200 32x32 <- #24 64,32 key p=31,2"}},
        {"plain with its mark",
         {0, {}},
         [](cChara& a) {
             a.m_Def.m_bNoIcon = 0;
             a.m_Def.m_sIconNo = 17;
         },
         {"Blt Back 100,200 32x32 <- #6 64,32 32x32 key", "Blt Back 100,200 32x32 <- #43 32,64 32x32 key"}},
    };
    for (const DrawCase& c : cases) {
        SCOPED_TRACE(c.name);
        CharaEffectTable effects({c.effect});
        StageHarness stage({"a."});
        DrawSetting setting;
        DDSetting.bD3D = 0;
        DDSetting.nBpp = 32;
        cChara& a = stage.Chara('a');
        Pose(a);
        if (c.setup) c.setup(a);
        if (c.effect.kind != 0) a.m_EffectRun.Start(1, 0, 0);
        a.Draw(&BackBuffer, 0);
        EXPECT_EQ(stage.Drawing().Lines(), c.lines);
    }
}

// How many draw calls each of `frames` frames made.
std::vector<int> CallsPerFrame(StageHarness& stage, cChara& a, int frames) {
    std::vector<int> counts;
    for (int i = 0; i < frames; ++i) {
        stage.Drawing().Clear();
        a.Draw(&BackBuffer, 0);
        counts.push_back(static_cast<int>(stage.Drawing().Calls().size()));
    }
    return counts;
}

TEST(CharaDraw, BlinkHidesFirstThenAlternatesAndTranslucentStaysSo) {
    CharaEffectTable effects({{6, {10, 10}}, {14, {10, 9999}}});
    StageHarness stage({"a."});
    DrawSetting setting;
    cChara& a = stage.Chara('a');
    Pose(a);
    a.m_EffectRun.Start(1, 0, 0);
    std::vector<int> expected(11, 0);
    expected.insert(expected.end(), 10, 1);
    expected.insert(expected.end(), 10, 0);
    expected.insert(expected.end(), 10, 1);
    EXPECT_EQ(CallsPerFrame(stage, a, 41), expected);

    a.m_EffectRun.Start(2, 0, 0);
    const std::vector<int> counts = CallsPerFrame(stage, a, 61);
    EXPECT_EQ(counts, std::vector<int>(61, 1)) << "translucent on every frame of its time";
    EXPECT_EQ(a.m_EffectRun.nEffect, 0) << "and then over";
}

TEST(CharaDraw, WavePhaseWrapsAfter359) {
    CharaEffectTable effects(std::vector<EffectRow>{{4, {5, 4, 4, 2, 2}}});
    StageHarness stage({"a."});
    DrawSetting setting;
    cChara& a = stage.Chara('a');
    Pose(a);
    a.m_EffectRun.Start(1, 0, 1);
    a.m_EffectRun.nPhase = 358;
    std::vector<double> phases;
    for (int i = 0; i < 3; ++i) {
        stage.Drawing().Clear();
        a.Draw(&BackBuffer, 0);
        phases.push_back(stage.Drawing().Calls().at(0).p[2]);
    }
    EXPECT_EQ(phases, (std::vector<double>{358, 359, 0}));
    a.Draw(&BackBuffer, 1);
    EXPECT_EQ(a.m_EffectRun.nPhase, 1) << "a frozen frame keeps the phase";
}

TEST(CharaDraw, AHiddenCharacterAdvancesItsEffectUnseenAndItCanEnd) {
    CharaEffectTable effects(std::vector<EffectRow>{{1, {1, 0, 6}}});
    StageHarness stage({"a."});
    DrawSetting setting;
    cChara& a = stage.Chara('a');
    Pose(a);
    a.m_Def.m_bTransparent = 1;
    a.m_EffectRun.Start(1, 0, 0);
    // Six frames of a step of 1 reach the end value; the seventh passes it.
    for (int frame = 0; frame < 6; ++frame) a.Draw(&BackBuffer, 0);
    EXPECT_EQ(a.m_EffectRun.nEffect, 1);
    EXPECT_DOUBLE_EQ(a.m_EffectRun.dValue, 6.0);
    a.Draw(&BackBuffer, 0);
    EXPECT_EQ(a.m_EffectRun.nEffect, 0);
    EXPECT_TRUE(stage.Drawing().Calls().empty());
}

TEST(CharaDraw, DeathDisplayOfTheHeroAndOfOtherCharacters) {
    CharaEffectTable effects(std::vector<EffectRow>{{1, {1, 0, 6}}});
    StageHarness stage({"Ha"});
    DrawSetting setting;
    const int savedRate = Game.FrameRate;
    Game.FrameRate = 60;
    cChara& hero = stage.Hero();
    Pose(hero);
    int frame = 0;
    while (frame < 100 && hero.DrawHeld(&BackBuffer, 0) == 0) ++frame;
    EXPECT_EQ(frame + 1, 61) << "ends on the frame its counter passes the frame rate";
    EXPECT_TRUE(stage.Drawing().Calls().empty()) << "a dead hero without an effect is not drawn";

    cChara& a = stage.Chara('a');
    Pose(a);
    EXPECT_EQ(a.DrawHeld(&BackBuffer, 0), 1) << "no effect: over at once";
    a.m_EffectRun.Start(1, 0, 0);
    std::vector<int> results;
    for (int i = 0; i < 7; ++i) results.push_back(a.DrawHeld(&BackBuffer, 0));
    EXPECT_EQ(results, (std::vector<int>{0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(stage.Drawing().Lines().size(), 7u);
    EXPECT_EQ(a.m_EffectRun.nEffect, 0);
    Game.FrameRate = savedRate;
}

struct SourceCase {
    const char* name;
    int facingMode, kind, n, column, facing, columnOffset;
    int primary, secondary, twin;
    int sx, sy;
};

TEST(SelectGraphicSource, PicturesAndCellsOfEachKind) {
    DrawSetting setting;
    DDSetting.bD3D = 0;
    DrawSetting::SizePicture(6, 640, 480);
    const SourceCase cases[] = {
        {"block", FacingMode::None, 0, 17, 0, 0, 0, 2, 3, 2, 32, 64},
        {"character facing right", FacingMode::Facing, 1, 16, 2, 1, 3, 7, 25, 6, 160, 32},
        {"character without facing, mirrored column", FacingMode::None, 1, 16, 22, 0, 0, 7, 25, 6, 64, 32},
        {"character outside its sheet", FacingMode::None, 1, 16, 19, 0, 0, 6, 24, 7, 608, 32},
        {"character beyond the last sheet", FacingMode::None, 1, 200, 0, 0, 0, 4, 22, 5, 0, 0},
        {"item in item mode", FacingMode::Item, 2, 16, 0, 0, 1, 40, 41, 40, 96, 32},
        {"shot facing right", FacingMode::Facing, 3, 31, 0, 1, 0, 65, 65, 64, 64, 32},
    };
    for (const SourceCase& c : cases) {
        SCOPED_TRACE(c.name);
        cObject object;
        object.m_nDirection = c.facing;
        GraphicSource g;
        SelectGraphicSource(g, c.facingMode, c.kind, c.n, c.column, &object, c.columnOffset);
        EXPECT_EQ(g.lpPrimary, &SurfaceArray[c.primary]);
        EXPECT_EQ(g.lpSecondary, &SurfaceArray[c.secondary]);
        EXPECT_EQ(g.lpPrimaryTwin, &SurfaceArray[c.twin]);
        EXPECT_EQ(g.lpChosen, g.lpSecondary);
        EXPECT_EQ(g.sx, c.sx);
        EXPECT_EQ(g.sy, c.sy);
    }
    DrawSetting::SizePicture(6, 608, 480);
    GraphicSource g;
    SelectGraphicSource(g, FacingMode::None, 1, 16, 19, nullptr, 0);
    EXPECT_EQ(g.lpPrimary, &SurfaceArray[4]) << "x at the sheet's width falls back to sheet 1";
    EXPECT_EQ(g.sx, 0);
}

TEST(SelectGraphicSource, DedicatedPicturesWithAnyCellCount) {
    DrawSetting setting;
    Database.BmpCharaExc.assign(5, cBmpCharaExc());
    const int sizes[] = {0, 2, 0, 17, 1};  // entries 1 to 4: 2, 0, 17, 1 blocks
    for (int n = 1; n < 5; ++n) {
        Database.BmpCharaExc[n].m_nSizeFlag = 1;
        Database.BmpCharaExc[n].m_nCellSize = sizes[n];
    }
    StageBmpSurfaces.resize(16);
    struct Case {
        int entry, column;
        int mul, sx, sy;
    };
    // A size of 0 or above 16 counts as one block: 16 cells to a row.
    const Case cases[] = {{1, 9, 2, 64, 64}, {2, 17, 1, 32, 32}, {3, 17, 1, 32, 32}, {4, 3, 1, 96, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        GraphicSource g;
        SelectGraphicSource(g, FacingMode::None, GraphicKind::Dedicated, c.entry, c.column, nullptr, 0);
        EXPECT_EQ(g.lpPrimary, &StageBmpSurfaces[4 * c.entry - 4]);
        EXPECT_EQ(g.lpSecondary, &StageBmpSurfaces[4 * c.entry - 2]);
        EXPECT_EQ(g.nCellMul, c.mul);
        EXPECT_EQ(g.sx, c.sx);
        EXPECT_EQ(g.sy, c.sy);
    }
    AbortFlag = 0;
    for (int entry : {0, 5, -3}) {
        GraphicSource g;
        SelectGraphicSource(g, FacingMode::None, GraphicKind::Dedicated, entry, 0, nullptr, 0);
        EXPECT_EQ(g.lpPrimary, nullptr) << "entry " << entry << " names no pictures";
    }
    EXPECT_EQ(AbortFlag.load(), 0);
}

TEST(CharaDraw, ScaledDedicatedPictureOfItsOwnCellSizeIsDrawnAtNaturalSize) {
    CharaEffectTable effects(std::vector<EffectRow>{});
    StageHarness stage({"a."});
    DrawSetting setting;
    Database.BmpCharaExc.assign(2, cBmpCharaExc());
    Database.BmpCharaExc[1].m_nSizeFlag = 1;
    Database.BmpCharaExc[1].m_nCellSize = 2;
    StageBmpSurfaces.resize(4);
    cChara& a = stage.Chara('a');
    Pose(a);
    Scale2(a);
    a.m_Def.m_cSheet = GraphicKind::Dedicated;
    a.m_nGraphic = 1;
    a.m_Def.m_sSheetSub = 1;
    a.Draw(&BackBuffer, 0);
    ASSERT_EQ(stage.Drawing().Calls().size(), 1u);
    const DrawCall& c = stage.Drawing().Calls()[0];
    EXPECT_EQ(c.src, &StageBmpSurfaces[0]);
    EXPECT_EQ(c.sx, 64);
    EXPECT_EQ(c.sw, 64) << "no stretch: the cell is already 64 pixels";
    // A dedicated picture the stage lacks draws nothing at all.
    stage.Drawing().Clear();
    a.m_nGraphic = 3;
    a.Draw(&BackBuffer, 0);
    EXPECT_TRUE(stage.Drawing().Calls().empty());
}

}  // namespace

namespace {

// 16 x 16 icons: every kind's cell shrunk, the item's own small picture
// unscaled, nothing for an unknown kind.
TEST(DrawStatusIcon, EachKindFromItsPicture) {
    StageHarness stage({"a."});
    DrawSetting setting;
    Database.BmpCharaExc.assign(2, cBmpCharaExc());
    Database.BmpCharaExc[1].m_nSizeFlag = 1;
    Database.BmpCharaExc[1].m_nCellSize = 2;
    StageBmpSurfaces.resize(4);
    struct Case {
        int kind, n, column;
        std::string line;
    };
    const Case cases[] = {
        {0, 17, 0, "Blt Back 10,20 16x16 <- #2 32,64 32x32 key"},
        {1, 16, 21, "Blt Back 10,20 16x16 <- #25 32,32 32x32 key"},
        {2, 17, 0, "Blt Back 10,20 16x16 <- #42 32,32 16x16 key"},
        {3, 31, 0, "Blt Back 10,20 16x16 <- #64 64,32 32x32 key"},
        {4, 1, 9, "Blt Back 10,20 16x16 <- ? 64,64 64x64 key"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        stage.Drawing().Clear();
        DrawStatusIcon(&BackBuffer, 10, 20, c.kind, c.n, c.column);
        EXPECT_EQ(stage.Drawing().Lines(), Lines{c.line});
        if (c.kind == 4) { EXPECT_EQ(stage.Drawing().Calls()[0].src, &StageBmpSurfaces[2]); }
    }
    stage.Drawing().Clear();
    DrawStatusIcon(&BackBuffer, 10, 20, 5, 0, 0);
    EXPECT_TRUE(stage.Drawing().Calls().empty());
}

}  // namespace

namespace {

// A layer that shows `frame` for `duration` frames, then ends (or loops).
cAnimLayer Layer(int frame, int timed, int remain, int duration = 100, bool ends = false) {
    cAnimLayer layer(0, timed, remain, 0, 1);
    static std::vector<std::vector<ANIMRECORD>> records;
    records.push_back({{frame, duration, false}, {ends ? ANIM_END : ANIM_LOOP, 0, false}});
    static std::vector<std::vector<const ANIMRECORD*>> tables;
    tables.push_back({records.back().data(), nullptr});
    layer.m_Seq.Build(tables.back().data());
    return layer;
}

// Which layer's frame shows: an untimed layer only when nothing else was
// taken, the timed layer with the fewest frames left, and among those that
// are due (0 or less) the one that became due last.
TEST(PickGraphic, TheLayerWhoseFrameShows) {
    struct Case {
        const char* name;
        std::vector<cAnimLayer> layers;  // newest first
        int frame;
    };
    const Case cases[] = {
        {"no layers: the base animation", {}, 0},
        {"an untimed layer", {Layer(7, 0, 0)}, 7},
        {"a timed layer beats an untimed one", {Layer(7, 0, 0), Layer(8, 1, 5)}, 8},
        {"the fewest frames left", {Layer(8, 1, 3), Layer(9, 1, 1), Layer(10, 1, 2)}, 9},
        {"due layers: the last to become due",
         {Layer(8, 1, 0), Layer(9, 1, -2), Layer(10, 1, -1), Layer(11, 1, -5)},
         10},
    };
    StageHarness stage({"a."});
    cChara& a = stage.Chara('a');
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        a.m_listAnimLayer.assign(c.layers.begin(), c.layers.end());
        EXPECT_EQ(a.PickGraphic(1), c.frame);
    }
    // Advancing counts the layers down and drops the one that ended; a
    // paused layer neither counts nor shows.
    a.m_listAnimLayer = {Layer(8, 1, 4, 1, true), Layer(9, 1, 6), Layer(10, 1, 1)};
    a.m_listAnimLayer.back().m_bPaused = 1;
    EXPECT_EQ(a.PickGraphic(0), 9);
    ASSERT_EQ(a.m_listAnimLayer.size(), 2u);
    EXPECT_EQ(a.m_listAnimLayer.front().m_nRemain, 5);
    EXPECT_EQ(a.m_listAnimLayer.back().m_nRemain, 1);
}

}  // namespace
