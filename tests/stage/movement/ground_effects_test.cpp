#include "stage/movement/ground_effects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "gamedata/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/movement/tile_contacts.h"
#include "support/stage/stage_harness.h"

namespace {

constexpr int kJumpPadSound = 10;

class GroundEffects : public ::testing::Test {
protected:
    void TearDown() override {
        SystemData.m_bCompatStickToGround = 0;
        SystemData.m_bCompatTouchPush = 0;
        SystemData.m_bCompatLandRising = 0;
    }
};

void SetGround(cTileCell& cell, int kind, int value) {
    cell.m_Def.m_cFootEffect = static_cast<std::int8_t>(kind);
    cell.m_Def.m_nFootValue = value;
}

// Stands the hero on the block under it, as the landing leaves it.
void StandOn(cPlayer& hero, cTileCell& ground) {
    hero.m_lpGroundBlock = hero.m_lpLastGroundBlock = &ground;
    hero.m_bAirLock = 0;
}

// One sub-step of the hero as play runs it: the ground effect, then the
// move and the block contacts; the ground effect's result.
int HeroSubStep(StageHarness& stage) {
    const int result = ApplyGroundEffect(stage.Hero());
    stage.MoveOneSubStep();
    return result;
}

// A jump pad launches the hero to its height in half blocks, the low byte
// of its value read as signed; it launches again on landing.
TEST_F(GroundEffects, JumpPadsLaunchTheHeroToTheirHeight) {
    struct Case {
        int value;
        double rise;
    };
    const std::vector<Case> cases = {{2, 32.0}, {4, 64.0}, {6, 96.0}, {0x104, 64.0}, {0xFF, 0.0}};
    for (const Case& c : cases) {
        // One sub-step a frame with a speed limit high enough for the pad.
        StageHarness stage({".", ".", ".", ".", ".", ".", "H", "#"}, {.hitCheckLevel = 11, .gravity = 0.5});
        cPlayer& hero = stage.Hero();
        SetGround(stage.Cell(0, 7), GroundKind::JumpPad, c.value);
        while (!hero.m_lpGroundBlock) stage.MoveOneSubStep();
        const double start = hero.m_dY;
        EXPECT_EQ(ApplyGroundEffect(hero), 0) << c.value;
        EXPECT_EQ(hero.m_dSpeedY, hero.JumpSpeedForHbl(static_cast<std::int8_t>(c.value))) << c.value;
        EXPECT_EQ(hero.m_bJumping, 1) << c.value;
        EXPECT_EQ(hero.m_bJumpEnd, 1) << c.value;
        EXPECT_EQ(hero.m_bJumpReady, 0) << c.value;
        EXPECT_EQ(hero.m_nJumpFrames, cChara::SpeedToFrames(hero.m_dSpeedY)) << c.value;
        stage.MoveOneSubStep();
        double top = hero.m_dY;
        for (int steps = 0; !hero.m_lpGroundBlock && steps < 200; ++steps) {
            HeroSubStep(stage);
            top = std::min(top, hero.m_dY);
        }
        EXPECT_NEAR(start - top, c.rise, 1.0) << c.value;
        ApplyGroundEffect(hero);
        const int launches = static_cast<int>(std::count(stage.Sounds().begin(), stage.Sounds().end(), kJumpPadSound));
        EXPECT_EQ(launches, 2) << c.value << ": launched again on landing, not in the air";
    }
}

TEST_F(GroundEffects, NoJumpGroundHoldsWhileTheHeroStandsOnIt) {
    StageHarness stage({"H", "#"}, {.hitCheckLevel = 1});
    cPlayer& hero = stage.Hero();
    cTileCell& ground = stage.Cell(0, 1);
    StandOn(hero, ground);
    SetGround(ground, GroundKind::NoJump, 0);
    ApplyGroundEffect(hero);
    EXPECT_EQ(hero.m_bNoJumpGround, 1);
    hero.m_lpGroundBlock = nullptr;
    ApplyGroundEffect(hero);
    EXPECT_EQ(hero.m_bNoJumpGround, 1) << "nothing read in the air";
    StandOn(hero, ground);
    SetGround(ground, GroundKind::None, 0);
    ApplyGroundEffect(hero);
    EXPECT_EQ(hero.m_bNoJumpGround, 0);
}

// Speed changes and conveyors are read once and then applied on every
// sub-step of a frame, whether the hero still stands on the block or not.
TEST_F(GroundEffects, SpeedGroundAndConveyorsApplyForAFrame) {
    struct Case {
        const char* name;
        int kind, value;
        double speedX, accelX;
        double expectedSpeedX, expectedAccelX;
    };
    // Two sub-steps a frame: a conveyor of value 10 moves 0.5 a sub-step.
    const std::vector<Case> cases = {
        {"speed 50 %", GroundKind::SpeedChange, 50, 8.0, 0.25, 4.0, 0.25},
        {"conveyor left", GroundKind::ConveyorLeft, 10, 0.0, 0.25, -0.5, 0.0},
        {"conveyor left, running left", GroundKind::ConveyorLeft, 10, -1.0, -0.25, -1.5, -0.25},
        {"conveyor right", GroundKind::ConveyorRight, 10, 0.0, -0.25, 0.5, 0.0},
        {"conveyor right, running right", GroundKind::ConveyorRight, 10, 1.0, 0.25, 1.5, 0.25},
        {"plain ground", GroundKind::None, 10, 1.0, 0.25, 1.0, 0.25},
        {"unknown kind", 9, 10, 1.0, 0.25, 1.0, 0.25},
    };
    for (const Case& c : cases) {
        StageHarness stage({"H", "#"}, {.hitCheckLevel = 2});
        cPlayer& hero = stage.Hero();
        SetGround(stage.Cell(0, 1), c.kind, c.value);
        StandOn(hero, stage.Cell(0, 1));
        for (int subStep = 1; subStep <= 2; ++subStep) {
            hero.m_dSpeedX = c.speedX;
            hero.m_dAccelX = c.accelX;
            EXPECT_EQ(ApplyGroundEffect(hero), 0) << c.name;
            EXPECT_EQ(hero.m_dSpeedX, c.expectedSpeedX) << c.name << " " << subStep;
            EXPECT_EQ(hero.m_dAccelX, c.expectedAccelX) << c.name << " " << subStep;
            hero.m_lpGroundBlock = nullptr;
        }
        EXPECT_EQ(hero.m_nGroundSteps, 0) << c.name;
        hero.m_dSpeedX = c.speedX;
        ApplyGroundEffect(hero);
        EXPECT_EQ(hero.m_dSpeedX, c.speedX) << c.name << ": over, and not read again in the air";
    }
}

TEST_F(GroundEffects, ConveyorCarriesTheHeroItsValueInTenthsOfAPixelPerFrame) {
    StageHarness stage({"....H", "#####"}, {.hitCheckLevel = 2, .gravity = 0.5});
    cPlayer& hero = stage.Hero();
    for (int column = 0; column < 5; ++column) SetGround(stage.Cell(column, 1), GroundKind::ConveyorLeft, 20);
    while (!hero.m_lpGroundBlock) stage.MoveOneSubStep();
    const double start = hero.m_dX;
    for (int subStep = 0; subStep < 20; ++subStep) {
        // The hero's flows set its own speed again at every step.
        hero.m_dSpeedX = 0.0;
        EXPECT_EQ(HeroSubStep(stage), 0);
    }
    EXPECT_DOUBLE_EQ(hero.m_dX, start - 20.0) << "10 frames at 2 pixels";
}

// The ground 4 pixels below the feet pulls a walking hero down when a
// ground effect ends; old projects add 1 to any speed that does not rise.
TEST_F(GroundEffects, StickToGroundPullsAWalkerOntoTheGroundBelow) {
    struct Case {
        const char* name;
        int compat;
        double speedX, speedY;
        int riding, airLock;
        double expected;
    };
    // Two sub-steps a frame: pulled at 7 / 2.
    const std::vector<Case> cases = {
        {"standing", 0, 0.0, 0.0, 0, 0, 3.5},
        {"sinking slowly", 0, 0.0, 0.5, 0, 0, 3.5},
        {"falling", 0, 0.0, 0.75, 0, 0, 0.75},
        {"rising", 0, 0.0, -0.25, 0, 0, -0.25},
        {"riding", 0, 0.0, 0.0, 1, 0, 0.0},
        {"long in the air", 0, 0.0, 0.0, 0, 1, 0.0},
        {"walking off the ledge", 0, 32.0, 0.0, 0, 0, 0.0},
        {"old projects", 1, 0.0, 0.0, 1, 1, 1.0},
        {"old projects, falling", 1, 32.0, 0.75, 0, 0, 1.75},
        {"old projects, rising", 1, 0.0, -0.25, 0, 0, -0.25},
    };
    for (const Case& c : cases) {
        SystemData.m_bCompatStickToGround = c.compat;
        StageHarness stage({"H.", "#."}, {.hitCheckLevel = 2});
        cPlayer& hero = stage.Hero();
        hero.m_dSpeedX = c.speedX;
        hero.m_dSpeedY = c.speedY;
        hero.m_bRiding = c.riding;
        hero.m_bAirLock = c.airLock;
        StickToGround(hero);
        EXPECT_EQ(hero.m_dSpeedY, c.expected) << c.name;
    }
}

TEST_F(GroundEffects, TheEndOfAnEffectSticksTheHeroToTheGround) {
    for (const int compat : {0, 1}) {
        SystemData.m_bCompatStickToGround = compat;
        StageHarness stage({"H", "#"}, {.hitCheckLevel = 2});
        cPlayer& hero = stage.Hero();
        SetGround(stage.Cell(0, 1), GroundKind::ConveyorRight, 10);
        StandOn(hero, stage.Cell(0, 1));
        ApplyGroundEffect(hero);
        EXPECT_EQ(hero.m_dSpeedY, 0.0) << compat << ": still running";
        ApplyGroundEffect(hero);
        EXPECT_EQ(hero.m_dSpeedY, compat ? 1.0 : 3.5) << compat;
    }
}

TEST_F(GroundEffects, AFlyingHeroFeelsNoGround) {
    StageHarness stage({"H", "#"}, {.hitCheckLevel = 1});
    cPlayer& hero = stage.Hero();
    SetGround(stage.Cell(0, 1), GroundKind::JumpPad, 4);
    StandOn(hero, stage.Cell(0, 1));
    hero.m_bFly = 1;
    EXPECT_EQ(ApplyGroundEffect(hero), 0);
    EXPECT_EQ(hero.m_dSpeedY, 0.0);
    EXPECT_TRUE(stage.Sounds().empty());
}

// Each project switch of these rules, off and on: what the character does.
TEST_F(GroundEffects, CompatibilitySwitchesSelectTheOlderRules) {
    struct Case {
        const char* name;
        int cSystemData::*compat;
        std::function<double()> run;
        double current, older;
    };
    const std::vector<Case> cases = {
        {"a rising character lands (y after the feet rule)", &cSystemData::m_bCompatLandRising,
         [] {
             StageHarness stage({"a", "#"}, {.hitCheckLevel = 1});
             cStageChara& a = stage.Chara('a');
             a.m_dY += 2.0;
             a.m_dSpeedY = -1.0;
             a.AfterMoveY();
             ResolveFootTiles(a);
             return a.m_dY;
         },
         322.0, 320.0},
        {"no tenths of a pixel out of a wall on the right (x)", &cSystemData::m_bCompatTouchPush,
         [] {
             StageHarness stage({"a#"}, {.hitCheckLevel = 1});
             cStageChara& a = stage.Chara('a');
             a.m_dX = 322.25;
             a.AfterMoveX();
             ResolveRightTiles(a);
             return a.m_dX;
         },
         320.95, 320.25},
        {"the end of a ground effect adds 1 (vertical speed)", &cSystemData::m_bCompatStickToGround,
         [] {
             StageHarness stage({"H", "#"}, {.hitCheckLevel = 1});
             cPlayer& hero = stage.Hero();
             SetGround(stage.Cell(0, 1), GroundKind::SpeedChange, 100);
             StandOn(hero, stage.Cell(0, 1));
             hero.m_dSpeedY = 0.5;
             ApplyGroundEffect(hero);
             return hero.m_dSpeedY;
         },
         7.0, 1.5},
    };
    for (const Case& c : cases) {
        for (const int on : {0, 1}) {
            SystemData.*c.compat = on;
            EXPECT_NEAR(c.run(), on ? c.older : c.current, 1e-9) << c.name << (on ? ", older" : ", current");
            SystemData.*c.compat = 0;
        }
    }
}

}  // namespace
