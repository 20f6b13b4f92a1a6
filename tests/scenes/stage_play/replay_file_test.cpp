#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "foundation/abort.h"
#include "gamedata/fixtures/record_io.h"
#include "gamedata/fixtures/stage_fixtures.h"
#include "gamedata/fixtures/story_fixture.h"
#include "gamedata/project/global_data.h"
#include "platform/message_box.h"
#include "scenes/stage_play/key_log.h"
#include "scenes/title/title_scene.h"
#include "shell/key_state.h"
#include "support/test_env.h"

namespace {

// A key log's part of a replay file, written out by hand.
struct KeyLogFixture {
    std::int32_t seed = 4242;
    std::vector<std::int16_t> valueA = {2, 0}, valueB = {1, 0, 1};
    std::vector<std::int32_t> countA = {70, 2}, countB = {3, 67, 2};

    ByteBuilder Bytes() const {
        ByteBuilder b;
        b.I32(1).I32(seed).I32(0);
        b.I32(static_cast<std::int32_t>(valueA.size()));
        for (auto v : valueA) b.I16(v);
        b.I32(static_cast<std::int32_t>(valueB.size()));
        for (auto v : valueB) b.I16(v);
        b.I32(static_cast<std::int32_t>(countA.size()));
        for (auto v : countA) b.I32(v);
        b.I32(static_cast<std::int32_t>(countB.size()));
        for (auto v : countB) b.I32(v);
        return b;
    }
};

// Where two byte strings first differ, for a readable failure.
std::string FirstDifference(const std::string& got, const std::string& want) {
    std::size_t i = 0;
    while (i < got.size() && i < want.size() && got[i] == want[i]) ++i;
    if (i == got.size() && i == want.size()) return "equal";
    return "differ at byte " + std::to_string(i) + " of " + std::to_string(got.size()) + " (expected " +
           std::to_string(want.size()) + ")";
}

StageFixture SmallStage(int version) {
    StageFixture s;
    // With the sub-step values that hit-check level 10 derives.
    s.settings = {{"m_nWidth", 20},      {"m_nHeight", 15},      {"m_nHitCheckLevel", 10}, {"m_nFps", 60},
                  {"m_nBgm", 2},         {"m_nSubSteps", 10},    {"m_dSubSteps", 10.0},    {"m_dSubStepsSq", 100.0},
                  {"m_dMaxSpeed", 60.0}, {"m_dMaxSpeedStep", 6}, {"m_nSubStepsX8", 80}};
    s.title = "replay stage";
    s.ranking = {1, 1, 0, 1, 1};
    s.paletteBlocks = s.paletteCharas = s.paletteItems = {DefFixture{}, DefFixture{}};
    DefFixture block;
    block.cellX = 3;
    block.cellY = 14;
    block.fields = {{"m_sCell", 4}};
    s.placedBlocks = {block};
    s.placedCharas = {HeroFixture()};
    s.layers = {};
    s.names = {"a"};
    s.endCode = version >= 173;
    return s;
}

// The replay file of SmallStage, the key log and a progress record as each
// version wrote them (the header included).
ByteBuilder ReplayBytes(int version, const KeyLogFixture& log, const StoryFileFixture& story) {
    ByteBuilder b = StageFileBytes(version, SmallStage(version));
    b.Append(log.Bytes());
    if (version > 172) b.Bytes(story.Bytes().Str().substr(4));
    return b;
}

class Replay : public GameDataTest {
protected:
    void SetUp() override {
        GameDataTest::SetUp();
        KeyLog.Clear();
        KeyLog2.Clear();
        StoryData = cStorySave();
        StoryStart = cStorySave();
        StoryStartPrev = cStorySave();
    }
    void TearDown() override {
        KeyLog.Clear();
        KeyLog2.Clear();
        GameDataTest::TearDown();
    }
    int Load(const ByteBuilder& file) {
        env.Dir().WriteHostFile("r.rpl4_920", file.Str());
        return KeyLog.LoadReplayFile("r.rpl4_920", LoadedStage, PlayStage, StoryData);
    }
    TestEnv env;
};

// Records frames of (direction, buttons) into a log.
void RecordFrames(cKeyLog& log, std::initializer_list<std::array<int, 3>> runs) {
    cKeyState keys;
    for (const auto& [frames, direction, buttons] : runs) {
        keys.m_wDirection = static_cast<std::uint16_t>(direction);
        keys.m_wButtons = static_cast<std::uint16_t>(buttons);
        for (int i = 0; i < frames; ++i) log.Record(keys);
    }
}

}  // namespace

TEST_F(Replay, RecordingCodesEachWordInItsOwnRuns) {
    cKeyLog log;
    // 70 frames of the same direction are one run, while the buttons change
    // three times within them.
    RecordFrames(log, {{3, 2, 1}, {67, 2, 0}, {2, 0, 1}});
    EXPECT_EQ(log.m_vecValueA, (cVector<std::int16_t>{2, 0}));
    EXPECT_EQ(log.m_vecCountA, (cVector<std::int32_t>{70, 2}));
    EXPECT_EQ(log.m_vecValueB, (cVector<std::int16_t>{1, 0, 1}));
    EXPECT_EQ(log.m_vecCountB, (cVector<std::int32_t>{3, 67, 2}));

    // Playback gives the recorded words frame by frame, then reports the end
    // without touching the input record.
    cKeyState keys;
    std::vector<std::pair<int, int>> played;
    while (log.Play(keys) == 0) played.emplace_back(keys.m_wDirection, keys.m_wButtons);
    ASSERT_EQ(played.size(), 72u);
    EXPECT_EQ(played[2], std::make_pair(2, 1));
    EXPECT_EQ(played[3], std::make_pair(2, 0));
    EXPECT_EQ(played[69], std::make_pair(2, 0));
    EXPECT_EQ(played[70], std::make_pair(0, 1));
    keys.m_wDirection = 9;
    EXPECT_EQ(log.Play(keys), 1);
    EXPECT_EQ(keys.m_wDirection, 9);

    // Copies and resets take the streams, never the playback position.
    cKeyLog copy;
    copy = log;
    EXPECT_EQ(copy.m_nCursorA, 0);
    EXPECT_EQ(copy.m_vecCountB, log.m_vecCountB);
    log.Clear();
    EXPECT_TRUE(log.m_vecValueA.empty() && log.m_vecCountB.empty());
    EXPECT_EQ(log.m_nCursorA + log.m_nCursorB + log.m_nRunA + log.m_nRunB, 0);
}

TEST_F(Replay, PlaybackEndsWithTheShorterStream) {
    cKeyLog log;
    log.m_vecValueA = {1};
    log.m_vecCountA = {5};
    log.m_vecValueB = {4};
    log.m_vecCountB = {3};
    cKeyState keys;
    int frames = 0;
    while (log.Play(keys) == 0) ++frames;
    EXPECT_EQ(frames, 3);
}

TEST_F(Replay, TheFileIsTheStageTheLogAndTheProgressByteForByte) {
    SetTableSize(DbTable::Bgm, 5);
    const KeyLogFixture logFixture;
    ASSERT_TRUE(LoadBytes(LoadedStage, kDataVersion,
                          ByteBuilder().Bytes(StageFileBytes(kDataVersion, SmallStage(kDataVersion)).Str().substr(4))));
    PlayStage.CopySettingsFrom(LoadedStage);
    PlayStage.ClearDefinitions();
    StoryStart.m_nLives = 7;
    StoryStart.m_strStage = "data\\stg4\\replay.";
    KeyLog.m_nSeed = logFixture.seed;
    RecordFrames(KeyLog, {{3, 2, 1}, {67, 2, 0}, {2, 0, 1}});

    ASSERT_EQ(KeyLog.SaveReplayFile("golden.rpl4_920", LoadedStage, PlayStage, StoryStart), 1);
    const std::string written = env.Dir().ReadHostFile("golden.rpl4_920");
    const std::string goldenPath = std::string(SCENES_GOLDEN_DIR) + "/replay_920.rpl4_920";
    if (std::getenv("PLAYER_WRITE_GOLDENS")) { std::ofstream(goldenPath, std::ios::binary) << written; }
    std::ifstream golden(goldenPath, std::ios::binary);
    ASSERT_TRUE(golden) << goldenPath;
    EXPECT_EQ(FirstDifference(written, std::string(std::istreambuf_iterator<char>(golden), {})), "equal");
    // The replay reader's fuzz seed is this same file.
    const std::string seedPath = std::string(FUZZ_CORPUS_DIR) + "/replay_read/replay_920";
    if (std::getenv("PLAYER_WRITE_GOLDENS")) { std::ofstream(seedPath, std::ios::binary) << written; }
    std::ifstream seed(seedPath, std::ios::binary);
    ASSERT_TRUE(seed) << seedPath;
    EXPECT_EQ(FirstDifference(written, std::string(std::istreambuf_iterator<char>(seed), {})), "equal");

    // The parts: the header, the stage as a stage file stores it (settings
    // of the settings stage, objects of the played one), the log as written
    // out by hand, then the progress record.
    cDataFile stagePart("mem", cDataFile::Mode::Write);
    LoadedStage.SaveToReplay(stagePart, PlayStage);
    const std::size_t stageEnd = 4 + stagePart.Bytes().size();
    const std::string logPart = logFixture.Bytes().Str();
    const auto progress = SaveBytes(StoryStart);
    ASSERT_EQ(written.size(), stageEnd + logPart.size() + progress.size());
    EXPECT_EQ(written.substr(0, 4), ByteBuilder().I32(kDataVersion).Str());
    EXPECT_EQ(written.substr(stageEnd - 4, 4), ByteBuilder().I32(kStageEndCode).Str());
    EXPECT_EQ(written.substr(stageEnd, logPart.size()), logPart);
    EXPECT_EQ(written.substr(stageEnd + logPart.size()), std::string(progress.begin(), progress.end()));

    // What was written plays back as it was recorded.
    cKeyLog recorded = KeyLog;
    KeyLog.Clear();
    LoadedStage = cStageData();
    ASSERT_EQ(KeyLog.LoadReplayFile("golden.rpl4_920", LoadedStage, PlayStage, StoryData), 1);
    EXPECT_EQ(KeyLog.m_nSeed, logFixture.seed);
    EXPECT_EQ(KeyLog.m_vecCountB, recorded.m_vecCountB);
    EXPECT_EQ(StoryData.m_nLives, 7);
    EXPECT_EQ(LoadedStage.FindHero(), 0);
}

TEST_F(Replay, EveryVersionLoadsItsStageLogAndProgress) {
    struct Case {
        int version;
        bool progress;
    };
    for (const Case c : {Case{172, false}, Case{777, true}, Case{kDataVersion, true}}) {
        SCOPED_TRACE(c.version);
        StoryFileFixture story;
        story.version = c.version;
        story.members = {{13, 6}, {15, 1200}};
        StoryData = cStorySave();
        StoryData.m_nLives = 99;
        KeyLog.m_nCursorA = 1;
        KeyLog.m_nRunB = 2;
        PlayStage.m_vPlacedCharas.resize(1);

        ASSERT_EQ(Load(ReplayBytes(c.version, KeyLogFixture{}, story)), 1);
        EXPECT_EQ(FileVersion, c.version);
        EXPECT_EQ(LoadedStage.m_strTitle, "replay stage");
        EXPECT_EQ(LoadedStage.m_vPlacedBlocks.Count(), 1);
        EXPECT_EQ(LoadedStage.FindHero(), 0);
        // The settings stage takes the settings and none of the objects.
        EXPECT_EQ(PlayStage.m_nWidth, 20);
        EXPECT_EQ(PlayStage.m_strTitle, "replay stage");
        EXPECT_TRUE(PlayStage.m_vPlacedCharas.empty());
        EXPECT_EQ(KeyLog.m_nSeed, 4242);
        EXPECT_EQ(KeyLog.m_vecValueB, (cVector<std::int16_t>{1, 0, 1}));
        EXPECT_EQ(KeyLog.m_nCursorA + KeyLog.m_nRunB, 0);
        // Without a progress record the live progress stays as it was.
        EXPECT_EQ(StoryData.m_nLives, c.progress ? 6 : 99);
        EXPECT_EQ(StoryData.m_nScore, c.progress ? 1200 : 0);
    }
}

TEST_F(Replay, DamagedFilesAreRefusedAndChangeNothing) {
    const StoryFileFixture story;
    const ByteBuilder good = ReplayBytes(kDataVersion, KeyLogFixture{}, story);
    const std::size_t stageEnd = StageFileBytes(kDataVersion, SmallStage(kDataVersion)).Size();
    const std::size_t logEnd = stageEnd + KeyLogFixture{}.Bytes().Size();
    auto withLog = [&](const std::function<void(KeyLogFixture&)>& change) {
        KeyLogFixture log;
        change(log);
        return ReplayBytes(kDataVersion, log, story);
    };
    auto patched = [&](std::size_t at, std::int32_t value) {
        std::string bytes = good.Str();
        std::memcpy(bytes.data() + at, &value, 4);
        return ByteBuilder().Bytes(bytes);
    };
    struct Case {
        const char* name;
        ByteBuilder file;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"cut in the stage", ByteBuilder().Bytes(good.Truncated(stageEnd / 2)), "読み込みを中止"},
        {"cut in the log", ByteBuilder().Bytes(good.Truncated(stageEnd + 20)), "読み込みを中止"},
        {"cut in the progress", ByteBuilder().Bytes(good.Truncated(logEnd + 30)), "読み込みを中止"},
        {"bad end code", patched(stageEnd - 4, 123456788), "bad end code"},
        {"empty direction stream", withLog([](KeyLogFixture& l) { l.valueA.clear(); }), "empty key stream"},
        {"empty run lengths", withLog([](KeyLogFixture& l) { l.countB.clear(); }), "empty key stream"},
        {"negative count", patched(stageEnd + 12, -1), "読み込みを中止"},
        {"count past the end", patched(stageEnd + 12, 0x7fffffff), "読み込みを中止"},
        {"more values than runs", withLog([](KeyLogFixture& l) { l.valueB.push_back(8); }), "lengths differ"},
        {"a run of no frames", withLog([](KeyLogFixture& l) {
             l.countA = {70, 0};
         }),
         "no frames"},
        {"a negative run", withLog([](KeyLogFixture& l) {
             l.countB = {3, -67, 2};
         }),
         "no frames"},
        {"streams of different length", withLog([](KeyLogFixture& l) {
             l.countA = {70, 3};
         }),
         "different length"},
        {"seed record with more members", patched(stageEnd, 2), "member count"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadedStage = cStageData();
        LoadedStage.m_strTitle = "playing";
        PlayStage = LoadedStage;
        KeyLog.Clear();
        RecordFrames(KeyLog, {{5, 1, 0}});
        StoryData.m_nLives = 3;
        const std::size_t reported = env.Report().size();
        EXPECT_EQ(Load(c.file), 0);
        EXPECT_EQ(LoadedStage.m_strTitle, "playing");
        EXPECT_EQ(PlayStage.m_strTitle, "playing");
        EXPECT_EQ(KeyLog.m_vecCountA, (cVector<std::int32_t>{5}));
        EXPECT_EQ(StoryData.m_nLives, 3);
        const std::string line = env.Report().substr(reported);
        EXPECT_NE(line.find(c.reason), std::string::npos) << line;
    }
    // A file of a newer version is refused before anything is read.
    std::string newer = good.Str();
    const std::int32_t next = kDataVersion + 1;
    std::memcpy(newer.data(), &next, 4);
    EXPECT_EQ(Load(ByteBuilder().Bytes(newer)), 0);
    EXPECT_EQ(LoadedStage.m_strTitle, "playing");
    // The whole good file still loads after all of these.
    EXPECT_EQ(Load(good), 1);
}

// The stage-open dialog lists replays too; one picked there is no stage file
// and the stage loader refuses it, in the report and in a box, keeping the
// stage that was there.
TEST_F(Replay, OnePickedAsAStageIsRefusedAndTheStageStays) {
    env.Dir().WriteHostFile("data/stg4/run.rpl4_920", ReplayBytes(kDataVersion, KeyLogFixture{}, {}).Str());
    LoadedStage = cStageData();
    LoadedStage.m_strTitle = "playing";
    const std::size_t reported = env.Report().size();
    EXPECT_EQ(PlayFreeStageFile("data\\stg4\\run.rpl4_920", 0), 0);
    EXPECT_EQ(LoadedStage.m_strTitle, "playing");
    EXPECT_EQ(AbortFlag.load(), 0) << "a refused pick closes nothing here";
    const char* const refusal = "ステージファイル data\\stg4\\run.rpl4_920 が破損しています！";
    const auto boxes = platform::RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, refusal);
    EXPECT_NE(env.Report().find(refusal, reported), std::string::npos) << env.Report();
}
