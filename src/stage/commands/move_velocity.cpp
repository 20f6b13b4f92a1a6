#include "stage/commands/move_velocity.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gamedata/flows/flow_cmd.h"
#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/core/aiming.h"
#include "stage/flow/current_input.h"
#include "stage/movement/target_search.h"
#include "stage/objects/block_map.h"
#include "stage/objects/chara.h"
#include "stage/objects/stage_chara.h"
#include "stage/objects/stage_spawning.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr double K = 0.7071067811865475;
constexpr double kRadian = 0.017453292519943278;

const cEdMove& Move(const cCmdInst& cmd) {
    static const cEdMove none;
    return cmd.m_lpCmd && cmd.m_lpCmd->m_spMove ? *cmd.m_lpCmd->m_spMove : none;
}

bool Right(const cChara& c) { return c.m_nDirection != 0; }

// Writes the facing result only while the facing is free.
void Face(const cChara& c, MoveVelocity& v, int facing) {
    if (!c.m_Def.m_bFixedDirection) v.facing = facing;
}

int FacingOf(double vx) { return vx < -1e-8 ? 1 : vx > 1e-8 ? 2 : 0; }

}  // namespace

double ScreenCentreX(const cChara& c) { return AimCentreX(c); }
double ScreenCentreY(const cChara& c) { return AimCentreY(c); }

void CalcMoveAngle(cChara& c, cCmdInst& cmd) {
    const cEdMove& m = Move(cmd);
    int angle = m.m_sAngle + m.m_sAngleStep * c.m_nClone;
    if (m.m_bMirrorAngle && c.m_Def.m_cDirection == 1) angle = 360 - angle;
    // A negative angle stays: only whole turns above are taken off.
    if (angle >= 360) angle %= 360;
    cmd.m_nWork[MoveWork::Angle] = angle;
}

void CalcMoveTarget(cChara& c, cCmdInst& cmd) {
    const cEdMove& m = Move(cmd);
    const int unit = m.m_cUnit == 0 ? kBlockPixels : 1;
    int x = m.m_sTargetX * unit + m.m_sTargetDotX, y = m.m_sTargetY * unit + m.m_sTargetDotY;
    if (c.m_Def.m_cDirection == 1) {
        if (m.m_bMirrorX) x = -x;
        if (m.m_bMirrorY) y = -y;
    }
    cmd.m_nWork[MoveWork::OffsetX] = x;
    cmd.m_nWork[MoveWork::OffsetY] = y;
}

int ResolveMoveDir(const cChara& c, int kind, bool noneForMixed, bool flying) {
    const bool right = Right(c);
    switch (kind) {
        case 0: return right ? DirCode::Right : DirCode::Left;
        case 1: return right ? DirCode::Left : DirCode::Right;
        case 4: return right ? DirCode::Down : DirCode::Up;
        case 5: return right ? DirCode::Up : DirCode::Down;
        case 12: break;
        default: return kind;
    }
    const cFlowInst* flow = StageState().m_lpCurFlow;
    int code = InputDirToCode(flow ? flow->m_nStartDir : 0, noneForMixed ? 1 : 0, c.m_nDirection);
    // A walker given a diagonal key walks along it.
    if (!flying) {
        if (code == DirCode::UpLeft || code == DirCode::DownLeft) code = DirCode::Left;
        if (code == DirCode::UpRight || code == DirCode::DownRight) code = DirCode::Right;
    }
    return code;
}

MoveVelocity DirVelocity(const cChara& c, double speed, int kind) {
    MoveVelocity v;
    const bool fly = c.m_bFly != 0;
    const double k = K * speed;
    switch (ResolveMoveDir(c, kind, true, fly)) {
        case DirCode::Left: v.vx = -speed, Face(c, v, 1); break;
        case DirCode::Right: v.vx = speed, Face(c, v, 2); break;
        case DirCode::Up: v.vy = fly ? -speed : 0; break;
        case DirCode::Down: v.vy = fly ? speed : 0; break;
        case DirCode::UpLeft: v.vx = -k, v.vy = fly ? -k : 0, Face(c, v, 1); break;
        case DirCode::DownLeft: v.vx = -k, v.vy = fly ? k : 0, Face(c, v, 1); break;
        case DirCode::UpRight: v.vx = k, v.vy = fly ? -k : 0, Face(c, v, 2); break;
        case DirCode::DownRight: v.vx = k, v.vy = fly ? k : 0, Face(c, v, 2); break;
        default: break;
    }
    return v;
}

MoveVelocity AngleVelocity(const cChara& c, double speed, int kind, int angle) {
    struct Base {
        int code, angle, facing;
    };
    static constexpr Base kBases[] = {{DirCode::Left, 0, 1},      {DirCode::Right, 180, 2},
                                      {DirCode::Up, 90, 0},       {DirCode::Down, 270, 0},
                                      {DirCode::UpLeft, 45, 1},   {DirCode::DownLeft, 315, 1},
                                      {DirCode::UpRight, 135, 2}, {DirCode::DownRight, 225, 2}};
    MoveVelocity v;
    const int code = ResolveMoveDir(c, kind, true, c.m_bFly != 0);
    int base = 0;
    for (const Base& b : kBases) {
        if (b.code != code) continue;
        base = b.angle;
        Face(c, v, b.facing);
    }
    const double a = (base + angle) * kRadian;
    v.vx = -(std::cos(a) * speed);
    v.vy = c.m_bFly ? -(std::sin(a) * speed) : 0.0;
    return v;
}

MoveVelocity TargetVelocity(cChara& c, cCmdInst& cmd, double speed, int offsetX, int offsetY) {
    const cEdMove& m = Move(cmd);
    const cStageState& stage = StageState();
    const double sx = stage.m_ScrollX.m_dPos, sy = stage.m_ScrollY.m_dPos;
    // The centre in stage pixels.
    const double cx = ScreenCentreX(c) + sx, cy = ScreenCentreY(c) + sy;
    const int h = m.m_cUnit == 0 ? 16 : 0;
    double dx = 0, dy = 0;
    switch (m.m_cCoord) {
        case 0: {
            double px = 0, py = 0;
            UnpackPlacement(c.m_nPlace, px, py);
            dx = offsetX + px - cx, dy = offsetY + py - cy;
            break;
        }
        case 1: dx = offsetX, dy = offsetY; break;
        case 2:
            dx = stage.m_ScrollX.m_nBlockOffset * kBlockPixels + h + offsetX - cx;
            dy = stage.m_ScrollY.m_nBlockOffset * kBlockPixels + h + offsetY - cy;
            break;
        default: dx = h + offsetX + sx - cx, dy = h + offsetY + sy - cy; break;
    }
    if (!m.m_bUseX) dx = 0;
    if (!m.m_bUseY) dy = 0;
    MoveVelocity v;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d != 0) {
        v.vx = m.m_bLockX ? 0.0 : dx / d * speed;
        v.vy = m.m_bLockY ? 0.0 : dy / d * speed;
    }
    Face(c, v, FacingOf(v.vx));
    if (m.m_bArriveTime && speed != 0) {
        cmd.m_nCount = static_cast<int>(std::fabs(d) / std::fabs(speed));
        if (m.m_bStopOnArrive && cmd.m_nCount < 1) {
            if (m.m_bUseX && !m.m_bLockX) v.vx = 0, Face(c, v, 0);
            if (m.m_bUseY && !m.m_bLockY) v.vy = 0;
        }
    }
    return v;
}

MoveVelocity GroundTurnVelocity(cChara& c, double speed) {
    MoveVelocity v;
    const bool right = Right(c);
    v.vx = (right ? 1 : -1) * speed;
    if (c.m_bImpactEnded) {
        // Bounced off another character: turn, and keep pace with it.
        v.facing = right ? 1 : 2;
        v.vx = -v.vx;
        for (const cStageChara& other : CharaList) {
            if (other.m_nId != c.m_nRideId) continue;
            const double dx = other.m_dX - c.m_dRideX;
            v.vx += (right && dx < 0) || (!right && dx > 0) ? 2 * dx : dx;
            break;
        }
        c.m_bImpactEnded = 0;
        return v;
    }
    const int rows = StageState().m_ScrollY.m_nGridCells;
    const int row = std::min(static_cast<int>(c.m_dBottom + 1.1) >> 5, std::max(rows - 1, 0));
    auto solid = [&](int column) {
        cTileCell* cell = BlockCellAt(column, row);
        return cell && IsSolidFor(*cell, c.m_nBlockGroup);
    };
    const bool left = solid(c.m_nColLeft), rightSolid = solid(c.m_nColRight);
    const bool plain = speed >= 0 || SwitchOn(Switch::GroundTurn);
    if (left && !rightSolid) v.facing = plain ? 1 : 2;
    if (!left && rightSolid) v.facing = plain ? 2 : 1;
    return v;
}

MoveVelocity AimMovePoint(cChara& c, cCmdInst& cmd, const cChara* target, double x, double y) {
    const cEdMove& m = Move(cmd);
    const bool stop = m.m_bStopOnArrive != 0, scroll = c.m_bScrollFollow != 0;
    const double speed = cmd.m_dSpeed;
    MoveVelocity v;
    AimResult aim;
    if (!m.m_bLockX && !m.m_bLockY) {
        if (AimVelocity(aim, target, ScreenCentreX(c), ScreenCentreY(c), x, y, speed, scroll, true, stop)) {
            c.ArriveAt(static_cast<int>(x), static_cast<int>(y), &cmd);
            return v;
        }
    } else if (!m.m_bLockX) {
        if (AimX(aim, target, ScreenCentreX(c), x, speed, scroll, stop)) {
            c.ArriveAtX(static_cast<int>(x), &cmd);
            return v;
        }
    } else if (!m.m_bLockY) {
        if (AimY(aim, target, ScreenCentreY(c), y, speed, scroll, stop)) {
            c.ArriveAtY(static_cast<int>(y), &cmd);
            return v;
        }
    } else {
        return v;
    }
    v.vx = aim.vx;
    v.vy = aim.vy;
    v.facing = aim.direction;
    return v;
}

MoveVelocity AvoidVelocity(const cChara& c, double speed, int kind) {
    const int code = kind == 12 ? kind : ResolveMoveDir(c, kind, true, true);
    const bool left = code == DirCode::Left || code == DirCode::UpLeft || code == DirCode::DownLeft;
    const bool right = code == DirCode::Right || code == DirCode::UpRight || code == DirCode::DownRight;
    const bool up = code == DirCode::Up || code == DirCode::UpLeft || code == DirCode::UpRight;
    const bool down = code == DirCode::Down || code == DirCode::DownLeft || code == DirCode::DownRight;
    const cStageState& stage = StageState();
    const cScrollAxis& ax = stage.m_ScrollX;
    const cScrollAxis& ay = stage.m_ScrollY;
    const ScreenRect& r = c.m_rcScreen;
    MoveVelocity v;
    if (ax.m_dAutoSpeed == 0.0 || ax.m_bAtLimit) {
        if (left && r.left > kViewWidth - 32) {
            v.vx = -speed;
        } else if (right && r.right < 32) {
            v.vx = speed;
        }
        if (up && r.top > kViewHeight - 32) {
            v.vy = -speed;
        } else if (down && r.bottom < 32) {
            v.vy = speed;
        }
        return v;
    }
    const double a = ax.m_dAutoSpeed, b = ay.m_dAutoSpeed, sx = ax.m_dPos, sy = ay.m_dPos;
    const double width = LoadedStage.m_nWidth * kBlockPixels, height = LoadedStage.m_nHeight * kBlockPixels;
    if (left && r.left > kViewWidth - 32 - std::fabs(a + 1) && sx > 0 && a + sx <= width - kViewWidth) {
        v.vx = a - speed;
    } else if (right && r.right < std::fabs(a + 1) + 32 && a + sx > 0 && sx < width - kViewWidth) {
        v.vx = a + speed;
    }
    if (up && r.top > kViewHeight - 32 - std::fabs(b + 1) && sy > 0 && b + sy <= height - kViewHeight) {
        v.vy = b - speed;
    } else if (down && r.bottom < std::fabs(b + 1) + 32 && b + sy > 0 && sy < height - kViewHeight) {
        v.vy = b + speed;
    }
    return v;
}

void ApplyMoveVelocity(cChara& c, cCmdInst& cmd, const MoveVelocity& v, bool force) {
    const cEdMove& m = Move(cmd);
    if ((!c.m_Def.m_bFixedDirection || force) && !m.m_bKeepFacing) {
        if (v.facing == 1) c.m_nDirection = 0;
        if (v.facing == 2) c.m_nDirection = 1;
    }
    if (!m.m_bInertia) {
        c.m_dSpeedX += v.vx;
        c.m_dSpeedY += v.vy;
    } else {
        const double n = LoadedStage.m_dSubSteps;
        auto push = [&](double& accel, int& decay, double by) {
            const bool opposed = accel != 0.0 && by != 0.0 && (accel > 0) != (by > 0);
            if (opposed) {
                accel += by / n / 60 * m.m_dTurnFactor;
            } else {
                decay = 0;
                accel += by / n / 60;
            }
            accel = std::clamp(accel, -std::fabs(cmd.m_dMaxSpeed), std::fabs(cmd.m_dMaxSpeed));
        };
        push(c.m_dAccelX, c.m_bDecayX, v.vx);
        push(c.m_dAccelY, c.m_bDecayY, v.vy);
    }
    if (m.m_cAnime == 0) {
        c.m_bAnimRequest = 1;
        if (c.m_nAnimRequestPrio < 3) c.m_nAnimRequestPrio = 2, c.m_nAnimRequest = c.m_bFly ? 3 : 1;
    } else if (m.m_cAnime == 1) {
        c.m_bAnimRequest = 1;
        if (c.m_nAnimRequestPrio < 2) c.m_nAnimRequestPrio = 1, c.m_nAnimRequest = c.m_bFly ? 2 : 0;
    }
}
