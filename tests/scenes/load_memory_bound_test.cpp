// What a load may take on the heap, against the size of its file: the
// largest real files of each kind load within the bound, with room, and a
// file whose counts fit its bytes but ask for more than the bound is refused
// with its report line before it takes it. Each row prints its ratio.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "foundation/abort.h"
#include "foundation/data_file.h"
#include "gamedata/base/data_limits.h"
#include "gamedata/definitions/common_palette.h"
#include "gamedata/fixtures/record_io.h"
#include "gamedata/project/system_data.h"
#include "gamedata/story/story_save.h"
#include "platform/files.h"
#include "scenes/corpus_loaders.h"
#include "scenes/crafted_lists.h"
#include "scenes/heap_peak.h"
#include "scenes/stage_play/key_log.h"
#include "shell/input/key_state.h"
#include "support/large_stage.h"
#include "support/test_env.h"

namespace {

// The most a load of a file of `size` bytes may take on the heap: the
// file's own bytes, what its counts may ask for, and the fixed parts of the
// records it is read into, within a second floor.
std::size_t HeapBound(std::size_t size) { return 2 * kLoadMemoryFloor + (kLoadMemoryPerFileByte + 1) * size; }

struct Measured {
    int loaded;
    std::size_t peak;  // the heap above what was held before, the file included
};

Measured LoadMeasured(const FileLoader& load, Bytes file) {
    const std::size_t held = file.size();
    ResetHeapPeak();
    const int loaded = load(std::move(file));
    return {loaded, HeapPeakSinceReset() + held};
}

double Ratio(std::size_t peak, std::size_t size) { return static_cast<double>(peak) / static_cast<double>(size); }

// ---- the largest real files -------------------------------------------------

// The stage the stage-load benchmark reads: 300 x 300 placed blocks and
// 2,000 characters with flows.
Bytes LargeStage() {
    cStageData s;
    BuildLargeStage(s, 300, 300, 2000);
    return SavedFileBytes(s);
}

// A common palette of a large project: 1,000 blocks, 2,000 characters with
// flows, 1,000 items with commands.
Bytes LargePalette() {
    cStageData s;
    BuildLargeStage(s, 1, 1, 2000);
    cCommonPalette p;
    p.m_vPaletteBlocks.resize(1000);
    p.m_vPaletteCharas = s.m_vPlacedCharas;
    p.m_vPaletteItems.resize(1000);
    for (auto& item : p.m_vPaletteItems) item.m_vCmd.resize(4);
    return SavedFileBytes(p);
}

// A 1,000 x 1,000 world map with 2,000 points of four stage links each.
Bytes LargeWorldMap() {
    cWorldMapData map;
    map.SetDefaults();
    map.SetSize(1000, 1000);
    map.m_vChip.resize(256);
    map.m_vPoint.resize(2000);
    for (int i = 0; i < 2000; ++i) {
        map.m_vPoint[i].m_nX = i % 1000;
        map.m_vPoint[i].m_nY = i / 1000;
        map.m_vPoint[i].m_vLink.resize(4);
    }
    return SavedFileBytes(map);
}

// The animation sets of the database benchmark's large project: 500 sets of
// 8 frames in every motion.
Bytes LargeAnimeSets() {
    TableFile<cAnimeSet> file;
    cAnimeSet set;
    for (auto& m : set.m_vMotions) m.m_vFrames.resize(8);
    file.table.assign(500, set);
    return SavedFileBytes(file);
}

// Its 2,000 animations of 8 frames.
Bytes LargeAnimes() {
    TableFile<cAnime> file;
    cAnime anime("アニメーション");
    anime.m_vFrames.resize(8);
    file.table.assign(2000, anime);
    return SavedFileBytes(file);
}

// A replay of the large stage: the stage, an hour of key states, the progress.
Bytes LargeReplay() {
    TestEnv env;
    cStageData stage;
    BuildLargeStage(stage, 300, 300, 2000);
    cKeyLog log;
    cKeyState keys;
    for (int frame = 0; frame < 60 * 60 * 60; ++frame) log.Record(keys);
    cStorySave progress;
    EXPECT_EQ(log.SaveReplayFile("large.rep", stage, stage, progress), 1);
    Bytes bytes;
    platform::ReadWholeFile(env.Dir().HostPath() + "/large.rep", bytes);
    return bytes;
}

// A table file as the database loader reads it: after the byte that picks
// the table (0 the animation sets, 1 the animations).
Bytes Picked(std::uint8_t pick, Bytes file) {
    file.insert(file.begin(), pick);
    return file;
}

TEST(LoadMemoryBound, TheLargestRealFilesLoadWithinTheBound) {
    DataLimits limits;
    limits.dbCount.fill(100);
    SetDataLimits(limits);
    struct Real {
        const char* what;
        std::function<Bytes()> make;
        FileLoader load;
    };
    const Real reals[] = {
        {"stage 300 x 300, 2,000 characters", LargeStage, LoaderOf<cStageData>()},
        {"common palette", LargePalette, LoaderOf<cCommonPalette>()},
        {"world map 1,000 x 1,000", LargeWorldMap, LoaderOf<cWorldMapData>()},
        {"animation sets", [] { return Picked(0, LargeAnimeSets()); }, LoadPickedGameData},
        {"animations", [] { return Picked(1, LargeAnimes()); }, LoadPickedGameData},
        {"replay of the large stage", LargeReplay, LoadReplayBytes},
    };
    for (const Real& real : reals) {
        SCOPED_TRACE(real.what);
        TestEnv env;
        Bytes file = real.make();
        const std::size_t size = file.size();
        const Measured m = LoadMeasured(real.load, std::move(file));
        EXPECT_EQ(m.loaded, 1) << env.Report();
        EXPECT_LE(m.peak, HeapBound(size));
        std::printf("%-36s %10zu bytes, heap %10zu (%.2f per byte, bound %.2f)\n", real.what, size, m.peak,
                    Ratio(m.peak, size), Ratio(HeapBound(size), size));
    }
    SetDataLimits(DataLimits{});
}

// ---- crafted counts ---------------------------------------------------------

// The list's file with `count` elements and eight zero bytes for each, the
// least an element is stored in.
Bytes CraftedFile(const StoredList& list, std::int32_t count) {
    Bytes file = FileWithCount(list, count);
    file.resize(file.size() + std::size_t(8) * static_cast<std::size_t>(count), 0);
    return file;
}

struct Crafted {
    Measured measured;
    std::size_t size;
    bool overBudget;  // refused for the memory its counts ask
    std::string report;
};

Crafted LoadCrafted(const StoredList& list, std::int32_t count) {
    TestEnv env;
    Bytes file = CraftedFile(list, count);
    const std::size_t size = file.size();
    const Measured m = LoadMeasured(
        [&list](Bytes b) { return list.make()->LoadOpenedFile(OpenDataBytesRead("crafted", std::move(b))); },
        std::move(file));
    const std::string report = env.Report();
    return {m, size, report.find("bytes of memory") != std::string::npos, report};
}

// Every list of every file kind, its count raised until the file asks for
// more than the bound: the first count that does is refused with its report
// line, the one before it is not refused for memory, and neither takes more
// than the bound of its size. Lists whose elements never ask for more than
// the bound stay within it at a count of eight megabytes of elements.
TEST(LoadMemoryBound, CraftedCountsThatFitTheBytesStayWithinTheBound) {
    constexpr std::int32_t kMostElements = (8 << 20) / 8;
    for (const StoredList& list : ListsAtEveryLevel()) {
        SCOPED_TRACE(list.what);
        std::int32_t low = 1, high = kMostElements;
        const Crafted most = LoadCrafted(list, high);
        if (!most.overBudget) {
            EXPECT_LE(most.measured.peak, HeapBound(most.size));
            EXPECT_EQ(AbortFlag.load(), 0);
            std::printf("%-28s never over the bound: %zu bytes, heap %.2f per byte\n", list.what, most.size,
                        Ratio(most.measured.peak, most.size));
            continue;
        }
        // The first count whose file is refused for memory, found by halving.
        while (high - low > 1) {
            const std::int32_t mid = low + (high - low) / 2;
            (LoadCrafted(list, mid).overBudget ? high : low) = mid;
        }
        const Crafted over = LoadCrafted(list, high);
        const Crafted under = LoadCrafted(list, low);
        EXPECT_TRUE(over.overBudget);
        EXPECT_EQ(over.measured.loaded, 0);
        EXPECT_NE(over.report.find("crafted : "), std::string::npos) << over.report;
        EXPECT_FALSE(under.overBudget) << under.report;
        EXPECT_LE(over.measured.peak, HeapBound(over.size));
        EXPECT_LE(under.measured.peak, HeapBound(under.size));
        EXPECT_EQ(AbortFlag.load(), 0);
        std::printf("%-28s refused from %zu bytes, heap %.2f per byte (%.2f just under)\n", list.what, over.size,
                    Ratio(over.measured.peak, over.size), Ratio(under.measured.peak, under.size));
    }
}

}  // namespace
