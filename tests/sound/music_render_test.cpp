// The real libraries rendered offline: Ogg through libvorbisfile, MIDI
// through FluidSynth with the General MIDI SoundFont.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/audio/music_libraries.h"
#include "platform/audio/synth.h"
#include "platform/host_log.h"
#include "platform/message_box.h"
#include "sound/bgm_player.h"
#include "support/eventually.h"
#include "support/ogg_fixture.h"
#include "support/smf_bytes.h"
#include "support/sound_fixtures.h"
#include "support/test_env.h"

namespace {

// The synthesizer's effects leave a residue far below anything audible.
constexpr float kQuiet = 1e-4f;
// The SoundFont loads on a thread of its own: a loaded machine may take
// long (milliseconds).
constexpr int kLoadDeadline = 120000;

// Renders the mix in short pieces until one is louder than `level`: the
// song starts once its synthesizer is there.
bool RendersSound(float level) {
    return Eventually([level] { return PeakOf(RenderFrames(480)) > level; }, kLoadDeadline);
}

class MusicRenderTest : public ::testing::Test {
protected:
    void SetUp() override { platform::ResetMusicLibraries(); }
    void TearDown() override {
        m_player.Release();
        platform::ResetSoundFontPath();
    }
    void RequireSoundFont() {
        if (platform::SoundFontPath().empty()) GTEST_SKIP() << "no General MIDI SoundFont installed";
    }
    void WriteSong() {
        SmfTrack t;
        t.Delta(0).Raw(std::string("\xC0\x00", 2)).NoteOn(0, 0, 60).NoteOff(192, 0, 60).End();
        m_env.Dir().WriteHostFile("bgm/song.mid", SmfBytes(0, 96, {t}));
    }

    TestEnv m_env;
    cBgmSlotFiles m_slots = DefaultBgmSlotFiles();
    cBgmPlayer m_player;
};

TEST_F(MusicRenderTest, AnOggFileSoundsAtItsVolumeAndEnds) {
    m_env.Dir().WriteHostFile("bgm/tone.ogg", EncodeOggTone(0.5, 440));
    ASSERT_EQ(m_player.Init(1, m_slots.Ogg, m_slots.Midi, kBgmSlotCount, 0), 1);
    m_player.SetSlotFile(0, "BGM\\Tone.ogg", 50);
    ASSERT_EQ(m_player.Play(0, 0, 0, 0, 1), 1);
    const float peak = PeakOf(RenderFrames(12000));
    // A 0.5 sine at half volume.
    EXPECT_GT(peak, 0.2f);
    EXPECT_LT(peak, 0.3f);
    RenderFrames(13000);
    EXPECT_LT(PeakOf(RenderFrames(1000)), kQuiet) << "half a second of music has ended";
}

TEST_F(MusicRenderTest, ALoopingOggFileStartsAgain) {
    m_env.Dir().WriteHostFile("bgm/tone.ogg", EncodeOggTone(0.1, 440));
    ASSERT_EQ(m_player.Init(1, m_slots.Ogg, m_slots.Midi, kBgmSlotCount, 0), 1);
    m_player.SetSlotFile(0, "bgm\\tone.ogg", 100);
    ASSERT_EQ(m_player.Play(0, 0, 1, 0, 1), 1);
    RenderFrames(24000);
    EXPECT_GT(PeakOf(RenderFrames(4800)), 0.3f) << "still sounding after five lengths";
    m_player.Stop();
    EXPECT_LT(PeakOf(RenderFrames(480)), kQuiet);
}

TEST_F(MusicRenderTest, AMidiFileSoundsThroughTheLibrary) {
    RequireSoundFont();
    WriteSong();
    ASSERT_EQ(m_player.Init(1, m_slots.Ogg, m_slots.Midi, kBgmSlotCount, 0), 1);
    ASSERT_TRUE(m_player.UsesMidiLibrary());
    m_player.SetSlotFile(1, "bgm\\song.mid", 100);
    ASSERT_EQ(m_player.Play(0, 1, 0, 0, 1), 1);
    EXPECT_TRUE(RendersSound(0.01f)) << "the song starts once the SoundFont is loaded";
    m_player.Stop();
    RenderFrames(48000);  // the release of the note dies away
    EXPECT_LT(PeakOf(RenderFrames(4800)), kQuiet);
}

// A SoundFont that is no SoundFont is found out when the first song asks
// for the synthesizer: the run report says so and the music stays silent.
TEST_F(MusicRenderTest, ASoundFontThatDoesNotLoadLeavesTheMidiLibrarySilent) {
    // The loader thread may outlive the test: what it logs to is shared.
    struct Log {
        std::mutex mutex;
        std::vector<std::string> lines;
    };
    auto log = std::make_shared<Log>();
    platform::SetHostLogSink([log](const std::string& line) {
        std::lock_guard<std::mutex> lock(log->mutex);
        log->lines.push_back(line);
    });
    struct Unhook {
        ~Unhook() { platform::SetHostLogSink(nullptr); }
    } unhook;
    const auto logged = [log] {
        std::lock_guard<std::mutex> lock(log->mutex);
        for (const std::string& line : log->lines) {
            if (line.find("does not load") != std::string::npos) return true;
        }
        return false;
    };
    m_env.Dir().WriteHostFile("broken.sf2", std::string(4096, 'x'));
    platform::SetSoundFontPath(m_env.Dir().HostPath() + "/broken.sf2");
    WriteSong();
    ASSERT_EQ(m_player.Init(1, m_slots.Ogg, m_slots.Midi, kBgmSlotCount, 0), 1);
    ASSERT_TRUE(m_player.UsesMidiLibrary());
    m_player.SetSlotFile(1, "bgm\\song.mid", 100);
    EXPECT_EQ(m_player.Play(0, 1, 0, 0, 1), 1);
    float peak = 0.0f;
    EXPECT_TRUE(Eventually(
        [&] {
            peak = std::max(peak, PeakOf(RenderFrames(480)));
            return logged();
        },
        kLoadDeadline));
    EXPECT_LT(peak, kQuiet);
    EXPECT_LT(PeakOf(RenderFrames(4800)), kQuiet);
}

TEST_F(MusicRenderTest, AMidiFileSoundsThroughOurOwnStreamOnTheSynthesizer) {
    RequireSoundFont();
    WriteSong();
    cMidiStream stream("bgm\\song.mid");
    ASSERT_TRUE(stream.HasImage());
    stream.Restart(0);
    EXPECT_GT(PeakOf(RenderFrames(24000)), 0.01f);
}

TEST_F(MusicRenderTest, WithoutASoundFontMidiGoesOnSilently) {
    platform::SetSoundFontPath("");
    WriteSong();
    ASSERT_EQ(m_player.Init(1, m_slots.Ogg, m_slots.Midi, kBgmSlotCount, 0), 1);
    EXPECT_FALSE(m_player.UsesMidiLibrary()) << "the library's device does not open";
    m_player.SetSlotFile(1, "bgm\\song.mid", 100);
    EXPECT_EQ(m_player.Play(0, 1, 0, 0, 1), 1);
    EXPECT_LT(PeakOf(RenderFrames(4800)), kQuiet);
}

TEST_F(MusicRenderTest, ASongThatCannotBePlayedIsReportedOnceAndTheGameGoesOnSilent) {
    platform::SetSoundFontPath("");
    struct Case {
        const char* name;
        const char* file;  // in bgm/
        int shape;         // 0 damaged bytes, 1 a folder, 2 a pipe
    };
    const Case cases[] = {
        {"damaged Ogg", "song.ogg", 0},
        {"a folder for an Ogg", "song.ogg", 1},
        {"a pipe for an Ogg", "song.ogg", 2},
        {"damaged MIDI", "song.mid", 0},
        {"a folder for a MIDI file", "song.mid", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestEnv env;
        const std::string host = env.Dir().HostPath() + "/bgm/" + c.file;
        switch (c.shape) {
            case 0: env.Dir().WriteHostFile(std::string("bgm/") + c.file, "OggS MThd, cut short"); break;
            case 1: std::filesystem::create_directories(host); break;
            default:
                std::filesystem::create_directories(env.Dir().HostPath() + "/bgm");
                ASSERT_EQ(mkfifo(host.c_str(), 0644), 0);
                break;
        }
        cBgmPlayer player;
        ASSERT_EQ(player.Init(1, m_slots.Ogg, m_slots.Midi, kBgmSlotCount, 0), 1);
        player.SetSlotFile(1, std::string("bgm\\") + c.file, 100);
        for (int i = 0; i < 2; ++i) EXPECT_EQ(player.Play(0, 1, 0, 0, 1), 0);
        const std::string report = env.Report();
        const std::string line = std::string("bgm\\") + c.file + " : 音楽を再生できません\r\n";
        EXPECT_NE(report.find(line), std::string::npos) << report;
        EXPECT_EQ(report.find(line), report.rfind(line)) << "one line a file: " << report;
        EXPECT_LT(PeakOf(RenderFrames(4800)), kQuiet);
        EXPECT_TRUE(platform::RecordedMessageBoxes().empty());
        player.Release();
    }
}

}  // namespace
