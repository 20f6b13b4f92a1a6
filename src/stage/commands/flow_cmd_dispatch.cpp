#include "stage/core/flow_cmd_dispatch.h"

#include "foundation/report.h"
#include "stage/code/code_command.h"
#include "stage/commands/movement_commands.h"
#include "stage/commands/presentation_commands.h"
#include "stage/commands/stage_commands.h"
#include "stage/core/flow_inst.h"
#include "stage/core/status_position.h"
#include "stage/flow/status_operation.h"

namespace {

// Waits, empty commands and loops are nothing but their time: loops were
// expanded when the flow was built.
int NoAction(cChara&, cCmdInst&) { return 0; }

std::array<bool, kFlowCommandKindCount> g_reported{};

}  // namespace

// Every kind has its executor; a slot emptied through SetFlowCmdExecutor
// makes its commands only take their time.
std::array<FlowCmdExecutor, kFlowCommandKindCount> FlowCmdExecTable = [] {
    std::array<FlowCmdExecutor, kFlowCommandKindCount> table{};
    table[FlowKind::None] = NoAction;
    table[FlowKind::Wait] = NoAction;
    table[FlowKind::Loop] = NoAction;
    table[FlowKind::StraightMove] = CmdStraightMove;
    table[FlowKind::GroundTurnMove] = CmdGroundTurnMove;
    table[FlowKind::CircleMove] = CmdCircleMove;
    table[FlowKind::ChargeMove] = CmdChargeMove;
    table[FlowKind::HomingMove] = CmdHomingMove;
    table[FlowKind::AvoidMove] = CmdOffscreenAvoidMove;
    table[FlowKind::CancelMove] = CmdCancelMove;
    table[FlowKind::ChangeDirection] = CmdChangeDirection;
    table[FlowKind::Jump] = CmdJump;
    table[FlowKind::Shot] = CmdShot;
    table[FlowKind::Sword] = CmdSword;
    table[FlowKind::StatusOperation] = CmdStatusOperation;
    table[FlowKind::SummonBlock] = CmdSummonBlock;
    table[FlowKind::SummonChara] = CmdSummonChara;
    table[FlowKind::SummonItem] = CmdSummonItem;
    table[FlowKind::FlowOperation] = CmdFlowOperation;
    table[FlowKind::StageClear] = CmdStageClear;
    table[FlowKind::GameWait] = CmdGameWait;
    table[FlowKind::Message] = CmdMessage;
    table[FlowKind::Warp] = CmdWarp;
    table[FlowKind::SetTarget] = CmdSetTarget;
    table[FlowKind::StatusOperation2] = CmdStatusOperation2;
    table[FlowKind::Vanish] = CmdVanish;
    table[FlowKind::GetItem] = CmdGetItem;
    table[FlowKind::ChangeGraphic] = CmdChangeGraphic;
    table[FlowKind::ChangeAnimeSet] = CmdChangeAnimeSet;
    table[FlowKind::RunAnime] = CmdRunAnime;
    table[FlowKind::RunEffect] = CmdRunEffect;
    table[FlowKind::RunCharaEffect] = CmdRunCharaEffect;
    table[FlowKind::RunScreenEffect] = CmdRunScreenEffect;
    table[FlowKind::ShowPicture] = CmdShowPicture;
    table[FlowKind::ChangeScreenColor] = CmdChangeScreenColor;
    table[FlowKind::ChangeBackground] = CmdChangeBackground;
    table[FlowKind::PlaySound] = CmdPlaySound;
    table[FlowKind::PlayBgm] = CmdPlayBgm;
    table[FlowKind::ExecCode] = CmdExecCode;
    table[FlowKind::Arrange] = CmdArrange;
    // Status values place characters through the warp's rules.
    SetWarpRunner(CmdWarpMode);
    return table;
}();

int ExecFlowCmd(cChara& chara, cCmdInst& cmd) {
    if (!cmd.m_lpCmd) return 0;
    const int kind = cmd.m_lpCmd->FlowKindNumber();
    if (kind < 0 || kind >= kFlowCommandKindCount) return 0;
    const auto slot = static_cast<std::size_t>(kind);
    if (FlowCmdExecutor exec = FlowCmdExecTable[slot]) return exec(chara, cmd);
    if (!g_reported[slot]) {
        g_reported[slot] = true;
        WriteLogF("command kind %d has no executor; its commands only take their time", kind);
    }
    return 0;
}

FlowCmdExecutor SetFlowCmdExecutor(int kind, FlowCmdExecutor executor) {
    if (kind < 0 || kind >= kFlowCommandKindCount) return nullptr;
    FlowCmdExecutor& slot = FlowCmdExecTable[static_cast<std::size_t>(kind)];
    FlowCmdExecutor old = slot;
    slot = executor;
    return old;
}
