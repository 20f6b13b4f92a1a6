#include <gtest/gtest.h>

#include "gamedata/global_data.h"
#include "gamedata/story/story_save.h"

namespace {

class KeptStatus : public ::testing::Test {
protected:
    void SetUp() override {
        SystemData.CarryOverFlags.Fill(1);
        SystemData.CarryResetFlags.Fill(0);
    }
    void TearDown() override { SystemData.SetDefaults(); }

    static cCharaDef Carried() {
        cCharaDef d;
        d.m_sCell = 0;
        d.m_cSheet = 3;
        d.m_sAnimeSet = 4;
        d.m_cZ = 1;
        d.m_nMaxHp = 321;
        d.m_nPower = 12;
        d.m_sStopEase = 33;
        d.m_cSight = 2;
        d.m_vFlow.resize(3);
        d.m_nScore = 999;  // not a carried member
        return d;
    }
};

}  // namespace

TEST_F(KeptStatus, StoredStatusIsAppliedToTheNextStagesDefinition) {
    cStorySave s;
    s.SaveKeptStatus(0, Carried(), 40, 5, 7, 2, 0, 11, 6, 13);
    EXPECT_EQ(s.m_bKeptStatus, 1);
    EXPECT_EQ(s.m_vCarry, cVector<int>(25, 1));

    cCharaDef next;
    int b = 0, d = 0;
    s.m_nLives = 1;
    s.ApplyKeptStatus(0, next, &b, &d);
    EXPECT_EQ(next.m_sCell, 1);  // a cell of 0 comes back as 1
    EXPECT_EQ(next.m_cSheet, 3);
    EXPECT_EQ(next.m_sAnimeSet, 4);
    EXPECT_EQ(next.m_cZ, 1);
    EXPECT_EQ(next.m_nMaxHp, 321);
    EXPECT_EQ(next.m_nPower, 12);
    EXPECT_EQ(next.m_sStopEase, 33);
    EXPECT_EQ(next.m_cSight, 2);
    EXPECT_EQ(next.m_vFlow.Count(), 3);
    EXPECT_EQ(next.m_sAppearEffect, 7);  // from the caller's values s3 to s5
    EXPECT_EQ(next.m_cAppearEffectMode, 2);
    EXPECT_EQ(next.m_bAppearEffectLoop, 0);
    EXPECT_EQ(next.m_nScore, cCharaDef().m_nScore);
    EXPECT_EQ(b, 11);
    EXPECT_EQ(d, 13);
    EXPECT_EQ(s.m_nLives, 6);

    int hp = -1, sp = -1;
    s.KeptLifeValues(0, hp, sp);
    EXPECT_EQ(hp, 40);
    EXPECT_EQ(sp, 5);
}

TEST_F(KeptStatus, OnlyItemsCarriedAndSwitchedOnTravel) {
    SystemData.CarryOverFlags[13] = 0;  // maximum HP not carried
    cStorySave s;
    s.SaveKeptStatus(0, Carried(), 40, 5, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(s.m_vCarry[13], 0);
    SystemData.CarryResetFlags[16] = 1;  // power dropped when the hero is lost
    SystemData.CarryResetFlags[11] = 1;
    s.ClearListedFlags();
    EXPECT_EQ(s.m_vCarry[16], 0);
    EXPECT_EQ(s.m_vCarry[11], 0);
    EXPECT_EQ(s.m_vCarry[12], 1);

    cCharaDef next;
    s.ApplyKeptStatus(0, next);
    EXPECT_EQ(next.m_nMaxHp, cCharaDef().m_nMaxHp);
    EXPECT_EQ(next.m_nPower, cCharaDef().m_nPower);
    EXPECT_EQ(next.m_sAnimeSet, 4);
    int hp = -1, sp = -1;
    s.KeptLifeValues(0, hp, sp);
    EXPECT_EQ(hp, -1);
    EXPECT_EQ(sp, 5);
}

TEST_F(KeptStatus, NothingIsAppliedBeforeAStatusWasKept) {
    cStorySave s;
    s.m_vCarry.Fill(1);
    s.m_vKept[0].m_Def.m_nMaxHp = 5;
    s.m_vKept[0].m_nHp = 9;
    cCharaDef next;
    s.ApplyKeptStatus(0, next);
    EXPECT_EQ(next.m_nMaxHp, cCharaDef().m_nMaxHp);
    int hp = -1, sp = -1;
    s.KeptLifeValues(0, hp, sp);
    EXPECT_EQ(hp, -1);
    EXPECT_EQ(sp, -1);
}
