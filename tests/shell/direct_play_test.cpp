#include "shell/direct_play.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "gamedata/global_data.h"
#include "shell/loop/game.h"
#include "support/test_env.h"

namespace {

struct FreeStageCase {
    const char* name;
    const char* fromIni;
    const char* commandLine;
    int testPlay;
    int directStartSwitch;
    const char* freeStage;
};

class FreeStageChoice : public ::testing::TestWithParam<FreeStageCase> {};

TEST_P(FreeStageChoice, IsDecidedByTheTestPlayOnly) {
    const FreeStageCase& c = GetParam();
    cSystemIni s;
    std::strcpy(s.FreeStage, c.fromIni);
    ChooseFreeStage(s, c.commandLine, c.testPlay, c.directStartSwitch);
    EXPECT_STREQ(s.FreeStage, c.freeStage);
}

INSTANTIATE_TEST_SUITE_P(Cases, FreeStageChoice,
                         ::testing::Values(FreeStageCase{"TestPlayStage", "ini.stg4", "cmd.stg4", 1, 0, "cmd.stg4"},
                                           FreeStageCase{"TestPlayWithoutStageDirectStart", "ini.stg4", "", 1, 1, ""},
                                           FreeStageCase{"TestPlayWithoutStage", "ini.stg4", "", 1, 0, "ini.stg4"},
                                           FreeStageCase{"OutsideTestPlayIniKept", "ini.stg4", "", 0, 1, "ini.stg4"},
                                           FreeStageCase{"StageArgument", "", "cmd.stg4", 0, 0, "cmd.stg4"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct StartCase {
    const char* name;
    int testPlay;
    int directStartSwitch;
    int loads;
    bool result;
    int directStart, rankingsOn, returnToTitle, mode;
};

class DirectPlayStart : public ::testing::TestWithParam<StartCase> {
protected:
    void TearDown() override {
        SetStageFilePlayer(nullptr);
        TestPlay = 0;
        DirectStart = 0;
        ReturnToTitleAfterStage = 0;
        SystemData.m_bDirectStartToTitle = 0;
        Game.CurrentScene = Game.RankingsOn = Game.GameKind = Game.PlayType = 0;
        SystemIni.FreeStage[0] = '\0';
    }
};

TEST_P(DirectPlayStart, PlaysTheNewestNumberedFileAndSetsTheRules) {
    const StartCase& c = GetParam();
    TestEnv env;
    env.Dir().WriteHostFile("stages/first stage.stg4_001", "1");
    env.Dir().WriteHostFile("stages/first stage.stg4_002", "2");
    std::string played;
    SetStageFilePlayer([&](const std::string& path, int direct) {
        played = path;
        EXPECT_EQ(direct, 1);
        return c.loads;
    });
    TestPlay = c.testPlay;
    SystemData.m_bDirectStartToTitle = c.directStartSwitch;
    StoryData.m_bMultiPart = 1;
    std::strcpy(SystemIni.FreeStage, "stages\\first stage.stg4");
    EXPECT_EQ(StartDirectPlay(), c.result);
    EXPECT_EQ(played, "stages\\first stage.stg4_002");
    EXPECT_EQ(DirectStart, c.directStart);
    EXPECT_EQ(Game.RankingsOn, c.rankingsOn);
    EXPECT_EQ(ReturnToTitleAfterStage, c.returnToTitle);
    if (!c.result) return;
    EXPECT_EQ(Game.CurrentScene, c.mode);
    EXPECT_EQ(Game.GameKind, 2);
    EXPECT_EQ(Game.PlayType, 3);
    EXPECT_EQ(StoryData.m_bMultiPart, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, DirectPlayStart,
                         ::testing::Values(StartCase{"TestPlay", 1, 0, 1, true, 1, 1, 0, kSceneStage},
                                           StartCase{"TestPlayIgnoresDirectStartSwitch", 1, 1, 1, true, 1, 1, 0,
                                                     kSceneStage},
                                           StartCase{"DirectStartBackToTitle", 0, 1, 1, true, 1, 0, 1, kSceneStage},
                                           StartCase{"FreeStageOfSystemIni", 0, 0, 1, true, 1, 1, 0, kSceneStage},
                                           StartCase{"StageThatDoesNotLoadFails", 1, 0, 0, false, 1, 1, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DirectPlay, AMissingStageFileIsReportedAndTheTitleStarts) {
    TestEnv env;
    int calls = 0;
    SetStageFilePlayer([&](const std::string&, int) { return ++calls; });
    Game.CurrentScene = 0;
    std::strcpy(SystemIni.FreeStage, "stages\\gone.stg4");
    EXPECT_TRUE(StartDirectPlay());
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(DirectStart, 0);
    EXPECT_EQ(Game.CurrentScene, 0);
    EXPECT_STREQ(SystemIni.FreeStage, "");
    EXPECT_NE(env.Report().find("「stages\\gone.stg4」の読み込みに失敗しました！"), std::string::npos);
    EXPECT_TRUE(StartDirectPlay()) << "no stage: nothing to do";
    SetStageFilePlayer(nullptr);
}

}  // namespace
