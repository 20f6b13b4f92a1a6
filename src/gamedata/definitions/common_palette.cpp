#include "gamedata/definitions/common_palette.h"

#include "gamedata/definitions/palette_lists.h"

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

void cCommonPalette::Validate() { ValidatePaletteLists(m_vPaletteBlocks, m_vPaletteCharas, m_vPaletteItems); }

namespace {

template <class Def>
void PadPaletteList(cVector<Def>& list) {
    if (list.Count() < kMinPaletteEntries) list.resize(kMinPaletteEntries);
}

}  // namespace

void ValidatePaletteLists(cVector<cBlockDef>& blocks, cVector<cCharaDef>& charas, cVector<cItemDef>& items) {
    PadPaletteList(blocks);
    PadPaletteList(charas);
    PadPaletteList(items);
    SyncPaletteLimits();
    NormalizeDefinitions(blocks);
    NormalizeDefinitions(charas);
    NormalizeDefinitions(items);
}
