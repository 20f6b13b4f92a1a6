#include <gtest/gtest.h>

#include <vector>

#include "outcome_fixture.h"
#include "scenes/rankings/ranking_set.h"
#include "support/temp_dir.h"

namespace {

using StageTotals = OutcomeTest;
using ExtraLives = OutcomeTest;

// Kind 4, no key delay, no key, 30 frames.
const std::vector<int> kExtraLifeWait = {4, 0, 0, 30, 0};

}  // namespace

TEST_F(StageTotals, TheStageJoinsTheTotalsAndTheTimeOnlyWithALimit) {
    for (int noLimit : {0, 1}) {
        OutcomeStage o;
        StoryData = cStorySave();
        StoryData.m_nScore = 1000;
        StoryData.m_nStageScore = 234;
        StoryData.m_nTimeLeftTotal = 50;
        StoryData.m_nClearTimeTotal = 6000;
        StoryData.m_nHpTotal = 7;
        StoryData.m_nSpTotal = 8;
        o.stage.State().m_bNoTimeLimit = noLimit;
        o.stage.State().m_nTime = 120;
        o.stage.State().m_nClearTime = 4321;
        o.stage.Hero().m_nLife = 3;
        o.stage.Hero().m_nSP = 4;
        o.scene.AddStageTotals();
        const cStorySave& p = StoryData;
        EXPECT_EQ((std::vector<int>{p.m_nScore, p.m_nTimeLeftTotal, p.m_nClearTimeTotal, p.m_nHpTotal, p.m_nSpTotal}),
                  (std::vector<int>{1234, noLimit ? 50 : 170, 10321, 10, 12}))
            << "no limit: " << noLimit;
        EXPECT_TRUE(o.waits.empty()) << "extra lives are off";
    }
}

TEST_F(StageTotals, TotalsStopAtTheIntRangeInsteadOfWrapping) {
    OutcomeStage o;
    StoryData.m_nScore = 2147483000;
    StoryData.m_nStageScore = 999999;
    o.scene.AddStageTotals();
    EXPECT_EQ(StoryData.m_nScore, 2147483647);
}

TEST_F(ExtraLives, OnePerMultiplePassedShownOneAfterTheOther) {
    struct Case {
        const char* name;
        int on, step, lives, total, stage;
        int livesAfter, shown;
    };
    const Case cases[] = {
        {"one multiple", 1, 1000, 3, 900, 250, 4, 1},
        {"several multiples, one by one", 1, 1000, 3, 900, 3200, 7, 4},
        {"no multiple passed", 1, 1000, 3, 1100, 800, 3, 0},
        {"a loss takes no life away", 1, 1000, 3, 2500, -1200, 3, 0},
        {"lives stop at 99", 1, 1000, 97, 0, 5000, 99, 2},
        {"none at 99", 1, 1000, 99, 0, 5000, 99, 0},
        {"unlimited lives", 1, 1000, kInfiniteLives, 0, 5000, kInfiniteLives, 0},
        {"switched off", 0, 1000, 3, 0, 5000, 3, 0},
        {"a step of 0", 1, 0, 3, 0, 5000, 3, 0},
        {"a huge step shows only what fits", 1, 1, 0, 0, 999999, 99, 99},
    };
    for (const Case& c : cases) {
        OutcomeStage o;
        SystemData.m_bExtraLife = c.on;
        SystemData.m_nExtraLifeScore = c.step;
        StoryData.m_nLives = c.lives;
        StoryData.m_nScore = c.total;
        StoryData.m_nStageScore = c.stage;
        o.scene.AddStageTotals();
        EXPECT_EQ(StoryData.m_nLives, c.livesAfter) << c.name;
        EXPECT_EQ(o.waits, std::vector<std::vector<int>>(c.shown, kExtraLifeWait)) << c.name;
        EXPECT_EQ(o.stage.Sounds(), std::vector<int>(c.shown, 15)) << c.name;
        EXPECT_EQ(o.heldDuringWait, std::vector<std::size_t>(c.shown, 1)) << c.name << ": one icon at a time";
        EXPECT_TRUE(o.stage.HeldMessages().empty()) << c.name;
    }
}

TEST_F(ExtraLives, TheIconStandsAboveTheHeroForThirtyFrames) {
    OutcomeStage o;
    SystemData.m_bExtraLife = 1;
    SystemData.m_nExtraLifeScore = 100;
    StoryData.m_nStageScore = 100;
    o.scene.AddStageTotals();
    ASSERT_EQ(o.stage.Messages().size(), 1u);
    MessageRequest icon;
    icon.nKind = MessageKind::ExtraLifeIcon;
    icon.nPlace = MessagePlace::AboveHero;
    icon.bAnchored = 1;
    icon.nTimeKind = MessageTime::Frames;
    icon.nRemain = 30;
    icon.bCountFrozen = 1;
    icon.nOwnerId = o.stage.Hero().m_nId;
    EXPECT_EQ(o.stage.Messages()[0], icon);
}

TEST_F(ExtraLives, AQuitDuringTheDisplayShowsNoFurtherLife) {
    OutcomeStage o;
    SetNestedWaitLoop([&](cStageState& s) {
        o.waits.emplace_back(s.m_Wait.begin(), s.m_Wait.end());
        s.m_bQuit = 1;
    });
    SystemData.m_bExtraLife = 1;
    SystemData.m_nExtraLifeScore = 100;
    StoryData.m_nLives = 2;
    StoryData.m_nStageScore = 300;
    o.scene.AddStageTotals();
    EXPECT_EQ(o.waits.size(), 1u);
    EXPECT_EQ(StoryData.m_nLives, 3);
    EXPECT_EQ(StoryData.m_nScore, 300) << "the score is counted whole";
}

namespace {

class RankingPlaces : public OutcomeTest {
protected:
    void SetUp() override {
        OutcomeTest::SetUp();
        cRankingSetting& kind = SystemData.RankingSettings[0];
        kind.m_bEnabled = 1;
        kind.m_vGenres.assign(5, 1);
        kind.m_vGenres[1] = 0;
        ResetRankingSet();
        RankingSet.m_vTables[0].Insert("top", 900);
    }
    void TearDown() override {
        SystemData.RankingSettings[0] = cRankingSetting();
        LoadedStage.m_vnRankingOn.assign(5, 0);
        ResetRankingSet();
        OutcomeTest::TearDown();
    }
    TempDir m_dir;
};

}  // namespace

TEST_F(RankingPlaces, FoundForTheLastStageOfARankedPlayOrADirectStart) {
    struct Case {
        const char* name;
        int rankingsOn, directStart, testPlay;
        bool nextFileExists;
        std::vector<int> slots;
    };
    const std::vector<int> none(5, -1);
    const std::vector<int> ranked = {1, -1, 0, 0, 0};
    const Case cases[] = {
        {"last stage of a ranked play", 1, 0, 0, false, ranked},
        {"a further stage follows", 1, 0, 0, true, none},
        {"rankings off", 0, 0, 0, false, none},
        {"direct start: every stage end", 0, 1, 0, true, ranked},
        {"test play: never", 1, 1, 1, false, none},
    };
    m_dir.WriteHostFile("data/stg4/castle-2.stg4_000", "");
    for (const Case& c : cases) {
        OutcomeStage o;
        LoadedStage.m_vnRankingOn.assign(5, 1);
        Game.RankingsOn = c.rankingsOn;
        DirectStart = c.directStart;
        TestPlay = c.testPlay;
        StoryData = cStorySave();
        StoryData.m_strStage = "data\\stg4\\castle.";
        StoryData.m_bMultiPart = 1;
        StoryData.m_nNextPart = c.nextFileExists ? 2 : 3;
        StoryData.m_nStageScore = 500;
        o.stage.Hero().m_nSP = 2;
        o.scene.m_bRankDone = 1;
        o.scene.m_vecRankSlot.assign(5, 7);
        o.scene.EndStageTally();
        const cRankResult& r = o.scene;
        EXPECT_EQ(std::vector<int>(r.m_vecRankSlot.begin(), r.m_vecRankSlot.end()), c.slots) << c.name;
        EXPECT_EQ(r.m_bRankEligible, c.slots == ranked ? 1 : 0) << c.name;
        EXPECT_EQ(r.m_bRankDone, 0) << c.name;
        EXPECT_EQ(o.stage.Sounds(), std::vector<int>{14}) << c.name;
        if (c.slots == ranked) {
            EXPECT_EQ(std::vector<int>(r.m_vecRankScore.begin(), r.m_vecRankScore.end()),
                      (std::vector<int>{500, 0, 0, 5, 2}))
                << c.name;
        }
    }
}
