// Lists a file stores longer than the program uses them: the file loads with
// the whole list, the program reads the entries it knows, and saving writes
// the list back byte for byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gamedata/definitions/common_palette.h"
#include "gamedata/fixtures/record_io.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "gamedata/story/story_save.h"
#include "support/test_env.h"

namespace {

struct LongList {
    const char* what;
    int stored;
    // A record whose list holds n entries.
    std::function<std::unique_ptr<cDataRecord>(int n)> make;
    std::function<int(const cDataRecord&)> count;
};

template <class Record>
LongList Long(const char* what, int stored, std::function<void(Record&, int)> resize,
              std::function<int(const Record&)> count) {
    return {what, stored,
            [resize](int n) {
                auto r = std::make_unique<Record>();
                resize(*r, n);
                return std::unique_ptr<cDataRecord>(std::move(r));
            },
            [count](const cDataRecord& r) { return count(static_cast<const Record&>(r)); }};
}

// Every list gets six entries, or one more than the program uses when it
// uses six or more; the entries are told apart by their values where they
// hold any.
template <class T>
void Numbered(cVector<T>& list, int n) {
    list.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) list[static_cast<std::size_t>(i)] = static_cast<T>(i % 3);
}

std::vector<LongList> LongLists() {
    using Stage = cStageData;
    using Story = cStorySave;
    using Palette = cCommonPalette;
    return {
        Long<Stage>(
            "stage ranking tables", kRankingTableCount + 1, [](Stage& s, int n) { Numbered(s.m_vnRankingOn, n); },
            [](const Stage& s) { return s.m_vnRankingOn.Count(); }),
        Long<Stage>(
            "stage palette blocks", 6, [](Stage& s, int n) { s.m_vPaletteBlocks.resize(n); },
            [](const Stage& s) { return s.m_vPaletteBlocks.Count(); }),
        Long<Stage>(
            "stage palette characters", 6, [](Stage& s, int n) { s.m_vPaletteCharas.resize(n); },
            [](const Stage& s) { return s.m_vPaletteCharas.Count(); }),
        Long<Stage>(
            "stage palette items", 6, [](Stage& s, int n) { s.m_vPaletteItems.resize(n); },
            [](const Stage& s) { return s.m_vPaletteItems.Count(); }),
        Long<Stage>(
            "placed blocks", 6, [](Stage& s, int n) { s.m_vPlacedBlocks.resize(n); },
            [](const Stage& s) { return s.m_vPlacedBlocks.Count(); }),
        Long<Stage>(
            "placed characters", 6, [](Stage& s, int n) { s.m_vPlacedCharas.resize(n); },
            [](const Stage& s) { return s.m_vPlacedCharas.Count(); }),
        Long<Stage>(
            "placed items", 6, [](Stage& s, int n) { s.m_vPlacedItems.resize(n); },
            [](const Stage& s) { return s.m_vPlacedItems.Count(); }),
        Long<Palette>(
            "common palette blocks", 6, [](Palette& p, int n) { p.m_vPaletteBlocks.resize(n); },
            [](const Palette& p) { return p.m_vPaletteBlocks.Count(); }),
        Long<Palette>(
            "common palette characters", 6, [](Palette& p, int n) { p.m_vPaletteCharas.resize(n); },
            [](const Palette& p) { return p.m_vPaletteCharas.Count(); }),
        Long<Palette>(
            "common palette items", 6, [](Palette& p, int n) { p.m_vPaletteItems.resize(n); },
            [](const Palette& p) { return p.m_vPaletteItems.Count(); }),
        Long<Story>(
            "carry switches", kCarryItemCount + 1, [](Story& p, int n) { Numbered(p.m_vCarry, n); },
            [](const Story& p) { return p.m_vCarry.Count(); }),
        Long<Story>(
            "map-point flags", kMapPointFlagCount + 1, [](Story& p, int n) { Numbered(p.m_vMapPoint, n); },
            [](const Story& p) { return p.m_vMapPoint.Count(); }),
        Long<Story>(
            "common variables", kCommonVariableCount + 1, [](Story& p, int n) { Numbered(p.m_vVar, n); },
            [](const Story& p) { return p.m_vVar.Count(); }),
        Long<Story>(
            "stage-start variables", kCommonVariableCount + 1, [](Story& p, int n) { Numbered(p.m_vStageStartVar, n); },
            [](const Story& p) { return p.m_vStageStartVar.Count(); }),
        Long<cSystemData>(
            "ranking genres of a game kind", kGenreCount + 1,
            [](cSystemData& d, int n) { Numbered(d.RankingSettings[kGameStory].m_vGenres, n); },
            [](const cSystemData& d) { return d.RankingSettings[kGameStory].m_vGenres.Count(); }),
    };
}

TEST(StoredLists, ALongerListThanTheProgramUsesLoadsWholeAndIsWrittenBackUnchanged) {
    for (const LongList& list : LongLists()) {
        SCOPED_TRACE(list.what);
        TestEnv env;
        auto written = list.make(list.stored);
        const std::vector<std::uint8_t> bytes = SavedFileBytes(*written);
        ASSERT_EQ(list.count(*written), list.stored) << "saving kept the list as it was made";
        auto loaded = list.make(1);
        ASSERT_EQ(loaded->LoadOpenedFile(OpenDataBytesRead("long", bytes)), 1) << env.Report();
        EXPECT_EQ(list.count(*loaded), list.stored);
        EXPECT_EQ(SavedFileBytes(*loaded), bytes);
    }
}

}  // namespace
