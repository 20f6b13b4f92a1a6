// The real libraries rendered offline: Ogg through libvorbisfile, MIDI
// through FluidSynth with the General MIDI SoundFont.
#include <gtest/gtest.h>

#include "platform/audio/music_libraries.h"
#include "platform/audio/synth.h"
#include "sound/bgm_player.h"
#include "support/ogg_fixture.h"
#include "support/smf_bytes.h"
#include "support/sound_fixtures.h"
#include "support/test_env.h"

namespace {

// The synthesizer's effects leave a residue far below anything audible.
constexpr float kQuiet = 1e-4f;

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
    EXPECT_GT(PeakOf(RenderFrames(24000)), 0.01f);
    m_player.Stop();
    RenderFrames(48000);  // the release of the note dies away
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

}  // namespace
