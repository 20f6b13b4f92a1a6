#include "gamedata/flows/flow_cmd.h"
#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "shell/requests/sound_requests.h"
#include "stage/core/flow_inst.h"
#include "stage/movement/jump_command.h"
#include "stage/objects/stage_chara.h"

namespace {

// Frames a jump may wait for the character to be ready.
constexpr int kWaitFrames = 4;

void PlayJumpSound(const cStageChara& c, const cCmdInst& cmd, bool onlyInView) {
    if (!cmd.m_lpCmd) return;
    if (onlyInView && cmd.m_lpCmd->m_bSoundInView && !c.m_bOnScreen) return;
    PlayDatabaseSound(cmd.m_lpCmd->m_sSound);
}

void StartJump(cStageChara& c, cCmdInst& cmd) {
    cmd.m_nWork[JumpWork::Jumped] = 1;
    c.m_dSpeedY = cmd.m_dSpeed;
    c.m_bJumping = c.m_bJumpEnd = 1;
    c.m_bRiding = 0;
}

void EndCommand(cStageChara& c, cCmdInst& cmd) {
    cmd.m_nCount = 0;
    c.m_bCeiling = c.m_bImpact = 0;
}

}  // namespace

void cStageChara::Jump(cCmdInst* cmd) {
    if (!cmd) return;
    ++cmd->m_nWork[JumpWork::Calls];
    if (SwitchOn(Switch::JumpCmd)) {
        // Old projects: the command ends only by its time.
        if (!m_bAirLock && !m_bCeiling && !m_bImpact && !m_nAirSteps) {
            PlayJumpSound(*this, *cmd, false);
            StartJump(*this, *cmd);
        }
        return;
    }
    if (cmd->m_nWork[JumpWork::Jumped]) {
        if (IsOnGround()) EndCommand(*this, *cmd);
        return;
    }
    const int inAir = SwitchOn(Switch::JumpAirSteps) ? m_nAirSteps : m_bJumping;
    if (!m_bAirLock && !m_bCeiling && !m_bImpact && !inAir) {
        PlayJumpSound(*this, *cmd, true);
        StartJump(*this, *cmd);
    } else if (cmd->m_nWork[JumpWork::Calls] >= kWaitFrames * LoadedStage.m_nSubSteps) {
        cmd->m_nWork[JumpWork::Jumped] = 1;
        EndCommand(*this, *cmd);
    }
}
