#include <gtest/gtest.h>

#include <functional>

#include "platform/audio/device.h"
#include "shell/sound_requests.h"
#include "shell_fixture.h"
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

}  // namespace
