#include "scenes/stage_play/stage_reset.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gamedata/project/global_data.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "scenes/stage_play/key_log.h"
#include "shell/game.h"
#include "shell/key_state.h"
#include "support/stage/stage_harness.h"

namespace {

// 13 blocks wide: W + 19 = 32, six bits, a row pitch of 64 cells.
const std::vector<std::string> kStage = {
    ".............",
    "......a......",
    "..H..........",
    "#############",
};

class StageReset : public ::testing::Test {
protected:
    void SetUp() override {
        SystemData.m_bReplay = 1;
        Game.PlayType = 3;
        PlayStage.CopySettingsFrom(LoadedStage);
        PlayStage.ClearDefinitions();
        HeroDef = LoadedStage.m_vPlacedCharas[LoadedStage.FindHero()];
        KeyLog.Clear();
        KeyLog2.Clear();
        StoryStart = StoryStartPrev = cStorySave();
    }
    void TearDown() override {
        SystemData.m_bReplay = 0;
        Game.PlayType = 0;
        KeyLog.Clear();
        KeyLog2.Clear();
    }
    StageHarness h{kStage};
    platform::TestClock clock{5000};
};

}  // namespace

TEST_F(StageReset, BuildsTheGridTheObjectsAndFreshCounters) {
    cStageState& s = h.State();
    s.m_bLifeCheck = 1;
    s.m_bInShotPass = 1;
    s.m_Wait = PauseRequest{3, 10, 1, 60, 0};
    s.m_vecStageVar[1000] = 9;
    s.m_nEndRequest = EndRequest::Miss;
    LoadedStage.m_nContactLevel = 3;
    LoadedStage.SetHitCheckLevel(4);
    PlayStage.CopySettingsFrom(LoadedStage);

    ResetStage(s, 1, 1);
    EXPECT_EQ(s.m_ScrollX.m_nPitchShift, 6);
    EXPECT_EQ(s.m_ScrollX.m_nPitch, 64);
    EXPECT_EQ(s.m_ScrollY.m_nPitch, 4 + 20);
    EXPECT_EQ(StageBlockDefs.Count(), 24 * 64);
    EXPECT_EQ(h.Cell(5, 3).m_Def.m_sCell, 1);
    ASSERT_EQ(PlayerList.Count(), 1);
    EXPECT_EQ(CharaList.Count(), 1);
    EXPECT_EQ(PlayerList[0].m_nId, 0);
    EXPECT_EQ(CharaList.front().m_nId, 1);
    EXPECT_EQ(s.m_nNextCharaId, 2);
    EXPECT_EQ(s.m_vecForce[PlayerList[0].m_nBlockGroup].front(), &PlayerList[0]);

    // Nothing of the attempt before reaches into this one.
    EXPECT_EQ(s.m_bLifeCheck, 0);
    EXPECT_EQ(s.m_bInShotPass, 0);
    EXPECT_EQ(s.m_Wait, PauseRequest{});
    EXPECT_EQ(s.m_nEndRequest, EndRequest::None);
    EXPECT_EQ(s.m_vecStageVar.Count(), 1001);
    EXPECT_EQ(s.m_vecStageVar[1000], 0);
    EXPECT_EQ(s.m_vecShotPass, (cVector<int>{1, 1, 1, 0}));
    EXPECT_EQ(s.m_nTime, 999);
    EXPECT_EQ(s.m_bNoTimeLimit, 1);
}

TEST_F(StageReset, EachAttemptHasItsSeedAndTheLastOneMovesToTheSecondLog) {
    cStageState& s = h.State();
    StoryData.m_nLives = 3;
    ResetStage(s, 1, 1);
    EXPECT_EQ(s.m_nSeed, 5000);
    EXPECT_EQ(KeyLog.m_nSeed, 5000);
    EXPECT_EQ(StoryStart.m_nLives, 3);
    cKeyState keys;
    keys.m_wButtons = 4;
    for (int i = 0; i < 10; ++i) KeyLog.Record(keys);
    const unsigned firstDraw = (platform::srand(5000), platform::rand());

    clock.Set(7777);
    StoryData.m_nLives = 2;
    ResetStage(s, 1, 0);
    EXPECT_EQ(s.m_nSeed, 7777);
    EXPECT_EQ(platform::RandState(), 7777u);
    EXPECT_EQ(KeyLog2.m_nSeed, 5000);
    EXPECT_EQ(KeyLog2.m_vecCountB, (cVector<std::int32_t>{10}));
    EXPECT_TRUE(KeyLog.m_vecValueA.empty());
    EXPECT_EQ(KeyLog.m_nSeed, 7777);
    EXPECT_EQ(StoryStartPrev.m_nLives, 3);
    EXPECT_EQ(StoryStart.m_nLives, 2);

    // Playback takes the seed of the log and plays it from its start.
    Game.PlayType = 4;
    LoadedStage.m_strPath = "missing.rpl4_920";
    KeyLog = KeyLog2;
    KeyLog.m_nCursorB = 1;
    clock.Set(9999);
    ResetStage(s, 0, 0);
    EXPECT_EQ(s.m_nSeed, 5000);
    EXPECT_EQ(KeyLog.m_nCursorB, 0);
    EXPECT_EQ(static_cast<unsigned>(platform::rand()), firstDraw);
}

TEST_F(StageReset, TheStageMusicIsAskedForOnlyWhenItMustChange) {
    struct Case {
        int restart, playing, stage, keep;
        bool asked;
    };
    const Case cases[] = {
        {1, 3, 3, 0, true},                        // a fresh start restarts the music
        {1, 3, 3, 1, false},                       // unless the stage keeps music that plays
        {1, 0, 0, 1, true},                        // no music is never kept
        {1, 2, 3, 1, true},  {0, 3, 3, 0, false},  // a retry keeps the same music going
        {0, 2, 3, 0, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StageMusicRequested(c.restart, c.playing, c.stage, c.keep), c.asked)
            << c.restart << c.playing << c.stage << c.keep;
    }
    // A reset asks the window thread for the stage's music and loop flag.
    StoryData.m_nBgm = 1;
    LoadedStage.m_nBgm = 2;
    LoadedStage.m_bBgmKeep = 1;
    PlayStage.CopySettingsFrom(LoadedStage);
    ResetStage(h.State(), 1, 0);
    ASSERT_EQ(h.Music().size(), 1u);
    EXPECT_EQ(h.Music()[0], (StageHarness::MusicRequest{4, 2}));
    EXPECT_EQ(StoryData.m_bBgmLoop, 1);
}
