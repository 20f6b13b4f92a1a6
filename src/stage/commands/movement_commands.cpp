#include "stage/commands/movement_commands.h"

#include <cmath>
#include <numbers>

#include "gamedata/flows/flow_cmd.h"
#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "shell/sound_requests.h"
#include "stage/commands/move_velocity.h"
#include "stage/objects/chara.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr double kRadian = 0.017453292519943278;

const cEdMove& Move(const cCmdInst& cmd) {
    static const cEdMove none;
    return cmd.m_lpCmd && cmd.m_lpCmd->m_spMove ? *cmd.m_lpCmd->m_spMove : none;
}

int& Work(cCmdInst& cmd, int slot) { return cmd.m_nWork[static_cast<std::size_t>(slot)]; }

// Every movement draws the character where it is, not pinned to the screen.
void Unpin(cChara& c) { c.m_bPinScreenX = c.m_bPinScreenY = 0; }

bool FirstStep(cCmdInst& cmd) {
    if (Work(cmd, MoveWork::Started)) return false;
    Work(cmd, MoveWork::Started) = 1;
    return true;
}

MoveVelocity Stored(cCmdInst& cmd) { return {cmd.m_dWorkSpeedX, cmd.m_dWorkSpeedY, Work(cmd, MoveWork::Facing)}; }

void Store(cCmdInst& cmd, const MoveVelocity& v) {
    cmd.m_dWorkSpeedX = v.vx;
    cmd.m_dWorkSpeedY = v.vy;
    Work(cmd, MoveWork::Facing) = v.facing;
}

// The character in the movement's target slot, when it is alive.
cChara* LiveTarget(cChara& c, const cCmdInst& cmd) {
    cChara* t = c.m_vecTarget[Move(cmd).m_cTarget];
    return t && !t->m_bDead ? t : nullptr;
}

}  // namespace

int CmdStraightMove(cChara& c, cCmdInst& cmd) {
    Unpin(c);
    const cEdMove& m = Move(cmd);
    MoveVelocity v;
    if (FirstStep(cmd)) {
        CalcMoveAngle(c, cmd);
        const int angle = Work(cmd, MoveWork::Angle);
        if (m.m_cMode == 1) {
            CalcMoveTarget(c, cmd);
            v = TargetVelocity(c, cmd, cmd.m_dSpeed, Work(cmd, MoveWork::OffsetX), Work(cmd, MoveWork::OffsetY));
        } else {
            v = angle == 0 ? DirVelocity(c, cmd.m_dSpeed, m.m_cDirection)
                           : AngleVelocity(c, cmd.m_dSpeed, m.m_cDirection, angle);
        }
        if (!c.m_bFly) v.vy = 0;
        Work(cmd, MoveWork::SeenFacing) = c.m_nDirection;
    } else {
        v = Stored(cmd);
        if (!c.m_bFly) v.vy = 0;
        const bool reverses = m.m_cMode == 0 || SwitchOn(Switch::StraightReverse);
        if (m.m_bTurnReverse && c.m_Def.m_bFixedDirection == 1 && reverses &&
            c.m_nDirection != Work(cmd, MoveWork::SeenFacing)) {
            v.vx = -v.vx;
            v.vy = -v.vy;
        }
    }
    if (!SwitchOn(Switch::StraightLock)) {
        if (m.m_bLockX) v.vx = 0;
        if (m.m_bLockY) v.vy = 0;
    }
    Store(cmd, v);
    ApplyMoveVelocity(c, cmd, v, false);
    Work(cmd, MoveWork::SeenFacing) = c.m_nDirection;
    return 0;
}

int CmdGroundTurnMove(cChara& c, cCmdInst& cmd) {
    Unpin(c);
    if (c.m_bFly) return 0;
    MoveVelocity v;
    if (c.m_dImpactX == 0 && c.m_dImpactY == 0) {
        v = GroundTurnVelocity(c, cmd.m_dSpeed);
    } else {
        v.vx = (c.m_nDirection ? 1 : -1) * cmd.m_dSpeed;
    }
    ApplyMoveVelocity(c, cmd, v, true);
    return 0;
}

int CmdCircleMove(cChara& c, cCmdInst& cmd) {
    Unpin(c);
    const double radius = cmd.m_nPrepared[0];
    if (radius == 0) return 0;
    const double n = LoadedStage.m_dSubSteps;
    if (FirstStep(cmd)) cmd.m_dPhaseX = cmd.m_dPhaseY = cmd.m_nPrepared[1];
    int sense = cmd.m_cMoveDir;
    if (sense == 2) sense = c.m_nDirection ? 1 : 0;
    if (sense == 3) sense = c.m_nDirection ? 0 : 1;
    const double speed = cmd.m_dSpeed, step = n * speed;
    // The derivative of the circle at the phase, taken before it advances.
    auto term = [&](double& phase, double c0) {
        const double t = kRadian * std::cos(kRadian * (phase / n + c0)) * radius / n;
        phase += step;
        if (phase >= 360 * n) phase -= 360 * n;
        return t;
    };
    const cEdMove& m = Move(cmd);
    MoveVelocity v;
    const double tx = term(cmd.m_dPhaseX, 0), ty = term(cmd.m_dPhaseY, sense == 0 ? 270 : 90);
    if (!m.m_bLockX) v.vx = -tx * speed;
    if (c.m_bFly && !m.m_bLockY) v.vy = -ty * speed;
    ApplyMoveVelocity(c, cmd, v, false);
    return 0;
}

int CmdChargeMove(cChara& c, cCmdInst& cmd) {
    Unpin(c);
    const cEdMove& m = Move(cmd);
    if (FirstStep(cmd)) {
        CalcMoveAngle(c, cmd);
        CalcMoveTarget(c, cmd);
        cChara* target = c.m_vecTarget[m.m_cTarget];
        if (!target) {
            Store(cmd, {});
            return 0;
        }
        if (target->m_bDead) return 0;
        target->UpdateScreenRect();
        const double speed = cmd.m_dSpeed;
        const double tx = ScreenCentreX(*target) + (m.m_bLockX ? 0 : Work(cmd, MoveWork::OffsetX));
        const double ty = ScreenCentreY(*target) + (m.m_bLockY ? 0 : Work(cmd, MoveWork::OffsetY));
        MoveVelocity v;
        if (c.m_bFly) {
            v = AimMovePoint(c, cmd, target, tx, ty);
        } else if (!m.m_bLockX) {
            const bool left = tx <= ScreenCentreX(c);
            v.vx = left ? -speed : speed;
            v.facing = left ? 1 : 2;
        }
        if (const int angle = Work(cmd, MoveWork::Angle); angle != 0) {
            double t = 0;
            if (!SwitchOn(Switch::ChargeAngle)) {
                t = static_cast<int>(std::atan2(v.vy, v.vx) / kRadian + 180) + angle;
                v.vx = -(speed * std::cos(t * kRadian));
            } else {
                t = angle + static_cast<int>(std::atan2(v.vx, v.vy) / kRadian + 90);
                v.vx = speed * std::cos(t * kRadian);
            }
            if (c.m_bFly) v.vy = -(speed * std::sin(t * kRadian));
        }
        Store(cmd, v);
    }
    MoveVelocity v = Stored(cmd);
    if (!c.m_bFly) v.vy = 0;
    ApplyMoveVelocity(c, cmd, v, false);
    return 0;
}

// The character follows where its target was `delay` sub-steps earlier.
int CmdHomingMove(cChara& c, cCmdInst& cmd) {
    Unpin(c);
    cChara* target = LiveTarget(c, cmd);
    if (!target) return 0;
    const cEdMove& m = Move(cmd);
    if (FirstStep(cmd)) CalcMoveTarget(c, cmd);
    if (!c.m_bFly && m.m_bLockX) return 0;
    target->UpdateScreenRect();
    const double px = ScreenCentreX(*target) + Work(cmd, MoveWork::OffsetX);
    const double py = ScreenCentreY(*target) + Work(cmd, MoveWork::OffsetY);
    const int delay = cmd.m_nPrepared[0];
    int& n = Work(cmd, MoveWork::Step);
    auto aim = [&](double x, double y) {
        if (c.m_bFly) {
            Store(cmd, AimMovePoint(c, cmd, target, x, y));
            return;
        }
        const bool left = x <= ScreenCentreX(c);
        Store(cmd, {left ? -cmd.m_dSpeed : cmd.m_dSpeed, 0.0, left ? 1 : 2});
    };
    if (delay <= 0) {
        aim(px, py);
    } else if (n == 0) {
        cmd.m_lstAimPoint.clear();
        cmd.m_lstAimPoint.push_back({px, py});
        aim(px, py);
    } else if (n % delay == 0 && !cmd.m_lstAimPoint.empty()) {
        const auto oldest = cmd.m_lstAimPoint.front();
        aim(oldest[0], oldest[1]);
        cmd.m_lstAimPoint.push_back({px, py});
        cmd.m_lstAimPoint.pop_front();
    }
    MoveVelocity v = Stored(cmd);
    if (!c.m_bFly) v.vy = 0;
    ApplyMoveVelocity(c, cmd, v, false);
    ++n;
    return 0;
}

int CmdOffscreenAvoidMove(cChara& c, cCmdInst& cmd) {
    Unpin(c);
    MoveVelocity v = AvoidVelocity(c, cmd.m_dSpeed, Move(cmd).m_cDirection);
    if (!c.m_bFly) v.vy = 0;
    ApplyMoveVelocity(c, cmd, v, false);
    ++Work(cmd, MoveWork::Step);
    return 0;
}

int CmdCancelMove(cChara& c, cCmdInst&) {
    Unpin(c);
    c.m_dSpeedX = c.m_dSpeedY = c.m_dAccelX = c.m_dAccelY = 0.0;
    c.m_dImpactX = c.m_dImpactY = c.m_dPrevImpactY = 0.0;
    c.m_bNoGravity = 1;
    c.ClearImpact();
    return 0;
}

// Re-applied every tenth of a second while the command runs.
int CmdChangeDirection(cChara& c, cCmdInst& cmd) {
    if (!c.m_Def.m_bFixedDirection) return 0;
    int& step = Work(cmd, MoveWork::Step);
    if (step == 0) {
        // A choice that waits for an empty target slot keeps its sound for
        // when it acts.
        if (!Work(cmd, MoveWork::SoundPlayed) && cmd.m_lpCmd) PlayDatabaseSound(cmd.m_lpCmd->m_sSound);
        Work(cmd, MoveWork::SoundPlayed) = 1;
        const int choice = cmd.m_lpCmd && !cmd.m_lpCmd->m_vParam.empty() ? cmd.m_lpCmd->m_vParam[0] : -1;
        if (choice >= 2 && choice <= 9) {
            const cChara* t = c.m_vecTarget[(choice - 2) / 2];
            if (!t) return 0;
            const bool targetLeft = ScreenCentreX(*t) <= ScreenCentreX(c);
            const bool faceLeft = choice % 2 == 0 ? targetLeft : !targetLeft;
            c.m_nDirection = faceLeft ? 0 : 1;
        } else if (choice == 0 || choice == 1) {
            c.m_nDirection = choice;
        } else if (choice == 10 || choice == 11) {
            const int side = c.m_nWallSide;
            c.m_nDirection = choice == 10 ? side : !side;
        }
    }
    if (++step >= LoadedStage.m_nSubStepsX6) {
        step = 0;
        Work(cmd, MoveWork::SoundPlayed) = 0;
    }
    return 0;
}

int CmdJump(cChara& c, cCmdInst& cmd) {
    Unpin(c);
    c.Jump(&cmd);
    ++Work(cmd, MoveWork::Step);
    return 0;
}
