#include "stage/movement/tile_contacts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "gamedata/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/movement/contact_triggers.h"
#include "support/stage/stage_harness.h"

namespace {

std::vector<int> g_triggers;
void RecordTrigger(cChara&, int trigger) { g_triggers.push_back(trigger); }

class TileContacts : public ::testing::Test {
protected:
    void SetUp() override {
        g_triggers.clear();
        SetContactTriggerSink(RecordTrigger);
    }
    void TearDown() override {
        SetContactTriggerSink(nullptr);
        SystemData.m_bCompatTouchPush = 0;
        SystemData.m_bCompatLandRising = 0;
    }
};

// Gravity 0.5 at one sub-step per frame keeps every value a multiple of 0.5,
// exact in a double, so the positions are compared exactly.
TEST_F(TileContacts, FallsAndLandsOnTheFloorAtTheMaximumSpeed) {
    StageHarness stage({"a.", "..", "..", "..", "##"}, {.hitCheckLevel = 1, .gravity = 0.5});
    cStageChara& a = stage.Chara('a');
    // Starts at y 320 (row 0); the floor's top is pixel 320 + 4 x 32 = 448.
    // Speeds 0.5 k for k = 1..12 (39 pixels in all), then the speed limit
    // 6: y 359 after 12 sub-steps, 395 after 18, 401 after 19 (bottom 432),
    // 407 after 20 (bottom 438), 413 after 21 (bottom 444), and the 22nd
    // puts the bottom at 450, two pixels into the floor: back by 3 to 416,
    // bottom 447.
    for (int step = 1; step <= 21; ++step) {
        EXPECT_EQ(stage.MoveOneSubStep(), (std::vector<int>{0})) << step;
        if (step == 13) {
            EXPECT_EQ(a.m_dSpeedY, 6.0) << "gravity took it to 6.5 and the move limited it";
            EXPECT_EQ(a.m_dY, 365.0);
        }
    }
    EXPECT_EQ(a.m_dY, 413.0);
    EXPECT_EQ(a.m_nAirSteps, 21);
    EXPECT_TRUE(g_triggers.empty());
    stage.MoveOneSubStep();
    EXPECT_EQ(a.m_dY, 416.0);
    EXPECT_EQ(a.m_dBottom, 447.0);
    EXPECT_EQ(a.m_dSpeedY, 0.0);
    EXPECT_EQ(a.m_nAirSteps, 0);
    EXPECT_EQ(a.m_bAirLock, 0);
    EXPECT_EQ(a.m_bTouchBottom, 1);
    EXPECT_EQ(a.m_lpGroundBlock, &stage.Cell(0, 4));
    EXPECT_EQ(a.m_lpLastGroundBlock, &stage.Cell(0, 4));
    EXPECT_TRUE(a.IsOnGround());
    EXPECT_EQ(g_triggers, (std::vector<int>{11, 15, 17}));
}

// The hero walks right at 4 pixels a sub-step off a ledge, over a one-block
// gap, onto a lower ledge.
TEST_F(TileContacts, HeroWalksOverAGapAndLandsOnALowerLedge) {
    const std::vector<std::string> picture = {
        "....................", "H...................", "###.................",
        "....################", "....................",
    };
    StageHarness stage(picture, {.hitCheckLevel = 1, .gravity = 0.5});
    cPlayer& hero = stage.Hero();
    hero.m_dSpeedX = 4.0;
    // Worked by hand. Start: x 320.5, y 352 (row 1), bottom 383; the upper
    // ledge's top is pixel 384, it ends at x 415; the lower ledge starts at
    // x 448 with its top at 416.
    // On the ledge the hero sinks and lands on a cycle of three sub-steps:
    //   k = 1: speed 0.5, y 352.5, bottom 383.5, in the air;
    //   k = 2: speed 1, y 353.5, bottom 384.5, lands: y -= 0 + 1 -> 352.5;
    //   k = 3: speed 0.5, y 353, bottom 384, lands: y -= 0 + 1 -> 352;
    // and again from k = 4. So after k = 23 (23 mod 3 = 2): y 352.5, speed 0.
    // x = 320.5 + 4k; at k = 24 x is 416.5: both foot probes (416 and 447)
    // are over the gap, and the hero falls with speeds 0.5 (j + 1) on
    // sub-step 24 + j: y = 352.5 + 0.25 (j + 1)(j + 2).
    //   j = 9 (k = 33): y 380, bottom 411: still above the lower ledge;
    //   j = 10 (k = 34): y 385.5, bottom 416.5, x 456.5 over the lower
    //   ledge: lands, y -= (416 & 31) + 1 -> 384.5.
    // The eighth sub-step in the air (k = 31) sets the air lock.
    struct Expected {
        int k;
        double x, y, speedY;
        int airSteps, airLock;
    };
    const std::vector<Expected> expected = {
        {1, 324.5, 352.5, 0.5, 1, 1},  {2, 328.5, 352.5, 0.0, 0, 0},   {3, 332.5, 352.0, 0.0, 0, 0},
        {23, 412.5, 352.5, 0.0, 0, 0}, {24, 416.5, 353.0, 0.5, 1, 0},  {30, 440.5, 366.5, 3.5, 7, 0},
        {31, 444.5, 370.5, 4.0, 8, 1}, {33, 452.5, 380.0, 5.0, 10, 1}, {34, 456.5, 384.5, 0.0, 0, 0},
    };
    int k = 0;
    for (const Expected& e : expected) {
        while (k < e.k) {
            ASSERT_EQ(stage.MoveOneSubStep(), (std::vector<int>{0}));
            ++k;
        }
        EXPECT_EQ(hero.m_dX, e.x) << k;
        EXPECT_EQ(hero.m_dY, e.y) << k;
        EXPECT_EQ(hero.m_dSpeedY, e.speedY) << k;
        EXPECT_EQ(hero.m_nAirSteps, e.airSteps) << k;
        EXPECT_EQ(hero.m_bAirLock, e.airLock) << k;
    }
    EXPECT_EQ(hero.m_lpGroundBlock, &stage.Cell(4, 3))
        << "the hero's ground is the most solid probe nearest its middle";
    EXPECT_EQ(hero.m_bJumpReady, 1);
}

TEST_F(TileContacts, RepeatedRunsHashAlike) {
    const std::vector<std::string> picture = {
        "..........",
        "H...a.....",
        "###....#..",
        "...#######",
    };
    const auto run = [&](double speed) {
        StageHarness stage(picture, {.hitCheckLevel = 10});
        stage.Hero().m_dSpeedX = speed;
        stage.Chara('a').m_dSpeedX = -speed;
        for (int i = 0; i < 600; ++i) stage.MoveOneSubStep();
        return stage.Hash();
    };
    const std::uint64_t first = run(0.3);
    EXPECT_EQ(run(0.3), first);
    EXPECT_NE(run(0.31), first);
}

// A wall on the right at column 2 (x 384): pushed back by whole pixels to
// the wall's first pixel column, then out by tenths of a pixel.
TEST_F(TileContacts, StopsAtWallsOnEitherSide) {
    struct Case {
        const char* name;
        double x, speed;
        int compatPush;
        double expectedX;
        int side, trigger;
    };
    const std::vector<Case> cases = {
        // Right edge 385.25: back 1 to 384.25 (in the wall), then three
        // tenths to 383.95.
        {"right, nudged out", 354.25, 0.0, 0, 352.95, 1, 14},
        {"right, old projects: one pixel further", 354.25, 0.0, 1, 352.25, 1, 14},
        // Left edge 382.75 in the wall of column 1 (x 352..383): to 384.75.
        {"left, next column keeping the fraction", 382.75, -1.0, 0, 384.75, 0, 13},
    };
    for (const Case& c : cases) {
        SystemData.m_bCompatTouchPush = c.compatPush;
        const char* wallRow = c.side ? "..#." : ".#..";
        StageHarness stage({"...a", wallRow, "####"}, {.hitCheckLevel = 1});
        cStageChara& a = stage.Chara('a');
        // Row 1 in pixels: 352..383; a stands on the floor.
        a.m_dX = c.x;
        a.m_dSpeedX = c.speed;
        a.m_dAccelX = 0.5;
        a.m_dY = 352.0;
        a.AfterMoveX();
        a.AfterMoveY();
        g_triggers.clear();
        EXPECT_EQ(ResolveTilesX(a), TileResult::Go) << c.name;
        EXPECT_NEAR(a.m_dX, c.expectedX, 1e-9) << c.name;
        EXPECT_FALSE(a.TouchesSolidTile()) << c.name;
        EXPECT_EQ(a.m_nWallSide, c.side) << c.name;
        EXPECT_EQ(a.m_dAccelX, 0.0) << c.name;
        EXPECT_EQ(c.side ? a.m_bTouchRight : a.m_bTouchLeft, 1) << c.name;
        EXPECT_EQ(g_triggers, (std::vector<int>{11, 12, c.trigger})) << c.name;
        SystemData.m_bCompatTouchPush = 0;
    }
}

TEST_F(TileContacts, MoveKindsAndDeadlyBlocks) {
    struct Case {
        const char* name;
        int flyKind;  // -1 walking
        int hero;
        int expected;
        bool landed;
    };
    // Each character falls onto a deadly block.
    const std::vector<Case> cases = {
        {"a computer character stands on a deadly block", -1, 0, TileResult::Go, true},
        {"the hero is killed by it", -1, 1, TileResult::Killed, false},
        {"a flier passing blocks never touches it", 0, 0, TileResult::Go, false},
        {"a colliding flier lands", 1, 0, TileResult::Go, true},
        {"a flier dying on blocks dies", 2, 0, TileResult::Killed, false},
    };
    for (const Case& c : cases) {
        StageHarness stage({c.hero ? "H" : "a", "X"}, {.hitCheckLevel = 1});
        cChara& who = c.hero ? static_cast<cChara&>(stage.Hero()) : stage.Chara('a');
        if (c.flyKind >= 0) who.SetMoveKind(c.flyKind + 1);
        who.m_dSpeedY = 3.0;
        who.m_dY += 3.0;
        who.AfterMoveY();
        EXPECT_EQ(ResolveTilesY(who), c.expected) << c.name;
        EXPECT_EQ(who.m_bTouchBottom == 1, c.landed) << c.name;
        if (c.landed) { EXPECT_EQ(who.m_dBottom, 351.0) << c.name; }
    }
}

TEST_F(TileContacts, RisingCharactersPassUpThroughBlockTopsAndStopUnderCeilings) {
    StageHarness stage({"#", "a", "#"}, {.hitCheckLevel = 1});
    cStageChara& a = stage.Chara('a');
    // Feet two pixels into the floor while rising: no landing.
    a.m_dY = 354.0;
    a.m_dSpeedY = -1.0;
    a.AfterMoveY();
    EXPECT_EQ(ResolveFootTiles(a), TileResult::Go);
    EXPECT_EQ(a.m_dY, 354.0);
    SystemData.m_bCompatLandRising = 1;
    EXPECT_EQ(ResolveFootTiles(a), TileResult::Go);
    EXPECT_EQ(a.m_dY, 352.0) << "old projects land also while rising";
    // Head in the ceiling block (row 0 ends at 351): to the first row below.
    a.m_dY = 349.5;
    a.m_dSpeedY = -2.0;
    a.m_dImpactY = -1.0;
    a.AfterMoveY();
    g_triggers.clear();
    EXPECT_EQ(ResolveHeadTiles(a), TileResult::Go);
    EXPECT_EQ(a.m_dY, 352.5) << "the top goes to the first row below, keeping the fraction";
    EXPECT_EQ(a.m_dSpeedY, 0.0);
    EXPECT_EQ(a.m_bCeiling, 1);
    EXPECT_EQ(a.m_bJumpEnd, 1);
    EXPECT_EQ(a.m_dImpactY, 0.0) << "a ceiling ends the vertical impact";
    EXPECT_EQ(g_triggers, (std::vector<int>{11, 15, 16}));
}

TEST_F(TileContacts, ProbesPreferTheMostSolidBlockNearestTheMiddle) {
    StageHarness stage({".a..", ".X#.", "##.X"}, {.hitCheckLevel = 1});
    cStageChara& a = stage.Chara('a');
    // A line across columns 1 and 2 of row 1: the deadly block wins.
    EXPECT_EQ(ProbeBlockLine(a, 360, 360, 400, 360), &stage.Cell(1, 1));
    // Only passable blocks: the first probe.
    EXPECT_EQ(ProbeBlockLine(a, 360, 330, 400, 330), &stage.Cell(1, 0));
    EXPECT_EQ(ProbeBlockLine(a, 360, 330, 400, 331), nullptr) << "a slanted line probes nothing";
    // A vertical line from far above the grid is clamped into it.
    EXPECT_EQ(ProbeBlockLine(a, 330, -500, 330, 2000), &stage.Cell(0, -10));
    // Feet over columns 0 and 1 of row 2 (y 384..415): probes at x 336,
    // 352 and 367, middle 351: of the equally solid blocks the one under
    // the probe at 352.
    a.m_dX = 336.0;
    a.m_dY = 358.0;
    a.AfterMoveX();
    a.AfterMoveY();
    EXPECT_EQ(ProbeGroundBlock(a), &stage.Cell(1, 2));
    // Over columns 2 and 3: the deadly block, though further from the middle.
    a.m_dX = 400.0;
    a.AfterMoveX();
    EXPECT_EQ(ProbeGroundBlock(a), &stage.Cell(3, 2));
}

// A character two pixels into a deadly block on one side: the hero is
// killed, a computer character is stopped as by a solid block.
TEST_F(TileContacts, DeadlyBlocksKillTheHeroFromEverySideAndStopComputerCharacters) {
    struct Case {
        const char* name;
        std::vector<std::string> picture;
        double dx, dy, speedY;
        int (*rule)(cChara&);
    };
    const std::vector<Case> cases = {
        {"left", {"...", "X?.", "..."}, -2.0, 0.0, 0.0, ResolveLeftTiles},
        {"right", {"...", ".?X", "..."}, 2.0, 0.0, 0.0, ResolveRightTiles},
        {"head", {".X.", ".?.", "..."}, 0.0, -2.0, -1.0, ResolveHeadTiles},
        {"feet", {"...", ".?.", ".X."}, 0.0, 2.0, 1.0, ResolveFootTiles},
    };
    for (const Case& c : cases) {
        for (const char who : {'H', 'a'}) {
            std::vector<std::string> picture = c.picture;
            picture[1][1] = who;
            StageHarness stage(picture, {.hitCheckLevel = 1});
            cChara& chara = who == 'H' ? static_cast<cChara&>(stage.Hero()) : stage.Chara('a');
            const double x = chara.m_dX, y = chara.m_dY;
            chara.m_dX += c.dx;
            chara.m_dY += c.dy;
            chara.m_dSpeedY = c.speedY;
            chara.AfterMoveX();
            chara.AfterMoveY();
            const int result = c.rule(chara);
            if (who == 'H') {
                EXPECT_EQ(result, TileResult::Killed) << c.name;
                EXPECT_EQ(chara.m_dX, x + c.dx) << c.name << ": a killed hero is not pushed";
                continue;
            }
            EXPECT_EQ(result, TileResult::Go) << c.name;
            // Pushed out by whole pixels to the cell it started in.
            EXPECT_EQ(chara.m_dX, x) << c.name;
            EXPECT_EQ(chara.m_dY, y) << c.name;
        }
    }
}

TEST_F(TileContacts, BlocksOfTheCharactersPassGroupOrWithFailingConditionsArePassable) {
    struct Case {
        const char* name;
        int passGroup;   // -1 none, else the character's own group
        int conditions;  // -1 none, else whether they hold
        bool lands;
    };
    const std::vector<Case> cases = {
        {"a plain floor", -1, -1, true},
        {"the character's pass group", 0, -1, false},
        {"conditions that hold", -1, 1, true},
        {"conditions that fail", -1, 0, false},
    };
    static int g_conditionsHold = 1;
    SetBlockConditionTest([](cTileCell&) { return g_conditionsHold != 0; });
    for (const Case& c : cases) {
        StageHarness stage({"a", "#"}, {.hitCheckLevel = 1});
        cStageChara& a = stage.Chara('a');
        cTileCell& floor = stage.Cell(0, 1);
        if (c.passGroup >= 0) floor.m_Def.m_cPassGroup = static_cast<std::int8_t>(a.m_nBlockGroup);
        if (c.conditions >= 0) floor.m_Def.m_vCond.resize(1);
        g_conditionsHold = c.conditions;
        a.m_dY += 3.0;
        a.m_dSpeedY = 3.0;
        a.AfterMoveY();
        EXPECT_EQ(ResolveTilesY(a), TileResult::Go) << c.name;
        EXPECT_EQ(a.m_dY, c.lands ? 320.0 : 323.0) << c.name;
        EXPECT_EQ(a.m_lpGroundBlock, c.lands ? &floor : nullptr) << c.name;
        EXPECT_EQ(a.m_nAirSteps, c.lands ? 0 : 1) << c.name;
    }
    SetBlockConditionTest(nullptr);
}

// The air count locks the jump on the 8n-th sub-step in the air, n the
// sub-steps of a frame; a riding hero is never locked by it.
TEST_F(TileContacts, EightFramesInTheAirLockTheJump) {
    struct Case {
        const char* name;
        int subSteps;
        char who;
        int riding;
        int locks;
    };
    const std::vector<Case> cases = {
        {"hero, one sub-step a frame", 1, 'H', 0, 1},
        {"hero, three sub-steps a frame", 3, 'H', 0, 1},
        {"riding hero", 3, 'H', 1, 0},
        {"computer character", 3, 'a', 0, 1},
    };
    for (const Case& c : cases) {
        StageHarness stage({std::string(1, c.who), "."}, {.hitCheckLevel = c.subSteps});
        cChara& chara = c.who == 'H' ? static_cast<cChara&>(stage.Hero()) : stage.Chara('a');
        chara.m_bAirLock = 0;
        chara.m_bRiding = c.riding;
        stage.Hero().m_bJumpReady = 0;
        for (int step = 1; step < 8 * c.subSteps; ++step) ResolveFootTiles(chara);
        EXPECT_EQ(chara.m_bAirLock, 0) << c.name << ": one sub-step short of 8 frames";
        ResolveFootTiles(chara);
        EXPECT_EQ(chara.m_nAirSteps, 8 * c.subSteps) << c.name;
        EXPECT_EQ(chara.m_bAirLock, c.locks) << c.name;
        EXPECT_EQ(stage.Hero().m_bJumpReady, c.who == 'H' ? c.locks : 0) << c.name;
    }
}

// A hero 40 pixels wide overlaps a wall on its left and a deadly block on
// its right. Moving right, the right side kills it and the left is not
// looked at; the both-sides rule still pushes it out of the wall.
TEST_F(TileContacts, BothSidesRuleRunsTheSecondSideAfterAKill) {
    for (const bool both : {false, true}) {
        StageHarness stage({"#HX"}, {.hitCheckLevel = 1});
        cPlayer& hero = stage.Hero();
        hero.m_nWidth = 40;
        hero.m_dX = 350.5;
        hero.m_dSpeedX = 1.0;
        hero.AfterMoveX();
        ASSERT_EQ(hero.m_dRight, 389.5);
        EXPECT_EQ(both ? ResolveTilesXBoth(hero) : ResolveTilesX(hero), TileResult::Killed) << both;
        EXPECT_EQ(hero.m_bTouchLeft, both ? 1 : 0) << both;
        EXPECT_EQ(hero.m_bTouchRight, 0) << both;
        if (both) { EXPECT_GE(hero.m_dX, 352.5) << "the left edge left the wall"; }
    }
}

TEST_F(TileContacts, BothWaysRuleLandsThenStopsUnderTheCeiling) {
    struct Case {
        const char* name;
        double speedY;
        double y;
        int touchTop, touchBottom;
    };
    // 36 pixels high between a ceiling (row 0, to 351) and a floor (row 2,
    // from 384): top 350, bottom 385.
    const std::vector<Case> cases = {
        // Lands (bottom to 383: y 348), then the head is in the ceiling
        // and goes to the first row below it: y 352.
        {"still", 0.0, 352.0, 1, 1},
        // Rising, it does not land, and the head rule is not run.
        {"rising", -1.0, 350.0, 0, 0},
    };
    for (const Case& c : cases) {
        StageHarness stage({"#", "a", "#"}, {.hitCheckLevel = 1});
        cStageChara& a = stage.Chara('a');
        a.m_nHeight = 36;
        a.m_dY = 350.0;
        a.m_dSpeedY = c.speedY;
        a.AfterMoveY();
        EXPECT_EQ(ResolveTilesYBoth(a), TileResult::Go) << c.name;
        EXPECT_EQ(a.m_dY, c.y) << c.name;
        EXPECT_EQ(a.m_bTouchTop, c.touchTop) << c.name;
        EXPECT_EQ(a.m_bTouchBottom, c.touchBottom) << c.name;
    }
}

TEST_F(TileContacts, BothWaysRuleKeepsTheGroundAndTheAirCountOverNothing) {
    StageHarness stage({"a", ".", "#"}, {.hitCheckLevel = 1});
    cStageChara& a = stage.Chara('a');
    cTileCell* ground = &stage.Cell(0, 2);
    a.m_lpGroundBlock = ground;
    a.m_nAirSteps = 3;
    EXPECT_EQ(ResolveTilesYBoth(a), TileResult::Go);
    EXPECT_EQ(a.m_lpGroundBlock, ground);
    EXPECT_EQ(a.m_nAirSteps, 3);
    EXPECT_EQ(ResolveFootTiles(a), TileResult::Go);
    EXPECT_EQ(a.m_lpGroundBlock, nullptr) << "the rule after a move forgets the ground";
    EXPECT_EQ(a.m_nAirSteps, 4);
}

TEST_F(TileContacts, CornerProbeTakesTheFirstMostSolidCorner) {
    StageHarness stage({"#X", ".#", ".."}, {.hitCheckLevel = 1});
    constexpr int m = kGridMarginBlocks;
    // Corners in the order top-left, top-right, bottom-left, bottom-right.
    EXPECT_EQ(ProbeCornerBlocks(m, m, m + 1, m + 1, 0), &stage.Cell(1, 0)) << "the deadly block";
    EXPECT_EQ(ProbeCornerBlocks(m, m + 1, m + 1, m + 2, 0), &stage.Cell(1, 1)) << "the only solid one";
    EXPECT_EQ(ProbeCornerBlocks(m, m + 2, m + 1, m + 2, 0), &stage.Cell(0, 2)) << "nothing solid: the first";
    stage.Cell(1, 0).m_Def.m_cPassGroup = 3;
    EXPECT_EQ(ProbeCornerBlocks(m, m, m + 1, m + 1, 3), &stage.Cell(0, 0)) << "group 3 passes the deadly block";
    EXPECT_EQ(ProbeCornerBlocks(-5, -5, -1, -1, 0), nullptr) << "outside the grid";
}

}  // namespace
