#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "foundation/abort.h"
#include "gamedata/database/database.h"
#include "gamedata/flows/cmd_kinds.h"
#include "stage/commands/shot_placement.h"
#include "stage/objects/shot_update.h"
#include "support/stage/command_fixtures.h"
#include "support/stage/stage_harness.h"

namespace {

// The shooter 'a' faces the hero to its left; a wall stands behind it.
const std::vector<std::string> kRange = {
    "........................................", "........................................",
    "........................................", "........................................",
    "..........H.........a.....#.............", "..........................#.............",
    "........................................", "........................................",
};

StageOptions SubSteps(int n) {
    StageOptions o;
    o.hitCheckLevel = n == 1 ? 11 : n;
    return o;
}

class ShotMovement : public ::testing::Test {
protected:
    void Make(int n) {
        stage = std::make_unique<StageHarness>(kRange, SubSteps(n));
        cmd = CommandOfKind(FlowKind::Shot);
        inst = InstanceOf(cmd);
        stage->Hero().UpdateScreenRect();
    }
    cEdShot& Shots(int count, int speed) { return StraightShots(cmd, count, speed); }
    cShot& Fire() {
        PlaceShotSeries(stage->State(), stage->Chara('a'), inst, *cmd.m_spShot);
        return stage->State().m_lstShot.back();
    }
    // Sub-steps until the stage has no shot, at most `limit`.
    int StepsUntilGone(int limit) {
        for (int i = 1; i <= limit; ++i) {
            StepShots(stage->State(), true);
            if (stage->State().m_lstShot.empty()) return i;
        }
        return -1;
    }

    std::unique_ptr<StageHarness> stage;
    cFlowCmd cmd;
    cCmdInst inst;
};

TEST_F(ShotMovement, LifeAndRangeLimits) {
    Make(1);
    cEdShot& s = Shots(1, 20);
    s.m_bUseLife = 1;
    s.m_sLife = 1;
    Fire();
    EXPECT_EQ(StepsUntilGone(100), 7) << "six sub-steps of life, then removed";

    // A range of 1 hbl leaves no distance: one frame of flight, and a shot
    // faster than its own size per frame is given no velocity for it.
    s.m_bUseLife = 0;
    s.m_bUseRange = 1;
    s.m_sRange = 1;
    for (int speed : {100, 200}) {
        s.m_sSpeed = static_cast<std::int16_t>(speed);
        cShot& shot = Fire();
        EXPECT_EQ(shot.m_nRangeLeft, 1);
        EXPECT_DOUBLE_EQ(shot.m_dOwnSpeedX, speed > 160 ? 0.0 : -speed * 0.1) << speed;
        EXPECT_EQ(StepsUntilGone(100), 2) << speed;
    }
    // Six hbl at 4 pixels per frame: (96 - 16) / 4 sub-steps, then stopped
    // for good when asked to stop.
    s.m_sRange = 6;
    s.m_sSpeed = 40;
    s.m_bStopAtRange = 1;
    cShot& stopper = Fire();
    EXPECT_EQ(stopper.m_nRangeLeft, 20);
    for (int i = 0; i < 30; ++i) StepShots(stage->State(), false);
    ASSERT_EQ(stage->State().m_lstShot.size(), 1u);
    const double x = stopper.m_dX;
    StepShots(stage->State(), false);
    EXPECT_EQ(stopper.m_dX, x);
    EXPECT_EQ(stopper.m_dSpeedX, 0.0);
}

TEST_F(ShotMovement, AimingWaitsForItsCourseChange) {
    Make(1);
    cEdShot& s = Shots(1, 4);
    s.m_cAnimeSel = 6;  // fired up
    s.m_cMoveKind = 1;  // aims at the hero
    s.m_sMoveParam[0] = 2;
    cShot& shot = Fire();
    for (int i = 0; i < 80; ++i) {
        StepShots(stage->State(), false);
        ASSERT_DOUBLE_EQ(shot.m_dOwnSpeedX, 0.0) << "straight up for trunc(32 / 0.4) sub-steps, at " << i;
    }
    StepShots(stage->State(), false);
    EXPECT_LT(shot.m_dOwnSpeedX, 0.0) << "then turned toward the hero on the left";
    EXPECT_NEAR(std::hypot(shot.m_dOwnSpeedX, shot.m_dOwnSpeedY), 0.4, 1e-9);
}

TEST_F(ShotMovement, HomingRunsUntilItsEnd) {
    Make(2);
    cEdShot& s = Shots(1, 20);
    s.m_cAnimeSel = 6;
    s.m_cMoveKind = 4;  // homes on the hero
    for (int end : {0, 999}) {
        s.m_sMoveParam[1] = static_cast<std::int16_t>(end);
        cShot& shot = Fire();
        for (int i = 0; i < 3; ++i) StepShots(stage->State(), false);
        if (end == 0) {
            EXPECT_DOUBLE_EQ(shot.m_dOwnSpeedX, 0.0) << "never homes";
        } else {
            EXPECT_LT(shot.m_dOwnSpeedX, 0.0) << "turns at once";
        }
    }
    // Nearest-character homing without a character of the force keeps its
    // velocity.
    s.m_cMoveKind = 5;
    s.m_sMoveParam[2] = 7;
    cShot& lone = Fire();
    const double vy = lone.m_dOwnSpeedY;
    StepShots(stage->State(), false);
    EXPECT_DOUBLE_EQ(lone.m_dOwnSpeedY, vy);
}

TEST_F(ShotMovement, WaveFallAndDivisorsFromData) {
    Make(1);
    cEdShot& s = Shots(1, 20);
    s.m_cMoveKind = 8;
    s.m_sMoveParam = {2, 0, 90};  // a wave speed of 0
    cShot& flat = Fire();
    for (int i = 0; i < 5; ++i) StepShots(stage->State(), false);
    EXPECT_TRUE(std::isfinite(flat.m_dX) && std::isfinite(flat.m_dY));
    EXPECT_DOUBLE_EQ(flat.m_dOwnSpeedY, 0.0) << "a wave that never turns flies straight";
    stage->State().m_lstShot.clear();
    for (auto& group : stage->State().m_vecForceShot) group.clear();

    s.m_sMoveParam = {2, 10, 0};
    cShot& wave = Fire();
    double low = wave.m_dY, high = wave.m_dY;
    for (int i = 0; i < 40; ++i) {
        StepShots(stage->State(), false);
        low = std::min(low, wave.m_dY);
        high = std::max(high, wave.m_dY);
    }
    EXPECT_GT(high - low, 16.0) << "it swings across its flight";
    EXPECT_LE(high - low, 2 * 32 + 2.0) << "by its amplitude of 2 hbl each way";

    s.m_cMoveKind = 9;
    s.m_sMoveParam = {0, 0, 0};
    cShot& fall = Fire();
    StepShots(stage->State(), false);
    EXPECT_EQ(fall.m_bFly, 0);
    const double y = fall.m_dY;
    for (int i = 0; i < 5; ++i) StepShots(stage->State(), false);
    EXPECT_GT(fall.m_dY, y) << "gravity pulls it down";

    // A zero speed makes every course change immediate instead of dividing.
    s.m_sSpeed = 0;
    s.m_cMoveKind = 1;
    s.m_sMoveParam = {5, 0, 0};
    cShot& still = Fire();
    StepShots(stage->State(), false);
    EXPECT_EQ(still.m_bMoveDone, 1);
}

TEST_F(ShotMovement, BlocksStopAShotUnlessItPassesThem) {
    Make(1);
    for (int pass : {0, 1}) {
        cEdShot& s = Shots(1, 80);
        s.m_bThroughBlocks = static_cast<std::int8_t>(pass);
        s.m_cAnimeSel = 3;  // right, toward the wall six blocks away
        cShot& shot = Fire();
        const double start = shot.m_dX;
        // The wall's left edge in stage pixels; the shot's right edge is
        // 15 pixels right of its x and it moves 8 pixels a sub-step.
        const int wall = (26 + 10) * 32;
        const int reach = static_cast<int>(std::ceil((wall - 15 - start) / 8));
        for (int i = 1; i < reach; ++i) StepShots(stage->State(), false);
        ASSERT_EQ(stage->State().m_lstShot.size(), 1u) << "flies until it reaches the wall";
        StepShots(stage->State(), false);
        EXPECT_EQ(stage->State().m_lstShot.size(), pass ? 1u : 0u);
        if (pass) {
            for (int i = 0; i < 10; ++i) StepShots(stage->State(), false);
            EXPECT_GT(shot.m_dX, wall + 32) << "passes it";
        }
        stage->State().m_lstShot.clear();
        for (auto& group : stage->State().m_vecForceShot) group.clear();
    }
}

TEST_F(ShotMovement, AMovementKindOutsideTheTableIsReportedNotRun) {
    Make(1);
    Shots(1, 20).m_cMoveKind = 10;
    Fire();
    AbortFlag.store(0);
    StepShots(stage->State(), false);
    EXPECT_NE(AbortFlag.load(), 0);
    AbortFlag.store(0);
}

}  // namespace
