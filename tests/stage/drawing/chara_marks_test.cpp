#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "gamedata/global_data.h"
#include "shell/app_state.h"
#include "stage/drawing/chara_graphic.h"
#include "stage/drawing/chara_marks.h"
#include "stage/objects/chara_lookup.h"
#include "support/stage/stage_harness.h"

namespace {

using Lines = std::vector<std::string>;

std::string Strip(int x, int y, int w, int sx, int row) {
    return "Blt Back " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(w) + "x2 <- #50 " +
           std::to_string(sx) + "," + std::to_string(row) + " " + std::to_string(w) + "x2 key";
}

struct GaugeCase {
    const char* name;
    int which;
    int accessoryHeight;
    int fill;
    double trail;
    int value, threshold;
    Lines lines;
};

// The character's rectangle starts at (100, 200) and is 32 wide: the bar is
// centred at x = 100 + 16 - 25 = 91, 3 (life) or 7 (SP) pixels above it.
TEST(CharaGauges, BarsAtTheirPlaceFromTheirRows) {
    const GaugeCase cases[] = {
        {"life, a gain inside the fill",
         0,
         256,
         30,
         5.5,
         6,
         0,
         {Strip(91, 197, 50, 0, 208), Strip(91, 197, 30, 0, 210), Strip(116, 197, 5, 0, 216)}},
        {"SP, a loss after the fill",
         1,
         256,
         20,
         -7.9,
         6,
         0,
         {Strip(91, 193, 50, 64, 208), Strip(91, 193, 20, 64, 210), Strip(111, 193, 7, 64, 214)}},
        {"life at the warning level", 0, 256, 10, 0, 2, 2, {Strip(91, 197, 50, 0, 208), Strip(91, 197, 10, 0, 212)}},
        {"a short accessory picture: rows from 128, 16 apart",
         0,
         200,
         10,
         -3,
         6,
         0,
         {Strip(91, 197, 50, 0, 128), Strip(91, 197, 10, 0, 144), Strip(101, 197, 3, 0, 176)}},
    };
    for (const GaugeCase& c : cases) {
        SCOPED_TRACE(c.name);
        StageHarness stage({"a."});
        SurfaceArray[Picture::Accessory].nHeight = c.accessoryHeight;
        SystemData.StatusItems.assign(5, cStatusItem());
        SystemData.StatusItems[2 + c.which].m_nThreshold = c.threshold;
        cChara& a = stage.Chara('a');
        a.m_rcScreen = {100, 200, 131, 231};
        a.m_rcGraphic = {0, 0, 32, 32};
        a.m_nLife = a.m_nSP = c.value;
        a.m_Def.m_nMaxHp = a.m_Def.m_nMaxSp = 10;
        GaugeRecord& g = c.which ? a.m_SpGauge : a.m_LifeGauge;
        g = {120, c.trail, c.trail / 60, c.fill};
        if (c.which) a.DrawSpGauge(&BackBuffer);
        else a.DrawLifeGauge(&BackBuffer);
        EXPECT_EQ(stage.Drawing().Lines(), c.lines);
        EXPECT_EQ(g.nRemain, 119);
        EXPECT_DOUBLE_EQ(g.dTrail, c.trail - c.trail / 60);
        SurfaceArray[Picture::Accessory].nHeight = 0;
        SystemData.StatusItems.clear();
    }
}

TEST(CharaGauges, TrailOnlyInTheFirstSecondAndNothingForTheDead) {
    StageHarness stage({"a."});
    cChara& a = stage.Chara('a');
    a.m_LifeGauge = {61, 6.0, 0.1, 25};
    a.DrawLifeGauge(&BackBuffer);
    EXPECT_EQ(a.m_LifeGauge.nRemain, 60);
    EXPECT_DOUBLE_EQ(a.m_LifeGauge.dTrail, 5.9);
    a.DrawLifeGauge(&BackBuffer);
    EXPECT_EQ(a.m_LifeGauge.nRemain, 59);
    EXPECT_EQ(a.m_LifeGauge.dTrail, 0.0) << "below 60 frames the trail is gone";
    a.m_bDead = 1;
    stage.Drawing().Clear();
    a.DrawLifeGauge(&BackBuffer);
    EXPECT_TRUE(stage.Drawing().Calls().empty());
    EXPECT_EQ(a.m_LifeGauge.nRemain, 59) << "a dead character's gauge stops counting";
    a.m_bDead = 0;
    a.m_LifeGauge.nRemain = 0;
    a.DrawLifeGauge(&BackBuffer);
    EXPECT_TRUE(stage.Drawing().Calls().empty());
}

TEST(CharaMarkers, RectanglesOverTheHerosBoxesInBlinkingShades) {
    StageHarness stage({"H."});
    cPlayer& hero = stage.Hero();
    // Hidden: the hero's own draw adds nothing, its rectangle stays.
    hero.m_Def.m_bTransparent = 1;
    hero.m_rcScreen = {100, 200, 131, 231};
    hero.m_rcGraphic = {4, 6, 24, 26};
    hero.m_rcBodyBox.rc = {2, 3, 20, 22};
    hero.m_rcItemBox.rc = {-1, -2, 26, 28};
    hero.m_vecMarker = {
        {MarkerAnchor::HitBox, 1, 208, 0, 0, 24, 26, 9},
        {MarkerAnchor::BodyBox, 2, 212, 0, 0, 20, 22, 31},
        {MarkerAnchor::ItemBox, 0, 216, 0, 0, 26, 28, 0},
        {MarkerAnchor::ItemBox, 2, 216, 0, 0, 26, 28, 16},
    };
    hero.DrawMarkerRects(&BackBuffer, 0);
    const Lines expected = {
        "Fill Back 104,206 24x26 p=209",
        "Frame Back 106,209 20x22 p=215",
        "Frame Back 103,204 26x28 p=218",
    };
    EXPECT_EQ(stage.Drawing().Lines(), expected);
    EXPECT_EQ(hero.m_vecMarker[0].nBlink, 10);
    EXPECT_EQ(hero.m_vecMarker[1].nBlink, 0) << "wraps from 31";
    EXPECT_EQ(hero.m_vecMarker[2].nBlink, 0) << "style 0 is skipped";

    // 8-bit colour with colour cycling: the palette blinks, the colour stays.
    const DDSETTING saved = DDSetting;
    DDSetting.bD3D = 0;
    DDSetting.nBpp = 8;
    SystemData.m_bColourCycle = 1;
    stage.Drawing().Clear();
    hero.DrawMarkerRects(&BackBuffer, 0);
    EXPECT_EQ(stage.Drawing().Lines().at(0), "Fill Back 104,206 24x26 p=208");
    SystemData.m_bColourCycle = 0;
    DDSetting = saved;
}

cCond DistanceCond(int shape, int colourIndex, int hbl, int pixels) {
    cCond c;
    c.m_cKind = CondKind::Distance;
    c.m_cLeftKind = 1;  // shown
    c.m_cStatus = static_cast<std::int8_t>(colourIndex);
    c.m_nValue = hbl;
    c.m_sRightIndex = static_cast<std::int16_t>(pixels);
    c.m_cDirection = static_cast<std::int8_t>(shape);
    return c;
}

TEST(ConditionAreas, LinesOfEachShapeAtTheDistance) {
    StageHarness stage({"a."});
    cChara& a = stage.Chara('a');
    a.m_bExists = 1;
    a.UpdateScreenRect();
    const ScreenRect r = a.m_rcScreen;
    const int d = 2 * 16 + 3;
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    auto v = [](int x) { return "Fill Back " + std::to_string(x) + ",0 1x480 p=212"; };
    auto h = [](int y) { return "Fill Back 0," + std::to_string(y) + " 640x1 p=212"; };
    struct Case {
        int shape, facing;
        Lines lines;
    };
    const Case cases[] = {
        {0, 0, {v(r.left - d), v(r.right + d)}},
        {1, 1, {v(cx), v(r.right + d)}},
        {1, 0, {v(r.left - d), v(cx)}},
        {2, 1, {v(r.left - d), v(cx)}},
        {2, 0, {v(cx), v(r.right + d)}},
        {3, 0, {h(r.top - d), h(r.bottom + d)}},
        {4, 1, {h(cy), h(r.bottom + d)}},
        {4, 0, {h(r.top - d), h(cy)}},
        {5, 1, {h(r.top - d), h(cy)}},
        {5, 0, {h(cy), h(r.bottom + d)}},
        {6, 0, {"CircleOutline Back " + std::to_string(cx) + "," + std::to_string(cy) + " 0x0 p=35,212"}},
        {7, 0, {}},
    };
    const DDSETTING saved = DDSetting;
    DDSetting.bD3D = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "shape " << c.shape << " facing " << c.facing);
        stage.Drawing().Clear();
        a.m_nDirection = c.facing;
        a.DrawConditionArea(&BackBuffer, DistanceCond(c.shape, 1, 2, 3));
        EXPECT_EQ(stage.Drawing().Lines(), c.lines);
    }
    // A large circle without textures: radius 64 drawn small, stretched.
    DDSetting.bD3D = 0;
    stage.Drawing().Clear();
    a.DrawConditionArea(&BackBuffer, DistanceCond(6, 0, 12, 8));
    const Lines large = {
        "Clear #69 0,0 129x129", "CircleOutline #69 64,64 0x0 p=64,208",
        "Blt Back " + std::to_string(cx - 200) + "," + std::to_string(cy - 200) + " 400x400 <- #69 0,0 129x129 key"};
    EXPECT_EQ(stage.Drawing().Lines(), large);
    DDSetting = saved;
}

TEST(ConditionAreas, ShownOnlyWhenTheirSwitchesAllowIt) {
    StageHarness stage({"a."});
    cChara& a = stage.Chara('a');
    struct Case {
        const char* name;
        int show, absentToo, hiddenToo;
        int exists, hidden, testPlay;
        bool drawn;
    };
    const Case cases[] = {
        {"hidden condition", 0, 1, 1, 1, 0, 1, false},        {"shown", 1, 0, 0, 1, 0, 0, true},
        {"test play only, playing", 2, 0, 0, 1, 0, 0, false}, {"test play only, testing", 2, 0, 0, 1, 0, 1, true},
        {"absent character", 1, 0, 0, 0, 0, 0, false},        {"absent, shown anyway", 1, 1, 0, 0, 0, 0, true},
        {"hidden character", 1, 0, 0, 1, 1, 0, false},        {"hidden, shown anyway", 1, 0, 1, 1, 1, 0, true},
    };
    const int savedTestPlay = TestPlay;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        stage.Drawing().Clear();
        cCond cond = DistanceCond(0, 0, 1, 0);
        cond.m_cLeftKind = static_cast<std::int8_t>(c.show);
        cond.m_cRightKind = static_cast<std::int8_t>(c.absentToo);
        cond.m_cRightOwner = static_cast<std::int8_t>(c.hiddenToo);
        a.m_bExists = c.exists;
        a.m_Def.m_bTransparent = static_cast<std::int8_t>(c.hidden);
        TestPlay = c.testPlay;
        a.DrawConditionArea(&BackBuffer, cond);
        EXPECT_EQ(stage.Drawing().Calls().size(), c.drawn ? 2u : 0u);
    }
    TestPlay = savedTestPlay;
}

TEST(ConditionAreas, TwoBatchedPassesOverTheCharactersAndTheirFlows) {
    StageHarness stage({"a."});
    cChara& a = stage.Chara('a');
    a.m_bExists = 1;
    a.m_Def.m_vCond = {DistanceCond(0, 0, 1, 0)};
    cFlow flow;
    flow.m_vCond = {DistanceCond(3, 2, 1, 0), DistanceCond(3, 3, 1, 0)};
    a.m_Def.m_vFlow = {flow, flow};
    a.m_Def.m_vFlow[1].m_bCondLatch = 1;
    a.m_bCondMet = 1;
    ResetAreaCounter();
    cChara::DrawConditionAreas(&BackBuffer);
    const Lines lines = stage.Drawing().Lines();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "LineBatchReset");
    EXPECT_EQ(lines[3], "LineBatchFlush");
    EXPECT_EQ(lines[4], "LineBatchReset");
    EXPECT_EQ(lines[9], "LineBatchFlush");
    // The second flow checks once and its conditions were met: skipped.
    EXPECT_NE(lines[5].find("p=216"), std::string::npos);
    EXPECT_NE(lines[7].find("p=220"), std::string::npos);
    EXPECT_EQ(AreaCounter(), 1);
    // From counter 8 on, the next shade.
    for (int i = 0; i < 7; ++i) cChara::DrawConditionAreas(&BackBuffer);
    stage.Drawing().Clear();
    cChara::DrawConditionAreas(&BackBuffer);
    EXPECT_EQ(AreaCounter(), 9);
    EXPECT_NE(stage.Drawing().Lines()[1].find("p=209"), std::string::npos);
    // The check-once existence conditions of a met character are skipped.
    a.m_Def.m_bCondLatch = 1;
    stage.Drawing().Clear();
    cChara::DrawConditionAreas(&BackBuffer);
    EXPECT_EQ(stage.Drawing().Lines().size(), 8u);
}

TEST(CharaLookups, PickupIconAndModes) {
    StageHarness stage({"H."});
    stage.Hero().ShowPickupIcon(2, 7, 1);
    ASSERT_EQ(stage.Messages().size(), 1u);
    const MessageRequest& m = stage.Messages()[0];
    EXPECT_EQ(m.nKind, MessageKind::Icon);
    EXPECT_EQ(m.nGraphicKind, 2);
    EXPECT_EQ(m.nGraphicNo, 7);
    EXPECT_EQ(m.nColumn, 1);
    EXPECT_EQ(m.nPlace, 4);
    EXPECT_EQ(m.bAnchored, 1);
    EXPECT_EQ(m.nTimeKind, MessageTime::Frames);
    EXPECT_EQ(m.nRemain, 30);
    EXPECT_EQ(m.nOwnerId, stage.Hero().m_nId);
    EXPECT_TRUE(IsModeActive(1, 1));
    EXPECT_TRUE(IsModeActive(2, 0));
    EXPECT_FALSE(IsModeActive(2, 1));
    EXPECT_FALSE(IsModeActive(0, 0));
}

}  // namespace
