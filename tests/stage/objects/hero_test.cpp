#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gamedata/global_data.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "support/stage/stage_harness.h"

namespace {

// 40 x 16 blocks: the stage area is x 320..1599, y 320..831.
std::vector<std::string> WideStage() {
    std::vector<std::string> rows(15, std::string(40, '.'));
    rows.push_back(std::string(40, '#'));
    rows[14][5] = 'H';
    return rows;
}

// Hit box 20 x 28 on the cell's bottom when walking, 24 x 12 centred when
// flying; body box 10 x 20 on the bottom / 14 x 6 centred; shot box 12 x 8,
// item box 16 x 16, second body box 18 x 22.
void SetHeroSizes() {
    cStageData& s = LoadedStage;
    s.m_nHeroW = 20, s.m_nHeroH = 28, s.m_bHeroBottom = 1;
    s.m_nHeroW2 = 24, s.m_nHeroH2 = 12, s.m_bHeroBottom2 = 0;
    s.m_nHeroHitW = 10, s.m_nHeroHitH = 20, s.m_bHeroHitBottom = 1;
    s.m_nHeroHitW2 = 14, s.m_nHeroHitH2 = 6, s.m_bHeroHitBottom2 = 0;
    s.m_nHeroBox1W = 12, s.m_nHeroBox1H = 8;
    s.m_nHeroBox2W = 16, s.m_nHeroBox2H = 16;
    s.m_nShotBox[0] = 18, s.m_nShotBox[1] = 22;
}

cCharaDef HeroDefOf(int moveKind, int bodySource, int scale = 1) {
    cCharaDef def = StageOptions::DefaultHero();
    def.m_cFlying = static_cast<std::int8_t>(moveKind);
    def.m_cHitKind = static_cast<std::int8_t>(bodySource);
    def.m_cScale = static_cast<std::int8_t>(scale);
    return def;
}

TEST(Hero, BoxesWhileWalkingAndFlying) {
    struct Case {
        const char* name;
        int moveKind, bodySource;
        OffsetRect graphic;  // graphic cell offsets and hit size
        OffsetRect body, shot, item;
    };
    // Walking: gx = (32 - 20) / 2 = 6, gy = 32 - 28 = 4. A centred box of
    // (w, h) sits at (16 - gx - w/2, 16 - gy - h/2); a bottom one at y
    // 32 - gy - h. Flying: gx = (32 - 24) / 2 = 4, gy = (32 - 12) / 2 = 10.
    const std::vector<Case> cases = {
        {"walking, body box of the state", 0, 0, {6, 4, 20, 28}, {5, 8, 10, 20}, {4, 8, 12, 8}, {2, 4, 16, 16}},
        {"walking, body box = shot box", 0, 1, {6, 4, 20, 28}, {4, 8, 12, 8}, {4, 8, 12, 8}, {2, 4, 16, 16}},
        {"walking, second body box", 0, 2, {6, 4, 20, 28}, {1, 1, 18, 22}, {4, 8, 12, 8}, {2, 4, 16, 16}},
        {"walking, whole cell", 0, 3, {6, 4, 20, 28}, {-6, -4, 32, 32}, {4, 8, 12, 8}, {2, 4, 16, 16}},
        {"flying, body box of the state", 2, 0, {4, 10, 24, 12}, {5, 3, 14, 6}, {6, 2, 12, 8}, {4, -2, 16, 16}},
        {"flying, whole cell", 1, 3, {4, 10, 24, 12}, {-4, -10, 32, 32}, {6, 2, 12, 8}, {4, -2, 16, 16}},
    };
    for (const Case& c : cases) {
        StageHarness stage(WideStage());
        SetHeroSizes();
        cCharaDef def = HeroDefOf(c.moveKind, c.bodySource);
        cPlayer& hero = stage.Hero();
        hero.InitFromDef(0, def, {0, 0, 0, 0});
        EXPECT_EQ(hero.m_rcGraphic.x, c.graphic.x) << c.name;
        EXPECT_EQ(hero.m_rcGraphic.y, c.graphic.y) << c.name;
        EXPECT_EQ(hero.m_nWidth, c.graphic.w) << c.name;
        EXPECT_EQ(hero.m_nHeight, c.graphic.h) << c.name;
        const auto same = [](const OffsetRect& a, const OffsetRect& b) {
            return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
        };
        EXPECT_TRUE(same(hero.m_rcBodyBox.rc, c.body)) << c.name;
        EXPECT_TRUE(same(hero.m_rcShotBox.rc, c.shot)) << c.name;
        EXPECT_TRUE(same(hero.m_rcItemBox.rc, c.item)) << c.name;
        EXPECT_EQ(hero.m_bFly != 0, c.moveKind != 0) << c.name;
        // The box edges follow the position: left = trunc(x) + offset.
        hero.m_dX = 700.75;
        hero.m_dY = 500.5;
        hero.ClampX(BoundMode::Grid);
        hero.ClampY(BoundMode::Grid);
        EXPECT_EQ(hero.m_rcItemBox.dLeft, 700 + c.item.x) << c.name;
        EXPECT_EQ(hero.m_rcItemBox.dRight, 700 + c.item.x + c.item.w - 1) << c.name;
        EXPECT_EQ(hero.m_rcBodyBox.dTop, 500 + c.body.y) << c.name;
        EXPECT_EQ(hero.m_rcShotBox.dBottom, 500 + c.shot.y + c.shot.h - 1) << c.name;
    }
}

TEST(Hero, ScaleMultipliesTheBoxesFromTheirBase) {
    StageHarness stage(WideStage());
    SetHeroSizes();
    cCharaDef def = HeroDefOf(0, 0, 2);
    cPlayer& hero = stage.Hero();
    hero.InitFromDef(0, def, {0, 0, 0, 0});
    EXPECT_EQ(hero.m_nWidth, 40);
    EXPECT_EQ(hero.m_nHeight, 56);
    EXPECT_EQ(hero.m_rcBodyBox.rc.x, 10);
    EXPECT_EQ(hero.m_rcBodyBox.rc.h, 40);
    EXPECT_EQ(hero.m_rcItemBox.rc.w, 32);
    EXPECT_EQ(hero.m_rcItemBox.rcBase.w, 16) << "the base stays at scale 1";
    // A graphic change that applies the scale gives the same boxes again.
    hero.ChangeGraphic(0, 1, 0, 0);
    EXPECT_EQ(hero.m_nWidth, 40);
    EXPECT_EQ(hero.m_rcGraphic.w, 64);
    EXPECT_EQ(hero.m_rcShotBox.rc.y, 16);
    // Without it the boxes are those of scale 1.
    hero.ChangeGraphic(0, 0, 0, 0);
    EXPECT_EQ(hero.m_nWidth, 20);
    EXPECT_EQ(hero.m_rcShotBox.rc.y, 8);
}

TEST(Hero, ChangingBetweenWalkingAndFlying) {
    StageHarness stage(WideStage(), {.hitCheckLevel = 3});
    cCharaDef def = HeroDefOf(2, 0);
    cPlayer& hero = stage.Hero();
    hero.InitFromDef(0, def, {0, 0, 0, 0});
    hero.m_dSpeedX = 2.0, hero.m_dSpeedY = -1.0, hero.m_dAccelX = 0.5, hero.m_dAccelY = 0.25;
    hero.ChangeGraphic(0, 0, 0, 0);
    EXPECT_EQ(hero.m_nGraphicChange, 2);
    for (double v : {hero.m_dSpeedX, hero.m_dSpeedY, hero.m_dAccelX, hero.m_dAccelY}) {
        EXPECT_EQ(v, 0.0) << "a hero that lands from flying stops dead";
    }
    hero.m_bAirLock = 0;
    hero.m_dSpeedX = 2.0;
    hero.ChangeGraphic(2, 0, 0, 0);
    EXPECT_EQ(hero.m_bAirLock, 1) << "taking off blocks a jump start";
    EXPECT_EQ(hero.m_nAirSteps, 24) << "8 frames of 3 sub-steps";
    EXPECT_EQ(hero.m_dSpeedX, 2.0) << "taking off keeps the speed";

    SystemData.m_bCompatFlyJump = 1;
    hero.ChangeGraphic(0, 0, 0, 0);
    hero.m_bAirLock = 0;
    hero.m_nAirSteps = 0;
    hero.ChangeGraphic(2, 0, 0, 0);
    EXPECT_EQ(hero.m_bAirLock, 0) << "old projects jump at once after taking off";
    EXPECT_EQ(hero.m_nAirSteps, 0);
    SystemData.m_bCompatFlyJump = 0;
}

TEST(Hero, AGraphicChangePutsTheSavedPositionBackOnce) {
    StageHarness stage(WideStage());
    cCharaDef def = HeroDefOf(0, 0);
    cPlayer& hero = stage.Hero();
    hero.InitFromDef(0, def, {0, 0, 0, 0});
    EXPECT_FALSE(hero.RestoreChangePos()) << "no change is settling";
    hero.m_dX = 500.0, hero.m_dY = 600.0;
    hero.ClampX(BoundMode::Grid);
    hero.ClampY(BoundMode::Grid);
    hero.ChangeGraphic(0, 0, 1, 1);
    EXPECT_EQ(hero.m_nGraphicChange, 0) << "the same move kind is no change";
    EXPECT_EQ(hero.m_bChangePosPending, 0);
    hero.ChangeGraphic(2, 0, 1, 1);
    hero.m_dX = 530.0, hero.m_dY = 640.0;
    EXPECT_TRUE(hero.RestoreChangePos());
    EXPECT_EQ(hero.m_dX, 500.0);
    EXPECT_EQ(hero.m_dY, 600.0);
    hero.m_dX = 530.0;
    EXPECT_TRUE(hero.RestoreChangePos()) << "still settling";
    EXPECT_EQ(hero.m_dX, 530.0) << "put back only once";
}

TEST(Hero, MarkersLargestFirst) {
    StageHarness stage(WideStage());
    SetHeroSizes();
    cStageData& s = LoadedStage;
    for (int anchor = 0; anchor < 4; ++anchor) {
        s.m_nHeroBoxOrder[anchor] = 1 + anchor % 2;
        s.m_nHeroBoxKind[anchor] = anchor;
    }
    s.m_nHeroBoxKind[3] = 99;  // out of the colour table
    cCharaDef def = HeroDefOf(0, 0);
    cPlayer& hero = stage.Hero();
    hero.InitFromDef(0, def, {0, 0, 0, 0});
    // Areas: hit 20 x 28 = 560, item 256, body 200, shot 96.
    std::vector<int> anchors;
    for (const MarkerRect& m : hero.m_vecMarker) anchors.push_back(m.nAnchor);
    EXPECT_EQ(anchors, (std::vector<int>{0, 2, 1, 3}));
    EXPECT_EQ(hero.m_vecMarker[0].nColour, 208);
    EXPECT_EQ(hero.m_vecMarker[0].nStyle, 1);
    EXPECT_EQ(hero.m_vecMarker[1].nColour, 216);
    EXPECT_EQ(hero.m_vecMarker[3].nColour, 236);

    // A shot box larger than the hit box comes first; the item and body
    // boxes of equal area keep their order.
    s.m_nHeroBox1W = 30, s.m_nHeroBox1H = 30;
    s.m_nHeroHitW = 16, s.m_nHeroHitH = 16;
    hero.ChangeGraphic(0, 0, 0, 0);
    anchors.clear();
    for (const MarkerRect& m : hero.m_vecMarker) anchors.push_back(m.nAnchor);
    EXPECT_EQ(anchors, (std::vector<int>{3, 0, 2, 1}));
}

TEST(Hero, CameraAndBound) {
    struct Case {
        const char* name;
        int moveKind;
        double x;
        double scroll;  // the view's left edge after the move
        double heroX;   // after the bound
    };
    // The view is 640 wide on a stage area of 320..1599 (the grid is
    // 0..1919); the walking hero (16 wide) is held in the stage area, the
    // flying one in the scroll range, here the same.
    const std::vector<Case> cases = {
        {"centred", 0, 900.0, 900.0 - (320 - 8), 900.0},
        {"near the left: the view at its minimum", 0, 400.0, 320.0, 400.0},
        {"past the right: the view at its maximum", 0, 1590.0, 1600.0 - 640.0, 1600.0 - 16.0},
        {"left of the stage area, walking", 0, 300.0, 320.0, 320.0},
        {"left of the stage area, flying", 2, 300.0, 320.0, 320.0},
    };
    for (const Case& c : cases) {
        StageHarness stage(WideStage());
        cCharaDef def = HeroDefOf(c.moveKind, 0);
        cPlayer& hero = stage.Hero();
        hero.InitFromDef(0, def, {0, 0, 0, 0});
        hero.m_dX = c.x;
        hero.AfterMoveX();
        EXPECT_EQ(stage.State().m_ScrollX.m_dPos, c.scroll) << c.name;
        EXPECT_EQ(hero.m_dX, c.heroX) << c.name;
    }
    // With an inner limit the flying hero is held by the scroll range, the
    // walking one only by the stage area.
    for (int moveKind : {0, 2}) {
        StageHarness stage(WideStage());
        cCharaDef def = HeroDefOf(moveKind, 0);
        cPlayer& hero = stage.Hero();
        hero.InitFromDef(0, def, {0, 0, 0, 0});
        stage.State().m_ScrollX.SetInnerLimits(4, 30, 1, 1);  // 448 .. 1311
        hero.m_dX = 400.0;
        hero.AfterMoveX();
        EXPECT_EQ(stage.State().m_ScrollX.m_dPos, 448.0);
        EXPECT_EQ(hero.m_dX, moveKind ? 448.0 : 400.0) << moveKind;
    }
}

TEST(Hero, ScreenRectWithAndWithoutAutoScroll) {
    StageHarness stage(WideStage());
    cCharaDef def = HeroDefOf(0, 0);
    cPlayer& hero = stage.Hero();
    hero.InitFromDef(0, def, {0, 0, 0, 0});  // graphic offsets (8, 8)
    cScrollAxis& x = stage.State().m_ScrollX;
    hero.m_dX = 500.75;
    x.m_dPos = 400.5;
    hero.UpdateScreenRect();
    EXPECT_EQ(hero.m_rcScreen.left, 92) << "trunc(500.75 - 400.5 - 8) = 92";
    EXPECT_EQ(hero.m_rcScreen.right, 92 + 31);
    x.m_bAutoScroll = 1;
    hero.UpdateScreenRect();
    EXPECT_EQ(hero.m_rcScreen.left, 92) << "500 - 400 - 8";
    hero.m_dX = 500.25;
    x.m_dPos = 400.75;
    hero.UpdateScreenRect();
    EXPECT_EQ(hero.m_rcScreen.left, 92) << "with auto-scroll each is truncated alone";
    x.m_bAutoScroll = 0;
    hero.UpdateScreenRect();
    EXPECT_EQ(hero.m_rcScreen.left, 91) << "trunc(500.25 - 400.75 - 8) = 91";
}

TEST(Hero, ShowsThePictureCellOfItsDefinitionNotItsAnimationSet) {
    StageHarness stage(WideStage());
    Database.AnimeSet.resize(4);
    cCharaDef def = HeroDefOf(0, 0);
    def.m_sCell = 17;
    def.m_sAnimeSet = 3;
    cPlayer& hero = stage.Hero();
    hero.InitFromDef(0, def, {0, 0, 0, 0});
    EXPECT_EQ(hero.m_nGraphic, 17) << "the drawing reads its sheet row from this number";
    EXPECT_EQ(hero.m_Def.m_sAnimeSet, 3);
}

TEST(Hero, TouchedItemsAndFacing) {
    StageHarness stage(WideStage());
    cCharaDef def = HeroDefOf(0, 0);
    def.m_cDirection = 0;
    cPlayer& hero = stage.Hero();
    hero.InitFromDef(0, def, {0, 0, 0, 0});
    EXPECT_EQ(hero.m_nDirection, 0);
    EXPECT_EQ(hero.m_nPrevDirection, 0);
    hero.m_listTouchedItems = {7, 3, 7};
    EXPECT_FALSE(hero.IsNotLinked(7));
    hero.Unlink(7);
    EXPECT_TRUE(hero.IsNotLinked(7)) << "one Unlink removes every occurrence";
    EXPECT_FALSE(hero.IsNotLinked(3));
    EXPECT_DOUBLE_EQ(hero.m_dSlipRate, 4.0 / 10.0);
}

}  // namespace
