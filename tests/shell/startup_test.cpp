#include "shell/startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "foundation/abort.h"
#include "gamedata/flows/arrangeable_params.h"
#include "platform/main_window_post.h"
#include "platform/message_box.h"
#include "shell/key_state.h"
#include "shell/project_data_startup.h"
#include "shell/win_main.h"
#include "shell_fixture.h"
#include "support/test_env.h"

TEST(Startup, AFatalCloseDuringAStepFailsStartUpAndTheCloseIsKeptForTheWindow) {
    platform::SetMainWindowRouter(nullptr);
    platform::ClearMainWindowPosts();
    AbortFlag.store(0);
    bool laterStepRan = false;
    std::vector<StartupStep> steps = {
        {"fine", [] { return true; }},
        {"fatal",
         [] {
             FatalClose();
             return true;  // the step itself reports success
         }},
        {"later",
         [&] {
             laterStepRan = true;
             return true;
         }},
    };
    EXPECT_FALSE(RunStartupSteps(steps));
    EXPECT_FALSE(laterStepRan);
    auto posts = platform::RecordedMainWindowPosts();
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].msg, WM_CLOSE);
    AbortFlag.store(0);
    platform::ClearMainWindowPosts();
}

TEST(Startup, AFailedStepStopsTheSequence) {
    int ran = 0;
    std::vector<StartupStep> steps = {{"a", [&] { return ++ran, false; }}, {"b", [&] { return ++ran, true; }}};
    EXPECT_FALSE(RunStartupSteps(steps));
    EXPECT_EQ(ran, 1);
}

TEST_F(MainWindowTest, AFatalCloseRaisedBeforeTheWindowExistedReachesItOnceRouted) {
    platform::SetMainWindowRouter(nullptr);
    platform::ClearMainWindowPosts();
    Game.CurrentMode = kModeOption;  // where a normal close would ask
    FatalClose();                    // as a data load before the window would
    EXPECT_TRUE(IsWindow(m_hwnd));
    InstallMainWindowRouting(m_hwnd);
    Pump();
    EXPECT_FALSE(IsWindow(m_hwnd)) << "the kept WM_CLOSE closed the window";
    EXPECT_TRUE(platform::RecordedMessageBoxes().empty()) << "an error close asks nothing";
    platform::SetMainWindowRouter(nullptr);
    platform::ClearMainWindowPosts();
}

TEST(Startup, BuildsTheCommandParameterTableBeforeAnyDataFileIsRead) {
    const std::vector<StartupStep>& steps = StartupSteps();
    auto named = [&](const char* name) {
        return std::find_if(steps.begin(), steps.end(),
                            [&](const StartupStep& s) { return std::string(s.name) == name; });
    };
    const auto table = named("command parameter table");
    ASSERT_NE(table, steps.end());
    EXPECT_LT(table - steps.begin(), named("default data") - steps.begin());
    CommandParamTable.clear();
    EXPECT_TRUE(table->run());
    ASSERT_EQ(CommandParamTable.Count(), 40);
    EXPECT_EQ(CommandParamTable[11].Count(), 32);
}

TEST(Startup, TheGameObjectStepSetsTheFrameValuesAndTheMenuRepeatOfEveryKeyState) {
    const std::vector<StartupStep>& steps = StartupSteps();
    const auto step = std::find_if(steps.begin(), steps.end(),
                                   [](const StartupStep& s) { return std::string(s.name) == "game object"; });
    ASSERT_NE(step, steps.end());
    Game.FrameRate = 30;
    Game.FadeLength = 0;
    KeyStates.resize(2);
    for (cKeyState& keys : KeyStates) keys.SetRepeat(1, 1);
    EXPECT_TRUE(step->run());
    EXPECT_EQ(Game.FrameRate, 60);
    EXPECT_EQ(Game.FadeLength, 10);
    for (const cKeyState& keys : KeyStates) {
        EXPECT_EQ(keys.m_nRepeatDelay, 18);
        EXPECT_EQ(keys.m_nRepeatInterval, 6);
    }
    KeyStates.resize(1);
}

// In an empty folder (no data, no default data) each of the first three
// data steps fails and says so in its own words, in a box.
TEST(Startup, TheFirstDataStepsFailWithTheirOwnBoxes) {
    struct Case {
        const char* step;
        std::function<bool()> run;
        const char* box;
    };
    const Case cases[] = {
        {"default data", [] { return PrepareDataFolder(nullptr); },
         "「data」フォルダの作成に失敗…\n「default」フォルダに問題がある可能性があります。"},
        {"databases", LoadDatabases, "データベースの読み込みに失敗…"},
        {"system data", LoadSystemData, "data\\System.dat の読み込みに失敗…"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        TestEnv env;
        EXPECT_FALSE(c.run());
        const auto boxes = platform::RecordedMessageBoxes();
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes.back().text, c.box);
    }
}

TEST(Startup, ADeclinedDefaultDataCopyIsReportedAsTheChoiceNotAsAFailure) {
    struct Case {
        const char* name;
        bool defaultFolder;
        int answer;
        const char* reportLine;
        std::size_t boxes;  // the question, then the failure's box
    };
    const Case cases[] = {
        {"declined", true, IDNO, "「data」フォルダを作成しないことが選ばれたため、終了します", 1},
        {"no default folder", false, 0, "「data」フォルダの作成に失敗…", 1},
    };
    for (const Case& c : cases) {
        TestEnv env;
        if (c.defaultFolder) env.Dir().WriteHostFile("default/System.dat", "x");
        if (c.answer) platform::QueueMessageBoxAnswer(c.answer);
        EXPECT_FALSE(PrepareDataFolder(nullptr)) << c.name;
        EXPECT_NE(env.Report().find(c.reportLine), std::string::npos) << c.name << "\n" << env.Report();
        const auto boxes = platform::RecordedMessageBoxes();
        ASSERT_EQ(boxes.size(), c.boxes) << c.name;
        EXPECT_EQ(boxes.back().text.find("「data」フォルダの作成に失敗…"), c.defaultFolder ? std::string::npos : 0u)
            << c.name;
        EXPECT_FALSE(env.Dir().HostFileExists("data")) << c.name;
    }
}
