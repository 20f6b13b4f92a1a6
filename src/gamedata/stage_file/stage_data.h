#pragma once
// One stage in memory and the record of the stage file: the settings, the
// ranking-table flags, the out-of-range rules, the stage palette, the placed
// blocks, characters and items, the background layers and the names.
#include <array>
#include <cstdint>
#include <string>

#include "gamedata/definitions/block_def.h"
#include "gamedata/definitions/chara_def.h"
#include "gamedata/definitions/item_def.h"
#include "gamedata/stage_file/stage_records.h"
#include "gamedata/stage_file/stage_settings.h"

// Behind the names list of every file since version 173.
constexpr std::int32_t kStageEndCode = 123456789;
constexpr int kRankingTableCount = 5;
constexpr int kOutOfRangeRuleCount = 5;
// The largest grid a stage file may describe. A placed object names its cell
// in 16 bits, so a wider or higher grid has cells nothing can be put in; the
// cell count keeps the block map of play within a few hundred megabytes.
constexpr int kMaxStageSide = 32767;
constexpr long long kMaxStageCells = 1 << 22;

class cStageData : public cStageSettings {
public:
    cStageData();
    cStageData(const cStageData&) = default;
    cStageData(cStageData&&) noexcept = default;
    cStageData& operator=(const cStageData&) = default;
    cStageData& operator=(cStageData&&) noexcept = default;

    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;
    void OnLoadRefused() override;

    // The stage of a new project (the names list is kept).
    void Reset();
    // Writes this stage's palette and placed objects with the settings,
    // layers and names of `settings`.
    void SaveToReplay(cDataFile& file, cStageData& settings);
    int Validate();
    int FindHero() const;
    bool HasHero() const { return FindHero() != -1; }

    // The settings, layers, names, rules and ranking flags of `src`.
    void CopySettingsFrom(const cStageData& src);
    // Empties the palette and the placed lists.
    void ClearDefinitions();

    cVector<cBlockDef> m_vPlacedBlocks;
    cVector<cCharaDef> m_vPlacedCharas;
    cVector<cItemDef> m_vPlacedItems;
    cVector<cBlockDef> m_vPaletteBlocks;
    cVector<cCharaDef> m_vPaletteCharas;
    cVector<cItemDef> m_vPaletteItems;
    cVector<cStageLayer> m_vLayers;
    cVector<cStageName> m_vNames;
    cVector<std::int32_t> m_vnRankingOn;
    std::array<cStageSetting, kOutOfRangeRuleCount> m_Remove;

    // Describe the last load request; not in the file.
    std::string m_strPath;
    std::int32_t m_bNumbered = 0;
    std::int32_t m_bLoaded = 0;
    // The end code the last load read (files since version 173).
    std::int32_t m_nEndCode = 0;

private:
    bool LoadRankingFlags(cDataFile& f);
    bool LoadPlacedLists(cDataFile& f);
    bool CheckGridSize(cDataFile& f) const;
    void Upgrade(int fileVersion);
    void SaveSettingsPart(cDataFile& f);
    void SaveDefinitionLists(cDataFile& f);
    void SaveLayersAndNames(cDataFile& f);
};

// Built with the other global objects (gamedata/global_data.h).
// The stage as read from its file, used and changed by stage play.
extern cStageData& LoadedStage;
// The settings of the last loaded stage, restored at every stage reset.
extern cStageData& PlayStage;
// The placed hero's definition, copied after every stage load.
extern cCharaDef& HeroDef;
