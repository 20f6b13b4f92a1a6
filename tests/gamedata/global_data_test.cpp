#include "gamedata/global_data.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Members of one object are built in address order and destroyed in the
// reverse order.
void ExpectBuiltInOrder(const std::vector<const void*>& objects) {
    for (std::size_t i = 1; i < objects.size(); ++i) {
        EXPECT_LT(objects[i - 1], objects[i]) << "object " << i << " is out of order";
    }
}

void ExpectInitialState(const cGlobalObjects& g) {
    EXPECT_EQ(g.CommonPalette.m_vPaletteBlocks.Count(), 1);
    EXPECT_EQ(g.CommonPalette.m_vPaletteCharas.Count(), 1);
    EXPECT_EQ(g.CommonPalette.m_vPaletteItems.Count(), 1);
    // The default entries: two animations, "なし" and "アクションA".
    ASSERT_EQ(g.Database.Anime.Count(), 2);
    EXPECT_EQ(g.Database.Anime[0].m_strName, "なし");
    EXPECT_EQ(g.Database.Anime[1].m_strName, "アクションA");
    EXPECT_TRUE(g.AnimeSequences.empty());
    EXPECT_TRUE(g.EffectSequences.empty());
    for (const cStageData* stage : {&g.LoadedStage, &g.PlayStage}) {
        EXPECT_DOUBLE_EQ(stage->m_dGravity, 0.4);
        EXPECT_TRUE(stage->m_vPlacedCharas.empty());
    }
    EXPECT_EQ(g.HeroDef.m_nMaxHp, cCharaDef().m_nMaxHp);
    EXPECT_EQ(g.WorldMap.m_nWidth, 20);
    EXPECT_EQ(g.WorldMap.m_vCell.Count(), 480);
    EXPECT_EQ(g.WorldMap.m_vPoint2.Count(), 1);
    for (const cStorySave* s : {&g.StoryData, &g.StoryStart, &g.StoryStartPrev}) {
        EXPECT_EQ(s->m_nSlot, -1);
        EXPECT_EQ(s->m_nChallengeOpened, 1);
        EXPECT_TRUE(s->m_vChallenge.empty());
        EXPECT_EQ(s->m_vVar.Count(), 1001);
        EXPECT_EQ(s->m_vMapPoint.Count(), 1000);
        EXPECT_EQ(s->m_strRankingName, "aaa");
    }
    EXPECT_EQ(g.SystemData.m_nChallengeCount, 40);
    ASSERT_EQ(g.SaveSlots.Count(), 99);
    for (const cSaveSlot& slot : g.SaveSlots) EXPECT_EQ(slot.m_bUsed, 0);
    EXPECT_EQ(g.OptionData.m_nVolume, 7);
    EXPECT_EQ(g.OptionData.m_strRankingName, "aaa");
}

}  // namespace

TEST(GlobalObjects, AFreshSetHasTheInitialStateAndGoesAwayCleanly) {
    auto g = std::make_unique<cGlobalObjects>();
    ExpectInitialState(*g);
    ExpectBuiltInOrder({&g->CommonPalette, &g->SystemData, &g->Database, &g->AnimeSequences, &g->EffectSequences,
                        &g->LoadedStage, &g->PlayStage, &g->HeroDef, &g->WorldMap, &g->StoryData, &g->StoryStart,
                        &g->StoryStartPrev, &g->OptionData, &g->SaveSlots});
    g.reset();
}

TEST(GlobalObjects, TheGlobalNamesAreTheMembersOfTheProcessWideSet) {
    ExpectBuiltInOrder({&CommonPalette, &SystemData, &Database, &AnimeSequences, &EffectSequences, &LoadedStage,
                        &PlayStage, &HeroDef, &WorldMap, &StoryData, &StoryStart, &StoryStartPrev, &OptionData,
                        &SaveSlots});
    EXPECT_EQ(SaveSlots.Count(), 99);
    EXPECT_EQ(StoryData.m_vCarry.Count(), 25);
    EXPECT_EQ(WorldMap.m_nStartX, 9);
    EXPECT_EQ(OptionData.m_bMusic, 1);
    EXPECT_EQ(LoadedStage.m_vnRankingOn.Count(), 5);
}
