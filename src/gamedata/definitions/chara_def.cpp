#include "gamedata/definitions/chara_def.h"

#include "gamedata/base/data_limits.h"
#include "gamedata/definitions/block_def.h"

namespace {

using Copy = GroupCopy<cCharaDef>;

#define CHARA_GROUP(...) [](cCharaDef& d, const cCharaDef& b) { __VA_ARGS__; }

const std::array<Copy, cCharaDef::kGroupCount> kCharaCopyTable = {
    CHARA_GROUP(CopyDefinitionName(d, b)),
    CHARA_GROUP(d.m_cOperation = b.m_cOperation; d.m_cPlayerNo = b.m_cPlayerNo),
    CHARA_GROUP(d.m_cSide = b.m_cSide),
    CHARA_GROUP(d.m_cCharaId = b.m_cCharaId),
    CHARA_GROUP(CopyDefinitionConditions(d, b)),
    CHARA_GROUP(d.m_cDirection = b.m_cDirection),
    CHARA_GROUP(d.m_cCloneCount = b.m_cCloneCount),
    CHARA_GROUP(d.m_sOffsetX = b.m_sOffsetX; d.m_sOffsetXStep = b.m_sOffsetXStep;
                d.m_bOffsetXMirror = b.m_bOffsetXMirror),
    CHARA_GROUP(d.m_sOffsetY = b.m_sOffsetY; d.m_sOffsetYStep = b.m_sOffsetYStep;
                d.m_bOffsetYMirror = b.m_bOffsetYMirror),
    CHARA_GROUP(d.m_cSheet = b.m_cSheet; d.m_sCell = b.m_sCell; d.m_sSheetSub = b.m_sSheetSub),
    CHARA_GROUP(d.m_sAnimeSet = b.m_sAnimeSet),
    CHARA_GROUP(d.m_cZ = b.m_cZ),
    CHARA_GROUP(d.m_bTransparent = b.m_bTransparent),
    CHARA_GROUP(d.m_sAppearEffect = b.m_sAppearEffect; d.m_cAppearEffectMode = b.m_cAppearEffectMode;
                d.m_bAppearEffectLoop = b.m_bAppearEffectLoop),
    CHARA_GROUP(d.m_sDeathEffect = b.m_sDeathEffect; d.m_cDeathEffectMode = b.m_cDeathEffectMode),
    CHARA_GROUP(d.m_bNoIcon = b.m_bNoIcon; d.m_sIconNo = b.m_sIconNo),
    CHARA_GROUP(d.m_bFixedDirection = b.m_bFixedDirection),
    CHARA_GROUP(d.m_cFlying = b.m_cFlying),
    CHARA_GROUP(d.m_cInvincible = b.m_cInvincible; d.m_cFlashColour = b.m_cFlashColour),
    CHARA_GROUP(d.m_bNoBox = b.m_bNoBox),
    CHARA_GROUP(d.m_cScale = b.m_cScale),
    CHARA_GROUP(d.m_bScrollSync = b.m_bScrollSync),
    CHARA_GROUP(d.m_cSightShape = b.m_cSightShape; d.m_cSight = b.m_cSight),
    CHARA_GROUP(d.m_nMaxHp = b.m_nMaxHp),
    CHARA_GROUP(d.m_nMaxSp = b.m_nMaxSp),
    CHARA_GROUP(d.m_cHitKind = b.m_cHitKind),
    CHARA_GROUP(d.m_nPower = b.m_nPower),
    CHARA_GROUP(d.m_cImpact = b.m_cImpact),
    CHARA_GROUP(d.m_sEffect = b.m_sEffect),
    CHARA_GROUP(d.m_nDefence = b.m_nDefence),
    CHARA_GROUP(d.m_cImpactResist = b.m_cImpactResist),
    CHARA_GROUP(d.m_sStopEase = b.m_sStopEase),
    CHARA_GROUP(d.m_cActiveRange = b.m_cActiveRange; d.m_cActiveRule = b.m_cActiveRule),
    CHARA_GROUP(d.m_bGroupOnActive = b.m_bGroupOnActive; d.m_sActiveGroup = b.m_sActiveGroup),
    CHARA_GROUP(d.m_nScore = b.m_nScore),
    CHARA_GROUP(d.m_cCharaProp35 = b.m_cCharaProp35),
    CHARA_GROUP(d.m_vFlow = b.m_vFlow),
};

#undef CHARA_GROUP

bool IsEmptyFlow(const cFlow& f) {
    return f.m_cId == 0 && f.m_cGroup == 0 && f.m_cTrigger == 0 && f.m_vCond.empty() && f.m_vKeyCond.empty() &&
           f.m_vCmd.empty();
}

// A database index that names no entry becomes `fallback`.
void FitIndex(std::int16_t& index, DbTable table, std::int16_t fallback = 0) {
    if (!IndexBelow(index, GetDataLimits().Count(table))) index = fallback;
}

}  // namespace

cCharaDef::cCharaDef() { ResetDefinition(); }

void cCharaDef::RegisterFields(int v) {
    ClearFieldLists();
    AddField(&m_cBaseSource);
    AddField(&m_sBaseIndex);
    AddField(&m_cCondMode);
    AddField(&m_bCondLatch);
    AddField(&m_cDirection);
    AddField(&m_cCloneCount);
    AddField(&m_sOffsetX);
    AddField(&m_sOffsetXStep);
    AddField(&m_sOffsetY);
    AddField(&m_sOffsetYStep);
    AddField(&m_bOffsetXMirror);
    AddField(&m_bOffsetYMirror);
    AddField(&m_sCell);
    AddField(&m_cSheet);
    AddField(&m_sSheetSub);
    AddField(&m_sAnimeSet);
    AddField(&m_cZ);
    AddField(&m_bTransparent);
    AddField(&m_sAppearEffect);
    if (v >= 196) AddField(&m_cAppearEffectMode);
    AddField(&m_bAppearEffectLoop);
    AddField(&m_sDeathEffect);
    if (v >= 196) AddField(&m_cDeathEffectMode);
    AddField(&m_bNoIcon);
    AddField(&m_sIconNo);
    AddField(&m_cOperation);
    AddField(&m_cPlayerNo);
    AddField(&m_cSide);
    AddField(&m_cCharaId);
    AddField(&m_cFlying);
    AddField(&m_bFixedDirection);
    AddField(&m_cInvincible);
    if (v >= 285) AddField(&m_cFlashColour);
    AddField(&m_bNoBox);
    AddField(&m_cScale);
    if (v >= 210) AddField(&m_bScrollSync);
    AddField(&m_cSightShape);
    AddField(&m_cSight);
    AddField(&m_nMaxHp);
    AddField(&m_nMaxSp);
    AddField(&m_sStopEase);
    if (v >= 201) AddField(&m_cHitKind);
    AddField(&m_nPower);
    AddField(&m_cImpact);
    AddField(&m_sEffect);
    if (v >= 168) AddField(&m_nDefence);
    AddField(&m_cImpactResist);
    AddField(&m_nScore);
    AddField(&m_cCharaProp35);
    AddField(&m_bGroupOnActive);
    AddField(&m_sActiveGroup);
    AddField(&m_cActiveRange);
    AddField(&m_cActiveRule);
    AddString(&m_strName);
}

void cCharaDef::ResetDefinition() {
    m_nHeldItem = -1;
    Reset();
    ResetInheritFlags(kGroupCount);
    m_cOperation = CharaOperation::Computer;
    m_cSide = 1;
    m_cZ = 3;
    m_bAppearEffectLoop = 1;
    m_nMaxHp = 10;
    m_cSheet = SheetKind::Chara;
    m_cScale = 1;
    m_sStopEase = 10;
    m_bFixedDirection = 1;
    m_cCharaProp35 = 1;
}

bool cCharaDef::Load(cDataFile& f) {
    if (!cDataRecord::Load(f) || !LoadCell(f) || !f.ReadInt(m_nHeldItem) || !LoadInheritFlags(f) ||
        !LoadConditions(f) || !ReadRecordList(f, m_vFlow, {kMinFlowBytes})) {
        return false;
    }
    if (ShouldPurgeTestFlows()) PurgeTestFlows(m_vFlow);
    if (FileVersion < DataVersion) Upgrade(FileVersion);
    ApplyInheritance();
    Normalize();
    return true;
}

void cCharaDef::Save(cDataFile& f) {
    Normalize();
    cDataRecord::Save(f);
    SaveCell(f);
    f.WriteInt(m_nHeldItem);
    SaveInheritFlags(f);
    SaveConditions(f);
    SaveRecordList(f, m_vFlow);
}

void cCharaDef::InsertInheritGroup(int p) {
    m_vbInherit.resize(kGroupCount, 0);
    for (int i = kGroupCount - 1; i > p; --i) m_vbInherit[i] = m_vbInherit[i - 1];
    m_vbInherit[p] = 1;
}

void cCharaDef::Upgrade(int fv) {
    if (fv < 168) {
        m_nDefence = 0;
        InsertInheritGroup(27);
    }
    if (fv < 196) m_cAppearEffectMode = m_cDeathEffectMode = 0;
    if (fv < 201) {
        m_cHitKind = 0;
        InsertInheritGroup(24);
    }
    // Hit kind 2 was inserted in version 206.
    if (fv < 206 && m_cHitKind >= 2) ++m_cHitKind;
    if (fv < 210) {
        m_bScrollSync = 0;
        InsertInheritGroup(21);
    }
    if (fv < 219) UpgradeShotSheetCell(m_cSheet, m_sCell);
    if (fv < 285) m_cFlashColour = 1;
}

void cCharaDef::ApplyInheritance() { ApplyInheritanceWith(*this, kCharaCopyTable); }

void cCharaDef::Normalize() {
    CheckBaseReference(PaletteCountOf<cCharaDef>(BaseSource::Common), PaletteCountOf<cCharaDef>(BaseSource::Stage));
    if (m_cSheet == SheetKind::CharaExc) {
        // Entry 1 is the first real picture; a table without it has none.
        const bool hasFirst = GetDataLimits().Count(DbTable::BmpCharaExc) >= 2;
        FitIndex(m_sCell, DbTable::BmpCharaExc, hasFirst ? 1 : 0);
    }
    if (m_cScale <= 0) m_cScale = 1;
    FitIndex(m_sAnimeSet, DbTable::AnimeSet);
    FitIndex(m_sAppearEffect, DbTable::CharaEffect);
    FitIndex(m_sDeathEffect, DbTable::CharaEffect);
    FitIndex(m_sEffect, DbTable::Effect);
    if (m_cOperation == CharaOperation::Player) {
        m_bNoBox = 0;
        m_cCloneCount = 0;
    }
    for (int i = 0; i < m_vFlow.Count();) {
        m_vFlow[i].Normalize();
        if (IsEmptyFlow(m_vFlow[i])) {
            m_vFlow.erase(m_vFlow.begin() + i);
        } else {
            ++i;
        }
    }
}

void cCharaDef::NormalizeRefs() {
    for (auto& flow : m_vFlow) flow.NormalizePaletteRefs();
}

double cCharaDef::GetSummonOffsetX(int n, int d) const {
    const int v = m_sOffsetX + m_sOffsetXStep * n;
    return (d == 1 && m_bOffsetXMirror) ? -v : v;
}

double cCharaDef::GetSummonOffsetY(int n, int d) const {
    const int v = m_sOffsetY + m_sOffsetYStep * n;
    return (d == 1 && m_bOffsetYMirror) ? -v : v;
}
