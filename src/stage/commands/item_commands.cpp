#include "stage/core/item_commands.h"

#include <array>

#include "gamedata/flows/cmd_kinds.h"
#include "stage/commands/int_param.h"
#include "stage/core/flow_cmd_dispatch.h"
#include "stage/core/flow_inst.h"
#include "stage/flow/arrangements.h"
#include "stage/objects/engine_hooks.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kArrangeItemKind = 23;
constexpr int kStageClearItemKind = 2;
constexpr int kMessageItemKind = 4;

using ItemCmdExec = int (*)(cPlayer& hero, cFlowCmd& command);

int RunNothing(cPlayer&, cFlowCmd&) { return 0; }

int RunChangeFlows(cPlayer& hero, cFlowCmd& command) {
    ChangeFlowCommand(hero, command, 0);
    return 0;
}

// The executor of the flow command of the same name, with a one-off
// instance: an item's command runs at once, not step by step.
int RunShared(cPlayer& hero, cFlowCmd& command) {
    const int kind = command.m_cKind + kItemToFlowKind;
    const FlowCmdExecutor executor =
        kind >= 0 && kind < kFlowCommandKindCount ? FlowCmdExecTable[static_cast<std::size_t>(kind)] : nullptr;
    if (!executor) return 0;
    cCmdInst instance;
    instance.m_lpCmd = &command;
    executor(hero, instance);
    return 0;
}

int RunStageClear(cPlayer& hero, cFlowCmd& command) {
    RunShared(hero, command);
    return ItemListResult::StageClear;
}

// The message executor reads the item-message flag: the messages after the
// first of one list continue it.
int RunMessage(cPlayer& hero, cFlowCmd& command) {
    RunShared(hero, command);
    StageState().m_bItemMessage = 1;
    return 0;
}

constexpr std::array<ItemCmdExec, kItemCommandKindCount> ItemCmdExecTable = [] {
    std::array<ItemCmdExec, kItemCommandKindCount> table{};
    table.fill(RunShared);
    table[ItemKind::None] = RunNothing;
    table[ItemKind::ChangeFlows] = RunChangeFlows;
    table[kStageClearItemKind] = RunStageClear;
    table[kMessageItemKind] = RunMessage;
    // Loops were expanded when the item was built.
    table[kItemCommandKindCount - 1] = RunNothing;
    return table;
}();

}  // namespace

int ExecItemCmds(cPlayer& hero, const cVector<cFlowCmd>& list) {
    StageState().m_bItemMessage = 0;
    for (const cFlowCmd& entry : list) {
        cFlowCmd command = entry;
        const int kind = command.m_cKind;
        if (kind != kArrangeItemKind) {
            ApplyArrangeOpsChara(command, hero, hero.m_listItemArrange);
            hero.m_listItemArrange.clear();
        }
        const bool known = kind >= 0 && kind < kItemCommandKindCount;
        const int result = known ? ItemCmdExecTable[static_cast<std::size_t>(kind)](hero, command) : 0;
        if (hero.m_nLife <= 0) return ItemListResult::HeroDown;
        if (result != 0) return result;
    }
    return hero.m_nLife <= 0 ? ItemListResult::HeroDown : ItemListResult::Done;
}

void ChangeFlowCommand(cPlayer& hero, const cFlowCmd& command, int noDefer) {
    // Changing the flows under the running flow step would pull them from
    // under it: the step runs the change when it is done.
    if (!noDefer && StageState().m_lpCurChara == &hero) {
        hero.m_vecDeferredCmd.push_back(command);
        return;
    }
    switch (Param(command, 0)) {
        case 0: AddCharaFlows(hero, command.m_vFlow, FlowAddMode::Add, -1); break;
        case 1: {
            const int at = RemoveCharaFlowsById(hero, Param(command, 1));
            AddCharaFlows(hero, command.m_vFlow, FlowAddMode::Add, at);
            break;
        }
        case 2: RemoveCharaFlowsById(hero, Param(command, 1)); break;
        default: break;
    }
}
