#include <gtest/gtest.h>

#include <functional>

#include "gamedata/database/database.h"
#include "gamedata/global_data.h"
#include "gamedata/project/system_data.h"
#include "platform/audio/device.h"
#include "platform/audio/music_libraries.h"
#include "platform/headless/music_recorder.h"
#include "shell/requests/sound_requests.h"
#include "shell/shell_fixture.h"
#include "sound/bgm_player.h"
#include "sound/sound_effects.h"
#include "support/sound_fixtures.h"

namespace {

class SoundRequestTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        platform::InstallAudioDeviceBackend(platform::MakeHeadlessAudioBackend(true));
        ASSERT_TRUE(InitDirectSound(m_hwnd, 22050, 8, 1));
        m_dir.WriteHostFile("a.wav", WavBytes({}, std::string(100, '\x90')));
        SoundFiles.clear();
        SoundFiles.resize(20, cSoundFile{"a.wav", 1, 0});
        SoundEffects.clear();
        SoundEffects.resize(20);
        LoadSoundEffects(SoundEffects, SoundFiles, 0);
    }
    void TearDown() override {
        ReleaseDirectSound();
        SoundEffects.clear();
        SoundFiles.clear();
        MainWindowTest::TearDown();
    }
    // The effects that sound, by index.
    std::vector<int> Playing() const {
        std::vector<int> on;
        int i = 0;
        for (const cSoundEffect& e : SoundEffects) {
            if (e.Buffer(0) && e.Buffer(0)->Playing()) on.push_back(i);
            ++i;
        }
        return on;
    }
};

TEST_F(SoundRequestTest, RequestsPlayTheirEffectOnTheWindowThread) {
    struct {
        const char* what;
        std::function<void()> request;
        std::vector<int> playing;
        int abort;
    } const cases[] = {
        {"database sound 3", [] { PlayDatabaseSound(3); }, {19}, 0},
        {"database sound 0", [] { PlayDatabaseSound(0); }, {}, 0},
        {"system sound 16", [] { PlaySystemSound(16); }, {16}, 0},
        {"past the end: effect 0 and the fatal close", [] { PlaySystemSound(20); }, {0}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (cSoundEffect& e : SoundEffects) e.Release();
        LoadSoundEffects(SoundEffects, SoundFiles, 0);
        AbortFlag.store(0);
        c.request();
        EXPECT_EQ(Playing(), c.playing);
        EXPECT_EQ(AbortFlag.load(), c.abort);
    }
    AbortFlag.store(0);
}

class MusicRequestTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        m_bgm = Database.Bgm;
        m_sceneIds = SystemData.SceneBgmIds;
        m_sceneKeep = SystemData.SceneBgmKeep;
        Database.Bgm.resize(3);
        Database.Bgm[1].m_strFile = "bgm\\a.ogg";
        Database.Bgm[1].m_nVolume = 50;
        Database.Bgm[2].m_strFile = "bgm\\b.MID";
        Database.Bgm[2].m_nVolume = 100;
        SystemData.SceneBgmIds.assign(4, 0);
        SystemData.SceneBgmIds[0] = 1;
        SystemData.SceneBgmKeep.assign(4, 1);
        m_dir.WriteHostFile("bgm/a.ogg", "x");
        m_dir.WriteHostFile("bgm/b.mid", "x");
        platform::headless::InstallMusicRecorder({});
        BgmPlayer.Init(1, BgmSlotFiles.Ogg, BgmSlotFiles.Midi, kBgmSlotCount, 0);
    }
    void TearDown() override {
        BgmPlayer.Release();
        BgmSlotFiles = DefaultBgmSlotFiles();
        platform::ResetMusicLibraries();
        Database.Bgm = m_bgm;
        SystemData.SceneBgmIds = m_sceneIds;
        SystemData.SceneBgmKeep = m_sceneKeep;
        MainWindowTest::TearDown();
    }
    std::vector<std::string> Request(WPARAM slot, LPARAM index) {
        platform::headless::ClearMusicRecord();
        SendMessageA(m_hwnd, kWmPlayMusic, slot, index);
        return platform::headless::MusicRecord();
    }

    cVector<cBgm> m_bgm;
    cVector<int> m_sceneIds;
    cVector<std::int8_t> m_sceneKeep;
};

TEST_F(MusicRequestTest, SceneAndStageRequestsPlayTheirMusicEntry) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(Request(0, 0), (Lines{"ogg reset", "ogg load bgm\\a.ogg", "ogg volume 0.50", "ogg loop 2147483647",
                                    "ogg play", "midi stop"}));
    // A scene without music stops everything.
    EXPECT_EQ(Request(1, 0), (Lines{"midi stop", "ogg stop"}));
    StoryData.m_bBgmLoop = 0;
    EXPECT_EQ(Request(4, 2), (Lines{"midi pause", "midi add bgm\\b.mid 0", "midi volume 0", "midi play 0 0"}));
    EXPECT_EQ(StoryData.m_nBgm, 2);
    EXPECT_EQ(BgmPlayer.CurrentSlot(), 4);
    EXPECT_EQ(Request(4, 0), (Lines{"midi stop"}));
    EXPECT_EQ(Request(7, 0), Lines{});
    EXPECT_EQ(AbortFlag.load(), 0);
    // A music index past the database: the fatal close.
    Request(4, 3);
    EXPECT_EQ(AbortFlag.load(), 1);
    AbortFlag.store(0);
}

}  // namespace
