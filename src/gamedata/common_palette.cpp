#include "gamedata/common_palette.h"

#include "gamedata/palette_lists.h"

cCommonPalette::cCommonPalette() {
    Reset();
    m_vPaletteBlocks.assign(1, cBlockDef());
    m_vPaletteCharas.assign(1, cCharaDef());
    m_vPaletteItems.assign(1, cItemDef());
}

void cCommonPalette::RegisterFields(int) { ClearFieldLists(); }

bool cCommonPalette::Load(cDataFile& f) {
    if (!cDataRecord::Load(f) || !LoadPaletteList(f, m_vPaletteBlocks) || !LoadPaletteList(f, m_vPaletteCharas) ||
        !LoadPaletteList(f, m_vPaletteItems)) {
        return false;
    }
    // The palette keeps the resolved values and inherits nothing later.
    for (auto& d : m_vPaletteBlocks) d.m_vbInherit.Fill(0);
    for (auto& d : m_vPaletteCharas) d.m_vbInherit.Fill(0);
    for (auto& d : m_vPaletteItems) d.m_vbInherit.Fill(0);
    Validate();
    return true;
}

void cCommonPalette::Save(cDataFile& f) {
    Validate();
    cDataRecord::Save(f);
    SaveRecordList(f, m_vPaletteBlocks);
    SaveRecordList(f, m_vPaletteCharas);
    SaveRecordList(f, m_vPaletteItems);
}

void cCommonPalette::OnLoadRefused() {
    // A palette left half-built would give later stages wrong bases.
    *this = cCommonPalette();
}

void cCommonPalette::Validate() {
    PadPaletteList(m_vPaletteBlocks);
    PadPaletteList(m_vPaletteCharas);
    PadPaletteList(m_vPaletteItems);
    SyncPaletteLimits();
    NormalizeDefinitions(m_vPaletteBlocks);
    NormalizeDefinitions(m_vPaletteCharas);
    NormalizeDefinitions(m_vPaletteItems);
}
