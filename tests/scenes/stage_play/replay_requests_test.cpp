#include "scenes/stage_play/replay_requests.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "gamedata/fixtures/definition_fixtures.h"
#include "gamedata/global_data.h"
#include "platform/clock.h"
#include "platform/keyboard.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "scenes/stage_play/key_log.h"
#include "shell/app_state.h"
#include "shell/input/key_state.h"
#include "shell/loop/game.h"
#include "shell/requests/app_requests.h"
#include "shell/requests/file_requests.h"
#include "support/test_env.h"

namespace {

constexpr SYSTEMTIME kNow{2030, 4, 2, 16, 9, 5, 7, 123};
const std::string kName = "castle_c005_2__2030__04_16__09_05";

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

class ReplayRequests : public GameDataTest {
protected:
    void SetUp() override {
        GameDataTest::SetUp();
        platform::SetTestLocalTime(&kNow);
        StoryData = cStorySave();
        StoryData.SetStageFile("data\\stg4\\castle.stg4_001", 1, 5, 2);
        // Start-up makes the working folders.
        env.Dir().WriteHostFile("user_data/rpl4/other.rpl4_920", "");
        KeyLog.Clear();
        KeyLog2.Clear();
        InstallReplayFileServices();
    }
    void TearDown() override {
        platform::SetTestLocalTime(nullptr);
        platform::ReleaseAllKeys();
        SetFileChooser(nullptr);
        SetReplayFileServices({});
        KeyLog.Clear();
        KeyLog2.Clear();
        Game.PlayType = 0;
        SystemData.m_bReplay = 0;
        if (m_hWindow) DestroyWindow(m_hWindow);
        MainWindowHandle.store(nullptr);
        GameDataTest::TearDown();
    }
    // A main window that keeps the sound effects asked of it.
    void OpenSoundWindow() {
        m_hWindow = CreateMainWindow("replay", 0, 0, 640, 480, [this](HWND, UINT msg, WPARAM w, LPARAM) {
            if (msg == WM_USER + 5) m_Sounds.push_back(static_cast<int>(w));
            return LRESULT{0};
        });
        MainWindowHandle.store(m_hWindow);
    }
    TestEnv env;
    HWND m_hWindow = nullptr;
    std::vector<int> m_Sounds;
};

}  // namespace

TEST_F(ReplayRequests, TheNameIsTheStageKeyAndTheTimeAndNeverAFileThatExists) {
    std::string name;
    ASSERT_EQ(ReplayFileName(name, StoryData.m_strStage), 1);
    EXPECT_TRUE(EndsWith(name, "\\user_data\\rpl4\\" + kName + ".rpl4_920")) << name;
    EXPECT_EQ(name.front(), '\\') << "made absolute";

    // Taken names are skipped: the first free number is used.
    env.Dir().WriteHostFile("user_data/rpl4/" + kName + ".rpl4_920", "x");
    env.Dir().WriteHostFile("user_data/rpl4/" + kName + " (2).rpl4_920", "x");
    ASSERT_EQ(ReplayFileName(name, StoryData.m_strStage), 1);
    EXPECT_TRUE(EndsWith(name, "\\" + kName + " (3).rpl4_920")) << name;

    // With every number up to 999 taken there is no name at all.
    for (int n = 3; n <= kLastReplayNameNumber; ++n) {
        env.Dir().WriteHostFile("user_data/rpl4/" + kName + " (" + std::to_string(n) + ").rpl4_920", "");
    }
    EXPECT_EQ(ReplayFileName(name, StoryData.m_strStage), 0);
    EXPECT_EQ(name, "");

    // Without a stage the name is the working folder alone.
    ASSERT_EQ(ReplayFileName(name, ""), 1);
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name.find("rpl4"), std::string::npos);
}

TEST_F(ReplayRequests, SaveRequestsWriteTheChosenAttempt) {
    struct Case {
        WPARAM which;
        int lives;
    };
    StoryStart.m_nLives = 4;
    StoryStartPrev.m_nLives = 9;
    cKeyState keys;
    keys.m_wDirection = 1;
    KeyLog.Record(keys);
    keys.m_wDirection = 2;
    KeyLog2.Record(keys);
    LoadedStage.m_vPlacedCharas.resize(1);
    LoadedStage.m_vPlacedCharas[0].m_sCell = 1;
    for (const Case c : {Case{0, 4}, Case{1, 9}}) {
        SCOPED_TRACE(c.which);
        std::string proposed;
        SetFileChooser([&](int, std::string& path) {
            proposed = path;
            return 1;
        });
        OnSaveReplayRequest(c.which);
        EXPECT_EQ(RequestResult.load(), 1);
        EXPECT_EQ(RequestDone.load(), 1);
        ASSERT_TRUE(EndsWith(proposed, kName + ".rpl4_920")) << proposed;

        cKeyLog back;
        cStageData stage, settings;
        cStorySave progress;
        ASSERT_EQ(back.LoadReplayFile(proposed, stage, settings, progress), 1);
        EXPECT_EQ(progress.m_nLives, c.lives);
        EXPECT_EQ(back.m_vecValueA[0], c.which == 0 ? 1 : 2);
        std::filesystem::remove(env.Dir().HostPath() + "/user_data/rpl4/" + kName + ".rpl4_920");
    }
    EXPECT_EQ(AbortFlag.load(), 0);
}

TEST_F(ReplayRequests, NoFreeNameRefusesTheSaveWithAMessageAndNoDialog) {
    env.Dir().WriteHostFile("user_data/rpl4/" + kName + ".rpl4_920", "");
    for (int n = 2; n <= kLastReplayNameNumber; ++n) {
        env.Dir().WriteHostFile("user_data/rpl4/" + kName + " (" + std::to_string(n) + ").rpl4_920", "");
    }
    KeyLog.Record(cKeyState());
    bool asked = false;
    SetFileChooser([&](int, std::string&) { return asked = true, 1; });
    OnSaveReplayRequest(0);
    EXPECT_FALSE(asked);
    EXPECT_EQ(RequestResult.load(), 0);
    EXPECT_EQ(RequestDone.load(), 1);
    EXPECT_EQ(AbortFlag.load(), 0);
    ASSERT_EQ(platform::RecordedMessageBoxes().size(), 1u);
}

TEST_F(ReplayRequests, F1WithAnEmptyLogBeepsOnceThenEverySixtyFrames) {
    OpenSoundWindow();
    SystemData.m_bReplay = 1;
    platform::SetKeyDown(VK_F1, true);
    std::vector<int> beepFrames;
    for (int frame = 1; frame <= 121; ++frame) {
        const std::size_t before = m_Sounds.size();
        EXPECT_EQ(RequestSaveReplay(), 0);
        if (m_Sounds.size() != before) beepFrames.push_back(frame);
    }
    EXPECT_EQ(beepFrames, (std::vector<int>{1, 61, 121}));
    EXPECT_EQ(m_Sounds, (std::vector<int>{3, 3, 3}));

    // During playback and without replays F1 and F2 do nothing.
    KeyLog.Record(cKeyState());
    KeyLog2.Record(cKeyState());
    platform::SetKeyDown(VK_F2, true);
    m_Sounds.clear();
    Game.PlayType = 4;
    EXPECT_EQ(RequestSaveReplay(), 0);
    Game.PlayType = 0;
    SystemData.m_bReplay = 0;
    EXPECT_EQ(RequestSaveReplay(), 0);
    EXPECT_TRUE(m_Sounds.empty());
}
