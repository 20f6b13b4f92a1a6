#include "scenes/crafted_lists.h"

#include <gtest/gtest.h>

#include "gamedata/fixtures/record_io.h"
#include "gamedata/project/system_data.h"
#include "gamedata/story/story_save.h"
#include "scenes/rankings/ranking_set.h"

Bytes FileWithCount(const StoredList& list, std::int32_t count) {
    auto plain = list.make();
    const Bytes a = SavedFileBytes(*plain);
    list.lengthen(*plain);
    const Bytes b = SavedFileBytes(*plain);
    std::size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
    EXPECT_LT(at, a.size()) << list.what << ": the longer list saved the same file";
    Bytes file(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(at));
    for (int shift = 0; shift < 32; shift += 8) file.push_back(static_cast<std::uint8_t>(count >> shift));
    return file;
}

// A stage whose palette character runs a flow with conditions, key
// conditions and a command that carries a flow, and whose palette item has a
// command: a list at every level the stage format has.
cStageData RichStage() {
    cStageData s;
    s.m_nWidth = 20;
    s.m_nHeight = 15;
    s.m_vPaletteCharas.resize(2);
    cCharaDef& chara = s.m_vPaletteCharas[1];
    chara.m_vCond.resize(1);
    chara.m_vFlow.resize(1);
    cFlow& flow = chara.m_vFlow[0];
    flow.m_vCond.resize(1);
    flow.m_vKeyCond.resize(1);
    flow.m_vCmd.resize(1);
    flow.m_vCmd[0].m_vFlow.resize(1);
    s.m_vPaletteItems.resize(2);
    s.m_vPaletteItems[1].m_vCmd.resize(1);
    s.m_vPlacedCharas.resize(1);
    s.m_vNames.resize(2);
    return s;
}

cWorldMapData RichWorldMap() {
    cWorldMapData map;
    map.SetDefaults();
    map.m_vChip.resize(2);
    map.m_vPoint.resize(1);
    map.m_vPoint[0].m_vLink.resize(1);
    return map;
}

std::vector<StoredList> ListsAtEveryLevel() {
    using Stage = cStageData;
    const std::function<Stage()> stage = RichStage;
    const std::function<cWorldMapData()> map = RichWorldMap;
    const std::function<cStorySave()> story = [] { return cStorySave(); };
    const std::function<cSystemData()> sys = [] { return cSystemData(); };
    const std::function<cRankingSet()> ranking = [] { return cRankingSet(); };
    const std::function<AnimeSetFile()> animeSets = [] { return AnimeSetFile(); };
    const std::function<AnimeFile()> animes = [] { return AnimeFile(); };
    return {
        RichListOf("stage palette characters", stage, [](Stage& s) { s.m_vPaletteCharas.emplace_back(); }),
        RichListOf("conditions of a character", stage, [](Stage& s) { s.m_vPaletteCharas[1].m_vCond.emplace_back(); }),
        // An empty flow is dropped when saved: the new one copies the first.
        RichListOf("flows of a character", stage,
                   [](Stage& s) { s.m_vPaletteCharas[1].m_vFlow.push_back(s.m_vPaletteCharas[1].m_vFlow[0]); }),
        RichListOf("conditions of a flow", stage,
                   [](Stage& s) { s.m_vPaletteCharas[1].m_vFlow[0].m_vCond.emplace_back(); }),
        RichListOf("key conditions of a flow", stage,
                   [](Stage& s) { s.m_vPaletteCharas[1].m_vFlow[0].m_vKeyCond.emplace_back(); }),
        RichListOf("commands of a flow", stage,
                   [](Stage& s) { s.m_vPaletteCharas[1].m_vFlow[0].m_vCmd.emplace_back(); }),
        RichListOf("flows a command carries", stage,
                   [](Stage& s) { s.m_vPaletteCharas[1].m_vFlow[0].m_vCmd[0].m_vFlow.emplace_back(); }),
        RichListOf("commands of an item", stage, [](Stage& s) { s.m_vPaletteItems[1].m_vCmd.emplace_back(); }),
        RichListOf("placed characters", stage, [](Stage& s) { s.m_vPlacedCharas.emplace_back(); }),
        RichListOf("stage layers", stage, [](Stage& s) { s.m_vLayers.emplace_back(); }),
        RichListOf("stage names", stage, [](Stage& s) { s.m_vNames.emplace_back(); }),
        RichListOf("world map chips", map, [](cWorldMapData& m) { m.m_vChip.emplace_back(); }),
        RichListOf("world map points", map, [](cWorldMapData& m) { m.m_vPoint.emplace_back(); }),
        RichListOf("stage links of a point", map, [](cWorldMapData& m) { m.m_vPoint[0].m_vLink.emplace_back(); }),
        RichListOf("kept status", story, [](cStorySave& p) { p.m_vKept.emplace_back(); }),
        RichListOf("cleared stages", story, [](cStorySave& p) { p.m_vCleared.emplace_back(); }),
        RichListOf("common variables", story, [](cStorySave& p) { p.m_vVar.push_back(0); }),
        RichListOf("status items", sys, [](cSystemData& d) { d.StatusItems.emplace_back(); }),
        RichListOf("system texts", sys, [](cSystemData& d) { d.SystemTexts.emplace_back(); }),
        RichListOf("ranking tables", ranking, [](cRankingSet& r) { r.m_vTables.emplace_back(); }),
        RichListOf("ranking entries", ranking, [](cRankingSet& r) { r.m_vTables[0].m_vEntries.emplace_back(); }),
        RichListOf("animation sets", animeSets, [](AnimeSetFile& f) { f.table.emplace_back(); }),
        RichListOf("motions of a set", animeSets, [](AnimeSetFile& f) { f.table[0].m_vMotions.emplace_back(); }),
        RichListOf("frames of a motion", animeSets,
                   [](AnimeSetFile& f) { f.table[0].m_vMotions[0].m_vFrames.emplace_back(); }),
        RichListOf("frames of an animation", animes, [](AnimeFile& f) { f.table[0].m_vFrames.emplace_back(); }),
    };
}
