#include "gamedata/stage_file/stage_settings.h"

#include <gtest/gtest.h>

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

TEST(StageRecords, OutOfRangeRuleBeforeVersion125HasFiveInts) {
    cStageSetting r;
    r.m_bRight = r.m_bTop = r.m_bBottom = 7;
    auto bytes = ByteBuilder().I32(5).I32(1).I32(2).I32(3).I32(4).I32(5).I32(0).Data();
    ASSERT_TRUE(LoadBytes(r, 124, bytes));
    EXPECT_EQ(r.m_bLeft, 1);
    EXPECT_EQ(r.m_bRight, 7);  // not stored: kept
    EXPECT_EQ(r.m_nLeft, 2);
    EXPECT_EQ(r.m_nBottom, 5);
    EXPECT_EQ(r.FieldCount(), 8);  // back at the current member set
}

TEST(StageRecords, LayerVersions) {
    // Version 60: discarded ratios, no auto flags, nothing after the picture.
    {
        cStageLayer l;
        auto b = ByteBuilder().I32(5).I32(1).I32(33).I32(1).I32(111).I32(222).I32(1).Str("sky").Data();
        ASSERT_TRUE(LoadBytes(l, 60, b));
        EXPECT_EQ(l.m_bFill, 1);
        EXPECT_EQ(l.m_nFillColor, 33);
        EXPECT_EQ(l.m_nFront, 1);
        EXPECT_DOUBLE_EQ(l.m_dRatioX, 0.1);
        EXPECT_EQ(l.m_strPicture, "sky");
    }
    // Version 61: ratios and auto flags, two discarded ints behind the name.
    {
        cStageLayer l;
        auto b = ByteBuilder().I32(9).I32(0).I32(16).I32(0).F64(0.5).F64(0.25).I32(1).I32(0);
        b.I32(77).I32(88).I32(1).Str("a");
        ASSERT_TRUE(LoadBytes(l, 61, b));
        EXPECT_DOUBLE_EQ(l.m_dRatioX, 0.5);
        EXPECT_EQ(l.m_bAutoX, 1);
        EXPECT_DOUBLE_EQ(l.m_dAutoPosX, 0.0);
        l.UpgradeAutoSpeed(61);
        EXPECT_DOUBLE_EQ(l.m_dAutoSpeedX, 0.5);
        EXPECT_DOUBLE_EQ(l.m_dRatioX, 1.0);
        EXPECT_DOUBLE_EQ(l.m_dRatioY, 0.25);  // not auto: unchanged
        EXPECT_DOUBLE_EQ(l.m_dAutoSpeedY, 0.0);
    }
    // Current files: the speed is its own member and no upgrade runs.
    {
        cStageLayer l;
        l.m_bAutoX = 1;
        l.m_dRatioX = 0.3;
        l.m_dAutoSpeedX = 2.0;
        cStageLayer back;
        ASSERT_TRUE(LoadBytes(back, kDataVersion, SaveBytes(l)));
        back.UpgradeAutoSpeed(kDataVersion);
        EXPECT_DOUBLE_EQ(back.m_dRatioX, 0.3);
        EXPECT_DOUBLE_EQ(back.m_dAutoSpeedX, 2.0);
        EXPECT_EQ(SaveBytes(back), SaveBytes(l));
    }
}

}  // namespace
