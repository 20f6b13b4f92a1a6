#include "scenes/title/title_scene.h"

#include "../menu/scene_fixture.h"
#include "gamedata/story/save_slots.h"
#include "shell/app_state.h"
#include "shell/direct_play.h"

namespace {

using namespace KeyBit;

class TitleSceneTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        Game.PlayType = 0;
        ReturnToTitleAfterStage = 0;
        DirectStart = 0;
        StoryData.Reset(0);
    }
    void TearDown() override {
        Game.PlayType = 0;
        StoryData.Reset(0);
        SceneTest::TearDown();
    }
    // Into the main menu of a fresh title scene.
    std::unique_ptr<cSceneTitle> Open() {
        auto title = std::make_unique<cSceneTitle>();
        EXPECT_TRUE(RunTo(*title, cSceneTitle::kStateMenu));
        Frame(*title);
        TakeSounds();
        return title;
    }
    void FillSlots(int used) {
        for (int s = 0; s < used; ++s) ASSERT_TRUE(StoryData.SaveSlot(s));
        StoryData.Reset(0);
    }
};

TEST_F(TitleSceneTest, RowsAreTheEnabledCommandsAndTheCursorReturnsToTheLastOne) {
    struct Case {
        const char* what;
        std::vector<int> enabled;
        int playType;
        std::vector<int> commands;
        int row;
    };
    const Case cases[] = {
        {"all, after a story", {0, 1, 2, 3, 4, 5, 6}, 1, {0, 1, 2, 3, 4, 5, 6}, 1},
        {"options and quit, last quit", {5, 6}, 6, {5, 6}, 1},
        {"options and quit, last options", {5, 6}, 5, {5, 6}, 0},
        {"none: command 0 alone", {}, 3, {0}, 0},
        {"the last command hidden now", {0, 2, 6}, 1, {0, 2, 6}, 1},
    };
    for (const Case& c : cases) {
        for (cCmd& cmd : SystemData.TitleMenu) cmd.m_nEnabled = 0;
        for (int i : c.enabled) SystemData.TitleMenu[i].m_nEnabled = 1;
        Game.PlayType = c.playType;
        CursorStack.Reset();
        auto title = Open();
        EXPECT_EQ(title->Commands(), c.commands) << c.what;
        EXPECT_EQ(CursorStack.Top().row, c.row) << c.what;
        EXPECT_EQ(CursorStack.Top().y, cSceneTitle::MenuY() + 32 * c.row) << c.what;
    }
    ReturnToTitleAfterStage = 1;
    DirectStart = 1;
    Game.PlayType = 5;
    SystemData.SetDefaults();
    auto title = Open();
    EXPECT_EQ(CursorStack.Top().row, 0) << "back from a direct start";
    EXPECT_EQ(ReturnToTitleAfterStage, 0);
    EXPECT_EQ(DirectStart, 0);
}

TEST_F(TitleSceneTest, CommandsSetTheKindAndTheNextMode) {
    SystemData.RankingSettings[1].m_bEnabled = 1;
    struct Case {
        int row;
        int mode;
        int kind;
        int rankings;
    };
    for (const Case& c : {Case{2, kSceneStageSelect, 1, 1}, Case{5, kSceneOption, 1, 1}}) {
        Game.GameKind = 1;
        Game.PlayType = 0;
        CursorStack.Reset();
        auto title = Open();
        for (int i = 0; i < c.row; ++i) Frame(*title, Down);
        Frame(*title, 0, kButton1);
        EXPECT_EQ(title->State(), cSceneTitle::kStateFadeOut);
        EXPECT_EQ(Game.RequestedScene, c.mode);
        EXPECT_EQ(Game.PlayType, c.row);
        EXPECT_EQ(Game.GameKind, c.kind);
        EXPECT_EQ(Game.RankingsOn, c.rankings);
    }
    EXPECT_EQ(StoryData.m_vChallenge.Count(), SystemData.m_nChallengeCount) << "no challenge file: a fresh progress";
}

TEST_F(TitleSceneTest, NewStoryWithoutSlotChoiceGoesStraightToTheMap) {
    SystemData.m_bTitleSwitch1 = 0;
    WorldMap.m_nStartX = 4;
    WorldMap.m_nStartY = 6;
    auto title = Open();
    Frame(*title, 0, kButton1);
    Frame(*title);
    EXPECT_EQ(Game.RequestedScene, kSceneWorldMap);
    EXPECT_EQ(StoryData.m_nSlot, -1);
    EXPECT_EQ(StoryData.m_nMapX, 4);
    EXPECT_EQ(StoryData.m_nMapY, 6);
    EXPECT_EQ(Game.GameKind, 0);
    WorldMap.SetDefaults();
}

TEST_F(TitleSceneTest, NewStoryRefusesUsedSlotsAndCancelKeepsTheRow) {
    FillSlots(kSaveSlotCount);
    auto title = Open();
    Frame(*title, 0, kButton1);
    EXPECT_EQ(title->State(), cSceneTitle::kStateNewStory);
    for (int i = 0; i < 3; ++i) {
        Frame(*title, 0, kButton1);
        Frame(*title, Down);
    }
    EXPECT_EQ(TakeSounds(), (std::vector<int>{1, 3, 3, 3})) << "every slot is refused";
    EXPECT_EQ(title->State(), cSceneTitle::kStateNewStory);
    Frame(*title, 0, kButton2);
    EXPECT_EQ(title->State(), cSceneTitle::kStateMenu);
    EXPECT_EQ(CursorStack.Depth(), 1);
    EXPECT_EQ(CursorStack.Top().row, 0) << "the main menu's row comes back";
}

TEST_F(TitleSceneTest, SlotListsStartOrContinueByTheSlotsState) {
    FillSlots(2);
    StoryData.m_nStartMode = 1;  // saved during stage play
    ASSERT_TRUE(StoryData.SaveSlot(2));
    StoryData.Reset(0);
    struct Case {
        const char* what;
        int command;
        int slot;
        std::vector<int> sounds;
        int mode;  // -1: stays
    };
    const Case cases[] = {
        {"new story on an empty slot", 0, 5, {1, 1}, kSceneWorldMap},
        {"new story on a used slot", 0, 1, {1, 3}, -1},
        {"continue on an empty slot", 1, 5, {1, 3}, -1},
        {"continue on a slot saved on the map", 1, 1, {1, 1}, kSceneWorldMap},
        {"continue on a slot saved in stage play", 1, 2, {1, 1}, kSceneStage},
    };
    for (const Case& c : cases) {
        CursorStack.Reset();
        Game.PlayType = c.command;
        Game.RequestedScene = kSceneTitle;
        auto title = Open();
        Frame(*title, 0, kButton1);
        for (int i = 0; i < c.slot; ++i) Frame(*title, Down);
        Frame(*title, 0, kButton1);
        EXPECT_EQ(TakeSounds(), c.sounds) << c.what;
        EXPECT_EQ(Game.RequestedScene, c.mode == -1 ? kSceneTitle : c.mode) << c.what;
        if (c.command == 0 && c.mode != -1) {
            EXPECT_EQ(StoryData.m_nSlot, c.slot) << c.what;
            EXPECT_EQ(StoryData.m_bAutoSave, 1) << c.what;
        }
    }
}

}  // namespace
