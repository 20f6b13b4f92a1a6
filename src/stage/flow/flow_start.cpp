// Starting a character's flows on a trigger: the once-per-frame rule, group
// locks, the flow-ID filter, conditions and key conditions.
#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "shell/key_state.h"
#include "stage/flow/conditions.h"
#include "stage/flow/current_flow.h"
#include "stage/flow/current_input.h"
#include "stage/objects/chara.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kTriggerAlways = 0;

// The input record whose direction a starting flow remembers: the hero's
// own, record 0 for every other character.
int StartDirection(const cChara& chara) {
    int record = 0;
    if (chara.m_nCharaKind == 0) record = chara.m_nPlayerNo;
    if (record < 0 || record >= KeyStates.Count()) return 0;
    return CurrentDirectionState(KeyStates[record]);
}

// The conditions and key conditions, tried with the partner in the flow's
// partner slot when it asks for one; a failure puts the slot back.
bool MayStart(cChara& chara, cFlowInst& inst, cChara* partner) {
    const cFlow& flow = *inst.m_lpFlow;
    const int slot = flow.m_cPartnerSlot;
    const bool withPartner = flow.m_bPartnerTarget && partner && slot >= 0 && slot < kTargetSlots;
    if (!withPartner) return CheckFlowConditions(inst, chara) && chara.CheckKeyConds(inst);
    cChara* occupant = chara.m_vecTarget[slot];
    SetTarget(chara, slot, partner, 1);
    if (CheckFlowConditions(inst, chara) && chara.CheckKeyConds(inst)) return true;
    SetTarget(chara, slot, occupant, 1);
    return false;
}

}  // namespace

void cChara::StartFlowsByTrigger(int kind, cChara* partner, int filter) {
    CurrentFlowObjects keep;
    cStageState& stage = StageState();
    stage.m_lpCurChara = this;
    const bool noOnce = SwitchOn(Switch::NoOnceFlag) != 0;
    const bool onceOnMatch = SwitchOn(Switch::OnceOnMatch) != 0 && !noOnce;
    const bool onceBeforeCond = SwitchOn(Switch::OnceBeforeCond) != 0;
    const auto filterId = static_cast<std::int8_t>(filter);
    // Indexed: a starting flow (one that runs before the stage) may run
    // commands that change this character.
    for (int i = 0; i < m_vecFlowInst.Count(); ++i) {
        cFlowInst& inst = m_vecFlowInst[i];
        if (!inst.m_lpFlow || inst.m_lpFlow->m_cTrigger != kind) continue;
        if (onceOnMatch) {
            if (inst.m_bOnce) continue;
            inst.m_bOnce = 1;
        }
        if (inst.m_bRunning || inst.m_bPaused || inst.m_bStopped || inst.m_bStartedNow) continue;
        const int group = inst.m_lpFlow->m_cGroup;
        if (kind == kTriggerAlways && group > 0 && group < kFlowGroupSlots &&
            (m_vecGroupLock[group] || m_vecGroupStarted[group])) {
            continue;
        }
        if (filterId >= 1 && inst.m_lpFlow->m_cId != filterId) continue;
        if (!noOnce && !onceOnMatch) {
            if (inst.m_bOnce) continue;
            if (onceBeforeCond) inst.m_bOnce = 1;
        }
        if (!MayStart(*this, inst, partner)) continue;
        if (!onceBeforeCond) inst.m_bOnce = 1;
        inst.m_nStartDir = StartDirection(*this);
        m_vecFlowInst[i].Start();
    }
}

void cChara::ResetFlowOnceFlags() {
    for (cFlowInst& inst : m_vecFlowInst) {
        inst.m_bOnce = 0;
        inst.m_bStartedNow = 0;
    }
    m_vecGroupStarted.assign(kFlowGroupSlots, 0);
}
