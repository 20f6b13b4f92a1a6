#include <gtest/gtest.h>

#include <cmath>

#include "gamedata/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "support/stage/stage_harness.h"

namespace {

// The rise of a jump as the play frame integrates it: each sub-step adds
// gravity to the speed, then moves by it.
double Rise(double speed, double gravity) {
    double y = 0.0, top = 0.0;
    for (int step = 0; step < 1000000; ++step) {
        speed += gravity;
        if (speed >= 0.0) break;
        y += speed;
        top = std::min(top, y);
    }
    return -top;
}

TEST(CharaJump, SpeedForHeightRisesToTheHeightAtEveryLevel) {
    for (int level : {1, 10, 11, 19}) {
        StageHarness stage({"H."}, {.hitCheckLevel = level});
        const double g = LoadedStage.m_dGravityStep;
        for (int hbl = 0; hbl <= 12; ++hbl) {
            const double rise = Rise(stage.Hero().JumpSpeedForHbl(hbl), g);
            // The discrete peak lies between the height and an eighth of a
            // sub-step's gravity above it.
            EXPECT_GE(rise, hbl * 16.0 - 1e-9) << "level " << level << " hbl " << hbl;
            EXPECT_LE(rise, hbl * 16.0 + g / 8 + 1e-9) << "level " << level << " hbl " << hbl;
        }
        // A height reached after a whole number of sub-steps is met exactly.
        const int m = 40;
        const double height = g * m * (m - 1) / 2;
        EXPECT_NEAR(Rise(stage.Hero().JumpSpeedForHeight(height), g), height, 1e-9 * height) << level;
    }
}

TEST(CharaJump, TimesAndConversions) {
    StageHarness stage({"H."});
    const double g = LoadedStage.m_dGravityStep;
    cChara& hero = stage.Hero();
    EXPECT_DOUBLE_EQ(hero.JumpSpeedForHeight(0.0), -g);
    const int n = LoadedStage.m_nSubSteps;
    EXPECT_EQ(hero.JumpTimeForHbl(0), cChara::SpeedToFrames(-g) / n / 6 + 1);
    EXPECT_EQ(cChara::HblToPixels(-3), -48);
    EXPECT_DOUBLE_EQ(cChara::StopToDecay(50), 50 * 0.01 / (n * n));
    // 4 hbl at level 10: 64 pixels rise in about 180 sub-steps, 18 frames.
    EXPECT_EQ(hero.JumpTimeForHbl(4), cChara::SpeedToFrames(hero.JumpSpeedForHbl(4)) / 60 + 1);
}

TEST(CharaJump, OldProjectsSlowTheHeroOnly) {
    StageHarness stage({"Ha"});
    SystemData.m_bCompatJumpSpeed = 1;
    const double hero = stage.Hero().JumpSpeedForHbl(4);
    const double other = stage.Chara('a').JumpSpeedForHbl(4);
    SystemData.m_bCompatJumpSpeed = 0;
    EXPECT_DOUBLE_EQ(other, stage.Chara('a').JumpSpeedForHbl(4));
    EXPECT_DOUBLE_EQ(hero, other * (0.99 - 0.025 * 0.4));
}

TEST(CharaJump, NoDownwardGravityGivesDefinedValues) {
    for (double gravity : {0.0, -0.4}) {
        StageHarness stage({"H."}, {.gravity = gravity});
        cChara& hero = stage.Hero();
        for (int hbl : {-5, 0, 4, 127}) {
            const double v = hero.JumpSpeedForHbl(hbl);
            EXPECT_TRUE(std::isfinite(v)) << gravity << " " << hbl;
            EXPECT_EQ(v, 0.0) << "without gravity the jump does not start";
            EXPECT_EQ(hero.JumpTimeForHbl(hbl), LoadedStage.m_nSubSteps / LoadedStage.m_nSubSteps / 6 + 1);
        }
        EXPECT_EQ(cChara::SpeedToFrames(-1e300), LoadedStage.m_nSubSteps);
    }
    {
        StageHarness tiny({"H."}, {.gravity = 1e-300});
        EXPECT_EQ(cChara::SpeedToFrames(-5.0), 2147483647) << "saturates instead of overflowing";
    }
    StageHarness normal({"H."});
    EXPECT_EQ(normal.Hero().JumpSpeedForHeight(-16.0), -LoadedStage.m_dGravityStep) << "a negative height is 0";
}

}  // namespace
