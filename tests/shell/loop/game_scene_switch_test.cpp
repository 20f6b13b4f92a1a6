#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/abort.h"
#include "platform/clock.h"
#include "platform/present.h"
#include "scenes/scene_registry.h"
#include "shell/app_state.h"
#include "shell/loop/game.h"
#include "shell/startup/drawing_device.h"

namespace {

std::vector<std::string> g_log;

class RecordingScene : public cScene {
public:
    explicit RecordingScene(int mode) : m_mode(mode) { g_log.push_back("new " + std::to_string(mode)); }
    ~RecordingScene() override { g_log.push_back("delete " + std::to_string(m_mode)); }
    void Run() override { g_log.push_back("run " + std::to_string(m_mode)); }

private:
    int m_mode;
};

class SceneSwitchTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int m = 0; m < kSceneCount; ++m) {
            RegisterSceneFactory(m, [m] { return std::make_unique<RecordingScene>(m); });
        }
        Game.DeleteScenes();
        g_log.clear();
        Game.CurrentScene = 0;
        Game.FrameRate = 0;  // no pacing: these tests count frames, not time
        ASSERT_TRUE(StartDrawingDevice());
    }
    void TearDown() override {
        ReleaseDrawingDevice();
        Game.DeleteScenes();
        Game.CurrentScene = 0;
        RegisterScenes();
    }
    // Creates every scene at once, as if a broken switch had left them.
    void CreateAll() {
        Game.KeepScenes = 1;
        for (int m = 0; m < kSceneCount; ++m) Game.SwitchScene(m);
        Game.KeepScenes = 0;
        g_log.clear();
    }
};

}  // namespace

TEST_F(SceneSwitchTest, ASwitchDeletesTheOtherScenesInTheFixedOrderThenCreatesTheNewOne) {
    CreateAll();
    Game.SwitchScene(kSceneOption);
    EXPECT_EQ(g_log, (std::vector<std::string>{"delete 0", "delete 2", "delete 1", "delete 3", "delete 4"}));
    CreateAll();
    Game.SwitchScene(kSceneTitle);
    EXPECT_EQ(g_log, (std::vector<std::string>{"delete 2", "delete 1", "delete 3", "delete 4", "delete 5"}));
}

TEST_F(SceneSwitchTest, DeleteModesRunsInMemberOrderWithOptionsBeforeStagePlay) {
    CreateAll();
    Game.DeleteScenes();
    EXPECT_EQ(g_log,
              (std::vector<std::string>{"delete 0", "delete 1", "delete 2", "delete 3", "delete 5", "delete 4"}));
}

TEST_F(SceneSwitchTest, TheNewSceneRunsInTheSameTickAndTheOldOneIsGone) {
    ASSERT_EQ(Game.Tick(), 1);
    Game.CurrentScene = kSceneWorldMap;
    long long presented = platform::PresentedFrameSerial();
    g_log.clear();
    ASSERT_EQ(Game.Tick(), 1);
    EXPECT_EQ(g_log, (std::vector<std::string>{"delete 0", "new 1", "run 1"}));
    EXPECT_EQ(platform::PresentedFrameSerial(), presented + 1);
    EXPECT_EQ(Game.Scene(kSceneTitle), nullptr);
}

TEST_F(SceneSwitchTest, ASceneOutsideTheRangeDeletesEverySceneRunsNoneAndStillPresents) {
    CreateAll();
    Game.CurrentScene = 9;
    long long presented = platform::PresentedFrameSerial();
    ASSERT_EQ(Game.Tick(), 1);
    EXPECT_EQ(g_log.size(), 6u);
    for (const auto& line : g_log) EXPECT_EQ(line.rfind("delete", 0), 0u) << line;
    for (int m = 0; m < kSceneCount; ++m) EXPECT_EQ(Game.Scene(m), nullptr);
    EXPECT_EQ(platform::PresentedFrameSerial(), presented + 1);
}

TEST_F(SceneSwitchTest, TheStageScenePointerIsClearedWhenTheStageSceneIsDeleted) {
    Game.CurrentScene = kSceneStage;
    Game.Tick();
    ASSERT_NE(CurStageScene, nullptr);
    EXPECT_EQ(CurStageScene, Game.Scene(kSceneStage));
    Game.CurrentScene = kSceneTitle;
    Game.Tick();
    EXPECT_EQ(CurStageScene, nullptr) << "nothing may read the deleted stage scene";
}

TEST_F(SceneSwitchTest, AnExceptionThrownAsTextWhileSwitchingIsAFatalCloseAndTheTickGoesOn) {
    RegisterSceneFactory(kSceneMenu2, []() -> std::unique_ptr<cScene> { throw "broken scene"; });
    Game.CurrentScene = kSceneMenu2;
    EXPECT_EQ(Game.Tick(), 1);
    EXPECT_EQ(AbortFlag.load(), 1);
    AbortFlag.store(0);
}

namespace {
// Takes 5 ms of the test clock per frame.
class FiveMsScene : public cScene {
public:
    explicit FiveMsScene(platform::TestClock* clock) : m_clock(clock) {}
    void Run() override { m_clock->Advance(5); }

private:
    platform::TestClock* m_clock;
};
}  // namespace

TEST_F(SceneSwitchTest, TheFrameRateDisplayAveragesSixteenFrameDurations) {
    platform::TestClock clock(1000);
    RegisterSceneFactory(kSceneTitle, [&clock] { return std::make_unique<FiveMsScene>(&clock); });
    SystemIni.ShowFps = 1;
    Game.FpsAverage = 0;
    Game.FpsRingIndex = 0;
    for (int i = 0; i < 15; ++i) {
        Game.Tick();
        EXPECT_EQ(Game.FpsAverage, 0) << "frame " << i + 1;
    }
    Game.Tick();
    EXPECT_EQ(Game.FpsAverage, 5) << "the 16th frame closes the ring";
    SystemIni.ShowFps = 0;
}
