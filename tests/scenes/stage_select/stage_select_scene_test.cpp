#include "scenes/stage_select/stage_select_scene.h"

#include "../menu/scene_fixture.h"
#include "foundation/strings.h"

namespace {

using namespace KeyBit;

class StageSelectTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        Game.GameKind = 1;
        Game.SelectCursor = Game.SelectPage = 0;
        Game.CurrentScene = Game.RequestedScene = kSceneStageSelect;
    }
    void TearDown() override {
        Game.SelectCursor = Game.SelectPage = 0;
        StoryData.Reset(0);
        SceneTest::TearDown();
    }
    void Open(cSceneStageSelect& scene) {
        ASSERT_TRUE(RunTo(scene, cSceneStageSelect::kStateList));
        TakeSounds();
    }
};

TEST_F(StageSelectTest, TheListScrollsWithoutWrapping) {
    struct Case {
        const char* what;
        int all;     // the project's fixed count on
        int count;   // the project's count
        int opened;  // the progress's opened stages
        int downs;
        int row, top, rows;
    };
    const Case cases[] = {
        {"25 stages, cursor on the last", 1, 25, 1, 24, 24, 15, 10},
        {"3 stages: down from the third stays", 1, 3, 1, 5, 2, 0, 3},
        {"a fresh progress shows one row", 0, 25, 1, 2, 0, 0, 1},
        {"opened stages only", 0, 25, 12, 11, 11, 2, 10},
    };
    for (const Case& c : cases) {
        SystemData.m_bAllChallenges = c.all;
        SystemData.m_nChallengeCount = c.count;
        StoryData.Reset(c.count);
        StoryData.m_nChallengeOpened = c.opened;
        CursorStack.Reset();
        cSceneStageSelect scene;
        Open(scene);
        for (int i = 0; i < c.downs; ++i) Frame(scene, Down);
        scene.UpdateCounts();
        EXPECT_EQ(CursorStack.Top().row, c.row) << c.what;
        EXPECT_EQ(scene.ListTop(), c.top) << c.what;
        EXPECT_EQ(scene.VisibleRows(), c.rows) << c.what;
        EXPECT_EQ(StoryData.m_strStage, StrPrintf("data\\stg4\\c%02d.", c.row + 1)) << c.what;
    }
}

TEST_F(StageSelectTest, AStageThatCannotBeReadSoundsARefusalAndStays) {
    StoryData.Reset(40);
    cSceneStageSelect scene;
    Open(scene);
    Frame(scene, 0, kButton1);
    EXPECT_EQ(TakeSounds(), std::vector<int>{3});
    ASSERT_EQ(platform::RecordedMessageBoxes().size(), 1u);
    EXPECT_NE(platform::RecordedMessageBoxes()[0].text.find("c01-1.stg4"), std::string::npos);
    EXPECT_EQ(scene.State(), cSceneStageSelect::kStateList);
    EXPECT_EQ(Game.RequestedScene, kSceneStageSelect);
    EXPECT_EQ(AbortFlag.load(), 0);
}

TEST_F(StageSelectTest, TheChosenStageStartsAndTheListOpensOnItAgain) {
    GameFolder folder(m_env.Dir().HostPath());
    WriteProjectData(folder);
    ASSERT_TRUE(folder.Ok()) << folder.Error();
    ASSERT_TRUE(m_env.Dir().HostFileExists("data/stg4/c02-1.stg4_001"));
    SystemData.m_bAllChallenges = 1;
    SystemData.m_nChallengeCount = 2;
    SystemData.StartLives[1] = 5;
    StoryData.Reset(2);
    {
        cSceneStageSelect scene;
        Open(scene);
        Frame(scene, Down);
        Frame(scene, 0, kButton1);
        EXPECT_EQ(TakeSounds(), std::vector<int>{1});
        EXPECT_EQ(scene.State(), cSceneStageSelect::kStateFadeOut);
        EXPECT_EQ(Game.RequestedScene, kSceneStage);
        EXPECT_EQ(StoryData.m_nStageNo, 2);
        EXPECT_EQ(StoryData.m_nPart, 1);
        EXPECT_EQ(StoryData.m_nStartLives, 5);
        EXPECT_EQ(StoryData.m_nLives, 4);
        EXPECT_EQ(Game.SelectCursor, 1);
    }
    CursorStack.Reset();
    Game.RequestedScene = kSceneStageSelect;
    cSceneStageSelect again;
    Open(again);
    EXPECT_EQ(CursorStack.Top().row, 1) << "back on the stage just played";
    Frame(again, 0, kButton2);
    EXPECT_EQ(Game.RequestedScene, kSceneTitle);
    EXPECT_EQ(Game.SelectCursor, 1) << "leaving keeps the last started stage";
}

}  // namespace
