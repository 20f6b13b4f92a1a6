// A harness stage played by the stage scene from a script of key toggles,
// frame by frame as the game loop runs it, with the state of every frame
// traced.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/present.h"
#include "platform/threads.h"
#include "stage/commands/stage_commands.h"
#include "stage_scene_fixture.h"

namespace {

// The hero falls three blocks onto a deadly block.
const std::vector<std::string> kDeadlyFall = {
    "..........", "..H.......", "..........", "..........", "..........", "..X.......", "##########",
};

class StageSceneTrace : public StageSceneTest {
protected:
    void SetUp() override {
        StageSceneTest::SetUp();
        SystemData.m_bSpacePause = 1;
        StoryData.m_nStartLives = 1;
        SetStageFilePlayer([this](const std::string&, int) { return ++m_replays; });
    }
    void Start(const std::vector<std::string>& picture, bool banner) {
        StageOptions options;
        options.hero.m_sCell = 1;
        StartScene(picture, options, {banner ? 1 : 0, 0, 1});
    }
    // Runs frames as the game loop does; records the frame each state
    // began.
    void Play(int frames, const KeyScript& toggles) {
        for (int i = 0; i < frames; ++i) {
            const int frame = m_frame;
            RunFrame(toggles);
            if (m_trace.empty() || m_trace.back().second != m_scene->State())
                m_trace.emplace_back(frame, m_scene->State());
            // The scene has handed over to the next mode.
            if (m_scene->State() == -1) return;
        }
    }

    std::vector<std::pair<int, int>> m_trace;  // (frame, state entered)
    int m_replays = 0;
};

using S = cSceneStage;

// Fade, banner, play, pause, retry, banner, play, the miss, the death
// sequence, game over (the only life was used) and the way out.
TEST_F(StageSceneTrace, APlayFromFadeToGameOverWalksTheStatesInOrder) {
    Start(kDeadlyFall, true);
    const int fadeEnd = 1;               // two frames of fade at a fade length of 90
    const int bannerEnd = fadeEnd + 80;  // the banner shows 79 frames
    const int pause = bannerEnd + 3;
    const int retry = pause + 3;
    const KeyScript script = {
        {pause, VK_SPACE},    {pause + 1, VK_SPACE},  // pause key
        {pause + 2, VK_DOWN}, {pause + 3, VK_DOWN},   // cursor to retry
        {retry, 'Z'},         {retry + 1, 'Z'},       // chosen
    };
    Play(retry + 2, script);
    const std::vector<std::pair<int, int>> expected = {
        {0, S::kStateFadeIn},        {fadeEnd, S::kStateStartBanner}, {bannerEnd, S::kStatePlay},
        {pause, S::kStatePauseMenu}, {retry, S::kStateStartBanner},
    };
    EXPECT_EQ(m_trace, expected);
    EXPECT_EQ(m_scene->m_nResumeState, S::kStatePlay);
    EXPECT_EQ(StoryData.m_nLives, 0) << "the first attempt took the only life";

    // The retry starts a fresh attempt: the hero falls onto the deadly
    // block, dies, and with no life left the game is over.
    m_trace.clear();
    Play(400, {});
    ASSERT_EQ(m_trace.size(), 3u);
    EXPECT_EQ(m_trace[1], std::make_pair(retry + 80, static_cast<int>(S::kStatePlay)));
    EXPECT_EQ(m_trace[2].second, S::kStateGameOver);
    EXPECT_TRUE(PlayerList[0].m_bDead);
    const std::vector<int>& sounds = m_stage->Sounds();
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 8), 1) << "one miss";

    m_trace.clear();
    const int over = m_frame;
    Play(10, {{over, 'Z'}, {over + 1, 'Z'}});
    const std::vector<std::pair<int, int>> out = {{over, S::kStateFadeOut}, {over + 2, -1}};
    EXPECT_EQ(m_trace, out);
    EXPECT_EQ(Game.CurrentScene, kSceneTitle);
    EXPECT_EQ(Game.PreviousScene, kSceneStage);
    EXPECT_EQ(m_replays, 1) << "free play prepares its stage file again";
}

}  // namespace

namespace {

const std::vector<std::string> kFloor = {
    "..........",
    "..H.......",
    "##########",
};

// The start banners each show 79 frames; one that is off costs no frame.
TEST_F(StageSceneTrace, PlayBeginsAfterTheBannersThatAreOn) {
    struct Case {
        const char* what;
        int first, second, playType;
        int playFrame;  // the frame play begins in
    };
    const Case cases[] = {
        {"no banner: the frame after the fade", 0, 0, 3, 2},
        {"the numbered banner", 1, 0, 3, 81},
        {"the second banner", 0, 1, 3, 81},
        {"both, one after the other", 1, 1, 3, 160},
        {"a replay shows its own banner only", 0, 1, 4, 81},
    };
    for (const Case& c : cases) {
        Start(kFloor, false);
        LoadedStage.m_bStartBanner1 = c.first;
        LoadedStage.m_bStartBanner2 = c.second;
        Game.PlayType = c.playType;
        m_frame = 0;
        m_trace.clear();
        Play(c.playFrame + 1, {});
        ASSERT_FALSE(m_trace.empty()) << c.what;
        EXPECT_EQ(m_trace.back(), std::make_pair(c.playFrame, static_cast<int>(S::kStatePlay))) << c.what;
        m_stage.reset();
        m_scene.reset();
        Game.PlayType = 3;
    }
}

// A held command's wait of d delay frames and n frames draws d + n frames
// of the frozen stage on the pause thread and ends on the next one.
TEST_F(StageSceneTrace, AWaitDrawsItsDelayAndItsFramesThenReturns) {
    Start(kFloor, false);
    Play(3, {});
    ASSERT_EQ(m_scene->State(), S::kStatePlay);
    const double heroY = PlayerList[0].m_dY;
    const int playFrame = m_scene->m_nPlayFrame;
    InitRequest(m_scene->m_Wait, 1, 0, 5, 0);
    m_scene->m_Wait[1] = 3;
    const long long before = platform::PresentedFrameSerial();
    RunNestedWait(*m_scene);
    EXPECT_EQ(platform::PresentedFrameSerial() - before, 3 + 5);
    EXPECT_EQ(m_scene->m_nPlayFrame, playFrame) << "the stage is drawn, not played";
    EXPECT_EQ(PlayerList[0].m_dY, heroY);

    m_scene->m_bQuit = 1;
    EXPECT_EQ(cSceneStage::WaitFrames(m_scene.get()), 0u) << "entered with the quit flag set";
    EXPECT_EQ(platform::PresentedFrameSerial() - before, 3 + 5) << "nothing drawn";
}

// A close while a wait for a key runs: the loop stops drawing, gives the
// window thread 2000 ms of the clock to end it, then ends itself, and the
// game thread asks the window to close again.
TEST_F(StageSceneTrace, TheQuitFlagEndsAWaitAfterTwoSecondsAndClosesAgain) {
    Start(kFloor, false);
    Play(3, {});
    platform::TestClock clock(10000);
    InitRequest(m_scene->m_Wait, 0, 1, 0, 0);
    const long long before = platform::PresentedFrameSerial();
    std::atomic<DWORD> quitAt{0};
    std::atomic<long long> quitFrame{0};
    std::thread window([&] {
        while (platform::PresentedFrameSerial() - before < 3) std::this_thread::yield();
        quitAt = clock.Now();
        quitFrame = platform::PresentedFrameSerial();
        m_scene->RequestQuit();
    });
    RunNestedWait(*m_scene);
    window.join();
    const DWORD waited = clock.Now() - quitAt.load();
    // The clock also runs with the game thread's own 1 ms polls, so only
    // the lower bound is the loop's.
    EXPECT_GE(waited, 2000u);
    EXPECT_LE(platform::PresentedFrameSerial() - quitFrame.load(), 1) << "no frame after the one under way";
    bool closeAsked = false;
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) closeAsked = closeAsked || m.message == WM_CLOSE;
    EXPECT_TRUE(closeAsked);

    // The play frame keeps asking while the flag stays set.
    Play(1, {});
    closeAsked = false;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) closeAsked = closeAsked || m.message == WM_CLOSE;
    EXPECT_TRUE(closeAsked);
}

}  // namespace
