#include "sound/sound_effects.h"

#include <gtest/gtest.h>

#include "platform/audio/device.h"
#include "sound/wave_file.h"
#include "support/sound_fixtures.h"
#include "support/test_env.h"

namespace {

// 8-bit samples: 128 + v is v / 128.
std::string Level(int frames, int v) {
    return std::string(static_cast<std::size_t>(frames), static_cast<char>(128 + v));
}

std::string Ramp(int frames) {
    std::string s;
    for (int i = 0; i < frames; ++i) s.push_back(static_cast<char>(128 + i));
    return s;
}

class SoundEffectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::InstallAudioDeviceBackend(platform::MakeHeadlessAudioBackend(true));
        ASSERT_TRUE(InitDirectSound(nullptr, 22050, 8, 1));
    }
    void TearDown() override {
        SoundEffects.clear();
        SoundFiles.clear();
        ReleaseDirectSound();
        platform::InstallAudioDeviceBackend(platform::MakeHeadlessAudioBackend(true));
    }
    void Write(const std::string& name, const std::string& bytes) { env.Dir().WriteHostFile(name, bytes); }
    // SoundEffects and SoundFiles from file names, loaded at a volume.
    void LoadEffects(const std::vector<std::string>& names, int volume) {
        SoundFiles.clear();
        for (const auto& n : names) SoundFiles.push_back(cSoundFile{n, 1, 0});
        SoundEffects.clear();
        SoundEffects.resize(names.size());
        LoadSoundEffects(SoundEffects, SoundFiles, volume);
    }

    TestEnv env;
};

struct WavCase {
    const char* what;
    std::string bytes;
    bool loads;
    const char* reportLine;  // a line the report must hold (nullptr: none)
};

const char* const kUnsupported = "対応していない形式か、不正なwavファイルです。";
const char* const kInvalid = "不正なファイルです。";
const char* const kNotRead = "e.wav の読み込みに失敗しました！";

TEST_F(SoundEffectsTest, WaveChecksAcceptPlainPcmAndRefuseTheRestWithTheirLine) {
    const std::string pcm = Level(8, 10);
    std::string longData = WavBytes({}, pcm);
    longData[40] = 100;  // the data chunk claims more than the file holds
    std::string shortRiff = WavBytes({}, pcm);
    shortRiff.resize(shortRiff.size() - 4);
    const WavCase cases[] = {
        {"16-byte fmt", WavBytes({}, pcm), true, nullptr},
        {"18-byte fmt, no extra", WavBytes({.fmtSize = 18}, pcm), true, nullptr},
        {"16-bit stereo", WavBytes({.channels = 2, .bits = 16}, pcm), true, nullptr},
        {"extended format", WavBytes({.fmtSize = 18, .extraSize = 22}, pcm), false, kUnsupported},
        {"not PCM", WavBytes({.formatTag = 3, .bits = 32}, pcm), false, kUnsupported},
        {"fmt below 14 bytes", WavBytes({.fmtSize = 12}, pcm), false, kUnsupported},
        {"24 bits", WavBytes({.bits = 24}, Level(9, 0)), false, kUnsupported},
        {"no RIFF", "RIFX" + WavBytes({}, pcm).substr(4), false, kInvalid},
        {"data past the end", longData, false, kInvalid},
        {"file cut short", shortRiff, false, kInvalid},
        {"no data chunk", WavBytes({}, "").substr(0, 36), false, kNotRead},
        {"empty data", WavBytes({}, ""), false, kNotRead},
        {"five bytes", "RIFF\x01", false, kInvalid},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Write("e.wav", c.bytes);
        cSoundEffect effect;
        const std::size_t before = env.Report().size();
        EXPECT_EQ(effect.Load("e.wav", 1, 0), c.loads);
        EXPECT_EQ(effect.Buffer(0) != nullptr, c.loads);
        const std::string added = env.Report().substr(before);
        if (c.reportLine) {
            EXPECT_NE(added.find(c.reportLine), std::string::npos) << added;
            EXPECT_NE(added.find(kNotRead), std::string::npos) << added;
        } else {
            EXPECT_EQ(added, "");
        }
    }
}

TEST_F(SoundEffectsTest, PlayingTheSameEffectAgainRestartsItFromTheBeginning) {
    Write("ramp.wav", WavBytes({}, Ramp(100)));
    LoadEffects({"ramp.wav"}, 0);
    SoundEffects[0].Play(0);
    auto first = RenderFrames(30);
    EXPECT_FLOAT_EQ(first[29 * 2], 29 / 128.0f);
    SoundEffects[0].Play(0);
    auto again = RenderFrames(3);
    // One voice from its start, not two summed.
    EXPECT_FLOAT_EQ(again[0], 0.0f);
    EXPECT_FLOAT_EQ(again[2 * 2], 2 / 128.0f);
    // It ends after its 100 frames.
    RenderFrames(97);
    EXPECT_EQ(PeakOf(RenderFrames(10)), 0.0f);
}

TEST_F(SoundEffectsTest, TwoEffectsOverlapAndAdd) {
    Write("a.wav", WavBytes({}, Level(50, 32)));
    Write("b.wav", WavBytes({.channels = 2}, Level(200, 16)));  // 100 stereo frames
    LoadEffects({"a.wav", "b.wav"}, 0);
    SoundEffects[0].Play(0);
    SoundEffects[1].Play(0);
    auto mix = RenderFrames(60);
    EXPECT_FLOAT_EQ(mix[0], 48 / 128.0f);
    EXPECT_FLOAT_EQ(mix[1], 48 / 128.0f);
    EXPECT_FLOAT_EQ(mix[55 * 2], 16 / 128.0f);
}

TEST_F(SoundEffectsTest, VolumeLevelsOfTheOptions) {
    Write("a.wav", WavBytes({}, Level(20, 64)));
    struct {
        int level;
        long volume;
        float sample;
    } const cases[] = {{0, -10000, 0.0f}, {2, -2000, 0.05f}, {10, 0, 0.5f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        LoadEffects({"a.wav"}, VolumeTable[c.level]);
        EXPECT_EQ(SoundEffects[0].Buffer(0)->Volume(), c.volume);
        SoundEffects[0].Play(0);
        EXPECT_NEAR(RenderFrames(1)[0], c.sample, 1e-6);
    }
}

TEST_F(SoundEffectsTest, SetVolumeClampsAndReportsTheResult) {
    Write("a.wav", WavBytes({}, Level(20, 64)));
    LoadEffects({"a.wav"}, 0);
    cSoundEffect& e = SoundEffects[0];
    struct {
        int start, volume, relative, result;
    } const cases[] = {
        {-8000, -5000, 1, -10000}, {-300, 1000, 1, 0}, {-300, -200, 1, -500}, {-300, -200, 0, -200}, {0, 50, 0, 0},
    };
    for (const auto& c : cases) {
        e.SetVolume(0, c.start, 0);
        EXPECT_EQ(e.SetVolume(0, c.volume, c.relative), c.result);
        EXPECT_EQ(e.Buffer(0)->Volume(), c.result);
    }
    EXPECT_EQ(e.SetVolume(1, -100, 0), 0) << "no such voice";
}

TEST_F(SoundEffectsTest, DuplicatesShareTheSamplesAndAreTakenInTurn) {
    Write("ramp.wav", WavBytes({}, Ramp(100)));
    cSoundEffect e;
    ASSERT_TRUE(e.Load("ramp.wav", 2, -2000));
    ASSERT_NE(e.Buffer(1), nullptr);
    EXPECT_EQ(e.Buffer(1)->Volume(), -2000);
    e.Play(0);
    RenderFrames(10);
    e.Play(0);  // the duplicate starts; the first one goes on
    auto mix = RenderFrames(1);
    EXPECT_NEAR(mix[0], (10 + 0) / 128.0f * 0.1f, 1e-6);
}

TEST_F(SoundEffectsTest, WithoutASoundDeviceNothingLoadsOrPlays) {
    ReleaseDirectSound();
    platform::InstallAudioDeviceBackend(platform::MakeHeadlessAudioBackend(false));
    EXPECT_FALSE(InitDirectSound(nullptr, 22050, 8, 1));
    Write("a.wav", WavBytes({}, Level(20, 64)));
    const int voices = platform::MixerVoiceCount();
    LoadEffects({"a.wav"}, 0);
    EXPECT_TRUE(SoundEffects[0].Load("a.wav", 1, 0));
    SoundEffects[0].Play(0);
    EXPECT_EQ(SoundEffects[0].SetVolume(0, -100, 0), 0);
    EXPECT_EQ(platform::MixerVoiceCount(), voices);
    EXPECT_EQ(PeakOf(RenderFrames(10)), 0.0f);
}

TEST_F(SoundEffectsTest, OtherRatesAreResampledToTheMix) {
    Write("slow.wav", WavBytes({.rate = 24000, .bits = 16}, std::string(200, '\0')));
    cSoundEffect e;
    ASSERT_TRUE(e.Load("slow.wav", 1, 0));
    e.Play(0);
    RenderFrames(199);
    EXPECT_FALSE(e.Buffer(0)->Playing()) << "100 frames at 24 kHz last 199 or 200 at 48 kHz";
}

}  // namespace
