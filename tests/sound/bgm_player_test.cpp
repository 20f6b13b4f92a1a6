#include "sound/bgm_player.h"

#include <gtest/gtest.h>

#include "platform/headless/music_recorder.h"
#include "platform/message_box.h"
#include "support/midi_recorder.h"
#include "support/smf_bytes.h"
#include "support/sound_fixtures.h"
#include "support/test_env.h"

namespace {

using platform::headless::MusicRecord;
using Lines = std::vector<std::string>;

class BgmPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { platform::ClearMessageBoxes(); }
    void TearDown() override {
        m_player.Release();
        platform::ResetMusicLibraries();
        platform::InstallMidiOutMaker(nullptr);
        platform::ClearMessageBoxes();
    }
    // Starts the player over recording libraries and forgets its start.
    int Start(platform::headless::MusicRecorderSetup setup = {}) {
        platform::headless::InstallMusicRecorder(setup);
        int r = m_player.Init(1, m_slots.Ogg, m_slots.Midi, kBgmSlotCount, 0);
        platform::headless::ClearMusicRecord();
        return r;
    }
    void File(const std::string& name) { m_env.Dir().WriteHostFile(name, "x"); }

    TestEnv m_env;
    cBgmSlotFiles m_slots = DefaultBgmSlotFiles();
    cBgmPlayer m_player;
};

TEST_F(BgmPlayerTest, SlotFilesGoToTheSideOfTheirExtensionInAnyCase) {
    ASSERT_EQ(Start(), 1);
    struct {
        const char* file;
        int result, type;
        const char* ogg;
        const char* midi;
    } const cases[] = {
        {"bgm\\a.MID", 1, cBgmPlayer::kMidi, "bgm\\Title.ogg", "bgm\\a.mid"},
        {"bgm\\b.Mid", 1, cBgmPlayer::kMidi, "bgm\\Title.ogg", "bgm\\b.mid"},
        {"bgm\\c.ogg", 1, cBgmPlayer::kOgg, "bgm\\c.ogg", "bgm\\Title.mid"},
        {"bgm\\d.OGG", 1, cBgmPlayer::kOgg, "bgm\\d.OGG", "bgm\\Title.mid"},
        {"bgm\\e.wav", 0, cBgmPlayer::kOther, "bgm\\e.wav", "bgm\\e.wav"},
        {"bgm\\noext", 0, cBgmPlayer::kOther, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        m_slots = DefaultBgmSlotFiles();
        EXPECT_EQ(m_player.SetSlotFile(0, c.file, 50), c.result);
        EXPECT_EQ(m_player.SlotType(0), c.type);
        EXPECT_EQ(m_slots.Ogg[0].m_strFile, c.ogg);
        EXPECT_EQ(m_slots.Midi[0].m_strFile, c.midi);
    }
    EXPECT_EQ(m_slots.Ogg[0].m_nVolume, 0) << "no extension: volume 0";
}

TEST_F(BgmPlayerTest, MidiThroughTheLibraryWithItsMasterVolume) {
    File("m.mid");
    ASSERT_EQ(Start(), 1);
    ASSERT_TRUE(m_player.UsesMidiLibrary());
    struct {
        int volume;
        const char* line;
    } const cases[] = {{100, "midi volume 0"}, {50, "midi volume -64"}, {0, "midi volume -127"}};
    for (const auto& c : cases) {
        platform::headless::ClearMusicRecord();
        m_player.SetSlotFile(1, "m.MID", c.volume);
        EXPECT_EQ(m_player.Play(0, 1, 1, 0, 1), 1);
        EXPECT_EQ(MusicRecord(), (Lines{"midi pause", "midi add m.mid 0", c.line, "midi play 1 0"}));
    }
    EXPECT_EQ(m_player.CurrentSlot(), 1);
}

TEST_F(BgmPlayerTest, OggPlaysAtItsVolumeLoopsAndStops) {
    File("a.ogg");
    File("b.ogg");
    ASSERT_EQ(Start(), 1);
    m_player.SetSlotFile(0, "a.ogg", 50);
    EXPECT_EQ(m_player.Play(0, 0, 1, 0, 1), 1);
    EXPECT_EQ(MusicRecord(), (Lines{"ogg reset", "ogg load a.ogg", "ogg volume 0.50", "ogg loop 2147483647", "ogg play",
                                    "midi stop"}));
    platform::headless::ClearMusicRecord();
    // The next song at 100 is set to full volume, not left at 0.5.
    m_player.SetSlotFile(2, "b.ogg", 100);
    EXPECT_EQ(m_player.Play(0, 2, 0, 0, 1), 1);
    EXPECT_EQ(MusicRecord(), (Lines{"ogg stop", "ogg reset", "ogg load b.ogg", "ogg volume 1.00", "ogg loop 0",
                                    "ogg play", "midi stop"}));
    platform::headless::ClearMusicRecord();
    m_player.Stop();
    EXPECT_EQ(MusicRecord(), (Lines{"midi stop", "ogg stop"}));
}

TEST_F(BgmPlayerTest, TheSameSlotWithoutForceDoesNothingAndWithForceStartsAgain) {
    File("a.ogg");
    ASSERT_EQ(Start(), 1);
    m_player.SetSlotFile(0, "a.ogg", 100);
    m_player.Play(0, 0, 1, 0, 0);
    platform::headless::ClearMusicRecord();
    EXPECT_EQ(m_player.Play(0, 0, 1, 0, 0), 1);
    EXPECT_EQ(MusicRecord(), Lines{});
    EXPECT_EQ(m_player.Play(0, 0, 1, 0, 1), 1);
    EXPECT_EQ(MusicRecord(), (Lines{"ogg stop", "ogg reset", "ogg load a.ogg", "ogg volume 1.00", "ogg loop 2147483647",
                                    "ogg play", "midi stop"}));
}

TEST_F(BgmPlayerTest, AFileNeitherSideCanPlayLeavesNoCurrentSlot) {
    File("x.wav");
    ASSERT_EQ(Start(), 1);
    struct {
        const char* file;
        Lines record;
    } const cases[] = {
        // No file: nothing to load; the MIDI side refuses it after its pause.
        {"noext", {"midi pause", "midi stop"}},
        // Another extension: the Ogg library is tried (halting MIDI with
        // the pause flag once it plays), then the MIDI side.
        {"x.wav", {"ogg reset", "ogg load x.wav", "ogg volume 0.40", "ogg loop 0", "ogg play", "midi pause"}},
        {"missing.ogg", {"ogg reset", "ogg load missing.ogg", "midi stop"}},
        {"missing.mid", {"midi pause", "midi add missing.mid 0", "midi stop"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const int expected = c.file == std::string("x.wav") ? 1 : 0;
        m_player.SetSlotFile(3, c.file, 40);
        platform::headless::ClearMusicRecord();
        EXPECT_EQ(m_player.Play(0, 3, 0, 1, 1), expected);
        EXPECT_EQ(m_player.CurrentSlot(), expected ? 3 : -1);
        EXPECT_EQ(MusicRecord(), c.record);
        m_player.Stop();
    }
}

TEST_F(BgmPlayerTest, WithoutTheOggLibraryThePlayerStaysOff) {
    File("a.ogg");
    EXPECT_EQ(Start({.oggLibrary = false}), 0);
    ASSERT_EQ(platform::RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(platform::RecordedMessageBoxes()[0].text, "oggの初期化に失敗！");
    EXPECT_EQ(m_player.Enabled(), 0);
    EXPECT_EQ(m_player.SetSlotFile(0, "a.ogg", 100), 0);
    EXPECT_EQ(m_player.Play(0, 0, 1, 0, 1), 0);
    m_player.Stop();
    EXPECT_EQ(MusicRecord(), Lines{});
    EXPECT_EQ(m_player.Release(), 0);
}

TEST_F(BgmPlayerTest, ReleaseFreesBothLibrariesAndInitLoadsThemAgain) {
    ASSERT_EQ(Start(), 1);
    EXPECT_EQ(m_player.Release(), 1);
    EXPECT_EQ(MusicRecord(), (Lines{"ogg destroy", "midi close"}));
    platform::headless::ClearMusicRecord();
    EXPECT_EQ(m_player.Init(1, m_slots.Ogg, m_slots.Midi, kBgmSlotCount, 1), 1);
    EXPECT_EQ(MusicRecord(), (Lines{"midi open -1100", "ogg create"}));
}

TEST_F(BgmPlayerTest, WithoutTheMidiLibraryOurOwnStreamPlaysMidi) {
    auto out = std::make_shared<RecordingMidiOut>();
    platform::InstallMidiOutMaker([out] { return out; });
    SmfTrack t;
    t.NoteOn(0, 0, 60).End(96);
    m_env.Dir().WriteHostFile("s.mid", SmfBytes(0, 96, {t}));
    for (platform::headless::MusicRecorderSetup setup : {platform::headless::MusicRecorderSetup{.midiLibrary = false},
                                                         platform::headless::MusicRecorderSetup{.midiOpenResult = 2}}) {
        ASSERT_EQ(Start(setup), 1);
        EXPECT_FALSE(m_player.UsesMidiLibrary());
        m_player.SetSlotFile(4, "s.Mid", 100);
        EXPECT_EQ(m_player.Play(0, 4, 1, 0, 1), 1);
        ASSERT_NE(m_player.MidiStream(0), nullptr);
        EXPECT_EQ(m_player.MidiStream(0)->State(), 1);
        RenderFrames(10);
        m_player.Stop();
        EXPECT_EQ(m_player.MidiStream(0)->State(), 0);
        m_player.Release();
    }
    EXPECT_EQ(out->Notes().size(), 2u);
}

}  // namespace
