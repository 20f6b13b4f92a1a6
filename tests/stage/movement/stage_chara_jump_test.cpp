#include <gtest/gtest.h>

#include "gamedata/flows/flow_cmd.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/core/flow_inst.h"
#include "support/stage/stage_harness.h"

namespace {

TEST(StageCharaJump, StartsOnceThenEndsOnLanding) {
    StageHarness stage({"a", "#"}, {.hitCheckLevel = 1});
    cStageChara& a = stage.Chara('a');
    cFlowCmd record;
    record.m_sSound = 3;
    record.m_bSoundInView = 0;
    cCmdInst cmd;
    cmd.m_lpCmd = &record;
    cmd.m_nCount = 50;
    cmd.m_dSpeed = -6.0;
    a.m_bAirLock = 0;
    a.m_bCeiling = 0;
    a.Jump(&cmd);
    EXPECT_EQ(a.m_dSpeedY, -6.0);
    EXPECT_EQ(a.m_bJumping, 1);
    EXPECT_EQ(a.m_bJumpEnd, 1);
    EXPECT_EQ(stage.Sounds(), (std::vector<int>{3 + 16}));
    // In the air: nothing more; on the ground again the command ends.
    a.m_lpGroundBlock = nullptr;
    a.Jump(&cmd);
    EXPECT_EQ(cmd.m_nCount, 50);
    a.m_lpGroundBlock = &stage.Cell(0, 1);
    a.m_bImpact = 1;
    a.Jump(&cmd);
    EXPECT_EQ(cmd.m_nCount, 0);
    EXPECT_EQ(a.m_bImpact, 0);
    EXPECT_EQ(stage.Sounds().size(), 1u);
}

TEST(StageCharaJump, ABlockedJumpGivesUpAfterFourFrames) {
    StageHarness stage({"a", "#"}, {.hitCheckLevel = 2});
    cStageChara& a = stage.Chara('a');
    cCmdInst cmd;
    cmd.m_nCount = 50;
    cmd.m_dSpeed = -6.0;
    a.m_bAirLock = 1;
    a.m_bCeiling = 1;
    for (int i = 1; i < 8; ++i) a.Jump(&cmd);
    EXPECT_EQ(cmd.m_nCount, 50) << "still waiting after 7 sub-steps";
    a.Jump(&cmd);
    EXPECT_EQ(cmd.m_nCount, 0) << "4 frames of 2 sub-steps";
    EXPECT_EQ(a.m_bCeiling, 0);
    EXPECT_EQ(a.m_dSpeedY, 0.0) << "never jumped";
    EXPECT_TRUE(stage.Sounds().empty());
}

}  // namespace
