#include "gamedata/stage_file/stage_records.h"

#include <gtest/gtest.h>

#include "gamedata/fixtures/record_io.h"
#include "gamedata/stage_file/stage_records.h"
#include "support/byte_builder.h"

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
