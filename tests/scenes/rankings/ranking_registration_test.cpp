#include "scenes/rankings/ranking_registration.h"

#include <gtest/gtest.h>

#include <array>
#include <thread>

#include "../../shell/shell_fixture.h"
#include "foundation/paths.h"
#include "gamedata/global_data.h"
#include "gamedata/project/player_files.h"
#include "platform/headless_input.h"
#include "platform/keyboard.h"
#include "platform/present.h"
#include "scenes/menu/menu_sounds.h"
#include "scenes/rankings/ranking_set.h"
#include "scenes/scene_registry.h"
#include "shell/input/key_state.h"
#include "support/test_env.h"

namespace {

// The game thread registers while the test thread is the window thread.
class RankingRegistrationTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        CreateWorkingFolders();
        m_savedGame = {Game.GameKind, Game.PlayType, Game.RankingsOn};
        SetMenuSoundSink([this](int n) { m_sounds.push_back(n); });
        cRankingSetting& kind = SystemData.RankingSettings[1];
        kind.m_bEnabled = 1;
        kind.m_vGenres.assign(5, 0);
        kind.m_vGenres[0] = kind.m_vGenres[2] = 1;
        Game.GameKind = 1;
        Game.PlayType = 2;
        Game.RankingsOn = 1;
        StoryData.SetStageFile("data\\stg4\\c01-1.stg4", 0, 0, 0);
        StoryData.m_strRankingName = "old";
        StoryData.m_nRankingGenre = 0;
        OptionData.m_strRankingName = "fix";
        ResetRankingSet();
        RankingSet.m_vTables[0].Insert("top", 900);
        CurStageScene = &m_stage;
        // Button 1 is held, so the table shown afterwards ends at once.
        platform::ReleaseAllKeys();
        platform::SetKeyDown('Z', true);
        KeyStates[0].m_bLatch = 0;
        m_sounds.clear();
        m_result = cRankResult();
        m_result.m_vecRankScore = cVector<int>{500, 70, 4000, 10, 10};
        m_result.FindSlots(cVector<std::int32_t>(5, 1));
    }
    void TearDown() override {
        CurStageScene = nullptr;
        platform::ReleaseAllKeys();
        platform::headless::ClearSchedule();
        SetMenuSoundSink(nullptr);
        SystemData.RankingSettings[1] = cRankingSetting();
        // Later tests in this process read the play as the game left it.
        Game.GameKind = m_savedGame[0];
        Game.PlayType = m_savedGame[1];
        Game.RankingsOn = m_savedGame[2];
        MainWindowTest::TearDown();
    }
    // Registers on a thread of its own and serves the window meanwhile.
    bool RegisterServingTheWindow() {
        bool saved = false;
        std::atomic<bool> done{false};
        std::thread game([&] {
            saved = RegisterRanking(m_result, m_stage.m_strRankName);
            done = true;
        });
        for (int i = 0; i < 20000 && !done; ++i) Pump(1), Sleep(1);
        game.join();
        return saved;
    }
    std::string Names(int table) {
        std::string names;
        for (const cRankEntry& e : RankingSet.m_vTables[table].m_vEntries) {
            if (e.m_bShown) names += e.m_strName + " ";
        }
        return names;
    }

    TestEnv m_env;
    std::array<int, 3> m_savedGame{};
    cSceneStage m_stage;
    cRankResult m_result;
    std::vector<int> m_sounds;
};

TEST_F(RankingRegistrationTest, OnlyTheValuesTheKindAndTheStageRankTakePart) {
    EXPECT_EQ(m_result.m_vecRankSlot, (cVector<int>{1, -1, 0, -1, -1}));
    EXPECT_EQ(m_result.m_bRankEligible, 1);
    EXPECT_TRUE(m_result.OffersRegistration());
    m_result.FindSlots(cVector<std::int32_t>{0, 1, 0, 1, 1});
    EXPECT_EQ(m_result.m_bRankEligible, 0) << "the stage ranks none of the kind's values";
}

TEST_F(RankingRegistrationTest, EachModeRegistersWithItsNameAndSavesTheFile) {
    struct Case {
        int mode;
        const char* name;
    };
    bool first = true;
    for (const Case& c : {Case{0, "new"}, Case{1, "fix"}, Case{2, "new"}, Case{3, "fix"}}) {
        if (!first) {
            TearDown();
            SetUp();
        }
        first = false;
        OptionData.m_nRankingMode = c.mode;
        if (c.mode == 0 || c.mode == 2) {
            // The dialog shows the last typed name selected: typing replaces it.
            const long long now = platform::PresentedFrameSerial();
            m_env.Dir().WriteHostFile(
                "script.txt", std::to_string(now + 3) + " text new\n" + std::to_string(now + 6) + " click 300 280\n");
            std::string error;
            ASSERT_TRUE(platform::headless::LoadInputScript(m_env.Dir().HostPath() + "/script.txt", &error)) << error;
        }
        EXPECT_TRUE(RegisterServingTheWindow()) << "mode " << c.mode;
        EXPECT_EQ(Names(0), std::string("top ") + c.name + " ") << "mode " << c.mode;
        EXPECT_EQ(Names(2), std::string(c.name) + " ") << "mode " << c.mode;
        EXPECT_EQ(Names(1), "") << "a value the kind does not rank stays out";
        EXPECT_EQ(StoryData.m_strRankingName, c.mode % 2 == 0 ? "new" : "old") << "mode " << c.mode;
        EXPECT_EQ(m_result.m_bRankDone, 1);
        EXPECT_FALSE(m_result.OffersRegistration());
        EXPECT_EQ(m_sounds, (std::vector<int>{16, 1})) << "registered, then the table confirmed";

        ResetRankingSet();
        ASSERT_TRUE(LoadRankingFile(RankingSet, 1, StoryData.m_strStage, 0, 0, 0));
        EXPECT_EQ(Names(2), std::string(c.name) + " ") << "the file holds the entry";

        m_sounds.clear();
        EXPECT_TRUE(RegisterServingTheWindow());
        EXPECT_EQ(Names(2), std::string(c.name) + " ") << "a result registers once";
        EXPECT_TRUE(m_sounds.empty());
    }
}

TEST_F(RankingRegistrationTest, TheTableShownFirstIsAValueTheKindRanks) {
    OptionData.m_nRankingMode = 1;
    StoryData.m_nRankingGenre = 1;  // the kind ranks values 0 and 2 only
    EXPECT_TRUE(RegisterServingTheWindow());
    EXPECT_EQ(StoryData.m_nRankingGenre, 2);
}

TEST_F(RankingRegistrationTest, WithTheRankingsOffNothingIsOfferedOrRegistered) {
    Game.RankingsOn = 0;  // as on a direct start that returns to the title
    EXPECT_FALSE(m_result.OffersRegistration());
    EXPECT_TRUE(RegisterServingTheWindow());
    EXPECT_EQ(Names(0), "top ");
    EXPECT_EQ(m_result.m_bRankDone, 0);
    EXPECT_FALSE(m_env.Dir().HostFileExists("user_data/challenge/c01.rkg"));
}

TEST_F(RankingRegistrationTest, AFailedSaveIsReported) {
    OptionData.m_nRankingMode = 3;
    ASSERT_TRUE(DeleteFolderTree("user_data\\challenge"));
    EXPECT_FALSE(RegisterServingTheWindow());
    EXPECT_EQ(m_result.m_bRankDone, 1);
    const auto boxes = platform::RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(m_env.Report().find("c01."), std::string::npos) << m_env.Report();
}

}  // namespace
