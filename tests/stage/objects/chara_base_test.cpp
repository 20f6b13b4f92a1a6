#include <gtest/gtest.h>

#include <memory>

#include "gamedata/database/database.h"
#include "gamedata/global_data.h"
#include "stage/objects/item.h"
#include "support/stage/stage_harness.h"

namespace {

cCharaDef BusyDefinition() {
    cCharaDef def;
    def.m_nMaxHp = 40;
    def.m_nMaxSp = 7;
    def.m_cSight = 3;
    def.m_sStopEase = 20;
    def.m_bScrollSync = 1;
    def.m_sAppearEffect = 2;
    def.m_cAppearEffectMode = 1;
    def.m_vFlow.resize(2);
    def.m_vFlow[1].m_cId = 4;
    def.m_vFlow[1].m_vCmd.resize(3);
    def.m_vFlow[1].m_vKeyCond.resize(1);
    return def;
}

TEST(CharaBase, ResetTakesTheDefinition) {
    StageHarness stage({"Ha"});
    cStageChara& c = stage.Chara('a');
    c.m_vecVar[4] = 9;
    c.m_nInvincible = 30;
    c.m_bDead = 1;
    c.m_nWallSide = 1;
    c.m_listAnimLayer.emplace_front(1, 0, 0, 0, kNoFlowSerial);
    const cCharaDef def = BusyDefinition();
    c.Reset(&def, {1, 2, 3, 4}, 5);
    EXPECT_EQ(c.m_nLife, 40);
    EXPECT_EQ(c.m_nSP, 7);
    EXPECT_EQ(c.m_nSightPx, 48);
    EXPECT_EQ(c.m_bScrollFollow, 1);
    EXPECT_DOUBLE_EQ(c.m_dAccelDecay, 20 * 0.01 / 100.0);
    EXPECT_EQ(c.m_nClone, 5);
    EXPECT_EQ(c.m_nPlace[3], 4);
    EXPECT_EQ(c.m_vecVar[4], 0);
    EXPECT_EQ(c.m_nInvincible, 0);
    EXPECT_EQ(c.m_bDead, 0);
    EXPECT_EQ(c.m_nWallSide, 0) << "the last wall touched belongs to the old life";
    EXPECT_EQ(c.m_bAirLock, 1);
    EXPECT_EQ(c.m_nPrevDirection, -1);
    EXPECT_TRUE(c.m_listAnimLayer.empty());
    EXPECT_TRUE(c.m_vecLink.empty()) << "links are not carried over";
    EXPECT_EQ(c.m_vecTarget[0], nullptr);
    EXPECT_EQ(c.m_EffectRun.nEffect, 2);
    EXPECT_EQ(c.m_Def.m_vFlow.Count(), 2);

    // Without a definition the copy stays, but life and SP are 0.
    c.Reset(nullptr, {0, 0, 0, 0}, 0);
    EXPECT_EQ(c.m_Def.m_nMaxHp, 40);
    EXPECT_EQ(c.m_nLife, 0);
    EXPECT_EQ(c.m_nSP, 0);
}

TEST(CharaBase, AnimeSetIsRebuiltOnlyWhenAskedOrChanged) {
    StageHarness stage({"H."});
    Database.AnimeSet.resize(2);
    Database.AnimeSet[1].m_vMotions.resize(1);
    Database.AnimeSet[1].m_vMotions[0].m_vFrames.resize(2);
    Database.AnimeSet[1].m_vMotions[0].m_vFrames[1].m_nCell = 7;
    cChara& hero = stage.Hero();
    hero.SetAnimeSet(1, 0);
    EXPECT_EQ(hero.m_Anim.AnimCount(), 1);
    hero.m_Anim.Advance();
    for (int tick = 0; tick < 6; ++tick) hero.m_Anim.Advance();
    EXPECT_EQ(hero.m_Anim.GetFrame(), 7) << "each frame lasts its time x 6 frames";
    hero.SetAnimeSet(1, 0);
    EXPECT_EQ(hero.m_Anim.GetFrame(), 7) << "same set without force: untouched";
    hero.SetAnimeSet(1, 1);
    EXPECT_EQ(hero.m_Anim.GetFrame(), 0) << "forced: rebuilt from its first frame";
    hero.SetAnimeSet(0, 0);
    EXPECT_EQ(hero.m_Anim.AnimCount(), 4);
}

TEST(CharaBase, CopyIsDeepAndRelinksItsFlows) {
    StageHarness stage({"Ha"});
    cStageChara& src = stage.Chara('a');
    const cCharaDef def = BusyDefinition();
    src.Reset(&def, {0, 0, 0, 0}, 0);
    src.m_vecFlowInst.resize(2);
    src.m_vecFlowInst[1].m_vecCmdInst.resize(3);
    src.RelinkFlows();
    src.m_vecFlowInst[1].m_bRunning = 1;
    src.m_HeldItem.m_Def.m_strName = "key";
    cStageChara copy(src);
    EXPECT_EQ(copy.m_vecFlowInst[1].m_lpFlow, &copy.m_Def.m_vFlow[1]);
    EXPECT_EQ(copy.m_vecFlowInst[1].m_vecCmdInst[2].m_lpCmd, &copy.m_Def.m_vFlow[1].m_vCmd[2]);
    EXPECT_EQ(copy.m_vecFlowInst[1].m_vecKeyCond[0], &copy.m_Def.m_vFlow[1].m_vKeyCond[0]);
    EXPECT_EQ(copy.m_vecFlowInst[1].m_bRunning, 1);
    EXPECT_EQ(copy.m_nLife, 40);
    EXPECT_EQ(static_cast<cChara&>(copy).GetHeldItem()->m_Def.m_strName, "key");
    copy.m_Def.m_vFlow.clear();
    EXPECT_EQ(src.m_Def.m_vFlow.Count(), 2);
    EXPECT_EQ(static_cast<cChara&>(stage.Hero()).GetHeldItem(), nullptr);
}

TEST(CharaBase, PlacementAndScaleKeepTheFeet) {
    // A stage character: the hero's own bound would keep it inside this
    // small stage.
    StageHarness stage({"a...", "####"});
    cChara& chara = stage.Chara('a');
    chara.m_rcGraphicBase = {4, 6, 40, 38};
    chara.m_rcGraphic = chara.m_rcGraphicBase;
    chara.PlaceAtCell(1, 0, 1);
    EXPECT_DOUBLE_EQ(chara.m_dX, 11 * 32 + 4 + 0.5);
    EXPECT_DOUBLE_EQ(chara.m_dY, 10 * 32 + 6);
    // Doubling the size: the cell rule keeps the cell's bottom, the box rule
    // the box's bottom.
    const double y = chara.m_dY;
    chara.AnchorOnScale(2, 1, 1);
    EXPECT_DOUBLE_EQ(chara.m_dY, y + (6 - 38));
    chara.m_dY = y;
    chara.AnchorOnScale(2, 1, 0);
    EXPECT_DOUBLE_EQ(chara.m_dY, y - 32);
    chara.m_dY = y;
    SystemData.ScaleAnchorSetting = 1;
    SystemData.ScaleAnchorHitBox = 1;
    chara.AnchorOnScale(2, 1, 1);
    SystemData.ScaleAnchorSetting = 0;
    SystemData.ScaleAnchorHitBox = 0;
    EXPECT_DOUBLE_EQ(chara.m_dY, y - 32) << "old projects: the setting decides, not the call";
    chara.m_dY = y;
    chara.AnchorOnScale(3, 3, 1);
    EXPECT_DOUBLE_EQ(chara.m_dY, y);

    chara.SetBoxOffsets(1, 20, 24);
    EXPECT_EQ(chara.m_rcBodyBox.rc.x, 16 - 4 - 10);
    EXPECT_EQ(chara.m_rcBodyBox.rc.y, 32 - 6 - 24);
    chara.SetBoxOffsets(0, 21, 24);
    EXPECT_EQ(chara.m_rcBodyBox.rcBase.y, 16 - 6 - 12);
    EXPECT_EQ(chara.m_rcBodyBox.rcBase.x, 16 - 4 - 10);
}

TEST(CharaBase, CentreOnAScreenPoint) {
    // A stage character: the view would follow the chara.
    StageHarness stage({"a..."});
    cChara& chara = stage.Chara('a');
    chara.UpdateScreenRect();
    cCmdInst cmd;
    cmd.m_dWorkSpeedX = 3.0;
    cmd.m_dWorkSpeedY = -1.0;
    chara.ArriveAt(300, 200, &cmd);
    chara.UpdateScreenRect();
    EXPECT_EQ(chara.m_rcScreen.left + 16, 300);
    EXPECT_EQ(chara.m_rcScreen.top + 16, 200);
    EXPECT_EQ(cmd.m_dWorkSpeedX, 0.0);
    EXPECT_EQ(cmd.m_dWorkSpeedY, 0.0);
}

}  // namespace
