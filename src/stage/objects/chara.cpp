#include "stage/objects/chara.h"

#include "gamedata/database/database.h"
#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"

cChara::cChara() = default;

cChara::cChara(const cChara& other) : cObject(other), cCharaData(other) {
    RelinkFlows();
    AdoptLinks();
}

cChara& cChara::operator=(const cChara& other) {
    Assign(other);
    return *this;
}

cChara::~cChara() { ReleaseLinks(); }

void cChara::Assign(const cChara& other) {
    if (this == &other) return;
    ReleaseLinks();
    cObject::operator=(other);
    cCharaData::operator=(other);
    RelinkFlows();
    AdoptLinks();
}

void cChara::RelinkFlows() {
    int i = 0;
    for (cFlowInst& inst : m_vecFlowInst) {
        inst.m_nIndex = i;
        const bool hasFlow = i < m_Def.m_vFlow.Count();
        cFlow* flow = hasFlow ? &m_Def.m_vFlow[i] : nullptr;
        inst.m_lpFlow = flow;
        inst.m_vecKeyCond.clear();
        if (flow) {
            for (cKeyCond& key : flow->m_vKeyCond) inst.m_vecKeyCond.push_back(&key);
        }
        int k = 0;
        for (cCmdInst& cmd : inst.m_vecCmdInst) {
            cmd.m_lpCmd = flow && k < flow->m_vCmd.Count() ? &flow->m_vCmd[k] : nullptr;
            ++k;
        }
        ++i;
    }
}

void cChara::Reset(const cCharaDef* def, const std::array<int, 4>& place, int clone) {
    m_nClone = static_cast<std::int16_t>(clone);
    // Released, not just forgotten: the objects that referred to this
    // character, or that it referred to, must not keep a pair for it.
    ReleaseLinks();
    m_vecTarget.assign(kTargetSlots, nullptr);
    m_nFlowSerial = 0;
    m_vecGroupLock.assign(kFlowGroupSlots, 0);
    m_vecGroupRelease.assign(kFlowGroupSlots, 0);
    m_vecGroupStarted.assign(kFlowGroupSlots, 0);
    m_bGroupReleasePending = m_bFlowDeletePending = 0;
    m_nPlace = place;

    m_dImpactX = m_dImpactY = 0.0;
    m_bImpact = 0;
    m_dPrevImpactY = 0.0;
    m_bNoGravity = 0;
    m_nPrevDirection = -1;
    m_bAirLock = 1;
    m_bJumpEnd = m_bJumping = m_bCeiling = 0;
    m_nAirSteps = 0;
    m_lpGroundBlock = m_lpLastGroundBlock = m_lpPrevGroundBlock = nullptr;
    m_nGraphicChange = 0;
    m_bPinScreenX = m_bPinScreenY = m_nPinScreenX = m_nPinScreenY = 0;
    m_bDead = 0;
    ClearContacts();
    // The side of the last wall belongs to the old life too: a hero reset
    // for a retry or a replay's next pass must not face a wall of the last.
    m_nWallSide = 0;
    m_bImpactEnded = m_bRiding = m_nRideId = 0;
    m_nLife = m_nSP = 0;
    m_LifeGauge = GaugeRecord{};
    m_SpGauge = GaugeRecord{};
    m_vecVar.assign(kCharaVarCount, 0);

    if (def) {
        m_Def = *def;
        m_nLife = m_Def.m_nMaxHp;
        m_nSP = m_Def.m_nMaxSp;
    }
    m_bScrollFollow = m_Def.m_bScrollSync;
    m_bVanish = 0;
    m_nSightPx = HblToPixels(m_Def.m_cSight);
    m_dAccelDecay = StopToDecay(m_Def.m_sStopEase);

    m_EffectRun.Clear();
    if (m_Def.m_sAppearEffect != 0) {
        m_EffectRun.Start(m_Def.m_sAppearEffect, m_Def.m_cAppearEffectMode, m_Def.m_bAppearEffectLoop);
    }
    m_nInvincible = 0;
    m_lstCooldown.clear();
    SetAnimeSet(m_Def.m_sAnimeSet, 1);
    m_listAnimLayer.clear();
    m_bParentAttack = 0;
    m_cAttackFilter = 0;
}

void cChara::ClearContacts() {
    m_bTouchLeft = m_bTouchRight = m_bTouchTop = m_bTouchBottom = 0;
    m_dPushLeft = m_dPushRight = m_dPushTop = m_dPushBottom = 0.0;
}

void cChara::SetAnimeSet(int set, int force) {
    if (!force && set == m_Def.m_sAnimeSet) return;
    m_Def.m_sAnimeSet = static_cast<std::int16_t>(set);
    if (Database.AnimeSet.empty()) return;
    const cAnimeSet& entry = Database.AnimeSet[set];
    // One sequence per animation of the set: each frame with its time in
    // frames, locked, then a loop back to the first frame.
    std::vector<std::vector<ANIMRECORD>> records;
    for (const cAnime& anim : entry.m_vMotions) records.push_back(AnimRecordsOf(anim, ANIM_LOOP));
    std::vector<const ANIMRECORD*> table;
    for (const auto& seq : records) table.push_back(seq.data());
    table.push_back(nullptr);
    m_Anim.Build(table.data());
    m_Anim.SetAnim(0, 1);
}

void cChara::RemoveLayersOfFlow(int serial) {
    m_listAnimLayer.remove_if([serial](const cAnimLayer& l) { return l.m_nSerial == serial; });
}

void cChara::RemoveLayersOfAnim(int anim) {
    m_listAnimLayer.remove_if([anim](const cAnimLayer& l) { return l.m_nAnim == anim; });
}

void cChara::PauseLayersOfFlow(int serial) {
    // Projects from before layers could be paused drop a layer whose lead-in
    // and duration are spent.
    const bool dropSpent = SwitchOn(Switch::LayerStop) != 0;
    for (auto it = m_listAnimLayer.begin(); it != m_listAnimLayer.end();) {
        if (it->m_nSerial != serial) {
            ++it;
        } else if (dropSpent && it->m_nRemain + it->m_nDuration - 1 < 0) {
            it = m_listAnimLayer.erase(it);
        } else {
            it->m_bPaused = 1;
            ++it;
        }
    }
}

void cChara::ResumeLayersOfFlow(int serial) {
    for (cAnimLayer& l : m_listAnimLayer) {
        if (l.m_nSerial == serial) l.m_bPaused = 0;
    }
}
