#include "gamedata/stage_file/stage_settings.h"

#include <gtest/gtest.h>

#include <climits>

#include "gamedata/fixtures/record_io.h"
#include "gamedata/stage_file/stage_records.h"
#include "support/byte_builder.h"

namespace {

TEST(StageSettings, MemberBlocksPerVersion) {
    struct Case {
        int version;
        int blocks;
    };
    // Each first-stored version adds its members to the older set.
    for (auto c : {Case{150, 71}, Case{155, 79}, Case{166, 80}, Case{199, 83}, Case{200, 97}, Case{225, 98},
                   Case{kDataVersion, 98}}) {
        cStageSettings s;
        s.RegisterFields(c.version);
        EXPECT_EQ(s.FieldCount(), c.blocks) << "version " << c.version;
        EXPECT_EQ(s.StringCount(), 1);
    }
}

TEST(StageSettings, NewStageDefaults) {
    cStageSettings s;
    EXPECT_EQ(s.m_nFps, 60);
    EXPECT_EQ(s.m_nTimeLimit, 200);
    EXPECT_EQ(s.m_nTimeWarning, 20);
    EXPECT_DOUBLE_EQ(s.m_dGravity, 0.4);
    EXPECT_EQ(s.m_nHitCheckLevel, 10);
    EXPECT_EQ(s.m_bShowStatus, 1);
    EXPECT_EQ(s.m_bStartBanner2, 1);
    EXPECT_EQ(s.m_bStartBanner1, 0);
    EXPECT_EQ(s.m_nCharaH, 24);
    EXPECT_EQ(s.m_bCharaBottom2, 0);
    EXPECT_EQ(s.m_nShotBox[7], 16);
    EXPECT_EQ(s.m_nSpare3, 1);
    EXPECT_EQ(s.m_nCooldownHero, 30);
    // Derived values wait for the first SetHitCheckLevel.
    EXPECT_EQ(s.m_nSubSteps, 0);
    EXPECT_EQ(s.m_dMaxSpeed, 0.0);
}

TEST(StageSettings, HitCheckLevelTable) {
    struct Case {
        int level, stored, steps;
        double maxSpeed, maxStep;
    };
    const Case cases[] = {
        {1, 1, 1, 6.0, 6.0}, {10, 10, 10, 60.0, 6.0}, {11, 11, 1, 60.0, 60.0},     {19, 19, 9, 60.0, 60.0 / 9},
        {0, 1, 1, 6.0, 6.0}, {-4, 1, 1, 6.0, 6.0},    {25, 19, 9, 60.0, 60.0 / 9},
    };
    for (const auto& c : cases) {
        cStageSettings s;
        s.m_dGravity = 0.9;
        s.SetHitCheckLevel(c.level);
        SCOPED_TRACE(c.level);
        EXPECT_EQ(s.m_nHitCheckLevel, c.stored);
        EXPECT_EQ(s.m_nSubSteps, c.steps);
        EXPECT_EQ(s.m_nSubStepsX6, 6 * c.steps);
        EXPECT_EQ(s.m_nSubStepsX8, 8 * c.steps);
        EXPECT_DOUBLE_EQ(s.m_dSubSteps, c.steps);
        EXPECT_DOUBLE_EQ(s.m_dSubStepsSq, c.steps * c.steps);
        EXPECT_DOUBLE_EQ(s.m_dMaxSpeed, c.maxSpeed);
        EXPECT_DOUBLE_EQ(s.m_dMaxSpeedStep, c.maxStep);
        EXPECT_DOUBLE_EQ(s.m_dGravityStep, 0.9 / (c.steps * c.steps));
    }
}

TEST(StageSettings, ViewLimitsClampFromAboveOnly) {
    cStageSettings s;
    s.m_nWidth = 15;
    s.m_nHeight = 40;
    s.m_nLimitLeft = 3;
    s.m_nLimitRight = 30;
    s.m_nLimitTop = -7;
    s.m_nLimitBottom = 39;
    s.ClampViewLimits();
    EXPECT_EQ(s.m_nLimitLeft, -5);
    EXPECT_EQ(s.m_nLimitRight, 14);
    EXPECT_EQ(s.m_nLimitTop, -7);
    EXPECT_EQ(s.m_nLimitBottom, 39);
}

TEST(StageSettings, ViewLimitsClampAtTheEndsOfTheRange) {
    struct Case {
        int width, height;
        int left, right, top, bottom;
    } const cases[] = {
        {INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN},
        {INT_MIN + 5, 40, INT_MIN, INT_MIN + 4, -7, 39},
        {INT_MAX, INT_MAX, 3, 30, -7, 39},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        cStageSettings s;
        s.m_nWidth = c.width;
        s.m_nHeight = c.height;
        s.m_nLimitLeft = 3;
        s.m_nLimitRight = 30;
        s.m_nLimitTop = -7;
        s.m_nLimitBottom = 39;
        s.ClampViewLimits();
        EXPECT_EQ(s.m_nLimitLeft, c.left);
        EXPECT_EQ(s.m_nLimitRight, c.right);
        EXPECT_EQ(s.m_nLimitTop, c.top);
        EXPECT_EQ(s.m_nLimitBottom, c.bottom);
    }
}

}  // namespace
