#include "stage/movement/impacts.h"

#include <algorithm>
#include <cmath>

#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/objects/chara.h"
#include "stage/objects/shot.h"

namespace {

constexpr double kAgainstEpsilon = 1e-8;
// Strengths are 8-bit values limited to this.
constexpr int kMaxStrength = 20;

double SubSteps() { return LoadedStage.m_dSubSteps > 0.0 ? LoadedStage.m_dSubSteps : 1.0; }

// Starting at v and losing 1/n per sub-step the distance is about
// n v^2 / 2 + v / 2; this v makes it 16 |u| pixels.
double SpeedForShare(double u) {
    const double n = SubSteps();
    if (u > 0.0) return (std::sqrt(1.0 + 128.0 * n * u) - 1.0) / (2.0 * n);
    if (u < 0.0) return -(std::sqrt(1.0 - 128.0 * n * u) - 1.0) / (2.0 * n);
    return 0.0;
}

bool Against(double impact, double other) {
    return (impact > kAgainstEpsilon && other < -kAgainstEpsilon) ||
           (impact < -kAgainstEpsilon && other > kAgainstEpsilon);
}

void ZeroIfAgainst(double& value, double impact) {
    if (Against(impact, value)) value = 0.0;
}

// One sub-step of decay toward 0; true when it reached 0.
bool DecayTowardZero(double& v) {
    const double step = 1.0 / SubSteps();
    if (v > 0.0) {
        v -= step;
        if (v > 0.0) return false;
    } else if (v < 0.0) {
        v += step;
        if (v < 0.0) return false;
    }
    v = 0.0;
    return true;
}

}  // namespace

void ImpactSpeeds(double& x, double& y, int strength, double dx, double dy, double& previous) {
    if (strength == 0) return;
    if (!SwitchOn(Switch::ImpactPrevY)) previous = 0.0;
    const double t = std::fabs(dx) + std::fabs(dy);
    if (!(t > 0.0)) {
        x = y = 0.0;
        return;
    }
    x = SpeedForShare(strength * dx / t);
    y = SpeedForShare(strength * dy / t);
}

void cChara::ApplyImpact(int strength, double dx, double dy, int& effective) {
    if (strength == 0) return;
    const int r = m_Def.m_cImpactResist;
    effective = strength < 0 ? std::clamp(strength + r, -kMaxStrength, 0) : std::clamp(strength - r, 0, kMaxStrength);
    ImpactSpeeds(m_dImpactX, m_dImpactY, effective, dx, dy, m_dPrevImpactY);
    ZeroIfAgainst(m_dAccelX, m_dImpactX);
    ZeroIfAgainst(m_dAccelY, m_dImpactY);
    ZeroIfAgainst(m_dSpeedY, m_dImpactY);
    m_bImpact = 1;
}

void cChara::ImpactFromChara(const cChara& attacker, int& effective) {
    const double g = LoadedStage.m_dGravityStep;
    // A walking attacker only falling slowly pushes sideways alone.
    double dy = attacker.m_dSpeedY;
    if (attacker.IsWalking() && dy < 8.0 * SubSteps() * g) dy = 0.0;
    ApplyImpact(attacker.m_Def.m_cImpact, attacker.m_dSpeedX, dy, effective);
}

void cChara::ImpactFromShot(const cShot& shot, int& effective) {
    if (shot.m_bDirectionalImpact) {
        ApplyImpact(shot.m_Param.m_cImpact, shot.m_dSpeedX, shot.m_dSpeedY, effective);
    } else {
        ApplyImpact(shot.m_Param.m_cImpact, shot.DirSign(), 0.0, effective);
    }
}

void cChara::ApplyImpactY() {
    if (m_dImpactY == 0.0) {
        m_dPrevImpactY = 0.0;
        return;
    }
    if (m_bFly) {
        m_dSpeedY += m_dImpactY;
    } else if (m_dImpactY > 0.0 && IsOnGround()) {
        ClearImpact();
        return;
    } else if (SwitchOn(Switch::ImpactPrevY) && !SwitchOn(Switch::NoCatchUp) &&
               m_dPrevImpactY - m_dSpeedY > 1.0 / SubSteps()) {
        // Old projects leave a speed that lags far behind alone.
    } else {
        // The new impact replaces the previous one's share; what gravity
        // added stays.
        m_dSpeedY = m_dSpeedY - m_dPrevImpactY + m_dImpactY;
    }
    m_dPrevImpactY = m_dImpactY;
}

void cChara::ClearImpact() { m_dImpactY = m_dPrevImpactY = 0.0; }

void cChara::CountDownImpactX() { DecayTowardZero(m_dImpactX); }

void cChara::CountDownImpactY() {
    if (DecayTowardZero(m_dImpactY)) ClearImpact();
}
