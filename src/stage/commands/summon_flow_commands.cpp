#include "gamedata/flows/flow_cmd.h"
#include "gamedata/stage_file/stage_data.h"
#include "shell/sound_requests.h"
#include "stage/commands/int_param.h"
#include "stage/commands/move_velocity.h"
#include "stage/commands/shot_placement.h"
#include "stage/commands/stage_commands.h"
#include "stage/flow/conditions.h"
#include "stage/objects/chara.h"
#include "stage/objects/stage_state.h"

namespace {

using SummonPlacer = void (*)(cChara&, cCmdInst&, cEdShot&);

// A summon places again every tenth of a second while its time runs.
int Summon(cChara& c, cCmdInst& cmd, SummonPlacer place) {
    int& step = cmd.m_nWork[MoveWork::Step];
    if (step == 0 && cmd.m_lpCmd && cmd.m_lpCmd->m_spShot) {
        const cFlowCmd& command = *cmd.m_lpCmd;
        if (!command.m_bSoundInView || c.m_bOnScreen) PlayDatabaseSound(command.m_sSound);
        place(c, cmd, *command.m_spShot);
    }
    if (++step >= LoadedStage.m_nSubStepsX6) step = 0;
    return 0;
}

namespace FlowOp {
enum : int { Start = 0, End, Pause, Resume, Delete, StopForever };
}
namespace FlowScope {
enum : int { This = 0, AllOthers, ById };
}

void Operate(cChara& owner, cFlowInst& f, int op) {
    switch (op) {
        case FlowOp::Start:
            f.End(owner);
            owner.RemoveLayersOfFlow(f.m_nSerial);
            f.Start();
            f.m_bBreak = 1;
            break;
        case FlowOp::End:
            f.End(owner);
            owner.RemoveLayersOfFlow(f.m_nSerial);
            f.m_bBreak = 1;
            break;
        case FlowOp::Pause:
            f.Pause();
            owner.PauseLayersOfFlow(f.m_nSerial);
            f.m_bBreak = 1;
            break;
        case FlowOp::Resume:
            f.Resume();
            owner.ResumeLayersOfFlow(f.m_nSerial);
            break;
        case FlowOp::StopForever:
            f.StopForever(owner);
            owner.RemoveLayersOfFlow(f.m_nSerial);
            f.m_bBreak = 1;
            break;
        default: break;
    }
}

// Deleting on the running character only flags the flow: its step may be
// the one running this command. Another character's flows go at once,
// walked from the end so that consecutive matches are all removed.
void DeleteMatching(cChara& owner, bool self, const std::function<bool(const cFlowInst&)>& matches) {
    if (self) {
        for (cFlowInst& f : owner.m_vecFlowInst) {
            if (!matches(f)) continue;
            f.m_bDelete = 1;
            f.m_bBreak = 1;
            owner.m_bFlowDeletePending = 1;
        }
        return;
    }
    for (int i = owner.m_vecFlowInst.Count() - 1; i >= 0; --i) {
        if (matches(owner.m_vecFlowInst[i])) owner.DeleteFlow(i);
    }
}

}  // namespace

int CmdSummonBlock(cChara& c, cCmdInst& cmd) { return Summon(c, cmd, PlaceBlockSummon); }
int CmdSummonChara(cChara& c, cCmdInst& cmd) { return Summon(c, cmd, PlaceCharaSummon); }
int CmdSummonItem(cChara& c, cCmdInst& cmd) { return Summon(c, cmd, PlaceItemSummon); }

int CmdFlowOperation(cChara& c, cCmdInst& cmd) {
    if (!cmd.m_lpCmd) return 0;
    const cFlowCmd& command = *cmd.m_lpCmd;
    if (const cCondList* conds = command.m_spCondList.get();
        conds && conds->m_bEnabled && !CheckCondList(conds->m_vCond, conds->m_cMode, c)) {
        return 0;
    }
    const int op = Param(command, 0), scope = Param(command, 1), id = Param(command, 2), whose = Param(command, 3);
    cChara* owner = &c;
    if (scope == FlowScope::ById && whose >= 1 && whose <= kTargetSlots) {
        owner = c.m_vecTarget[whose - 1];
        if (!owner) return 0;
    }
    cFlowInst* current = StageState().m_lpCurFlow;
    std::function<bool(const cFlowInst&)> matches;
    switch (scope) {
        case FlowScope::This: matches = [current](const cFlowInst& f) { return &f == current; }; break;
        case FlowScope::AllOthers: matches = [current](const cFlowInst& f) { return &f != current; }; break;
        case FlowScope::ById:
            matches = [id](const cFlowInst& f) { return id != 0 && f.m_lpFlow && f.m_lpFlow->m_cId == id; };
            break;
        default: return 0;
    }
    if (op == FlowOp::Delete) {
        DeleteMatching(*owner, owner == &c, matches);
        return 0;
    }
    for (cFlowInst& f : owner->m_vecFlowInst) {
        if (matches(f)) Operate(*owner, f, op);
    }
    return 0;
}
