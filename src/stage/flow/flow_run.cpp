// Starting, stepping and ending flow and command instances.
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "stage/core/flow_cmd_dispatch.h"
#include "stage/core/flow_inst.h"
#include "stage/flow/arrangements.h"
#include "stage/flow/current_flow.h"
#include "stage/objects/chara.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kTriggerAlways = 0;
constexpr int kTriggerBeforeStage = 25;

int KindOf(const cCmdInst& cmd) { return cmd.m_lpCmd ? cmd.m_lpCmd->FlowKindNumber() : -1; }
bool IsNoWait(const cCmdInst& cmd) { return cmd.m_lpCmd && cmd.m_lpCmd->m_bNoWait != 0; }

// A message that shows no window of its own and waits for no key continues
// the message chain of its flow.
bool IsChainingMessage(const cCmdInst& cmd) {
    if (KindOf(cmd) != FlowKind::Message) return false;
    const cVector<std::int32_t>& p = cmd.m_lpCmd->m_vParam;
    return p.Count() > 15 && p[6] == 0 && p[15] == 0;
}

// The group slot of a flow, or 0 for none (and for a group outside the slots).
int GroupOf(const cFlowInst& flow) {
    const int group = flow.m_lpFlow ? flow.m_lpFlow->m_cGroup : 0;
    return group > 0 && group < kFlowGroupSlots ? group : 0;
}
int TriggerOf(const cFlowInst& flow) { return flow.m_lpFlow ? flow.m_lpFlow->m_cTrigger : -1; }

void RequestGroupRelease(cChara& chara, int group) {
    if (group == 0) return;
    chara.m_vecGroupRelease[group] = 1;
    chara.m_bGroupReleasePending = 1;
}

void StopCountdowns(cFlowInst& flow) {
    for (cCmdInst& cmd : flow.m_vecCmdInst) cmd.m_nCount = 0;
}

// A flow that starts before the stage begins runs its no-wait commands from
// the flow operation on once, at once, and ends.
void RunBeforeStage(cFlowInst& flow, cChara& chara) {
    cStageState& stage = StageState();
    stage.m_lpCurFlow = &flow;
    flow.m_bBreak = 0;
    for (cCmdInst& cmd : flow.m_vecCmdInst) {
        if (KindOf(cmd) < FlowKind::FlowOperation || !IsNoWait(cmd)) continue;
        cmd.Start();
        cmd.Step();
        cmd.m_bDone = 1;
        if (flow.m_bBreak) break;
    }
    flow.End(chara);
}

}  // namespace

CurrentFlowObjects::CurrentFlowObjects()
    : m_lpChara(StageState().m_lpCurChara), m_lpFlow(StageState().m_lpCurFlow), m_lpCmd(StageState().m_lpCurCmd) {}

CurrentFlowObjects::~CurrentFlowObjects() {
    cStageState& stage = StageState();
    stage.m_lpCurChara = m_lpChara;
    stage.m_lpCurFlow = m_lpFlow;
    stage.m_lpCurCmd = m_lpCmd;
}

void cCmdInst::Start() {
    m_nCount = m_nTime;
    m_bDone = 0;
    m_nWork = {};
    m_dWorkSpeedX = m_dWorkSpeedY = 0.0;
    if (KindOf(*this) == FlowKind::Arrange) return;
    cFlowInst* flow = StageState().m_lpCurFlow;
    if (!flow || flow->m_listArrange.empty()) return;
    if (cChara* chara = StageState().m_lpCurChara) ApplyArrangeOps(*m_lpCmd, *chara, flow);
    flow->m_listArrange.clear();
}

int cCmdInst::Step() {
    cStageState& stage = StageState();
    stage.m_lpCurCmd = this;
    if (stage.m_lpCurChara) ExecFlowCmd(*stage.m_lpCurChara, *this);
    if (--m_nCount > 0) return 0;
    m_nCount = 0;
    return 1;
}

void cFlowInst::Start() {
    m_bRunning = 1;
    m_nCur = 0;
    m_nFrame = 0;
    m_bMsgChain = 0;
    for (cCmdInst& cmd : m_vecCmdInst) cmd.m_bDone = 0;
    m_bStartedNow = 1;
    ++m_nStarts;
    cChara* chara = StageState().m_lpCurChara;
    if (!chara) return;
    const int group = GroupOf(*this);
    if (TriggerOf(*this) == kTriggerAlways && group != 0) {
        chara->m_vecGroupLock[group] = 1;
        chara->m_vecGroupStarted[group] = 1;
    }
    if (!m_vecCmdInst.empty() && TriggerOf(*this) == kTriggerBeforeStage) {
        CurrentFlowObjects keep;
        RunBeforeStage(*this, *chara);
    }
}

int cFlowInst::Step() {
    StageState().m_lpCurFlow = this;
    m_bBreak = 0;
    const int starts = m_nStarts;
    const int last = m_vecCmdInst.Count() - 1;
    for (int i = 0; i <= m_nCur && i <= last; ++i) {
        cCmdInst& cmd = m_vecCmdInst[i];
        if (cmd.m_bDone) continue;
        if (cmd.m_nCount == 0) {
            cmd.Start();
            if (!IsNoWait(cmd) && !IsChainingMessage(cmd)) m_bMsgChain = 0;
        }
        const int finished = cmd.Step();
        // The command ended or restarted its own flow: what it finished
        // belongs to the run it ended, not to the new one.
        if (!m_bRunning || m_nStarts != starts) return 0;
        if (IsNoWait(cmd)) {
            if (finished) {
                cmd.m_bDone = 1;
                if (i == last) return 1;
            }
            if (i == m_nCur) ++m_nCur;
            if (m_bBreak) return 0;
            continue;
        }
        if (!finished) {
            if (m_bBreak) return 0;
            continue;
        }
        cmd.m_bDone = 1;
        if (IsChainingMessage(cmd)) m_bMsgChain = 1;
        if (i == last) return 1;
        ++m_nCur;
        break;
    }
    if (m_vecCmdInst.empty() || m_vecCmdInst[last].m_bDone) return 1;
    ++m_nFrame;
    return 0;
}

void cFlowInst::End(cChara& chara) {
    if (!m_bRunning) return;
    m_bRunning = 0;
    m_listArrange.clear();
    StopCountdowns(*this);
    RequestGroupRelease(chara, GroupOf(*this));
    if (!SwitchOn(Switch::KeyEdgeKeep) && TriggerOf(*this) != kTriggerAlways) m_bKeyWasMet = 0;
}

void cFlowInst::StopForever(cChara& chara) {
    m_bStopped = 1;
    if (!m_bRunning) return;
    StopCountdowns(*this);
    RequestGroupRelease(chara, GroupOf(*this));
}
