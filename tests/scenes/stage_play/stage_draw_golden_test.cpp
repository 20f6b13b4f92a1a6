// Frames of tiny stages compared with goldens looked at once, in the device
// path (32 bits) and in 8-bit DirectDraw.
#include "draw/device/device.h"
#include "gamedata/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "gamedata/story/story_save.h"
#include "scenes/stage_play/light_mask.h"
#include "scenes/stage_play/map_blocks.h"
#include "scenes/stage_play/stage_draw_fixture.h"
#include "scenes/stage_play/stage_layers.h"
#include "scenes/stage_play/status_panel.h"
#include "scenes/stage_play/time_display.h"
#include "stage/objects/block_map.h"

namespace {

const std::vector<std::string> kStage = {
    "..............................", "..............................", "..............................",
    "....#.........................", "..##..........................", "..H#..#######.................",
    "..##..#.....#.................", "..############################",
};

cStageLayer Layer(int front, double ratio) {
    cStageLayer layer;
    layer.m_nFront = front;
    layer.m_dRatioX = layer.m_dRatioY = ratio;
    return layer;
}

bool NeverThere(cTileCell&) { return false; }

class StageDrawGolden : public StageDrawTest, public ::testing::WithParamInterface<const DrawMode*> {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartStage(*GetParam(), kStage)); }
    void TearDown() override {
        SetBlockConditionTest(nullptr);
        StageDrawTest::TearDown();
    }
    void PlainBackground() {
        cStageLayer fill;
        fill.m_bFill = 1;
        fill.m_nFillColor = TestColour::Plain;
        LoadedStage.m_vLayers.push_back(fill);
        DrawBackground(&BackBuffer, 0, stage->State(), LoadedStage);
    }
};

// Two back layers (the first opaque, the second keyed, at half and full
// scroll, the second auto-scrolled), a front layer that stays, and blocks
// behind and in front with a mark, a hidden block and one whose existence
// conditions fail, seen from a view scrolled off the block grid.
TEST_P(StageDrawGolden, LayersAndBlocks) {
    LoadedStage.m_vLayers.push_back(Layer(0, 0.5));
    cStageLayer hills = Layer(0, 1.0);
    hills.m_bAutoX = 1;
    hills.m_dAutoPosX = 10;
    LoadedStage.m_vLayers.push_back(hills);
    LoadedStage.m_vLayers.push_back(Layer(1, 0.0));
    stage->Cell(4, 3).m_Def.m_sCell = 2;
    stage->Cell(2, 4).m_Def.m_bShowIcon = 1;
    stage->Cell(3, 4).m_Def.m_bShowIcon = 1;
    stage->Cell(3, 4).m_Def.m_sIconNo = 1;
    stage->Cell(3, 5).m_Def.m_cDrawPass = 1;
    stage->Cell(3, 5).m_Def.m_sCell = 3;
    stage->Cell(2, 6).m_Def.m_bNoDraw = 1;
    stage->Cell(3, 6).m_Def.m_vCond.resize(1);
    SetBlockConditionTest(NeverThere);
    for (int column = 7; column < 30; column += 3) stage->Cell(column, 7).m_Def.m_sCell = 4;
    stage->State().m_ScrollX.m_dPos += 45;
    stage->State().m_ScrollY.m_dPos += 13;

    DrawBackground(&BackBuffer, 0, stage->State(), LoadedStage);
    DrawMapBlocks(&BackBuffer, 0, stage->State());
    DrawMapBlocks(&BackBuffer, 1, stage->State());
    DrawBackground(&BackBuffer, 1, stage->State(), LoadedStage);
    ExpectGolden("layers_blocks");
}

// The round light reaching ahead of the hero, who faces right.
TEST_P(StageDrawGolden, LightAheadOfTheHero) {
    cChara& hero = stage->Hero();
    hero.m_Def.m_cSightShape = LightKind::RoundAhead;
    hero.m_nSightPx = 48;
    hero.m_nDirection = 1;
    hero.UpdateScreenRect();
    PlainBackground();
    DrawMapBlocks(&BackBuffer, 0, stage->State());
    DrawLightMask(&SurfaceArray[kLightMaskPicture], &SurfaceArray[kLightHolePicture], hero);
    DrawSpotlight(&BackBuffer, hero, &SurfaceArray[kLightMaskPicture], &SurfaceArray[kLightHolePicture]);
    ExpectGolden("light");
}

// Every item of the panel: a Japanese label, icons, a gauge in its warning
// colour with its number, a labelled gauge, lives without limit; and the
// time of a stage with a time limit.
TEST_P(StageDrawGolden, StatusPanelAndTime) {
    const struct {
        bool icon;
        const char* label;
        int digits;
        int number;
    } items[] = {{false, "\x83\x58\x83\x52\x83\x41", 6, 0},
                 {true, "", 5, 0},
                 {true, "", 0, 1},
                 {false, "SP", 0, 0},
                 {false, "L", 2, 0}};
    int i = 0;
    for (const auto& it : items) {
        cStatusItem& s = SystemData.StatusItems[i++];
        s.m_bShow = 1;
        s.m_bIcon = it.icon;
        s.m_strLabel = it.label;
        s.m_nDigits = it.digits;
        s.m_bGaugeNumber = it.number;
    }
    SystemData.StatusItems[StatusItem::Life].m_nThreshold = 1;
    StoryData.m_nScore = 12345;
    StoryData.m_nStageScore = 678;
    StoryData.m_nLives = kInfiniteLives;
    cChara& hero = stage->Hero();
    hero.m_Def.m_nMaxHp = 3;
    hero.m_nLife = 1;
    hero.m_Def.m_nMaxSp = 40;
    hero.m_nSP = 30;
    stage->State().m_bShowStatus = 1;
    stage->State().m_nTime = 7;
    PlainBackground();
    DrawStatusPanel(&BackBuffer, stage->State());
    DrawTimeDisplay(&BackBuffer, stage->State(), 0);
    ExpectGolden("panel_time");
}

INSTANTIATE_TEST_SUITE_P(Modes, StageDrawGolden, ::testing::Values(&kD3D32, &kDD8),
                         [](const auto& info) { return std::string(info.param->name); });

}  // namespace
