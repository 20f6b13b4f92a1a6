// The character status carried from one stage to the next: which definition
// members each carried item holds, stored after a clear and applied at the
// next stage's reset.
#include "gamedata/story/story_rules.h"
#include "gamedata/story/story_save.h"

namespace {

template <auto... Members>
void CopyMembers(cCharaDef& to, const cCharaDef& from) {
    ((to.*Members = from.*Members), ...);
}

using DefCopy = void (*)(cCharaDef& to, const cCharaDef& from);

// Per carried item, the definition members it keeps; null for the items
// that keep a value of the caller instead (11, 12, 22, 23, 24).
constexpr DefCopy kDefinitionItems[kCarryItemCount] = {
    CopyMembers<&cCharaDef::m_sCell, &cCharaDef::m_cSheet, &cCharaDef::m_sSheetSub>,
    CopyMembers<&cCharaDef::m_sAnimeSet>,
    CopyMembers<&cCharaDef::m_cZ>,
    CopyMembers<&cCharaDef::m_bTransparent>,
    CopyMembers<&cCharaDef::m_sAppearEffect, &cCharaDef::m_cAppearEffectMode, &cCharaDef::m_bAppearEffectLoop>,
    CopyMembers<&cCharaDef::m_bFixedDirection>,
    CopyMembers<&cCharaDef::m_cFlying>,
    CopyMembers<&cCharaDef::m_cInvincible>,
    CopyMembers<&cCharaDef::m_cScale>,
    CopyMembers<&cCharaDef::m_bScrollSync>,
    CopyMembers<&cCharaDef::m_cSightShape, &cCharaDef::m_cSight>,
    nullptr,
    nullptr,
    CopyMembers<&cCharaDef::m_nMaxHp>,
    CopyMembers<&cCharaDef::m_nMaxSp>,
    CopyMembers<&cCharaDef::m_cHitKind>,
    CopyMembers<&cCharaDef::m_nPower>,
    CopyMembers<&cCharaDef::m_cImpact>,
    CopyMembers<&cCharaDef::m_nDefence>,
    CopyMembers<&cCharaDef::m_cImpactResist>,
    CopyMembers<&cCharaDef::m_sStopEase>,
    CopyMembers<&cCharaDef::m_vFlow>,
    nullptr,
    nullptr,
    nullptr,
};

constexpr int kItemAppearEffect = 4;
constexpr int kItemHp = 11;
constexpr int kItemSp = 12;
constexpr int kItemValueB = 22;
constexpr int kItemLives = 23;
constexpr int kItemValueD = 24;

}  // namespace

void cStorySave::SaveKeptStatus(int chara, const cCharaDef& def, int s1, int s2, int s3, int s4, int s5, int b, int c,
                                int d) {
    m_bKeptStatus = 1;
    cStoryChara& kept = m_vKept[chara];
    for (int k = 0; k < kCarryItemCount; ++k) {
        if (!CarriesOver(k)) continue;
        if (kDefinitionItems[k]) kDefinitionItems[k](kept.m_Def, def);
        switch (k) {
            case kItemAppearEffect:
                kept.m_Def.m_sAppearEffect = static_cast<std::int16_t>(s3);
                kept.m_Def.m_cAppearEffectMode = static_cast<std::int8_t>(s4);
                kept.m_Def.m_bAppearEffectLoop = static_cast<std::int8_t>(s5);
                break;
            case kItemHp: kept.m_nHp = s1; break;
            case kItemSp: kept.m_nSp = s2; break;
            case kItemValueB: kept.m_nValueB = b; break;
            case kItemLives: kept.m_nLives = c; break;
            case kItemValueD: kept.m_nValueD = d; break;
            default: break;
        }
        m_vCarry[k] = 1;
    }
}

void cStorySave::ApplyKeptStatus(int chara, cCharaDef& def, int* valueB, int* valueD) {
    if (m_bKeptStatus == 0) return;
    const cStoryChara& kept = m_vKept[chara];
    for (int k = 0; k < kCarryItemCount; ++k) {
        if (!CarriesOver(k) || m_vCarry[k] == 0) continue;
        if (kDefinitionItems[k]) kDefinitionItems[k](def, kept.m_Def);
        if (k == 0 && def.m_sCell == 0) def.m_sCell = 1;
        if (k == kItemValueB && valueB) *valueB = kept.m_nValueB;
        if (k == kItemLives) m_nLives = kept.m_nLives;
        if (k == kItemValueD && valueD) *valueD = kept.m_nValueD;
    }
}

void cStorySave::KeptLifeValues(int chara, int& hp, int& sp) const {
    if (m_bKeptStatus == 0) return;
    const cStoryChara& kept = m_vKept[chara];
    if (CarriesOver(kItemHp) && m_vCarry[kItemHp] != 0) hp = kept.m_nHp;
    if (CarriesOver(kItemSp) && m_vCarry[kItemSp] != 0) sp = kept.m_nSp;
}

void cStorySave::ClearListedFlags() {
    for (int k = 0; k < kCarryItemCount; ++k) {
        if (ResetsCarryWhenLost(k)) m_vCarry[k] = 0;
    }
}
