#include "sound/midi_file_player.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/eventually.h"
#include "support/midi_recorder.h"
#include "support/smf_bytes.h"
#include "support/sound_fixtures.h"
#include "support/test_env.h"

namespace {

using Msg = RecordingMidiOut::Message;
constexpr DWORD kOn60 = 0x90 | 60 << 8 | 100 << 16;
constexpr DWORD kOff60 = 0x80 | 60 << 8;

DWORD WordAt(const std::vector<std::uint8_t>& block, std::size_t offset) {
    DWORD v = 0;
    std::memcpy(&v, block.data() + offset, 4);
    return v;
}

class MidiStreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::InstallMidiOutMaker([out = m_out] { return out; });
    }
    void TearDown() override { platform::InstallMidiOutMaker(nullptr); }
    void WriteSong(const std::string& bytes) { m_env.Dir().WriteHostFile("song.mid", bytes); }
    // One buffer's worth of FillBuffer output.
    struct Fill {
        std::vector<std::uint8_t> block = std::vector<std::uint8_t>(cMidiStream::kBufferSize);
        MIDIHDR header;
        std::size_t consumed = 0;
        Fill() {
            header.lpData = block.data();
            header.dwBufferLength = static_cast<DWORD>(block.size());
        }
    };

    TestEnv m_env;
    std::shared_ptr<RecordingMidiOut> m_out = std::make_shared<RecordingMidiOut>();
};

TEST_F(MidiStreamTest, SkippedMetaEventsKeepTheirDeltaTime) {
    SmfTrack t;
    t.NoteOn(0, 0, 60).Text(10, "verse").NoteOff(10, 0, 60).End(4);
    WriteSong(SmfBytes(0, 96, {t}));
    cMidiStream stream("song.mid");
    ASSERT_TRUE(stream.HasImage());
    Fill f;
    f.consumed = stream.FillBuffer(kSmfImageHeader, f.header);
    EXPECT_EQ(f.consumed, stream.Image().size() - kSmfImageHeader);
    ASSERT_EQ(f.header.dwBytesRecorded, 36u);
    // delta, stream id, event word per event; the text is not written.
    EXPECT_EQ(WordAt(f.block, 0), 0u);
    EXPECT_EQ(WordAt(f.block, 8), kOn60);
    EXPECT_EQ(WordAt(f.block, 12), 20u);
    EXPECT_EQ(WordAt(f.block, 20), kOff60);
    EXPECT_EQ(WordAt(f.block, 24), 4u);
    EXPECT_EQ(WordAt(f.block, 32), MEVT_F_CALLBACK | 0x002FFFu) << "the end of the song, flagged";
}

TEST_F(MidiStreamTest, AFullBufferEndsAtItsLastWholeEventWhichCallsBack) {
    SmfTrack t;
    for (int i = 0; i < 2001; ++i) t.NoteOn(1, 0, 60);
    t.End();
    WriteSong(SmfBytes(0, 96, {t}));
    cMidiStream stream("song.mid");
    Fill first;
    first.consumed = stream.FillBuffer(kSmfImageHeader, first.header);
    EXPECT_EQ(first.header.dwBytesRecorded, 24000u) << "2000 short events";
    EXPECT_EQ(first.consumed, 2000u * 4);
    EXPECT_EQ(WordAt(first.block, 23988 + 8), kOn60 | MEVT_F_CALLBACK);
    EXPECT_EQ(WordAt(first.block, 23976 + 8), kOn60) << "only the last event calls back";
    Fill second;
    second.consumed = stream.FillBuffer(kSmfImageHeader + first.consumed, second.header);
    EXPECT_EQ(second.header.dwBytesRecorded, 24u);
    EXPECT_EQ(WordAt(second.block, 0), 1u);
    EXPECT_EQ(WordAt(second.block, 8), kOn60);
    EXPECT_EQ(kSmfImageHeader + first.consumed + second.consumed, stream.Image().size());
}

TEST_F(MidiStreamTest, AnEventLargerThanABufferIsRefusedAndTheMusicGoesOn) {
    SmfTrack t;
    std::string sysex(30000, '\x01');
    t.NoteOn(0, 0, 60).Delta(5).Raw("\xF0").Raw({'\x81', '\xEA', '\x30'}).Raw(sysex).NoteOff(7, 0, 60).End();
    WriteSong(SmfBytes(0, 96, {t}));
    cMidiStream stream("song.mid");
    Fill f;
    f.consumed = stream.FillBuffer(kSmfImageHeader, f.header);
    EXPECT_EQ(f.header.dwBytesRecorded, 36u);
    EXPECT_EQ(WordAt(f.block, 12), 12u) << "the sysex's delta time goes to the next event";
    EXPECT_EQ(WordAt(f.block, 20), kOff60);
    EXPECT_NE(m_env.Report().find("Midi song.mid Out"), std::string::npos);
}

TEST_F(MidiStreamTest, ATempoChangeMovesTheFollowingEventsToTheirSample) {
    SmfTrack t;
    // 96 ticks a quarter at 120 bpm: half a second, 24000 frames, to the
    // tempo change; then 96 ticks at twice the speed: 12000 more.
    t.NoteOn(0, 0, 60).Tempo(96, 250000).NoteOff(96, 0, 60).End();
    WriteSong(SmfBytes(0, 96, {t}));
    cMidiStream stream("song.mid");
    stream.Restart(0);
    RenderFrames(36001);
    EXPECT_EQ(m_out->Notes(), (std::vector<Msg>{{0, kOn60}, {36000, kOff60}}));
}

TEST_F(MidiStreamTest, PauseAndRestartGoOnWhereTheMusicWas) {
    SmfTrack t;
    t.NoteOn(0, 0, 60).NoteOff(96, 0, 60).End();
    WriteSong(SmfBytes(0, 96, {t}));
    cMidiStream stream("song.mid");
    stream.Restart(0);
    RenderFrames(12000);
    stream.Stop(1);
    EXPECT_EQ(stream.State(), 2);
    RenderFrames(5000);
    stream.Restart(0);
    RenderFrames(12001);
    EXPECT_EQ(m_out->Notes(), (std::vector<Msg>{{0, kOn60}, {29000, kOff60}}));
    // The pause silenced every channel (all notes off).
    int notesOff = 0;
    for (const Msg& m : m_out->Messages()) notesOff += m.frame == 12000 && (m.message & 0xFFF0) == (0xB0 | 123 << 8);
    EXPECT_EQ(notesOff, 16);
}

TEST_F(MidiStreamTest, AtTheEndTheSongLoopsOrStopsRewound) {
    SmfTrack t;
    t.NoteOn(0, 0, 60).NoteOff(96, 0, 60).End();
    WriteSong(SmfBytes(0, 96, {t}));
    for (int loop : {1, 0}) {
        SCOPED_TRACE(loop);
        auto out = std::make_shared<RecordingMidiOut>();
        platform::InstallMidiOutMaker([out] { return out; });
        cMidiStream stream("song.mid");
        stream.Restart(loop);
        RenderFrames(24001);
        // The callback thread stops and rewinds, and restarts when looping.
        ASSERT_TRUE(Eventually([&] { return out->Resets() >= 1 && stream.State() == loop; }));
        RenderFrames(10);
        std::vector<Msg> expected = {{0, kOn60}, {24000, kOff60}};
        if (loop) expected.push_back({24001, kOn60});
        EXPECT_EQ(out->Notes(), expected);
    }
}

TEST_F(MidiStreamTest, ASongLongerThanTwoBuffersPlaysOnAsBuffersComeBack) {
    SmfTrack t;
    // 480 ticks a quarter at 120 bpm: one tick is 50 frames.
    for (int i = 0; i < 4100; ++i) t.NoteOn(1, 0, 60);
    t.End();
    WriteSong(SmfBytes(0, 480, {t}));
    cMidiStream stream("song.mid");
    stream.Restart(0);
    EXPECT_FALSE(stream.ImageQueued());
    RenderFrames(100001);  // through the last event of the first buffer
    ASSERT_TRUE(Eventually([&] { return stream.ImageQueued(); })) << "the first buffer came back and was refilled";
    RenderFrames(105000);
    auto notes = m_out->Notes();
    ASSERT_EQ(notes.size(), 4100u);
    long long k = 1;
    for (const Msg& m : notes) EXPECT_EQ(m.frame, 50 * k++);
    ASSERT_TRUE(Eventually([&] { return stream.State() == 0; }));
}

TEST_F(MidiStreamTest, WithoutAnImageEveryCallDoesNothing) {
    WriteSong("not a MIDI file");
    cMidiStream stream("song.mid");
    EXPECT_FALSE(stream.HasImage());
    stream.Restart(1);
    stream.Stop(1);
    EXPECT_EQ(stream.State(), 0);
    RenderFrames(100);
    EXPECT_TRUE(m_out->Messages().empty());
}

}  // namespace
