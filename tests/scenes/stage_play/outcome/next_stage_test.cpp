#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "gamedata/fixtures/stage_fixtures.h"
#include "outcome_fixture.h"
#include "platform/message_box.h"
#include "scenes/menu/cursor_stack.h"
#include "scenes/stage_play/key_log.h"
#include "support/test_env.h"

namespace {

// "castle-1" is being played; "castle-2" exists, "castle-3" does not.
class NextStageTest : public OutcomeTest {
protected:
    void SetUp() override {
        OutcomeTest::SetUp();
        StageFixture next;
        next.title = "part two";
        next.placedCharas = {HeroFixture()};
        next.placedBlocks = {DefFixture{}};
        m_env.Dir().WriteHostFile("data/stg4/castle-2.stg4_000", StageFileBytes(kDataVersion, next).Str());
        m_env.Dir().WriteHostFile("user_data/story/keep", "");
        m_env.Dir().WriteHostFile("user_data/challenge/keep", "");
        m_nChallengeCountBefore = SystemData.m_nChallengeCount;
        SystemData.m_nChallengeCount = 3;
    }
    void TearDown() override {
        // Put back, not zeroed: later tests of the process write progress
        // records whose challenge list has the project's count.
        SystemData.m_nChallengeCount = m_nChallengeCountBefore;
        KeyLog.Clear();
        KeyLog2.Clear();
        OutcomeTest::TearDown();
    }
    // The progress of part 1 of the series, stage index 2, clear asking for
    // part `next`.
    static void PlayingPartOne(int next) {
        StoryData = cStorySave();
        StoryData.Reset(3);
        StoryData.SetStageFile("data\\stg4\\castle-1.stg4", 0, 0, 0);
        StoryData.m_nStageNo = 2;
        StoryData.m_nPart = 1;
        StoryData.m_nNextPart = next;
        StoryData.m_nScore = 700;
        KeyLog.m_nSeed = KeyLog2.m_nSeed = 9;
    }
    TestEnv m_env;
    int m_nChallengeCountBefore = 0;
};

}  // namespace

TEST_F(NextStageTest, ANumberedSeriesGoesOnWhenItsNextFileLoads) {
    struct Case {
        const char* name;
        int playType, numbered, directStart, next;
        int mode;
        bool goesOn;
    };
    const Case cases[] = {
        {"new story, next file", 0, 1, 0, 2, 4, true},
        {"story, next file", 1, 1, 0, 2, 4, true},
        {"story, no such file", 1, 1, 0, 3, 1, false},
        {"story, no next stage asked", 1, 1, 0, 0, 1, false},
        {"story, not a series", 1, 0, 0, 2, 1, false},
        {"challenge, next file", 2, 1, 0, 2, 4, true},
        {"challenge, no such file", 2, 1, 0, 3, 3, false},
        {"free, next file", 3, 1, 0, 2, 4, true},
        {"free, no such file: title", 3, 1, 0, 3, 0, false},
        {"free, not a series: the stage again", 3, 0, 0, 2, 4, false},
        {"free, direct start: the stage again", 3, 1, 1, 2, 4, false},
        {"replay: from its start again", 4, 1, 0, 2, 4, false},
        {"another play type", 7, 1, 0, 2, 3, false},
    };
    for (const Case& c : cases) {
        OutcomeStage o;
        PlayingPartOne(c.next);
        StoryData.m_bMultiPart = c.numbered;
        StoryData.m_nStageValue1 = 1;
        Game.PlayType = c.playType;
        DirectStart = c.directStart;
        LoadedStage.m_strTitle = "part one";
        EXPECT_EQ(o.scene.NextStage(), c.mode) << c.name;
        EXPECT_EQ(StoryData.m_nPart, c.goesOn ? 2 : 1) << c.name;
        EXPECT_EQ(LoadedStage.m_strTitle, c.goesOn ? "part two" : "part one") << c.name;
        EXPECT_EQ(KeyLog.m_nSeed + KeyLog2.m_nSeed, c.goesOn ? 0 : 18) << c.name << ": both logs start empty";
        if (c.playType == 3) {
            EXPECT_EQ(StoryData.m_nStageValue1, c.mode == 4 && !c.goesOn ? 0 : 1)
                << c.name << ": the same stage again starts from its own start";
        }
    }
}

TEST_F(NextStageTest, AStoryGoingOnSavesTheAutoSaveSlotWhenTheClearAskedForIt) {
    for (int asked : {0, 1}) {
        OutcomeStage o;
        PlayingPartOne(2);
        Game.PlayType = 1;
        StoryData.m_bAutoSave = 1;
        StoryData.m_nSlot = 3;
        o.stage.State().m_bAutoSaveOnClear = asked;
        EXPECT_EQ(o.scene.NextStage(), 4);
        EXPECT_EQ(m_env.Dir().HostFileExists("user_data/story/Story04.dat"), asked == 1) << "asked: " << asked;
        EXPECT_TRUE(StoryData.m_vCleared.empty()) << "the stage just cleared is not recorded";
        EXPECT_TRUE(platform::RecordedMessageBoxes().empty()) << "asked: " << asked;
    }
}

TEST_F(NextStageTest, AStoryWithoutANextStageRecordsTheClearAndFollowsTheMapLink) {
    struct Case {
        int afterClear;
        int mode;
        int rounds;
    };
    for (const Case& c : {Case{0, 1, 0}, Case{1, 1, 1}, Case{2, 0, 0}}) {
        OutcomeStage o;
        PlayingPartOne(3);
        Game.PlayType = 1;
        StoryData.m_nAfterClear = c.afterClear;
        CursorStack.Top().row = 5;
        EXPECT_EQ(o.scene.NextStage(), c.mode) << "after clear " << c.afterClear;
        EXPECT_EQ(StoryData.m_nRounds, c.rounds) << "after clear " << c.afterClear;
        EXPECT_EQ(StoryData.m_vMapPoint[2], c.afterClear == 1 ? 0 : 1) << "a new round closes the points again";
        ASSERT_EQ(StoryData.m_vCleared.Count(), 1);
        EXPECT_EQ(StoryData.m_vCleared[0].m_strFile, "data\\stg4\\castle.");
        EXPECT_EQ(StoryData.m_vCleared[0].m_nScore, 700);
        EXPECT_EQ(CursorStack.Top().row, c.afterClear == 2 ? 1 : 5) << "the title's cursor on the play type";
    }
}

TEST_F(NextStageTest, AChallengeClearUpdatesItsRecordOpensTheNextStageAndIsSaved) {
    struct Case {
        const char* name;
        int stageNo, opened, best;
        int bestAfter, clearedTotal, openedAfter;
    };
    const Case cases[] = {
        {"a better total", 2, 2, 500, 700, 200, 3},
        {"not better", 2, 3, 900, 900, 0, 3},
        {"the last stage opens nothing beyond", 3, 3, 0, 700, 700, 3},
        {"an index the list does not hold", 9, 3, 0, 0, 0, 3},
    };
    for (const Case& c : cases) {
        OutcomeStage o;
        PlayingPartOne(3);
        Game.PlayType = 2;
        StoryData.m_nStageNo = c.stageNo;
        StoryData.m_nChallengeOpened = c.opened;
        for (cChallengeRecord& r : StoryData.m_vChallenge) r.m_nBest = c.best;
        EXPECT_EQ(o.scene.NextStage(), 3) << c.name;
        const int index = std::min(c.stageNo, 3) - 1;
        EXPECT_EQ(StoryData.m_vChallenge[index].m_bCleared, c.stageNo <= 3 ? 1 : 0) << c.name;
        EXPECT_EQ(StoryData.m_vChallenge[index].m_nBest, c.bestAfter) << c.name;
        EXPECT_EQ(StoryData.m_nClearedScore, c.clearedTotal) << c.name;
        EXPECT_EQ(StoryData.m_nChallengeOpened, c.openedAfter) << c.name;
        cStorySave saved;
        ASSERT_TRUE(saved.LoadChallenge()) << c.name;
        EXPECT_EQ(saved.m_nChallengeOpened, c.openedAfter) << c.name;
        EXPECT_EQ(saved.m_nClearedScore, c.clearedTotal) << c.name;
    }
}

TEST_F(NextStageTest, TheCarryOverKeepsTheHeroStatusTimeLivesAndMusic) {
    const cVector<std::int8_t> projectFlags = SystemData.CarryOverFlags;
    for (int carry : {0, 1}) {
        OutcomeStage o;
        PlayingPartOne(2);
        Game.PlayType = 1;
        SystemData.CarryOverFlags.assign(kCarryItemCount, 1);
        LoadedStage.m_bEndKeep = carry;
        o.stage.Hero().m_nLife = 4;
        o.stage.State().m_nTime = 77;
        StoryData.m_nLives = 6;
        StoryData.m_nBgm = 12;
        o.scene.NextStage();
        const cStoryChara& kept = StoryData.m_vKept[0];
        EXPECT_EQ(StoryData.m_bKeptStatus, carry);
        EXPECT_EQ((std::vector<int>{kept.m_nHp, kept.m_nValueB, kept.m_nLives, kept.m_nValueD}),
                  carry ? (std::vector<int>{4, 77, 6, 12}) : (std::vector<int>{0, 0, 0, 0}));
        SystemData.CarryOverFlags = projectFlags;
        LoadedStage.m_bEndKeep = 0;
    }
}

TEST_F(NextStageTest, ASaveAfterAClearThatCannotBeWrittenSaysSoAndTheGameGoesOn) {
    struct Case {
        const char* name;
        int playType, nextPart;
        const char* target;  // made a folder, so it cannot be written
        int mode;
        const char* box;
        const char* line;
    };
    const Case cases[] = {
        {"the auto-save of a series", 1, 2, "user_data/story/Story04.dat", 4, "オートセーブに失敗しました！",
         "オートセーブに失敗しました (4)"},
        {"the challenge progress", 2, 3, "user_data/challenge/Challenge.dat", 3, "セーブできませんでした！",
         "Challenge.dat : セーブできませんでした"},
    };
    for (const Case& c : cases) {
        platform::ClearMessageBoxes();
        std::filesystem::create_directories(m_env.Dir().HostPath() + "/" + c.target);
        OutcomeStage o;
        PlayingPartOne(c.nextPart);
        Game.PlayType = c.playType;
        StoryData.m_bAutoSave = 1;
        StoryData.m_nSlot = 3;
        o.stage.State().m_bAutoSaveOnClear = 1;
        EXPECT_EQ(o.scene.NextStage(), c.mode) << c.name;
        const auto boxes = platform::RecordedMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u) << c.name;
        EXPECT_EQ(boxes[0].text, c.box) << c.name;
        EXPECT_NE(m_env.Report().find(c.line), std::string::npos) << c.name << "\n" << m_env.Report();
        EXPECT_TRUE(std::filesystem::is_directory(m_env.Dir().HostPath() + "/" + c.target)) << c.name;
        EXPECT_EQ(AbortFlag.load(), 0) << c.name;
    }
}
