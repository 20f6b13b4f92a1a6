#include "gamedata/definitions/block_def.h"

#include <algorithm>

#include "gamedata/definitions/common_palette.h"
#include "gamedata/definitions/item_def.h"

namespace {

using Copy = GroupCopy<cBlockDef>;

const std::array<Copy, cBlockDef::kGroupCount> kBlockCopyTable = {
    [](cBlockDef& d, const cBlockDef& b) { CopyDefinitionName(d, b); },
    [](cBlockDef& d, const cBlockDef& b) { CopyDefinitionConditions(d, b); },
    [](cBlockDef& d, const cBlockDef& b) {
        d.m_cSheet = b.m_cSheet;
        d.m_sCell = b.m_sCell;
        d.m_sSheetSub = b.m_sSheetSub;
    },
    [](cBlockDef& d, const cBlockDef& b) { d.m_cDrawPass = b.m_cDrawPass; },
    [](cBlockDef& d, const cBlockDef& b) { d.m_bNoDraw = b.m_bNoDraw; },
    [](cBlockDef& d, const cBlockDef& b) {
        d.m_bShowIcon = b.m_bShowIcon;
        d.m_sIconNo = b.m_sIconNo;
    },
    [](cBlockDef& d, const cBlockDef& b) { d.m_cContact = b.m_cContact; },
    [](cBlockDef& d, const cBlockDef& b) { d.m_cPassGroup = b.m_cPassGroup; },
    [](cBlockDef& d, const cBlockDef& b) {
        d.m_cFootEffect = b.m_cFootEffect;
        d.m_nFootValue = b.m_nFootValue;
    },
    [](cBlockDef& d, const cBlockDef& b) {
        d.m_cItemSource = b.m_cItemSource;
        d.m_sItemIndex = b.m_sItemIndex;
    },
    [](cBlockDef& d, const cBlockDef& b) { d.m_bNoReplace = b.m_bNoReplace; },
};

}  // namespace

void UpgradeShotSheetCell(std::int8_t sheet, std::int16_t& cell) {
    if (sheet == SheetKind::Shot) cell = static_cast<std::int16_t>(std::min(cell + 1, 119));
}

cBlockDef::cBlockDef() { ResetDefinition(); }

void cBlockDef::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_cBaseSource);
    AddField(&m_sBaseIndex);
    AddField(&m_cCondMode);
    AddField(&m_bCondLatch);
    AddField(&m_sCell);
    AddField(&m_cSheet);
    AddField(&m_sSheetSub);
    AddField(&m_cDrawPass);
    AddField(&m_bNoDraw);
    AddField(&m_bShowIcon);
    AddField(&m_sIconNo);
    AddField(&m_cContact);
    AddField(&m_cPassGroup);
    AddField(&m_cFootEffect);
    AddField(&m_nFootValue);
    AddField(&m_cItemSource);
    AddField(&m_sItemIndex);
    AddField(&m_bNoReplace);
    AddString(&m_strName);
}

void cBlockDef::ResetDefinition() {
    Reset();
    ResetInheritFlags(kGroupCount);
    m_cContact = 1;
    m_cPassGroup = -1;
}

bool cBlockDef::Load(cDataFile& f) {
    if (!cDataRecord::Load(f) || !LoadCell(f) || !LoadInheritFlags(f) || !LoadConditions(f)) return false;
    if (FileVersion < 219) UpgradeShotSheetCell(m_cSheet, m_sCell);
    ApplyInheritance();
    Normalize();
    return true;
}

void cBlockDef::Save(cDataFile& f) {
    Normalize();
    cDataRecord::Save(f);
    SaveCell(f);
    SaveInheritFlags(f);
    SaveConditions(f);
}

void cBlockDef::ApplyInheritance() { ApplyInheritanceWith(*this, kBlockCopyTable); }

void cBlockDef::Normalize() {
    CheckBaseReference(PaletteCountOf<cBlockDef>(BaseSource::Common), PaletteCountOf<cBlockDef>(BaseSource::Stage));
    if (m_sCell == 0) {
        // An empty block is passable and may be replaced.
        m_cContact = 0;
        m_bNoReplace = 0;
    }
}

void cBlockDef::NormalizeRefs() {
    const bool bad =
        (m_cItemSource == BaseSource::Common &&
         !IndexBelow(m_sItemIndex, PaletteCountOf<cItemDef>(BaseSource::Common))) ||
        (m_cItemSource == BaseSource::Stage && !IndexBelow(m_sItemIndex, PaletteCountOf<cItemDef>(BaseSource::Stage)));
    if (bad) {
        m_cItemSource = 0;
        m_sItemIndex = 0;
    }
}
