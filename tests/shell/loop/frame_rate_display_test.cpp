// The frame-rate display of the game loop: the shown rate and the average of
// the last 16 frame durations, drawn over the finished frame in the small
// font or as a framed box, and the shown rate handed to stage play.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "draw/palette.h"
#include "draw/text/font.h"
#include "foundation/frame_timer.h"
#include "game_folder.h"
#include "platform/clock.h"
#include "sample_game.h"
#include "shell/app_state.h"
#include "shell/loop/game.h"
#include "shell/startup/screen_startup.h"
#include "support/golden_frame.h"
#include "support/scene_release.h"
#include "support/test_env.h"

namespace {

// A scene whose frame takes a known time: the durations the display
// averages are the ones it was given.
class TimedScene : public cScene {
public:
    explicit TimedScene(platform::TestClock& clock) : m_clock(clock) {}
    void Run() override {
        DDFillRectColor(&BackBuffer, 0, 0, 640, 480, 0xFF406080u);
        m_clock.Advance(Duration(m_frame++));
    }
    // 3 to 9 ms, so that a wrong sum or shift shows.
    static DWORD Duration(int frame) { return static_cast<DWORD>(3 + (frame * 5) % 7); }

private:
    platform::TestClock& m_clock;
    int m_frame = 0;
};

class FrameRateDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        GameFolder folder(m_env.Dir().HostPath());
        WritePictures(folder);
        ASSERT_TRUE(folder.Ok()) << folder.Error();
        SystemData.SetDefaults();
        ResetFrameTimer();
        ASSERT_TRUE(DDInit(1, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0, 0));
        ASSERT_TRUE(LoadPaletteAndKey());
        const int fontPictures[] = {46, 51};
        ASSERT_TRUE(DDLoadSurfaceTable(SurfaceArray, fontPictures, 2));
        ASSERT_TRUE(CreateFonts(Fonts, FontTable, kDefaultFontCount));
        Game.DeleteScenes();
        Game.CurrentScene = Game.RequestedScene = Game.PreviousScene = 0;
        Game.FrameRate = 60;
        RegisterSceneFactory(kSceneTitle, [this] { return std::make_unique<TimedScene>(m_clock); });
    }
    void TearDown() override {
        RegisterSceneFactory(kSceneTitle, nullptr);
        ReleaseSceneResources();
        SystemIni.ShowFps = 0;
        Game.FpsRing = {};
        Game.FpsRingIndex = Game.FpsAverage = Game.ShownFps = 0;
        Game.CurrentScene = 0;
        ResetFrameTimer();
    }
    // Ticks until n frames have run.
    void TickTo(int n) {
        while (m_ticks < n) {
            ASSERT_EQ(Game.Tick(), 1);
            ++m_ticks;
        }
    }
    static std::string Golden(const char* name) { return std::string(SHELL_GOLDEN_DIR) + "/" + name; }

    TestEnv m_env;
    platform::TestClock m_clock{5000};
    int m_ticks = 0;
};

// The average of the first 16 durations, shifted as the loop shifts it.
int FirstAverage() {
    int sum = 0;
    for (int i = 0; i < 16; ++i) sum += static_cast<int>(TimedScene::Duration(i));
    return sum >> 4;
}

TEST_F(FrameRateDisplayTest, TheAverageStaysZeroForFifteenFramesAndComesAtTheSixteenth) {
    SystemIni.ShowFps = 2;
    ASSERT_GT(FirstAverage(), 0);
    for (int n = 1; n <= 15; ++n) {
        TickTo(n);
        EXPECT_EQ(Game.FpsAverage, 0) << "frame " << n;
    }
    ExpectGoldenFrame(BackBuffer, Golden("fps_small_15.png"));
    TickTo(16);
    EXPECT_EQ(Game.FpsAverage, FirstAverage());
    ExpectGoldenFrame(BackBuffer, Golden("fps_small_16.png"));
    // In between the previous average stays, until the ring is full again.
    TickTo(31);
    EXPECT_EQ(Game.FpsAverage, FirstAverage());
}

TEST_F(FrameRateDisplayTest, AnyOtherSettingDrawsAFramedBoxAndZeroDrawsNothing) {
    SystemIni.ShowFps = 1;
    TickTo(16);
    ExpectGoldenFrame(BackBuffer, Golden("fps_box_16.png"));

    SystemIni.ShowFps = 0;
    TickTo(17);
    const platform::Frame frame = FrameOf(BackBuffer);
    ASSERT_FALSE(frame.pixels.empty());
    int other = 0;
    for (std::uint32_t p : frame.pixels) other += p != 0x406080u;
    EXPECT_EQ(other, 0) << "nothing but the scene's own frame";
}

TEST_F(FrameRateDisplayTest, TheShownRateCountsTheFramesOfTheLastSecondAndReachesStagePlay) {
    SystemIni.ShowFps = 2;
    Game.FrameRate = 0;  // no pacing: a frame takes only the scene's time
    // The frames of the first second, each of them 3 to 9 ms long.
    int firstSecond = 0;
    DWORD spent = 0;
    while (spent + TimedScene::Duration(firstSecond) <= 1000) spent += TimedScene::Duration(firstSecond++);
    TickTo(firstSecond);
    EXPECT_EQ(Game.ShownFps, 0) << "no second has ended";
    TickTo(firstSecond + 2);
    EXPECT_GT(Game.ShownFps, 100);
    EXPECT_LE(Game.ShownFps, firstSecond);

    class StageScene : public cScene {
    public:
        void StoreShownFps(int fps) override { shown = fps; }
        int shown = -1;
    };
    RegisterSceneFactory(kSceneStage, [] { return std::make_unique<StageScene>(); });
    Game.CurrentScene = kSceneStage;
    TickTo(firstSecond + 3);
    RegisterSceneFactory(kSceneStage, nullptr);
    auto* stage = dynamic_cast<StageScene*>(Game.Scene(kSceneStage));
    ASSERT_NE(stage, nullptr);
    EXPECT_EQ(stage->shown, Game.ShownFps);
}

}  // namespace
