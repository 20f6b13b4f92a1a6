// The flow step of a character: once per sub-step, every running flow of
// the character takes one step, then deleted flows go, group locks are
// released and the animation is picked.
#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "stage/flow/current_flow.h"
#include "stage/objects/chara.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kTriggerDeath = 5;

namespace Anim {
enum : int { Standing = 0, Flying = 2 };
}

// Every frame of a set locks, so the pick forces its change; an animation
// the set does not have is not picked.
void PickAnim(cAnimSequencer& seq, int anim) {
    if (anim >= 0 && anim < seq.AnimCount()) seq.ChangeAnim(anim, 1);
}

void ReleaseGroups(cChara& chara) {
    if (!chara.m_bGroupReleasePending) return;
    for (int g = 0; g < kFlowGroupSlots; ++g) {
        if (!chara.m_vecGroupRelease[g]) continue;
        chara.m_vecGroupLock[g] = 0;
        chara.m_vecGroupRelease[g] = 0;
    }
    chara.m_bGroupReleasePending = 0;
}

// While its flows are stepped, the character's deleted flows wait.
class StepDepth {
public:
    explicit StepDepth(cChara& chara) : m_Chara(chara) { ++m_Chara.m_nFlowStepDepth; }
    ~StepDepth() { --m_Chara.m_nFlowStepDepth; }
    StepDepth(const StepDepth&) = delete;
    StepDepth& operator=(const StepDepth&) = delete;

private:
    cChara& m_Chara;
};

}  // namespace

// A character's speeds start every step from what the auto-scroll carries
// (only for those that follow it); the commands then add their own.
void cChara::ResetStepSpeeds() {
    const double carryX = StageState().m_ScrollX.CarrySpeed();
    const double carryY = StageState().m_ScrollY.CarrySpeed();
    const bool hero = m_nCharaKind == 0;
    if (SwitchOn(Switch::SpeedReset)) {
        m_dSpeedX = hero && m_bFly ? carryX : 0.0;
        if (m_bFly) m_dSpeedY = hero ? carryY : 0.0;
        return;
    }
    m_dSpeedX = m_bScrollFollow ? carryX : 0.0;
    if (m_bFly) m_dSpeedY = m_bScrollFollow ? carryY : 0.0;
}

bool cChara::StepFlowInstances(int onlyDeath) {
    StepDepth depth(*this);
    // Indexed: a flow's commands may add flows of other characters, and the
    // instance is looked up afresh after every step.
    for (int i = 0; i < m_vecFlowInst.Count(); ++i) {
        cFlowInst& inst = m_vecFlowInst[i];
        if (!inst.m_bRunning) continue;
        if (inst.m_vecCmdInst.empty()) {
            inst.End(*this);
            continue;
        }
        if (inst.m_bPaused || inst.m_bStopped) continue;
        const int trigger = inst.m_lpFlow ? inst.m_lpFlow->m_cTrigger : -1;
        if (onlyDeath && trigger != kTriggerDeath) continue;
        if (inst.Step()) m_vecFlowInst[i].End(*this);
        if (m_nCharaKind != 0 && m_bVanish) return true;
        if (!onlyDeath && trigger != kTriggerDeath && m_nLife <= 0) return true;
    }
    return false;
}

int cChara::StepCharaFlows(int onlyDeath) {
    cStageState& stage = StageState();
    CurrentFlowObjects keep;
    stage.m_lpCurChara = this;
    stage.m_bLifeCheck = 0;
    ResetStepSpeeds();
    m_bNoGravity = 0;
    m_bDecayX = m_bDecayY = 1;
    m_bAnimRequest = m_nAnimRequest = m_nAnimRequestPrio = 0;
    if (m_nGraphicChange > 0) --m_nGraphicChange;
    BeginFlowStep();
    StartScheduledAnims();
    if (StepFlowInstances(onlyDeath)) return 1;

    stage.m_lpCurChara = nullptr;
    stage.m_lpCurFlow = nullptr;
    stage.m_lpCurCmd = nullptr;
    AfterFlowsRan();
    RemoveDeletedFlows();
    ReleaseGroups(*this);
    if (m_bAnimRequest) {
        PickAnim(m_Anim, m_nAnimRequest);
    } else if (m_dAccelX == 0.0 && m_dAccelY == 0.0) {
        PickAnim(m_Anim, m_bFly ? Anim::Flying : Anim::Standing);
    }
    EndFlowStep();
    return m_nLife <= 0 ? 1 : 0;
}
