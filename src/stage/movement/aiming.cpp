#include "stage/core/aiming.h"

#include <cmath>

#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "stage/objects/chara.h"
#include "stage/objects/stage_state.h"

namespace {

bool IsRunning(const cScrollAxis& axis) { return axis.CarrySpeed() != 0.0; }

int DirectionOf(double vx) { return vx < 0.0 ? 1 : vx > 0.0 ? 2 : 0; }

void AddScroll(AimResult& out, double sign) {
    const cStageState& stage = StageState();
    out.vx += sign * stage.m_ScrollX.CarrySpeed();
    out.vy += sign * stage.m_ScrollY.CarrySpeed();
}

// The escape of a negative speed: each component |speed| / sqrt 2, away
// from the target on its axis.
int Flee(AimResult& out, const cChara* target, double dx, double dy, double speed, bool scrollRule) {
    const double c = std::fabs(speed) / std::sqrt(2.0);
    out.vx = dx > 0.0 ? -c : c;
    out.vy = dy > 0.0 ? -c : c;
    out.direction = DirectionOf(out.vx);
    if (SwitchOn(Switch::SpeedReset)) {
        AddScroll(out, 1.0);
    } else if (target && scrollRule != (target->m_bScrollFollow != 0)) {
        AddScroll(out, -1.0);
    }
    return 0;
}

// The velocity v with |v| = m for which v - s points along `dir`: v = s +
// t dir with the larger root t of |s + t dir|^2 = m^2. False (v untouched)
// when no such velocity exists.
bool SolveAgainstScroll(AimResult& out, double dirX, double dirY, double m) {
    const cStageState& stage = StageState();
    const double sx = stage.m_ScrollX.m_bAtLimit ? 0.0 : stage.m_ScrollX.m_dAutoSpeed;
    const double sy = stage.m_ScrollY.m_bAtLimit ? 0.0 : stage.m_ScrollY.m_dAutoSpeed;
    const double a = dirX * dirX + dirY * dirY;
    if (!(a > 0.0)) return false;
    const double b = sx * dirX + sy * dirY;
    const double e = b * b - a * (sx * sx + sy * sy - m * m);
    if (!(e >= 0.0)) return false;
    const double t = (-b + std::sqrt(e)) / a;
    if (!std::isfinite(t)) return false;
    out.vx = sx + t * dirX;
    out.vy = sy + t * dirY;
    return true;
}

}  // namespace

int AimVelocity(AimResult& out, const cChara* target, double fromX, double fromY, double toX, double toY, double speed,
                bool scrollRule, bool noFlee, bool arriveTest) {
    const double dx = toX - fromX, dy = toY - fromY;
    out.vx = out.vy = 0.0;
    if (!noFlee && speed < 0.0) return Flee(out, target, dx, dy, speed, scrollRule);
    double r = std::sqrt(dx * dx + dy * dy);
    if (r == 0.0) r = 1.0;
    out.vx = dx / r * speed;
    out.vy = dy / r * speed;
    const cStageState& stage = StageState();
    if (SwitchOn(Switch::SpeedReset)) {
        AddScroll(out, 1.0);
    } else if (target) {
        const bool carried = target->m_bScrollFollow != 0;
        if (!carried) {
            AddScroll(out, -1.0);
        } else if (!scrollRule && (IsRunning(stage.m_ScrollX) || IsRunning(stage.m_ScrollY))) {
            const double m = std::sqrt(out.vx * out.vx + out.vy * out.vy);
            // Away from the point for a negative speed.
            const double sign = speed < 0.0 ? -1.0 : 1.0;
            if (!SolveAgainstScroll(out, sign * dx, sign * dy, m)) return 0;
        }
    }
    out.direction = DirectionOf(out.vx);
    if (arriveTest && std::fabs(dx) <= std::fabs(speed) && std::fabs(dy) <= std::fabs(speed)) return 1;
    return 0;
}

namespace {

int AimAxis(double& v, const cChara* target, const cScrollAxis& axis, double from, double to, double speed,
            bool noScroll, bool arriveTest) {
    v = from < to ? speed : -speed;
    if (!noScroll && target && target->m_bScrollFollow && SwitchOn(Switch::SpeedReset) && IsRunning(axis)) {
        v += axis.m_dAutoSpeed;
    }
    return arriveTest && std::fabs(from - to) < std::fabs(speed) ? 1 : 0;
}

}  // namespace

int AimX(AimResult& out, const cChara* target, double from, double to, double speed, bool noScroll, bool arriveTest) {
    out.vy = 0.0;
    out.direction = from < to ? 2 : 1;
    return AimAxis(out.vx, target, StageState().m_ScrollX, from, to, speed, noScroll, arriveTest);
}

int AimY(AimResult& out, const cChara* target, double from, double to, double speed, bool noScroll, bool arriveTest) {
    out.vx = 0.0;
    out.direction = 0;
    return AimAxis(out.vy, target, StageState().m_ScrollY, from, to, speed, noScroll, arriveTest);
}
