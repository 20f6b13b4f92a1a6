#include <gtest/gtest.h>

#include "gamedata/flows/cmd_kinds.h"
#include "support/stage/command_fixtures.h"
#include "support/stage/flow_builder.h"
#include "support/stage/stage_harness.h"

namespace {

TEST(HeroFlowStep, FlowChangesHeldBackDuringTheStepApplyAfterIt) {
    FlowEngineScope engine;
    StageHarness stage({"H.", "##"});
    cPlayer& hero = stage.Hero();
    cFlowCmd change = ItemCommandOf(ItemKind::ChangeFlows, {0});
    change.m_vFlow.push_back(MakeFlow(1, {{"a"}}));
    change.m_vFlow.push_back(MakeFlow(1, {{"b"}}));
    const int before = hero.m_vecFlowInst.Count();
    hero.m_vecDeferredCmd.push_back(change);
    hero.m_vecDeferredCmd.push_back(change);
    hero.StepCharaFlows(0);
    EXPECT_EQ(hero.m_vecFlowInst.Count(), before + 4);
    EXPECT_EQ(hero.m_Def.m_vFlow.Count(), before + 4);
    EXPECT_TRUE(hero.m_vecDeferredCmd.empty());
}

TEST(HeroFlowStep, JumpStateAndGraphicChangeBetweenSteps) {
    FlowEngineScope engine;
    StageHarness stage({"H.", "##"});
    cPlayer& hero = stage.Hero();
    hero.m_nJumpFrames = 5;
    hero.m_bJumpReady = 0;
    hero.m_bCeiling = 1;
    hero.m_bJumpDone = 1;
    hero.ChangeGraphic(2, 0, 1, 1);
    ASSERT_EQ(hero.m_nGraphicChange, 2);
    hero.StepCharaFlows(0);
    EXPECT_EQ(hero.m_nFlowSteps, 1);
    // No jump command ran: the key counts as let go.
    EXPECT_EQ(hero.m_bJumpDone, 0);
    EXPECT_EQ(hero.m_nJumpFrames, 0);
    EXPECT_EQ(hero.m_bJumpReady, 1);
    EXPECT_EQ(hero.m_bCeiling, 0);
    EXPECT_EQ(hero.m_bChangePosPending, 1) << "one step of the change left";
    hero.StepCharaFlows(0);
    EXPECT_EQ(hero.m_nGraphicChange, 0);
    EXPECT_EQ(hero.m_bChangePosPending, 0) << "settled: nothing to put back";
    EXPECT_FALSE(hero.RestoreChangePos());
}

}  // namespace
