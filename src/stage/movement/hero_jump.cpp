#include <cmath>

#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "shell/requests/sound_requests.h"
#include "stage/core/flow_inst.h"
#include "stage/flow/current_input.h"
#include "stage/movement/jump_command.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr double kReleaseCut = 0.3;
// Old projects gave a jump from a ridden character 2 % more speed, as the
// single-precision factor they stored.
constexpr double kOldRideJumpFactor = 1.0199999809265137;

namespace HeightMode {
enum : int { Fixed = 0, ByKey = 1, ByRunSpeed = 2 };
}

int Param(const cCmdInst& cmd, int n) {
    const cFlowCmd* record = cmd.m_lpCmd;
    return record && n < record->m_vParam.Count() ? record->m_vParam[n] : 0;
}

const cFlowInst* RunningFlow() { return StageState().m_lpCurFlow; }

bool HasKeyConditions() {
    const cFlowInst* flow = RunningFlow();
    return flow && !flow->m_vecKeyCond.empty();
}

// The last key condition of the running flow against the hero's input.
bool KeyHeld(const cPlayer& hero) {
    const cFlowInst* flow = RunningFlow();
    if (!flow || flow->m_vecKeyCond.empty() || !hero.m_lpKeyState || !flow->m_vecKeyCond.back()) return false;
    return KeyCondMatches(*hero.m_lpKeyState, *flow->m_vecKeyCond.back()) != 0;
}

// A run faster than parameter 1 jumps parameter 2 half blocks high, one
// slower than parameter 3 parameter 4; in between the height follows the
// speed.
int HeightByRunSpeed(const cPlayer& hero, const cCmdInst& cmd) {
    const double n = LoadedStage.m_dSubSteps > 0.0 ? LoadedStage.m_dSubSteps : 1.0;
    const double a = std::fabs(hero.m_dAccelX);
    const double fast = Param(cmd, 1) / (10.0 * n);
    const double slow = Param(cmd, 3) / (10.0 * n);
    if (a >= fast) return Param(cmd, 2);
    if (a <= slow) return Param(cmd, 4);
    return static_cast<int>(Param(cmd, 4) + (Param(cmd, 2) - Param(cmd, 4)) * a / fast);
}

}  // namespace

void cPlayer::Jump(cCmdInst* cmd) {
    if (!cmd || m_bFly || m_bJumpDone) return;
    const int mode = Param(*cmd, 0);
    const bool held = mode == HeightMode::Fixed || KeyHeld(*this);
    if (mode == HeightMode::ByRunSpeed) cmd->m_dSpeed = JumpSpeedForHeight(16.0 * HeightByRunSpeed(*this, *cmd));
    const int n = LoadedStage.m_nSubSteps > 0 ? LoadedStage.m_nSubSteps : 1;
    const bool riseOn = !m_bJumpEnd || m_bRiding;
    if (held && !m_bNoJumpGround) {
        ++m_nJumpFrames;
        if (m_nJumpFrames >= cmd->m_nTime && riseOn && m_bJumpReady && !m_bCeiling && (m_dSpeedY < 0.0 || m_bRiding)) {
            // The longest hold is used up: the rise ends.
            m_bJumpEnd = 1;
            m_bJumpReady = 0;
        } else if (!m_bAirLock && m_nJumpFrames <= n && riseOn && m_bJumpReady && !m_bCeiling && !m_bImpact &&
                   !cmd->m_nWork[JumpWork::Jumped]) {
            StartJump(*cmd, n);
        }
    } else {
        if (m_nJumpFrames > 0 && m_nJumpFrames < cmd->m_nTime && !m_bJumpEnd && !m_bCeiling && !m_bNoJumpGround &&
            !m_bImpact) {
            // Letting go early cuts the rise short.
            m_bRiding = 0;
            if (m_dSpeedY < 0.0) m_dSpeedY *= kReleaseCut;
            m_bJumpEnd = 1;
        }
        m_nJumpFrames = 0;
        m_bJumpReady = 1;
        m_bCeiling = 0;
    }
    if (IsOnGround() && m_dSpeedY >= 0.0) {
        const bool keyed = HasKeyConditions();
        if (!keyed || !held) {
            m_nJumpFrames = 0;
            m_bJumpReady = 1;
            m_bCeiling = m_bImpact = 0;
            if (!keyed) cmd->m_nWork[JumpWork::Jumped] = 0;
            if (keyed) cmd->m_nCount = 0;
        }
    }
    m_bJumpDone = 1;
}

void cPlayer::StartJump(cCmdInst& cmd, int subSteps) {
    const bool oldRide = SwitchOn(Switch::RideJump) != 0;
    if (!oldRide && m_bJumping) return;
    double speed = cmd.m_dSpeed;
    if (m_bRiding) {
        // From a ridden character the jump leaves on the frame's last
        // sub-step, when the ride has moved the hero for the frame.
        if (StageState().m_nSubStepNo != subSteps) return;
        m_bRiding = 0;
        if (oldRide) speed *= kOldRideJumpFactor;
    }
    m_bJumping = 1;
    m_dSpeedY = speed;
    cmd.m_nWork[JumpWork::Jumped] = 1;
    if (cmd.m_lpCmd) PlayDatabaseSound(cmd.m_lpCmd->m_sSound);
}
