#include "sound/smf_file.h"

#include <gtest/gtest.h>

#include "support/smf_bytes.h"
#include "support/test_env.h"

namespace {

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

std::string ImageEvents(const std::vector<std::uint8_t>& image) {
    return std::string(image.begin() + static_cast<std::ptrdiff_t>(kSmfImageHeader), image.end());
}

TEST(SmfFile, TracksMergeByTimeWithTheLowerTrackFirstAndRunningStatusWrittenOut) {
    TestEnv env;
    SmfTrack first;
    first.NoteOn(0, 0, 60).Delta(5).Raw("\x3E\x64").NoteOff(5, 0, 60).End();
    SmfTrack second;
    second.Tempo(0, 400000).NoteOn(0, 1, 61).End(20);
    std::vector<std::uint8_t> image;
    ASSERT_TRUE(cSmfFile::Parse("m.mid", Bytes(SmfBytes(1, 480, {first, second})), image));
    const std::string header = std::string("MThd\0\0\0\x06\0\0\0\x01", 12) + BigEndian16(480) + "MTrk";
    EXPECT_EQ(std::string(image.begin(), image.begin() + 18), header);
    const std::string events = std::string(
        "\x00\x90\x3C\x64"              // t 0, track 0
        "\x00\xFF\x51\x03\x06\x1A\x80"  // t 0, track 1: tempo
        "\x00\x91\x3D\x64"              // t 0, track 1
        "\x05\x90\x3E\x64"              // t 5: running status written out
        "\x05\x80\x3C\x00"              // t 10
        "\x0A\xFF\x2F\x00",             // the one end of track, at the latest end (20)
        27);
    EXPECT_EQ(ImageEvents(image), events);
    EXPECT_EQ(std::string(image.begin() + 18, image.begin() + 22), SmfTrack::BigEndian32(events.size()));
}

TEST(SmfFile, LongDeltaTimesAreWrittenInVariableLength) {
    std::vector<std::uint8_t> image;
    SmfTrack t;
    t.NoteOn(0x3FFF, 0, 60).NoteOff(0x0FFFFFFF, 0, 60).End();
    ASSERT_TRUE(cSmfFile::Parse("m.mid", Bytes(SmfBytes(0, 96, {t})), image));
    EXPECT_EQ(ImageEvents(image), std::string("\xFF\x7F\x90\x3C\x64\xFF\xFF\xFF\x7F\x80\x3C\x00\x00\xFF\x2F\x00", 16));
}

TEST(SmfFile, BrokenFilesAreRefusedWithTheirLine) {
    SmfTrack good;
    good.NoteOn(0, 0, 60).End(10);
    const std::string file = SmfBytes(1, 96, {good});
    std::string longTrack = file;
    longTrack[21] = 0x7F;  // the track claims more bytes than the file holds
    SmfTrack noEnd;
    noEnd.NoteOn(0, 0, 60);
    SmfTrack runningAfterMeta;
    runningAfterMeta.NoteOn(0, 0, 60).Text(0, "x").Delta(0).Raw("\x3E\x64").End();
    SmfTrack runningFirst;
    runningFirst.Delta(0).Raw("\x3C\x64").End();
    SmfTrack longDelta;
    longDelta.Raw(std::string("\x81\x81\x81\x81\x01", 5)).Raw("\x90\x3C\x64").End();
    SmfTrack systemCommon;
    systemCommon.Delta(0).Raw("\xF1\x00").End();
    SmfTrack cutMeta;
    cutMeta.Delta(0).Raw("\xFF\x01\x7F").End();
    struct {
        const char* what;
        std::string bytes;
        const char* line;
    } const cases[] = {
        {"no MThd", "RIFF" + file.substr(4), "Midi m.mid Init 標準MIDIでない(4)"},
        {"header length 7", file.substr(0, 4) + SmfTrack::BigEndian32(7) + file.substr(8), "標準MIDIでない(6)"},
        {"format 2", file.substr(0, 8) + BigEndian16(2) + file.substr(10), "Midi m.mid Init 対応フォーマットが2でない"},
        {"format 3", file.substr(0, 8) + BigEndian16(3) + file.substr(10), "対応フォーマットが0または1でない"},
        {"short file", file.substr(0, 10), "標準MIDIでない(4)"},
        {"no track chunk", file.substr(0, 14), "標準MIDIでない(4)"},
        {"zero tracks", file.substr(0, 10) + BigEndian16(0) + file.substr(12), "トラックがない"},
        {"one track of two", file.substr(0, 10) + BigEndian16(2) + file.substr(12), "標準MIDIでない(4)"},
        {"division 0", file.substr(0, 12) + BigEndian16(0) + file.substr(14), "分解能が0"},
        {"track past the end", longTrack, "トラックの長さが不正"},
        {"no end of track", SmfBytes(0, 96, {noEnd}), "トラックの終わりがない"},
        {"running status after a meta event", SmfBytes(0, 96, {runningAfterMeta}), "ランニングステータスが不正"},
        {"running status with no status", SmfBytes(0, 96, {runningFirst}), "ランニングステータスが不正"},
        {"delta of five bytes", SmfBytes(0, 96, {longDelta}), "デルタタイムが不正"},
        {"system common message", SmfBytes(0, 96, {systemCommon}), "イベントが不正"},
        {"meta longer than its track", SmfBytes(0, 96, {cutMeta}), "イベントが不正"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestEnv env;
        std::vector<std::uint8_t> image{1};
        EXPECT_FALSE(cSmfFile::Parse("m.mid", Bytes(c.bytes), image));
        EXPECT_TRUE(image.empty());
        EXPECT_NE(env.Report().find(c.line), std::string::npos) << env.Report();
    }
}

TEST(SmfFile, AMissingFileLeavesNoImage) {
    TestEnv env;
    cSmfFile smf("bgm\\none.mid");
    EXPECT_FALSE(smf.HasImage());
    EXPECT_NE(env.Report().find("Midi bgm\\none.mid Create ファイルが開けません"), std::string::npos);
}

}  // namespace
