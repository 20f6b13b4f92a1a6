#include "gamedata/definitions/item_def.h"

#include "gamedata/base/data_limits.h"
#include "gamedata/definitions/block_def.h"

namespace {

using Copy = GroupCopy<cItemDef>;

const std::array<Copy, cItemDef::kGroupCount> kItemCopyTable = {
    [](cItemDef& d, const cItemDef& b) { CopyDefinitionName(d, b); },
    [](cItemDef& d, const cItemDef& b) { CopyDefinitionConditions(d, b); },
    [](cItemDef& d, const cItemDef& b) { d.m_sOffsetX = b.m_sOffsetX; },
    [](cItemDef& d, const cItemDef& b) { d.m_sOffsetY = b.m_sOffsetY; },
    [](cItemDef& d, const cItemDef& b) {
        d.m_cSheet = b.m_cSheet;
        d.m_sCell = b.m_sCell;
        d.m_sSheetSub = b.m_sSheetSub;
    },
    [](cItemDef& d, const cItemDef& b) { d.m_cZ = b.m_cZ; },
    [](cItemDef& d, const cItemDef& b) { d.m_bNoDraw = b.m_bNoDraw; },
    [](cItemDef& d, const cItemDef& b) {
        d.m_bNoIcon = b.m_bNoIcon;
        d.m_sIconNo = b.m_sIconNo;
    },
    [](cItemDef& d, const cItemDef& b) { d.m_cScale = b.m_cScale; },
    [](cItemDef& d, const cItemDef& b) { d.m_cPickRule = b.m_cPickRule; },
    [](cItemDef& d, const cItemDef& b) { d.m_bPickEffect = b.m_bPickEffect; },
    [](cItemDef& d, const cItemDef& b) { d.m_sPickSound = b.m_sPickSound; },
    [](cItemDef& d, const cItemDef& b) { d.m_vCmd = b.m_vCmd; },
};

}  // namespace

cItemDef::cItemDef() { ResetDefinition(); }

void cItemDef::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_cBaseSource);
    AddField(&m_sBaseIndex);
    AddField(&m_cCondMode);
    AddField(&m_bCondLatch);
    AddField(&m_sOffsetX);
    AddField(&m_sOffsetY);
    AddField(&m_sCell);
    AddField(&m_cSheet);
    AddField(&m_sSheetSub);
    AddField(&m_cZ);
    AddField(&m_bNoDraw);
    AddField(&m_bNoIcon);
    AddField(&m_sIconNo);
    // The pick effect is stored before the pick rule, unlike their groups.
    AddField(&m_bPickEffect);
    AddField(&m_cPickRule);
    AddField(&m_cScale);
    AddField(&m_sPickSound);
    AddString(&m_strName);
}

void cItemDef::ResetDefinition() {
    Reset();
    ResetInheritFlags(kGroupCount);
    m_cSheet = SheetKind::Item;
    m_cZ = 6;
    m_bPickEffect = 1;
    m_cScale = 1;
}

bool cItemDef::Load(cDataFile& f) {
    if (!cDataRecord::Load(f) || !LoadCell(f) || !LoadInheritFlags(f) || !LoadConditions(f)) return false;
    if (!ReadRecordList(f, m_vCmd, {kMinFlowCmdBytes})) return false;
    if (FileVersion < 219) UpgradeShotSheetCell(m_cSheet, m_sCell);
    ApplyInheritance();
    Normalize();
    return true;
}

void cItemDef::Save(cDataFile& f) {
    Normalize();
    cDataRecord::Save(f);
    SaveCell(f);
    SaveInheritFlags(f);
    SaveConditions(f);
    SaveRecordList(f, m_vCmd);
}

void cItemDef::ApplyInheritance() { ApplyInheritanceWith(*this, kItemCopyTable); }

void cItemDef::Normalize() {
    CheckBaseReference(PaletteCountOf<cItemDef>(BaseSource::Common), PaletteCountOf<cItemDef>(BaseSource::Stage));
    if (m_cScale <= 0) m_cScale = 1;
    if (!IndexBelow(m_sPickSound, GetDataLimits().Count(DbTable::Sound))) m_sPickSound = 0;
    for (auto& cmd : m_vCmd) cmd.Normalize();
}

void cItemDef::NormalizeRefs() {
    for (auto& cmd : m_vCmd) cmd.NormalizePaletteRefs();
}

cItemDef* GetItemDef(int source, int index) {
    if (source != BaseSource::Common && source != BaseSource::Stage) return nullptr;
    cVector<cItemDef>* list = PaletteListOf<cItemDef>(source);
    const auto i = static_cast<std::int16_t>(index);
    if (!list || i < 0 || i >= list->Count()) return nullptr;
    return &(*list)[i];
}
