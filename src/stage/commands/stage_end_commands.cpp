#include <algorithm>

#include "foundation/checked_containers.h"
#include "gamedata/definitions/common_palette.h"
#include "gamedata/flows/flow_cmd.h"
#include "gamedata/global_data.h"
#include "shell/loop/game.h"
#include "stage/commands/int_param.h"
#include "stage/commands/stage_commands.h"
#include "stage/core/flow_inst.h"
#include "stage/core/item_commands.h"
#include "stage/core/loop_expansion.h"
#include "stage/objects/chara.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_state.h"

namespace {

NestedWaitLoop g_waitLoop;

namespace NextStage {
enum : int { Following = 0, ByNumber, ByPath, WorldClear };
}

// A stage file named by the command: its extension goes and a point stays,
// as numbered stage names are built from it.
std::string StagePathOf(const std::string& text) {
    const std::size_t slash = text.find_last_of("\\/");
    const std::size_t dot = text.rfind('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? text.substr(0, dot) : text) + ".";
}

bool IsStoryPlay() { return Game.PlayType == 0 || Game.PlayType == 1; }

constexpr int kFacingAsNow = 2;
constexpr int kWaitFramesPerTenth = 6;

}  // namespace

void RequestStageEnd(cStageState& stage, int request) {
    if (request != 0) stage.m_nEndRequest = request;
}

void SetNestedWaitLoop(NestedWaitLoop loop) { g_waitLoop = std::move(loop); }

void RunNestedWait(cStageState& stage) {
    if (g_waitLoop) g_waitLoop(stage);
}

int CmdStageClear(cChara&, cCmdInst& cmd) {
    cStageState& stage = StageState();
    RequestStageEnd(stage, EndRequest::StageClear);
    if (!cmd.m_lpCmd) return EndRequest::StageClear;
    const cFlowCmd& command = *cmd.m_lpCmd;
    cStorySave& progress = StoryData;
    // Numbers count the files of a numbered series, whichever stage of the
    // map or the challenge list began it.
    const int current = progress.m_nPart;
    progress.m_strNextStage.clear();
    switch (Param(command, 0)) {
        case NextStage::Following: progress.m_nNextPart = current + 1; break;
        case NextStage::ByNumber: progress.m_nNextPart = Param(command, 1); break;
        case NextStage::ByPath:
            progress.m_nNextPart = current;
            if (!command.m_strText.empty()) progress.m_strNextStage = StagePathOf(command.m_strText);
            break;
        case NextStage::WorldClear: progress.m_nNextPart = 0; break;
        default: break;
    }
    if (IsStoryPlay()) {
        stage.m_bAutoSaveOnClear = SystemData.m_bClearCmdSwitch ? 1 : Param(command, 9);
        if (Param(command, 2)) {
            StoryData.m_nMapX = std::clamp(Param(command, 3), 0, std::max(0, WorldMap.m_nWidth - 1));
            StoryData.m_nMapY = std::clamp(Param(command, 4), 0, std::max(0, WorldMap.m_nHeight - 1));
            progress.m_NextStage.bWorldMap = 0;
        }
    }
    progress.m_nStageValue1 = Param(command, 5) ? 1 : 0;
    if (progress.m_nStageValue1) {
        progress.m_nStageValue2 = Param(command, 6);
        progress.m_nStageValue3 = Param(command, 7);
        const int facing = Param(command, 8);
        progress.m_nStageValue4 = facing == kFacingAsNow ? (PlayerList[0].m_nDirection ? 1 : 0) : facing;
    }
    return EndRequest::StageClear;
}

int CmdGameWait(cChara&, cCmdInst& cmd) {
    if (!cmd.m_lpCmd) return 0;
    cStageState& stage = StageState();
    const int frames = Param(*cmd.m_lpCmd, 0) * kWaitFramesPerTenth;
    // A hidden timer message keeps the scene's wait visible to the message
    // pass for as long as the game is held.
    MessageRequest timer;
    timer.nKind = MessageKind::Timer;
    timer.nTimeKind = MessageTime::Frames;
    timer.nRemain = frames;
    const cMessageSink::Key held = stage.AddHeldMessage(timer);
    InitRequest(stage.m_Wait, 0, 0, frames, 0);
    RunNestedWait(stage);
    stage.RemoveHeldMessage(held);
    return 0;
}

int CmdGetItem(cChara&, cCmdInst& cmd) {
    if (!cmd.m_lpCmd) return 0;
    const cFlowCmd& command = *cmd.m_lpCmd;
    const int palette = Param(command, 0);
    // Only the two palettes exist; another value picks up nothing and leaves
    // the end request as it was.
    if (palette != 0 && palette != 1) return 0;
    const cVector<cItemDef>& items = palette == 0 ? CommonPalette.m_vPaletteItems : LoadedStage.m_vPaletteItems;
    // The item's list is shared by every copy of the palette entry: play
    // runs a prepared copy of it.
    cVector<cFlowCmd> list = items[Param(command, 1)].m_vCmd;
    ExpandLoopCommands(list);
    RequestStageEnd(StageState(), ExecItemCmds(PlayerList[0], list));
    return 0;
}
