// Files that no editor writes: lists longer than the bytes behind them, grids
// larger than any stage, files larger than any of their kind, huge counts at
// every level, things that are no file at all. Each is refused with a report
// line before anything is allocated for it, and no load of them takes more
// than 64 MB of memory at its highest (counted by operator new).
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include <fstream>
#include <iostream>
#include <iterator>

#include "foundation/abort.h"
#include "gamedata/definitions/common_palette.h"
#include "gamedata/fixtures/record_io.h"
#include "gamedata/project/option_data.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "gamedata/story/story_save.h"
#include "gamedata/story/world_map.h"
#include "scenes/corpus_loaders.h"
#include "scenes/crafted_lists.h"
#include "scenes/heap_peak.h"
#include "scenes/rankings/ranking_set.h"
#include "shell/startup/boot_data.h"
#include "shell/window/window_data.h"
#include "support/file_stand_ins.h"
#include "support/test_env.h"

namespace {

// The reason the load gave in the run report; empty when it loaded.
std::string RefusalOf(const StoredList& list, Bytes file) {
    TestEnv env;
    auto r = list.make();
    if (r->LoadOpenedFile(OpenDataBytesRead("crafted", std::move(file)))) return "";
    return env.Report();
}

// A palette entry is named by a 16-bit index.
constexpr std::size_t kPaletteIndexes = std::size_t(1) << 16;

// Saving pads a palette to two entries.
template <class Def>
void AddDefinition(cVector<Def>& list) {
    list.resize(std::max<std::size_t>(list.size(), 2) + 1);
}

std::vector<StoredList> ListsLongerThanUsed() {
    return {
        ListOf<cCommonPalette>(
            "common palette blocks", [](auto& p) { AddDefinition(p.m_vPaletteBlocks); }, kPaletteIndexes),
        ListOf<cCommonPalette>(
            "common palette characters", [](auto& p) { AddDefinition(p.m_vPaletteCharas); }, kPaletteIndexes),
        ListOf<cCommonPalette>(
            "common palette items", [](auto& p) { AddDefinition(p.m_vPaletteItems); }, kPaletteIndexes),
        ListOf<cStageData>(
            "stage ranking flags", [](auto& s) { s.m_vnRankingOn.push_back(1); }, kRankingTableCount),
        ListOf<cStageData>(
            "stage palette blocks", [](auto& s) { AddDefinition(s.m_vPaletteBlocks); }, kPaletteIndexes),
        ListOf<cStageData>(
            "stage palette characters", [](auto& s) { AddDefinition(s.m_vPaletteCharas); }, kPaletteIndexes),
        ListOf<cStageData>(
            "stage palette items", [](auto& s) { AddDefinition(s.m_vPaletteItems); }, kPaletteIndexes),
        ListOf<cStageData>(
            "placed blocks", [](auto& s) { AddDefinition(s.m_vPlacedBlocks); }, kMaxStageCells),
        ListOf<cStageData>(
            "placed characters", [](auto& s) { AddDefinition(s.m_vPlacedCharas); }, kMaxStageCells),
        ListOf<cStageData>(
            "placed items", [](auto& s) { AddDefinition(s.m_vPlacedItems); }, kMaxStageCells),
        ListOf<cStorySave>(
            "carry switches", [](auto& p) { p.m_vCarry.push_back(0); }, kCarryItemCount),
        // Saving sizes this list to the project's challenge stages.
        ListOf<cStorySave>(
            "challenge records", [](auto&) { ++SystemData.m_nChallengeCount; }, kMaxChallengeStages),
        ListOf<cStorySave>(
            "map-point flags", [](auto& p) { p.m_vMapPoint.push_back(0); }, kMapPointFlagCount),
        ListOf<cStorySave>(
            "common variables", [](auto& p) { p.m_vVar.push_back(0); }, kCommonVariableCount),
        ListOf<cStorySave>(
            "stage-start variables", [](auto& p) { p.m_vStageStartVar.push_back(0); }, kCommonVariableCount),
        ListOf<cWorldMapData>(
            "world map cells", [](auto& m) { m.m_vCell.push_back(0); }, kMaxWorldMapCells),
        ListOf<cWorldMapData>(
            "world map points", [](auto& m) { m.m_vPoint.emplace_back(); }, kMaxWorldMapCells),
        ListOf<cWorldMapData>(
            "second world map points", [](auto& m) { m.m_vPoint2.emplace_back(); }, kMaxWorldMapCells),
    };
}

// A count is refused only for the bytes that are not there, however many
// entries the program uses, and before any element is made.
TEST(UntrustedFiles, AListLongerThanTheBytesLeftIsRefusedBeforeItsElements) {
    const int challenges = SystemData.m_nChallengeCount;
    for (const StoredList& list : ListsLongerThanUsed()) {
        SCOPED_TRACE(list.what);
        const auto count = static_cast<std::int32_t>(list.used + 1);
        const std::string refused = RefusalOf(list, FileWithCount(list, count));
        EXPECT_NE(refused.find("(list count " + std::to_string(count) + " larger than the file)"), std::string::npos)
            << refused;
    }
    SystemData.m_nChallengeCount = challenges;
}

TEST(UntrustedFiles, AStageGridNoEditorMakesIsRefused) {
    struct Case {
        int width, height;
        bool loads;
    };
    const Case cases[] = {
        {0, 0, true},
        {kMaxStageSide, 128, true},
        {128, kMaxStageSide, true},
        {kMaxStageSide + 1, 1, false},
        {1, kMaxStageSide + 1, false},
        {2048, 2048, true},
        {2048, 2049, false},
        {-1, 15, false},
        {20, INT_MIN, false},
        {INT_MAX, INT_MAX, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        cStageData stage;
        stage.m_nWidth = c.width;
        stage.m_nHeight = c.height;
        TestEnv env;
        cStageData loaded;
        EXPECT_EQ(loaded.LoadOpenedFile(OpenDataBytesRead("grid", SavedFileBytes(stage))), c.loads ? 1 : 0);
        if (c.loads) continue;
        EXPECT_NE(env.Report().find("stage grid " + std::to_string(c.width) + " x " + std::to_string(c.height)),
                  std::string::npos);
        EXPECT_EQ(loaded.m_nWidth, 0) << "a refused stage is a new one";
    }
}

// A file of one byte more than its kind allows is refused unread (a sparse
// file, so the test writes nothing of its size); one of exactly that size is
// read, and refused only for what it holds.
TEST(UntrustedFiles, AFileLargerThanAnyOfItsKindIsRefusedUnread) {
    struct Kind {
        const char* what;
        std::function<std::unique_ptr<cDataRecord>()> make;
        std::size_t most;
    };
    const Kind kinds[] = {
        {"stage", [] { return std::make_unique<cStageData>(); }, kMaxDataFileBytes},
        {"common palette", [] { return std::make_unique<cCommonPalette>(); }, kMaxDataFileBytes},
        {"story slot", [] { return std::make_unique<cStorySave>(); }, kMaxStoryFileBytes},
        {"options", [] { return std::make_unique<cOptionData>(); }, kMaxPlayerSettingsFileBytes},
        {"start-up choice", [] { return std::make_unique<cBootData>(); }, kMaxPlayerSettingsFileBytes},
        {"window placement", [] { return std::make_unique<cWindowData>(); }, kMaxPlayerSettingsFileBytes},
        {"rankings", [] { return std::make_unique<cRankingSet>(); }, kMaxPlayerSettingsFileBytes},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.what);
        TestEnv env;
        const std::string host = env.Dir().HostPath() + "/big.dat";
        env.Dir().WriteHostFile("big.dat", "");
        std::filesystem::resize_file(host, kind.most + 1);
        EXPECT_EQ(kind.make()->LoadFile("big.dat"), 0);
        EXPECT_EQ(env.Report(),
                  "big.dat : 読み込みを中止しました (larger than " + std::to_string(kind.most) + " bytes)\r\n");
        // A file of just the bound is read (a small bound only, to keep the
        // test light): whatever its zeros give, size is not the reason.
        if (kind.most > kMaxPlayerSettingsFileBytes) continue;
        std::filesystem::resize_file(host, kind.most);
        kind.make()->LoadFile("big.dat");
        EXPECT_EQ(env.Report().find("larger than", 60), std::string::npos) << env.Report();
    }
}

// ---- crafted files within 64 MB ----------------------------------------------

constexpr std::size_t kPeakLimit = std::size_t(64) << 20;

// What a crafted load took at its highest: the heap above what was held
// before it, plus the file's bytes that the test held for it.
struct Measured {
    int loaded;
    std::size_t peak;
};

Measured LoadMeasured(const std::function<int()>& load, std::size_t heldBytes = 0) {
    ResetHeapPeak();
    const int loaded = load();
    return {loaded, HeapPeakSinceReset() + heldBytes};
}

std::size_t g_highestPeak = 0;

void ExpectWithin(const std::string& what, const Measured& m) {
    EXPECT_LT(m.peak, kPeakLimit) << what;
    EXPECT_EQ(AbortFlag.load(), 0) << what << ": a bad file is refused, never a fatal close";
    g_highestPeak = std::max(g_highestPeak, m.peak);
}

void ExpectRefusedWithin(const std::string& what, const Measured& m) {
    EXPECT_EQ(m.loaded, 0) << what;
    ExpectWithin(what, m);
}

// Every list count of the formats set to the largest int (refused), and to
// as many elements as a megabyte of zeros behind it can hold at eight bytes
// each (within the memory a megabyte's file may take).
TEST(UntrustedFiles, HugeCountsAtEveryListLevelAreRefusedWithin64MB) {
    constexpr std::int32_t kHuge = 0x7ffffff0;
    constexpr std::size_t kZeros = std::size_t(1) << 20;
    for (const StoredList& list : ListsAtEveryLevel()) {
        SCOPED_TRACE(list.what);
        TestEnv env;
        auto r = list.make();
        ExpectRefusedWithin("largest count", LoadMeasured([&] {
                                return r->LoadOpenedFile(OpenDataBytesRead("crafted", FileWithCount(list, kHuge)));
                            }));
        Bytes padded = FileWithCount(list, static_cast<std::int32_t>(kZeros / 8));
        padded.resize(padded.size() + kZeros, 0);
        const std::size_t held = padded.size();
        const std::size_t reported = env.Report().size();
        auto again = list.make();
        // Where the zeros make elements of their own and end the file, it is
        // a long list of empty elements, and loads.
        ExpectWithin(
            "count of the zeros",
            LoadMeasured([&] { return again->LoadOpenedFile(OpenDataBytesRead("crafted", std::move(padded))); }, held));
        // A new animation set comes with its motions: so many of them are
        // more than the file's memory budget.
        if (std::string(list.what) == "animation sets") {
            EXPECT_NE(env.Report().find("bytes of memory", reported), std::string::npos) << env.Report();
        }
    }
    std::cout << "highest peak of a crafted count: " << g_highestPeak << " bytes\n";
}

Bytes CorpusFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Every int of every seed file of the fuzz corpora (stage files of three
// versions, world map, story slots of three versions, palette, options,
// rankings, replay, database tables, system data) replaced in turn by the
// extremes: counts, clamped fields and fields that old versions upgrade all
// meet INT_MIN and INT_MAX. A load may keep a value, but never takes more
// than 64 MB, never overflows (the sanitizer build stops on it) and never
// closes the program.
TEST(UntrustedFiles, ExtremeIntsAtEveryOffsetOfEverySeedStayWithin64MB) {
    const std::int32_t extremes[] = {INT_MIN, INT_MAX, 0x7ffffff0, -1};
    std::size_t loads = 0, highest = 0;
    for (const auto& [corpus, load] : PlayerFileCorpora()) {
        for (const auto& seed : std::filesystem::directory_iterator(std::string(FUZZ_CORPUS_DIR) + "/" + corpus)) {
            const Bytes file = CorpusFile(seed.path());
            ASSERT_GE(file.size(), 8u) << seed.path();
            for (std::size_t at = 0; at + 4 <= file.size(); ++at) {
                for (std::int32_t v : extremes) {
                    Bytes crafted = file;
                    std::memcpy(crafted.data() + at, &v, 4);
                    const std::size_t held = crafted.size();
                    const Measured m = LoadMeasured([&] { return load(std::move(crafted)); }, held);
                    ++loads;
                    highest = std::max(highest, m.peak);
                    ASSERT_LT(m.peak, kPeakLimit) << seed.path() << " int " << v << " at " << at;
                    ASSERT_EQ(AbortFlag.load(), 0) << seed.path() << " int " << v << " at " << at;
                }
            }
        }
    }
    std::cout << loads << " loads, highest peak " << highest << " bytes\n";
}

// A 32 MB file of a kind that allows it is read and refused for what it
// holds; one of 512 MB, or of more than its kind allows, is refused unread.
TEST(UntrustedFiles, LargeFilesAreRefusedWithin64MB) {
    struct Kind {
        const char* what;
        std::function<std::unique_ptr<cDataRecord>()> make;
    };
    const Kind kinds[] = {
        {"stage", [] { return std::make_unique<cStageData>(); }},
        {"common palette", [] { return std::make_unique<cCommonPalette>(); }},
        {"world map", [] { return std::make_unique<cWorldMapData>(); }},
        {"system data", [] { return std::make_unique<cSystemData>(); }},
        {"story slot", [] { return std::make_unique<cStorySave>(); }},
        {"options", [] { return std::make_unique<cOptionData>(); }},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.what);
        TestEnv env;
        {
            // The version, then bytes that are no count or size the format has.
            std::string bytes(std::size_t(32) << 20, '\xff');
            const std::int32_t version = kDataVersion;
            std::memcpy(bytes.data(), &version, 4);
            env.Dir().WriteHostFile("big.dat", bytes);
        }
        auto r = kind.make();
        ExpectRefusedWithin("32 MB", LoadMeasured([&] { return r->LoadFile("big.dat"); }));
        std::filesystem::resize_file(env.Dir().HostPath() + "/big.dat", std::size_t(512) << 20);
        ExpectRefusedWithin("512 MB", LoadMeasured([&] { return r->LoadFile("big.dat"); }));
        EXPECT_NE(env.Report().find("(larger than"), std::string::npos);
    }
}

TEST(UntrustedFiles, WhatIsNoFileIsRefusedAtOnceWithin64MB) {
    for (const auto& standIn : kStandIns) {
        SCOPED_TRACE(standIn.what);
        TestEnv env;
        ASSERT_TRUE(standIn.make(env.Dir().HostPath() + "/Stage1.stg4"));
        const int result = InChildWithin(5000, [] {
            cStageData stage;
            const Measured m = LoadMeasured([&] { return stage.LoadFile("Stage1.stg4"); });
            return m.loaded != 0 ? 1 : m.peak >= kPeakLimit ? 2 : 0;
        });
        EXPECT_EQ(result, 0) << "-1: still waiting after 5 s, 1: loaded, 2: took 64 MB";
    }
}

}  // namespace
