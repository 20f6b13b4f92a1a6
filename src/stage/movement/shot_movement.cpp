#include <cmath>
#include <numbers>

#include "gamedata/stage_file/stage_data.h"
#include "stage/movement/target_search.h"
#include "stage/objects/player.h"
#include "stage/objects/shot.h"
#include "stage/objects/stage_state.h"

const cVector<cShot::MoveRoutine>& cShot::MoveTable() {
    static const cVector<MoveRoutine> table = {
        &cShot::MoveNone,    &cShot::AimHero,    &cShot::AimNearest,  &cShot::AimTarget, &cShot::HomeHero,
        &cShot::HomeNearest, &cShot::HomeTarget, &cShot::HomeNearest, &cShot::Wave,      &cShot::Fall,
    };
    return table;
}

cChara* cShot::Hero() { return PlayerList.empty() ? nullptr : &PlayerList[0]; }

cChara* cShot::NearestInForce() {
    const int force = m_Param.m_cMoveKind == ShotMove::AimNearest ? m_Param.m_sMoveParam[1] : m_Param.m_sMoveParam[2];
    return FindNearestChara(AimCentreX(*this), AimCentreY(*this), StageState().m_vecForce[force], false);
}

cChara* cShot::LiveTarget() { return m_lpTarget && !m_lpTarget->m_bDead ? m_lpTarget : nullptr; }

AimResult cShot::AimAt(cChara& target) {
    UpdateScreenRect();
    AimResult aim;
    AimVelocity(aim, &target, AimCentreX(*this), AimCentreY(*this), AimCentreX(target), AimCentreY(target),
                m_dMoveSpeed, m_bScrollFollow != 0, true, false);
    return aim;
}

// Aiming kinds: one aim when the shot has flown its course change, then
// straight on; without a target the aim is not retried.
void cShot::AimOnce(cChara* (cShot::*find)()) {
    if (m_bMoveDone) return;
    if (m_nMoveCount == 0) {
        m_dMoveSpeed = MoveSpeed();
        if (m_Param.m_sMoveParam[0] != 0) m_nMoveStart = StepsFor(m_Param.m_sMoveParam[0]);
    }
    if (m_nMoveCount == m_nMoveStart) {
        if (cChara* target = (this->*find)()) {
            const AimResult aim = AimAt(*target);
            m_dOwnSpeedX = aim.vx;
            m_dOwnSpeedY = aim.vy;
            if (m_bAccel) SplitAccel(m_dAccelX, m_dAccelY, aim.vx, aim.vy);
        }
        m_bMoveDone = 1;
    }
    ++m_nMoveCount;
}

void cShot::AimHero() { AimOnce(&cShot::Hero); }
void cShot::AimNearest() { AimOnce(&cShot::NearestInForce); }
void cShot::AimTarget() { AimOnce(&cShot::LiveTarget); }

void cShot::HomeWith(cChara* (cShot::*find)()) {
    if (m_bMoveDone) return;
    if (m_nMoveCount == 0) {
        m_dMoveSpeed = MoveSpeed();
        if (m_Param.m_sMoveParam[0] != 0) m_nMoveStart = StepsFor(m_Param.m_sMoveParam[0]);
        if (m_Param.m_sMoveParam[1] != 0) m_nMoveEnd = StepsFor(m_Param.m_sMoveParam[1]);
    }
    if (m_nMoveCount >= m_nMoveEnd) {
        m_bMoveDone = 1;
    } else if (m_nMoveCount >= m_nMoveStart) {
        if (cChara* target = (this->*find)()) HomeOn(*target);
    }
    ++m_nMoveCount;
}

void cShot::HomeHero() { HomeWith(&cShot::Hero); }
void cShot::HomeNearest() { HomeWith(&cShot::NearestInForce); }
void cShot::HomeTarget() { HomeWith(&cShot::LiveTarget); }

// Without acceleration the shot turns onto the target at once; with it the
// shot steers by turning its acceleration toward the target.
void cShot::HomeOn(cChara& target) {
    const AimResult aim = AimAt(target);
    if (!m_bAccel || m_nMoveCount == m_nMoveStart) {
        m_dOwnSpeedX = aim.vx;
        m_dOwnSpeedY = aim.vy;
    }
    if (m_bAccel) SplitAccel(m_dAccelX, m_dAccelY, aim.vx, aim.vy);
}

// A sine across the flight: its velocity is set once, then its
// acceleration bends the own velocity every sub-step.
void cShot::Wave() {
    const double n = LoadedStage.m_dSubSteps;
    const double width = m_Param.m_sMoveParam[1];
    if (m_nMoveCount == 0) {
        m_Param.m_sMoveParam[0] = static_cast<std::int16_t>(m_Param.m_sMoveParam[0] * 16);
        m_nMoveCount = 1;
        const double start = m_Param.m_sMoveParam[2] + (m_nDirection ? 0 : 180);
        // A wave speed of 0 never turns: the shot starts at the phase of
        // its start angle and flies straight on.
        m_dWavePhase = width != 0.0 ? n * (start / width) : 0.0;
        const double g = WaveVelocity(m_Param.m_sMoveParam[0], width, m_dWavePhase, 1, 0);
        double theta = std::atan2(m_dOwnSpeedY, m_dOwnSpeedX);
        if (theta < 0) theta += 2 * std::numbers::pi;
        theta -= std::numbers::pi / 2;
        m_dWaveCos = std::cos(theta);
        m_dWaveSin = std::sin(theta);
        m_dOwnSpeedX += g * m_dWaveCos;
        m_dOwnSpeedY += g * m_dWaveSin;
    } else {
        const double a = WaveAccel(m_Param.m_sMoveParam[0], width, m_dWavePhase, 1, 0);
        auto bend = [](double& v, double by) {
            const double before = v;
            v += by;
            if ((before < 0 && v > 0) || (before > 0 && v < 0)) v = 0;
        };
        bend(m_dOwnSpeedX, a * m_dWaveCos);
        bend(m_dOwnSpeedY, a * m_dWaveSin);
    }
    if (m_bAccel) SplitAccel(m_dAccelX, m_dAccelY, m_dOwnSpeedX, m_dOwnSpeedY);
}

void cShot::Fall() {
    if (m_bMoveDone) return;
    if (m_nMoveCount == 0) {
        m_dMoveSpeed = MoveSpeed();
        if (m_Param.m_sMoveParam[0] != 0) m_nMoveStart = StepsFor(m_Param.m_sMoveParam[0]);
    }
    if (m_nMoveCount >= m_nMoveStart) {
        m_dSpeedY = m_dOwnSpeedY;
        m_bFly = 0;
        m_bMoveDone = 1;
    }
    ++m_nMoveCount;
}
