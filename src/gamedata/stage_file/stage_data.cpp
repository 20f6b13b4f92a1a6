#include "gamedata/stage_file/stage_data.h"

#include <algorithm>
#include <string>

#include "gamedata/definitions/common_palette.h"
#include "gamedata/definitions/palette_lists.h"
#include "gamedata/project/data_limits.h"
#include "gamedata/stage_file/stage_load_runner.h"

namespace {

// The loader gives up between two objects when its caller stops it.
bool StopRequested(cDataFile& f) {
    if (!StageLoadStopRequested()) return false;
    f.Fail("load stopped");
    return true;
}

// Placed objects are preceded by an int that is written as 0 and ignored.
// They are built one by one (they never refer to each other), so a stop is
// seen between any two of them.
template <class Def>
bool LoadPlacedList(cDataFile& f, cVector<Def>& list) {
    return ReadList(f, list, {12}, [&f](Def& def) {
        if (StopRequested(f)) return false;
        f.ReadInt();
        // Load leaves the member lists registered at the current version.
        return def.Load(f);
    });
}

template <class Def>
void SavePlacedList(cDataFile& f, cVector<Def>& list) {
    f.WriteInt(list.Count());
    for (auto& def : list) {
        f.WriteInt(0);
        def.Save(f);
    }
}

template <class Def>
void ResetPaletteList(cVector<Def>& list) {
    list.assign(1, Def());
}

}  // namespace

cStageData::cStageData() { Reset(); }

void cStageData::Reset() {
    ResetSettings();
    m_vPlacedBlocks.clear();
    m_vPlacedCharas.clear();
    m_vPlacedItems.clear();
    ResetPaletteList(m_vPaletteBlocks);
    ResetPaletteList(m_vPaletteCharas);
    ResetPaletteList(m_vPaletteItems);
    // A new stage shows a plain fill.
    m_vLayers.assign(1, cStageLayer());
    m_vLayers[0].m_bFill = 1;
    m_vnRankingOn.assign(kRankingTableCount, 1);
    for (auto& rule : m_Remove) rule.SetFlagsAndMargins(0, 0);
    m_Remove[3].SetFlagsAndMargins(1, 0);
    m_Remove[4].SetFlagsAndMargins(1, 10);
}

void cStageData::OnLoadRefused() {
    // A half-read stage must not be played: it becomes a new stage.
    Reset();
}

bool cStageData::LoadRankingFlags(cDataFile& f) { return ReadValueList(f, m_vnRankingOn, StoredCount::NoneKeeps); }

bool cStageData::CheckGridSize(cDataFile& f) const {
    if (m_nWidth >= 0 && m_nHeight >= 0 && m_nWidth <= kMaxStageSide && m_nHeight <= kMaxStageSide &&
        static_cast<long long>(m_nWidth) * m_nHeight <= kMaxStageCells) {
        return true;
    }
    f.Fail("stage grid " + std::to_string(m_nWidth) + " x " + std::to_string(m_nHeight));
    return false;
}

bool cStageData::LoadPlacedLists(cDataFile& f) {
    return LoadPlacedList(f, m_vPlacedBlocks) && LoadPlacedList(f, m_vPlacedCharas) &&
           LoadPlacedList(f, m_vPlacedItems);
}

bool cStageData::Load(cDataFile& f) {
    if (!cDataRecord::Load(f) || !CheckGridSize(f) || !LoadRankingFlags(f)) return false;
    for (auto& rule : m_Remove) {
        if (!rule.Load(f)) return false;
    }
    // The palettes come first: the placed objects inherit from them.
    if (!LoadPaletteList(f, m_vPaletteBlocks) || !LoadPaletteList(f, m_vPaletteCharas) ||
        !LoadPaletteList(f, m_vPaletteItems) || !LoadPlacedLists(f) || !ReadRecordList(f, m_vLayers) ||
        !ReadRecordList(f, m_vNames)) {
        return false;
    }
    // A stage file's end code was checked before the load started; a stage
    // inside a replay is checked by its reader.
    if (FileVersion >= 173 && !f.ReadInt(m_nEndCode)) return false;
    if (StopRequested(f)) return false;
    if (FileVersion < DataVersion) Upgrade(FileVersion);
    Validate();
    return true;
}

void cStageData::Upgrade(int fv) {
    UpgradeSettings(fv);
    if (fv < 181) {
        m_vnRankingOn.resize(kRankingTableCount, 0);
        m_vnRankingOn[3] = m_vnRankingOn[4] = 0;
    }
    if (fv < 754) m_vNames.resize(1000);
    for (auto& layer : m_vLayers) layer.UpgradeAutoSpeed(fv);
}

void cStageData::SaveSettingsPart(cDataFile& f) {
    cDataRecord::Save(f);
    f.WriteInt(m_vnRankingOn.Count());
    for (auto flag : m_vnRankingOn) f.WriteInt(flag);
    for (auto& rule : m_Remove) rule.Save(f);
}

void cStageData::SaveDefinitionLists(cDataFile& f) {
    SaveRecordList(f, m_vPaletteBlocks);
    SaveRecordList(f, m_vPaletteCharas);
    SaveRecordList(f, m_vPaletteItems);
    SavePlacedList(f, m_vPlacedBlocks);
    SavePlacedList(f, m_vPlacedCharas);
    SavePlacedList(f, m_vPlacedItems);
}

void cStageData::SaveLayersAndNames(cDataFile& f) {
    SaveRecordList(f, m_vLayers);
    SaveRecordList(f, m_vNames);
}

void cStageData::Save(cDataFile& f) { SaveToReplay(f, *this); }

void cStageData::SaveToReplay(cDataFile& f, cStageData& settings) {
    Validate();
    settings.SaveSettingsPart(f);
    SaveDefinitionLists(f);
    settings.SaveLayersAndNames(f);
    f.WriteInt(kStageEndCode);
}

int cStageData::Validate() {
    ClampViewLimits();
    // A stage file must never give a zero divisor to the frame timing or the
    // sub-step physics.
    m_nHitCheckLevel = std::clamp(m_nHitCheckLevel, kMinHitCheckLevel, kMaxHitCheckLevel);
    m_nFps = std::max(m_nFps, 1);
    LoadedStage.SetHitCheckLevel(LoadedStage.m_nHitCheckLevel);
    if (static_cast<std::uint32_t>(m_nBgm) >= static_cast<std::uint32_t>(GetDataLimits().Count(DbTable::Bgm))) {
        m_nBgm = 0;
    }
    ValidatePaletteLists(m_vPaletteBlocks, m_vPaletteCharas, m_vPaletteItems);
    NormalizeDefinitions(m_vPlacedBlocks);
    NormalizeDefinitions(m_vPlacedCharas);
    NormalizeDefinitions(m_vPlacedItems);
    return 1;
}

int cStageData::FindHero() const {
    for (int i = 0; i < m_vPlacedCharas.Count(); ++i) {
        const cCharaDef& c = m_vPlacedCharas[i];
        if (c.m_sCell != 0 && c.m_cOperation == CharaOperation::Player) return i;
    }
    return -1;
}

void cStageData::CopySettingsFrom(const cStageData& src) {
    CopyFrom(src);
    m_vLayers = src.m_vLayers;
    m_vNames = src.m_vNames;
    for (int i = 0; i < kOutOfRangeRuleCount; ++i)
        m_Remove[static_cast<std::size_t>(i)].Assign(src.m_Remove[static_cast<std::size_t>(i)]);
    m_vnRankingOn = src.m_vnRankingOn;
}

void cStageData::ClearDefinitions() {
    m_vPlacedBlocks.clear();
    m_vPlacedCharas.clear();
    m_vPlacedItems.clear();
    m_vPaletteBlocks.clear();
    m_vPaletteCharas.clear();
    m_vPaletteItems.clear();
}
