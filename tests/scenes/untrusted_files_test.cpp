// Files that no editor writes: lists longer than their format can hold, grids
// larger than any stage, and files larger than any of their kind. Each is
// refused with a report line before anything is allocated for it.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gamedata/definitions/common_palette.h"
#include "gamedata/fixtures/record_io.h"
#include "gamedata/project/option_data.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "gamedata/story/story_save.h"
#include "gamedata/story/world_map.h"
#include "scenes/rankings/ranking_set.h"
#include "shell/boot_data.h"
#include "shell/window_data.h"
#include "support/test_env.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A list of a record's file: the record as saved, and a change that makes
// the list one element longer. The first byte where the two files differ is
// the low byte of the list's count.
struct StoredList {
    const char* what;
    std::function<std::unique_ptr<cDataRecord>()> make;
    std::function<void(cDataRecord&)> lengthen;
    std::size_t most;
};

template <class Record>
StoredList ListOf(const char* what, std::function<void(Record&)> lengthen, std::size_t most) {
    return {what, [] { return std::make_unique<Record>(); },
            [lengthen](cDataRecord& r) { lengthen(static_cast<Record&>(r)); }, most};
}

// The record's file cut just before the list's count, with `count` written
// in its place and no element after it.
Bytes FileWithCount(const StoredList& list, std::int32_t count) {
    auto plain = list.make();
    const Bytes a = SavedFileBytes(*plain);
    list.lengthen(*plain);
    const Bytes b = SavedFileBytes(*plain);
    std::size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
    Bytes file(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(at));
    for (int shift = 0; shift < 32; shift += 8) file.push_back(static_cast<std::uint8_t>(count >> shift));
    return file;
}

// The reason the load gave in the run report; empty when it loaded.
std::string RefusalOf(const StoredList& list, Bytes file) {
    TestEnv env;
    auto r = list.make();
    if (r->LoadOpenedFile(OpenDataBytesRead("crafted", std::move(file)))) return "";
    return env.Report();
}

// Saving pads a palette to two entries.
template <class Def>
void AddDefinition(cVector<Def>& list) {
    list.resize(std::max<std::size_t>(list.size(), 2) + 1);
}

std::vector<StoredList> ListsWithALimit() {
    return {
        ListOf<cCommonPalette>(
            "common palette blocks", [](auto& p) { AddDefinition(p.m_vPaletteBlocks); }, kMaxPaletteEntries),
        ListOf<cCommonPalette>(
            "common palette characters", [](auto& p) { AddDefinition(p.m_vPaletteCharas); }, kMaxPaletteEntries),
        ListOf<cCommonPalette>(
            "common palette items", [](auto& p) { AddDefinition(p.m_vPaletteItems); }, kMaxPaletteEntries),
        ListOf<cStageData>(
            "stage ranking flags", [](auto& s) { s.m_vnRankingOn.push_back(1); }, kRankingTableCount),
        ListOf<cStageData>(
            "stage palette blocks", [](auto& s) { AddDefinition(s.m_vPaletteBlocks); }, kMaxPaletteEntries),
        ListOf<cStageData>(
            "stage palette characters", [](auto& s) { AddDefinition(s.m_vPaletteCharas); }, kMaxPaletteEntries),
        ListOf<cStageData>(
            "stage palette items", [](auto& s) { AddDefinition(s.m_vPaletteItems); }, kMaxPaletteEntries),
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

TEST(UntrustedFiles, AListLongerThanItsFormatHoldsIsRefusedBeforeItsElements) {
    const int challenges = SystemData.m_nChallengeCount;
    for (const StoredList& list : ListsWithALimit()) {
        SCOPED_TRACE(list.what);
        const auto most = static_cast<std::int32_t>(list.most);
        // At the limit only the missing elements refuse the file.
        const std::string atLimit = RefusalOf(list, FileWithCount(list, most));
        EXPECT_NE(atLimit.find("larger than the file"), std::string::npos) << atLimit;
        const std::string above = RefusalOf(list, FileWithCount(list, most + 1));
        EXPECT_NE(above.find("(list count " + std::to_string(most + 1) + " above the most the format holds, " +
                             std::to_string(most) + ")"),
                  std::string::npos)
            << above;
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

}  // namespace
