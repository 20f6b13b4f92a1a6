#include "scenes/stage_play/stage_reset.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/abort.h"
#include "gamedata/global_data.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "scenes/stage_play/key_log.h"
#include "shell/input/key_state.h"
#include "shell/loop/game.h"
#include "stage/objects/engine_hooks.h"
#include "support/stage/stage_harness.h"
#include "support/temp_dir.h"

namespace {

// 13 blocks wide: W + 19 = 32, six bits, a row pitch of 64 cells.
const std::vector<std::string> kStage = {
    ".............",
    "......a......",
    "..H..........",
    "#############",
};

StageOptions WithPlacedHero() {
    StageOptions options;
    options.hero.m_sCell = 1;
    return options;
}

class StageReset : public ::testing::Test {
protected:
    void SetUp() override {
        SystemData.m_bReplay = 1;
        Game.PlayType = 3;
        PlayStage.CopySettingsFrom(LoadedStage);
        PlayStage.ClearDefinitions();
        ASSERT_GE(LoadedStage.FindHero(), 0);
        HeroDef = LoadedStage.m_vPlacedCharas[LoadedStage.FindHero()];
        KeyLog.Clear();
        KeyLog2.Clear();
        StoryStart = StoryStartPrev = cStorySave();
    }
    void TearDown() override {
        EXPECT_EQ(AbortFlag.load(), 0) << "no fatal close";
        AbortFlag.store(0);
        SystemData.m_bReplay = 0;
        Game.PlayType = 0;
        KeyLog.Clear();
        KeyLog2.Clear();
    }
    StageHarness h{kStage, WithPlacedHero()};
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
    s.m_lstPicture.emplace_back();
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
    EXPECT_TRUE(s.m_lstPicture.empty());
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

TEST_F(StageReset, AnItemCarriedByACharacterIsNeverPlacedOnItsOwn) {
    cItemDef carried, free;
    carried.m_sCell = 3;
    carried.m_sCellX = 1;
    free.m_sCell = 4;
    free.m_sCellX = 8;
    LoadedStage.m_vPlacedItems = {carried, free};
    for (cCharaDef& def : LoadedStage.m_vPlacedCharas) {
        if (def.m_cOperation != CharaOperation::Player) def.m_nHeldItem = 0;
    }
    ResetStage(h.State(), 1, 1);
    ASSERT_EQ(ItemList.Count(), 1);
    EXPECT_EQ(ItemList.front().m_Def.m_sCell, 4);
    ASSERT_EQ(CharaList.Count(), 1);
    EXPECT_EQ(CharaList.front().m_HeldItem.m_Def.m_sCell, 3);
    // The carried item took the first item id, the free one the next.
    EXPECT_EQ(ItemList.front().m_nId, 1);
    EXPECT_EQ(h.State().m_nNextItemId, 2);
}

namespace {

std::vector<int> g_started;

// The start triggers as the flow engine would run them: a character whose
// column is 9 vanishes, one in column 11 loses its life.
void StartTriggers(cChara& chara, int kind, cChara*, int) {
    if (kind != 25) return;
    const int column = chara.m_Def.m_sCellX;
    g_started.push_back(chara.m_nCharaKind == 0 ? -1 : column);
    if (column == 9) chara.m_bVanish = 1;
    if (column == 11) chara.m_nLife = 0;
}

}  // namespace

TEST_F(StageReset, StartTriggersRunInOrderAndTakeOutWhoVanishesOrDies) {
    const cCharaDef computer = LoadedStage.m_vPlacedCharas[LoadedStage.FindHero() == 0 ? 1 : 0];
    for (int column : {5, 9, 11, 12}) {
        cCharaDef def = computer;
        def.m_sCellX = static_cast<std::int16_t>(column);
        LoadedStage.m_vPlacedCharas.push_back(def);
    }
    auto before = Hooks().startFlowsByTrigger;
    Hooks().startFlowsByTrigger = StartTriggers;
    int killed = 0;
    ResetHooks().killCharaAndEnd = [&](cStageChara& chara) { killed += chara.m_Def.m_sCellX; };
    // Column 12 is not present this frame; the older order starts it too.
    ResetHooks().updatePresence = [] {
        for (cStageChara& chara : CharaList) chara.m_bExists = chara.m_Def.m_sCellX != 12;
    };
    struct Case {
        int compat;
        std::vector<int> started;
        int left;
    };
    for (const Case& c : {Case{0, {-1, 6, 5, 9, 11}, 3}, Case{1, {-1, 6, 5, 9, 11, 12}, 3}}) {
        SCOPED_TRACE(c.compat);
        SystemData.m_bCompatStartTriggers = c.compat;
        g_started.clear();
        killed = 0;
        ResetStage(h.State(), 1, 1);
        EXPECT_EQ(g_started, c.started);
        EXPECT_EQ(CharaList.Count(), c.left);
        EXPECT_EQ(killed, 11);
        int grouped = 0;
        for (const auto& group : h.State().m_vecForce) grouped += group.Count();
        EXPECT_EQ(grouped, 1 + c.left) << "the removed left their force";
    }
    SystemData.m_bCompatStartTriggers = 0;
    Hooks().startFlowsByTrigger = before;
    ResetHooks() = {};
}

TEST_F(StageReset, PlaybackReadsTheReplayAgainAtEveryFullReset) {
    TempDir dir;
    cKeyState keys;
    keys.m_wDirection = 2;
    KeyLog.m_nSeed = 4321;
    for (int i = 0; i < 5; ++i) KeyLog.Record(keys);
    StoryStart.m_nLives = 6;
    ASSERT_EQ(KeyLog.SaveReplayFile("r.rpl4_920", LoadedStage, PlayStage, StoryStart), 1);

    Game.PlayType = 4;
    LoadedStage.m_strPath = "r.rpl4_920";
    KeyLog.Clear();
    StoryData.m_nLives = 1;
    LoadedStage.m_vPlacedCharas.resize(1);  // what play changed
    ResetStage(h.State(), 1, 1);
    EXPECT_EQ(h.State().m_nSeed, 4321);
    EXPECT_EQ(KeyLog.m_vecCountA, (cVector<std::int32_t>{5}));
    EXPECT_EQ(StoryData.m_nLives, 6);
    EXPECT_EQ(CharaList.Count(), 1);
    EXPECT_EQ(AbortFlag.load(), 0);
}
