#include <gtest/gtest.h>

#include <algorithm>

#include "foundation/report.h"
#include "gamedata/stage_file/stage_data.h"
#include "support/stage/stage_harness.h"
#include "support/temp_dir.h"

namespace {

// The stage is 2 x 3 blocks: the stage area is x 320..383, y 320..415; the
// grid adds 320 pixels on every side.
TEST(Moves, CodesOfTheStageCharactersMoves) {
    struct Case {
        const char* name;
        int moveKind;
        double y, speedY;
        int expected;
    };
    const std::vector<Case> cases = {
        {"walking, inside", 0, 320.0, 1.0, 0},
        {"walking, below the stage area: fell out", 0, 384.0, 2.0, 7},
        {"walking, stopped at the grid's bottom", 0, 700.0, 6.0, 7},
        {"flying, stopped at the grid's top", 2, 2.0, -5.0, 8},
        {"flying, stopped at the grid's bottom", 2, 700.0, 6.0, 8},
        {"flying, below the stage area", 2, 384.0, 2.0, 5},
    };
    for (const Case& c : cases) {
        StageHarness stage({"a.", "..", ".."}, {.hitCheckLevel = 1});
        cStageChara& a = stage.Chara('a');
        a.SetMoveKind(c.moveKind);
        a.m_dY = c.y;
        a.m_dSpeedY = c.speedY;
        EXPECT_EQ(a.MoveY(), c.expected) << c.name;
    }
    StageHarness stage({"a.", "..", ".."}, {.hitCheckLevel = 1});
    cStageChara& a = stage.Chara('a');
    a.m_dX = 2.0;
    a.m_dSpeedX = -5.0;
    EXPECT_EQ(a.MoveX(), 4) << "stopped at the grid's edge";
    EXPECT_EQ(a.m_dX, 0.0);
    // An impact replaces the speed; an acceleration is added otherwise.
    a.m_dX = 340.0;
    a.m_dImpactX = 1.5;
    a.m_dAccelX = 0.25;
    a.MoveX();
    EXPECT_EQ(a.m_dX, 341.5);
    a.m_dImpactX = 0.0;
    a.MoveX();
    EXPECT_EQ(a.m_dSpeedX, 1.75);
    EXPECT_EQ(a.m_dX, 343.25);
}

TEST(Moves, HeroOnSpeedChangeGroundAndTheCamera) {
    struct Case {
        double accel, groundValue;
        int groundSteps;
        double expectedAccel;
    };
    // One sub-step per frame: the change is 4 / 60 x (value - 1) per sub-step.
    const double d = 4.0 / 60.0 * (0.5 - 1.0);
    const std::vector<Case> cases = {
        {0.1, 0.5, 1, 0.1 + d}, {0.01, 0.5, 1, 0.0}, {-0.1, 0.5, 1, -0.1 - d},
        {-0.01, 0.5, 1, 0.0},   {0.1, 0.5, 0, 0.1},  {0.1, 2.0, 1, 0.1 + 4.0 / 60.0},
    };
    for (const Case& c : cases) {
        StageHarness stage({"H...................", "####################"}, {.hitCheckLevel = 1});
        cPlayer& hero = stage.Hero();
        hero.m_dAccelX = c.accel;
        hero.m_nGroundKind = 3;
        hero.m_dGroundValue = c.groundValue;
        hero.m_nGroundSteps = c.groundSteps;
        const double x = hero.m_dX;
        EXPECT_EQ(hero.MoveX(), 0);
        EXPECT_DOUBLE_EQ(hero.m_dAccelX, c.expectedAccel) << c.accel << " " << c.groundValue;
        EXPECT_DOUBLE_EQ(hero.m_dX, x + c.expectedAccel);
    }
    // The view centres the hero's box, within the inner limits.
    StageHarness stage({"...............H........................", "########################################"},
                       {.hitCheckLevel = 1});
    cPlayer& hero = stage.Hero();
    hero.m_dSpeedX = 3.0;
    hero.MoveX();
    const cScrollAxis& ax = stage.State().m_ScrollX;
    EXPECT_EQ(ax.m_dPos, hero.m_dX - (320 - 16));
    hero.m_dSpeedX = 6.0;
    for (int i = 0; i < 200; ++i) hero.MoveX();
    EXPECT_EQ(ax.m_dPos, ax.m_nMax - 640) << "the view stops at its limit";
    EXPECT_EQ(hero.m_dRight, ax.m_nOuterMax - 1) << "the hero stops at the stage's edge";
}

TEST(Moves, HeroImpactMovesWriteOneDebugLineEachSubStep) {
    TempDir dir;
    SetDebugLog(1, "debug.txt");
    {
        StageHarness stage({"H...", "####"}, {.hitCheckLevel = 1});
        cPlayer& hero = stage.Hero();
        hero.m_dImpactX = 1.5;
        hero.m_dImpactY = -1.0;
        for (int i = 0; i < 3; ++i) {
            hero.MoveX();
            hero.MoveY();
        }
        hero.m_dImpactX = hero.m_dImpactY = 0.0;
        hero.MoveX();
        hero.MoveY();
    }
    SetDebugLog(0, "");
    const std::string log = dir.ReadHostFile("debug.txt");
    const auto count = [&](const std::string& what) {
        int n = 0;
        for (std::size_t at = log.find(what); at != std::string::npos; at = log.find(what, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("MoveX() m_dSpeedX = 1.500000, m_dImpactX = 1.500000"), 3) << log;
    EXPECT_EQ(count("MoveY() m_dSpeedY = "), 3) << log;
}

}  // namespace
