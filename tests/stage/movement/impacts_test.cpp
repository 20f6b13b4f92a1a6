#include "stage/movement/impacts.h"

#include <gtest/gtest.h>

#include <cmath>

#include "gamedata/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "support/stage/stage_harness.h"

namespace {

// How far an impact speed carries: the move uses the speed, then the
// decay takes 1/n off it, until it reaches 0.
double Carried(double v) {
    cStageChara probe;
    probe.m_dImpactX = v;
    double distance = 0.0;
    for (int step = 0; step < 100000 && probe.m_dImpactX != 0.0; ++step) {
        distance += probe.m_dImpactX;
        probe.CountDownImpactX();
    }
    return distance;
}

TEST(Impacts, StrengthIsADistanceInHalfBlocksAtEveryLevel) {
    for (int level : {1, 10, 11, 19}) {
        StageHarness stage({"a"}, {.hitCheckLevel = level});
        const double n = LoadedStage.m_dSubSteps;
        for (int e = -20; e <= 20; ++e) {
            double x = 0.0, y = 0.0, previous = 0.0;
            // Three parts across, one down: the shares are 3e/4 and e/4.
            ImpactSpeeds(x, y, e, 3.0, 1.0, previous);
            for (auto [speed, share] : {std::pair{x, e * 0.75}, std::pair{y, e * 0.25}}) {
                const double pixels = std::fabs(Carried(speed));
                // The sum of the decaying steps exceeds the distance by at
                // most an eighth of a pixel over n.
                EXPECT_GE(pixels, 16.0 * std::fabs(share) - 1e-9) << level << " " << e;
                EXPECT_LE(pixels, 16.0 * std::fabs(share) + 0.125 / n + 1e-9) << level << " " << e;
                EXPECT_EQ(speed < 0.0, share < 0.0) << level << " " << e;
            }
        }
    }
}

TEST(Impacts, NoDirectionGivesNoSpeedAndStrengthZeroChangesNothing) {
    StageHarness stage({"a"});
    double x = 5.0, y = 5.0, previous = 2.0;
    ImpactSpeeds(x, y, 0, 1.0, 0.0, previous);
    EXPECT_EQ(x, 5.0);
    EXPECT_EQ(previous, 2.0);
    ImpactSpeeds(x, y, 4, 0.0, 0.0, previous);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 0.0);
    EXPECT_EQ(previous, 0.0) << "a new impact no longer has a share in the speed";
}

TEST(Impacts, ResistanceTable) {
    struct Case {
        int strength, resistance, effective;
    };
    const std::vector<Case> cases = {
        {3, 5, 0}, {25, 0, 20}, {10, 4, 6}, {-7, 2, -5}, {-3, 5, 0}, {-25, 0, -20}, {10, -5, 15}, {18, -5, 20},
    };
    for (const Case& c : cases) {
        StageHarness stage({"a"});
        cStageChara& a = stage.Chara('a');
        a.m_Def.m_cImpactResist = static_cast<std::int8_t>(c.resistance);
        a.m_dImpactX = 0.25;
        int effective = 99;
        a.ApplyImpact(c.strength, 1.0, 0.0, effective);
        EXPECT_EQ(effective, c.effective) << c.strength << " against " << c.resistance;
        EXPECT_EQ(a.m_bImpact, 1) << "set also when nothing got through";
        if (c.effective == 0) {
            EXPECT_EQ(a.m_dImpactX, 0.25) << "the speeds stay as they were";
        } else {
            EXPECT_EQ(a.m_dImpactX > 0.0, c.effective > 0);
        }
    }
}

TEST(Impacts, AnImpactStopsAccelerationsAndSpeedsAgainstIt) {
    StageHarness stage({"a"});
    cStageChara& a = stage.Chara('a');
    a.m_dAccelX = -0.1;
    a.m_dAccelY = 0.2;
    a.m_dSpeedY = 1.0;
    int effective = 0;
    // Up and to the right.
    a.ApplyImpact(8, 1.0, -1.0, effective);
    EXPECT_EQ(a.m_dAccelX, 0.0);
    EXPECT_EQ(a.m_dAccelY, 0.0);
    EXPECT_EQ(a.m_dSpeedY, 0.0);
    a.m_dAccelX = 0.1;
    a.ApplyImpact(8, 1.0, -1.0, effective);
    EXPECT_EQ(a.m_dAccelX, 0.1) << "an acceleration along the impact stays";
}

TEST(Impacts, VerticalImpactOnTheGroundInTheAirAndTwiceInARow) {
    StageHarness stage({"a", "#"}, {.hitCheckLevel = 1});
    cStageChara& a = stage.Chara('a');
    int effective = 0;
    // Standing on the floor, a downward impact is dropped at once.
    a.m_lpGroundBlock = &stage.Cell(0, 1);
    a.ApplyImpact(4, 0.0, 1.0, effective);
    a.ApplyImpactY();
    EXPECT_EQ(a.m_dImpactY, 0.0);
    EXPECT_EQ(a.m_dSpeedY, 0.0);
    // A rising impact suspends gravity until it has decayed.
    a.m_lpGroundBlock = nullptr;
    a.ApplyImpact(4, 0.0, -1.0, effective);
    a.ApplyGravity();
    EXPECT_EQ(a.m_dSpeedY, 0.0);
    a.ApplyImpactY();
    const double first = a.m_dImpactY;
    EXPECT_EQ(a.m_dSpeedY, first);
    EXPECT_EQ(a.m_dPrevImpactY, first);
    // A second impact resets the previous share, so its whole speed adds.
    a.ApplyImpact(2, 0.0, -1.0, effective);
    EXPECT_EQ(a.m_dPrevImpactY, 0.0);
    a.ApplyImpactY();
    EXPECT_DOUBLE_EQ(a.m_dSpeedY, first + a.m_dImpactY);
    // The decay clears the pair when it crosses 0.
    for (int i = 0; i < 100 && a.m_dImpactY != 0.0; ++i) a.CountDownImpactY();
    EXPECT_EQ(a.m_dImpactY, 0.0);
    EXPECT_EQ(a.m_dPrevImpactY, 0.0);
    const double before = a.m_dSpeedY;
    a.ApplyGravity();
    EXPECT_EQ(a.m_dSpeedY, before + LoadedStage.m_dGravityStep) << "gravity is back";
}

TEST(Impacts, SqueezeTable) {
    struct Case {
        const char* name;
        int left, right;
        double pushLeft, pushRight;
        bool squeezed;
    };
    const std::vector<Case> cases = {
        {"both neighbours moving right together", 1, 1, 1.0, 1.0, true},
        {"pressing inward", 1, 1, 0.5, -0.5, true},
        {"moving apart", 1, 1, -1.0, 1.0, false},
        {"both standing still", 1, 1, 0.0, 0.0, false},
        {"one side only", 1, 0, 1.0, 0.0, false},
        {"the right one faster away", 1, 1, 0.5, 1.0, false},
    };
    for (const Case& c : cases) {
        StageHarness stage({"a"});
        cStageChara& a = stage.Chara('a');
        cStageChara left, right;
        left.m_dSpeedX = c.pushLeft;
        left.m_dSpeedY = c.pushLeft;
        right.m_dSpeedX = c.pushRight;
        right.m_dSpeedY = c.pushRight;
        if (c.left) {
            a.TouchLeft(left);
            a.TouchTop(left);
        }
        if (c.right) {
            a.TouchRight(right);
            a.TouchBottom(right);
        }
        EXPECT_EQ(a.IsSqueezedX(), c.squeezed) << c.name;
        EXPECT_EQ(a.IsSqueezedY(), c.squeezed) << c.name;
    }
}

TEST(Impacts, SavedPositionComesBackWithoutABound) {
    StageHarness stage({"a"});
    cStageChara& a = stage.Chara('a');
    a.SavePosition();
    const double x = a.m_dX, bottom = a.m_dBottom;
    a.m_dX = -50.0;
    a.m_dBottom = 1e6;
    a.RestorePosition();
    EXPECT_EQ(a.m_dX, x);
    EXPECT_EQ(a.m_dBottom, bottom);
}

}  // namespace
