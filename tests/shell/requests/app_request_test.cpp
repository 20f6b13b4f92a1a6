// Every request a game thread makes of the window thread, sent the way the
// game sends it: the work is done on the window thread before the send
// returns and the done flag reports it; a window already closing runs
// nothing and lets no sender wait.
#include "shell/requests/app_requests.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <ostream>
#include <string>

#include "draw/device/device.h"
#include "gamedata/database/database.h"
#include "gamedata/global_data.h"
#include "platform/audio/device.h"
#include "platform/headless_input.h"
#include "platform/present.h"
#include "shell/dialogs/keyboard_hook.h"
#include "shell/direct_play.h"
#include "shell/requests/file_requests.h"
#include "shell/requests/sound_requests.h"
#include "shell/shell_fixture.h"
#include "sound/sound_effects.h"
#include "support/sound_fixtures.h"

namespace {

constexpr int kNoResult = -1;
// The options scene's play type: the name entry edits the options' name.
constexpr int kOptionsPlayType = 5;

struct RequestCase {
    const char* name;
    // Runs on thGame, as the game's own sender; the request's answer, or
    // kNoResult for a request that has none.
    std::function<int()> send;
    std::atomic<int>* done;  // none for requests without a done flag
    // Sets up the state the request works on; then whether its work shows.
    std::function<void()> arrange;
    std::function<bool()> done_work;
};

void PrintTo(const RequestCase& c, std::ostream* os) { *os << c.name; }

std::atomic<bool> g_returned{false};
std::atomic<int> g_answer{kNoResult};

unsigned Sender(void* argument) {
    MSG m;
    PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
    g_answer.store(static_cast<const RequestCase*>(argument)->send());
    g_returned.store(true);
    return 1;
}

std::string g_chosenFor;  // what the file stand-ins were asked for

int SendFileRequest(UINT msg, WPARAM which) { return SendAppRequest(msg, which, 0, RequestDone); }

const RequestCase kCases[] = {
    {"NameEntry", [] { return SendAppRequest(kWmNameEntry, 0, 0, NameEntryDone), kNoResult; }, &NameEntryDone,
     [] {
         Game.PlayType = kOptionsPlayType;
         OptionData.m_strRankingName = "aaa";
         // Typed into the dialog once it shows frames; never sooner.
         const long long now = platform::PresentedFrameSerial();
         platform::headless::ScheduleWindowMessage(now + 2, WM_CHAR, 'k', 0);
         platform::headless::ScheduleWindowMessage(now + 3, WM_KEYDOWN, VK_RETURN, 0);
     },
     [] { return OptionData.m_strRankingName == "k"; }},
    {"OpenStage", [] { return SendFileRequest(kWmOpenStage, 0); }, &RequestDone, [] {},
     [] { return g_chosenFor == "play data\\chosen"; }},
    {"OpenReplay", [] { return SendFileRequest(kWmOpenReplay, 0); }, &RequestDone, [] {},
     [] { return g_chosenFor == "load data\\chosen"; }},
    {"SavePreviousReplay", [] { return SendFileRequest(kWmSaveReplay, 1); }, &RequestDone, [] {},
     [] { return g_chosenFor == "save 1 data\\chosen"; }},
    {"SoundEffect", [] { return PlaySystemSound(3), kNoResult; }, nullptr, [] {},
     [] { return SoundEffects[3].Buffer(0) && SoundEffects[3].Buffer(0)->Playing(); }},
    {"StageMusic", [] { return PlayStageBgm(0, 0), kNoResult; }, nullptr, [] { StoryData.m_nBgm = 5; },
     [] { return StoryData.m_nBgm == 0; }},
    // A present that finds the windowed device lost asks for the restore.
    {"DeviceRestore", [] { return Game.Present(), kNoResult; }, nullptr,
     [] {
         ASSERT_TRUE(DDInit(1, nullptr, 640, 480, 32, 1, 1, 1, 60, 0, nullptr, nullptr, 0, 0));
         DDSimulateDeviceLost(true);
     },
     [] { return lpDTCon && !lpDTCon->bDeviceLost; }},
};

class GameThreadRequest : public MainWindowTest, public ::testing::WithParamInterface<RequestCase> {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        m_name = OptionData.m_strRankingName;
        m_playType = Game.PlayType;
        m_bgm = Database.Bgm;
        m_storyBgm = StoryData.m_nBgm;
        Database.Bgm.resize(1);
        platform::InstallAudioDeviceBackend(platform::MakeHeadlessAudioBackend(true));
        ASSERT_TRUE(InitDirectSound(m_hwnd, 22050, 8, 1));
        m_dir.WriteHostFile("a.wav", WavBytes({}, std::string(100, '\x90')));
        SoundFiles.assign(4, cSoundFile{"a.wav", 1, 0});
        SoundEffects.clear();
        SoundEffects.resize(4);
        LoadSoundEffects(SoundEffects, SoundFiles, 0);
        g_chosenFor.clear();
        SetFileChooser([](int, std::string& path) {
            path = "data\\chosen";
            return 1;
        });
        SetStageFilePlayer([](const std::string& path, int) {
            g_chosenFor = "play " + path;
            return 1;
        });
        SetReplayFileServices({[](const std::string& path) {
                                   g_chosenFor = "load " + path;
                                   return 1;
                               },
                               [](const std::string& path, WPARAM which) {
                                   g_chosenFor = "save " + std::to_string(which) + " " + path;
                                   return 1;
                               },
                               [] { return std::string("replay\\proposed.rep"); }});
        g_returned.store(false);
        g_answer.store(kNoResult - 1);
        RequestResult.store(kNoResult);
        NameEntryDone.store(0);
        RequestDone.store(0);
    }
    void TearDown() override {
        // The sender ends before the window does.
        thGame.Exit();
        SetFileChooser(nullptr);
        SetStageFilePlayer(nullptr);
        SetReplayFileServices({});
        platform::headless::ClearSchedule();
        RemoveHooks();
        DDRelease();
        ReleaseDirectSound();
        SoundEffects.clear();
        SoundFiles.clear();
        OptionData.m_strRankingName = m_name;
        Game.PlayType = m_playType;
        Database.Bgm = m_bgm;
        StoryData.m_nBgm = m_storyBgm;
        MainWindowTest::TearDown();
    }
    // Sends the case's request from thGame while this thread pumps, as the
    // window thread does; true once the sender has its answer.
    bool SendFromGameThread() {
        if (thGame.Start(Sender, const_cast<RequestCase*>(&GetParam())) != 1) return false;
        return Eventually([&] {
            Pump();
            return g_returned.load();
        });
    }

    std::string m_name;
    int m_playType = 0;
    cVector<cBgm> m_bgm;
    int m_storyBgm = 0;
};

}  // namespace

TEST_P(GameThreadRequest, IsDoneOnTheWindowThreadBeforeItsDoneFlagIsSet) {
    const RequestCase& c = GetParam();
    c.arrange();
    ASSERT_TRUE(SendFromGameThread());
    EXPECT_TRUE(c.done_work());
    if (c.done) { EXPECT_EQ(c.done->load(), 1); }
    if (c.done == &RequestDone) {
        EXPECT_EQ(g_answer.load(), 1) << "chosen and done";
        EXPECT_EQ(RequestResult.load(), 1);
    }
    EXPECT_EQ(AbortFlag.load(), 0);
    EXPECT_TRUE(IsWindow(m_hwnd));
}

TEST_P(GameThreadRequest, ToAClosingWindowRunsNothingAndLetsNoSenderWait) {
    const RequestCase& c = GetParam();
    c.arrange();
    platform::BeginWindowClose(m_hwnd);
    const DWORD before = timeGetTime();
    ASSERT_TRUE(SendFromGameThread());
    EXPECT_LT(timeGetTime() - before, 1000u);
    EXPECT_FALSE(c.done_work());
    EXPECT_TRUE(g_chosenFor.empty()) << "no file dialog";
    if (c.done) { EXPECT_EQ(c.done->load(), 1) << "a polling sender is let go"; }
    if (c.done == &RequestDone) {
        EXPECT_EQ(g_answer.load(), 0) << "no success for a request that never ran";
        EXPECT_EQ(RequestResult.load(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Requests, GameThreadRequest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });
