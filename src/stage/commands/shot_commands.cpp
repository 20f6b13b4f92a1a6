#include "gamedata/database/database.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/flows/flow_cmd.h"
#include "gamedata/stage_file/stage_data.h"
#include "shell/requests/sound_requests.h"
#include "stage/commands/move_velocity.h"
#include "stage/commands/movement_commands.h"
#include "stage/commands/shot_placement.h"
#include "stage/objects/chara.h"
#include "stage/objects/stage_state.h"

namespace {

void PlayCommandSound(const cChara& c, const cFlowCmd& cmd) {
    if (cmd.m_bSoundInView && !c.m_bOnScreen) return;
    PlayDatabaseSound(cmd.m_sSound);
}

}  // namespace

// Fires a series at its first sub-step and again every tenth of a second.
int CmdShot(cChara& c, cCmdInst& cmd) {
    int& step = cmd.m_nWork[MoveWork::Step];
    if (step == 0 && cmd.m_lpCmd && cmd.m_lpCmd->m_spShot) {
        PlayCommandSound(c, *cmd.m_lpCmd);
        PlaceShotSeries(StageState(), c, cmd, *cmd.m_lpCmd->m_spShot);
    }
    if (++step >= LoadedStage.m_nSubStepsX6) step = 0;
    return 0;
}

// One slash per start of the command; the slash runs its frames itself.
int CmdSword(cChara& c, cCmdInst& cmd) {
    int& step = cmd.m_nWork[MoveWork::Step];
    if (step++ != 0 || !cmd.m_lpCmd || !cmd.m_lpCmd->m_spShot) return 0;
    PlayCommandSound(c, *cmd.m_lpCmd);
    cEdShot& param = *cmd.m_lpCmd->m_spShot;
    // A sword type that the table lacks, or one without frames, has no
    // slash to show.
    const cVector<cSwordType>& swords = Database.SwordType;
    const int type = param.m_cMoveKind;
    if (type < 0 || type >= swords.Count() || swords[type].m_vFrames.empty()) return 0;
    const cSwordFrame& first = swords[type].m_vFrames[0];
    cShotPlacement placement;
    placement.nWidth = first.m_nWidth;
    placement.nHeight = first.m_nHeight;
    placement.nCloneX = static_cast<std::uint8_t>(param.m_cScale);
    cStageState& stage = StageState();
    if (param.m_cScale == 0) param.m_cScale = 1;
    cShot& added = stage.AppendShot(param);
    added.Init(stage.m_nNextShotId++, c, FlowKind::Sword, added.m_Param, placement);
    stage.JoinGroup(added);
    added.m_lpTarget = nullptr;
    if (added.m_lpOwner) added.LinkTo(*added.m_lpOwner, LinkKind::Child);
    return 0;
}
