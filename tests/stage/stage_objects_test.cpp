#include "stage/stage_objects.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

cPlayer BusyHero() {
    cPlayer p;
    p.m_dX = 12.5;
    p.m_dSpeedY = -3.0;
    p.m_bFlying = 1;
    p.m_Def.m_strName = "hero";
    p.m_Def.m_nMaxHp = 40;
    p.m_Def.m_vFlow.resize(1);
    cVector<cFlow> flows(2);
    flows[1].m_cId = 4;
    flows[1].m_vCmd.resize(1);
    flows[1].m_vCmd[0].m_spMove = std::make_shared<cEdMove>();
    p.SetFlows(flows);
    p.m_vFlowInst[1].m_bRunning = 1;
    p.m_vFlowInst[1].m_nCmd = 5;
    p.m_HitBox[2].v[5] = 9;
    p.m_Input.w[15] = 0xABCD;
    p.m_KeyRuns.values = {1, 2, 3};
    p.m_nTarget[3] = 7;
    p.m_nLife = 3;
    return p;
}

TEST(StageObjects, HeroCopyIsMemberWiseAndDeep) {
    cPlayer src = BusyHero();
    src.m_vFlowInst[1].m_bRunning = 1;  // the return above copied it afresh
    cPlayer copy(src);
    EXPECT_DOUBLE_EQ(copy.m_dX, 12.5);
    EXPECT_DOUBLE_EQ(copy.m_dSpeedY, -3.0);
    EXPECT_EQ(copy.m_bFlying, 1);
    EXPECT_EQ(copy.m_Def.m_strName, "hero");
    EXPECT_EQ(copy.m_Def.m_nMaxHp, 40);
    ASSERT_EQ(copy.m_vFlow.Count(), 2);
    EXPECT_EQ(copy.m_vFlow[1].m_cId, 4);
    EXPECT_NE(copy.m_vFlow[1].m_vCmd[0].m_spMove.get(), src.m_vFlow[1].m_vCmd[0].m_spMove.get());
    // One fresh run state per flow.
    ASSERT_EQ(copy.m_vFlowInst.Count(), 2);
    EXPECT_EQ(copy.m_vFlowInst[1].m_bRunning, 0);
    EXPECT_EQ(copy.m_vFlowInst[1].m_nCmd, 0);
    EXPECT_EQ(copy.m_HitBox[2].v[5], 9);
    EXPECT_EQ(copy.m_Input.w[15], 0xABCDu);
    EXPECT_EQ(copy.m_KeyRuns.values.Count(), 3);
    EXPECT_EQ(copy.m_nTarget[3], 7);
    EXPECT_EQ(copy.m_nLife, 3);

    copy.m_KeyRuns.values[0] = 99;
    copy.m_Def.m_vFlow.clear();
    EXPECT_EQ(src.m_KeyRuns.values[0], 1);
    EXPECT_EQ(src.m_Def.m_vFlow.Count(), 1);

    // The player list copies its heroes the same way.
    PlayerList.assign(1, src);
    cVector<cPlayer> again = PlayerList;
    EXPECT_EQ(again[0].m_vFlow.Count(), 2);
    EXPECT_EQ(again[0].m_vFlowInst.Count(), 2);
    PlayerList.clear();
}

TEST(StageObjects, StageCharacterCarriesItsItem) {
    cStageChara c;
    c.m_HeldItem.m_Def.m_strName = "key";
    cChara& asChara = c;
    ASSERT_EQ(asChara.GetHeldItem(), &c.m_HeldItem);
    EXPECT_EQ(asChara.GetHeldItem()->m_Def.m_strName, "key");
    cPlayer p;
    EXPECT_EQ(static_cast<cChara&>(p).GetHeldItem(), nullptr);

    // Deleting through the base destroys the whole object, item and all.
    std::unique_ptr<cObject> owned = std::make_unique<cStageChara>(c);
    owned.reset();
    std::unique_ptr<cObject> hero = std::make_unique<cPlayer>(BusyHero());
    hero.reset();

    CharaList.push_back(c);
    EXPECT_EQ(CharaList[0].GetHeldItem(), &CharaList.front().m_HeldItem);
    CharaList.clear();
}

TEST(StageObjects, TileCellsStartUnlatched) {
    StageBlockDefs.resize(3);
    EXPECT_EQ(StageBlockDefs[2].m_bLatch, 0);
    EXPECT_EQ(StageBlockDefs[2].m_Def.m_cContact, 1);
    StageBlockDefs.clear();
}

}  // namespace
