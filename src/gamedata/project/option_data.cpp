#include "gamedata/project/option_data.h"

#include "foundation/strings.h"

cOptionData::cOptionData() { SetDefaults(); }

void cOptionData::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_nPalette);
    AddField(&m_bMusic);
    AddField(&m_nVolume);
    AddField(&m_nRankingMode);
    AddString(&m_strRankingName);
}

void cOptionData::SetDefaults() {
    UseFields(DataVersion);
    Reset();
    m_bMusic = 1;
    m_nVolume = 7;
    m_strRankingName = "aaa";
}

void cOptionData::ClampToRanges() {
    Clamp(m_nPalette, 0, kPaletteCount - 1);
    Clamp(m_bMusic, 0, 1);
    Clamp(m_nVolume, 0, kVolumeLevels - 1);
    Clamp(m_nRankingMode, 0, kRankingModes - 1);
}

bool cOptionData::Load(cDataFile& file) {
    bool ok = cDataRecord::Load(file);
    ClampToRanges();
    return ok;
}

void cOptionData::OnLoadRefused() { SetDefaults(); }
