#include "stage/objects/stage_object.h"

#include <algorithm>
#include <cmath>

#include "gamedata/stage_file/stage_data.h"

void cObject::CopyFrom(const cObject& other) {
    if (this != &other) *this = other;
}

void cObject::Init(int id, int charaKind, int playerNo, int blockGroup, int graphic,
                   const ANIMRECORD* const* animSource, int animNo, int gx, int gy, int width, int height, int gw,
                   int gh, int direction, int moveKind, int clone) {
    m_nId = id;
    m_nCharaKind = charaKind;
    m_nPlayerNo = playerNo;
    m_nBlockGroup = blockGroup;
    m_nGraphic = graphic;
    if (animSource) {
        m_Anim.Build(animSource);
        m_Anim.SetAnim(animNo, 1);
    }
    m_rcGraphic = {gx, gy, gw, gh};
    m_rcGraphicBase = m_rcGraphic;
    m_nWidth = m_nBaseWidth = width;
    m_nHeight = m_nBaseHeight = height;
    m_nDirection = direction;
    m_nClone = static_cast<std::int16_t>(clone);
    m_nLifeTime = kUnlimitedLifeTime;
    m_dSpeedX = m_dSpeedY = m_dAccelX = m_dAccelY = 0.0;
    m_bExists = m_bOnScreen = 0;
    m_bCondMet = 0;
    SetMoveKind(moveKind);
}

void cObject::SetMoveKind(int kind) {
    if (kind < 0 || kind > 3) return;
    m_bFly = kind != 0;
    // Walking objects collide with blocks like the flying kind 1.
    m_cFlyKind = static_cast<std::int8_t>(kind == 0 ? 1 : kind - 1);
}

void cObject::SetScale(int scale, int oldScale, int flag) {
    if (scale == oldScale) return;
    m_nWidth = m_nBaseWidth * scale;
    m_nHeight = m_nBaseHeight * scale;
    m_rcGraphic = {m_rcGraphicBase.x * scale, m_rcGraphicBase.y * scale, m_rcGraphicBase.w * scale,
                   m_rcGraphicBase.h * scale};
    ApplyScaleAnchor(scale, oldScale, flag);
    OnScaleChanged(scale);
}

void cObject::ApplyScaleAnchor(int scale, int oldScale, int flag) {
    if (scale == oldScale) return;
    m_dX -= (scale - oldScale) * (m_nBaseWidth / 2);
    ClampX(BoundMode::Grid);
    AnchorOnScale(scale, oldScale, flag);
}

int cObject::MoveStepX(int mode) {
    const double limit = std::max(LoadedStage.m_dMaxSpeedStep, 0.0);
    m_dSpeedX = std::clamp(m_dSpeedX, -limit, limit);
    m_dX += m_dSpeedX;
    return ClampX(mode);
}

int cObject::MoveStepY(int mode) {
    const double limit = std::max(LoadedStage.m_dMaxSpeedStep, 0.0);
    m_dSpeedY = std::clamp(m_dSpeedY, -limit, limit);
    m_dY += m_dSpeedY;
    return ClampY(mode);
}

void cObject::DecayAccel(double& accel, int flag) const {
    if (!flag) return;
    if (accel > 0.0) {
        accel -= m_dAccelDecay;
        if (accel < 0.0) accel = 0.0;
    } else if (accel < 0.0) {
        accel += m_dAccelDecay;
        if (accel > 0.0) accel = 0.0;
    }
}

void cObject::ApplyGravity() {
    if (!m_bFly) m_dSpeedY += LoadedStage.m_dGravityStep;
}

double StepFromPerSecond(double v) { return v / LoadedStage.m_dSubSteps / 60.0; }

namespace {

// One full turn of the phase counter: 360 frames of n sub-steps.
void AdvancePhase(double& phase, double step) {
    const double turn = 360.0 * LoadedStage.m_dSubSteps;
    phase += step;
    if (phase >= turn) phase -= turn;
}

}  // namespace

double WaveVelocity(double amplitude, double period, double& phase, double step, double offset) {
    const double n = LoadedStage.m_dSubSteps;
    const double k = period * 3.141592653589793 / 180.0;
    const double v = amplitude * k * std::cos(k * (phase / n + offset)) / n;
    AdvancePhase(phase, step);
    return v;
}

double WaveAccel(double amplitude, double period, double& phase, double step, double offset) {
    const double n = LoadedStage.m_dSubSteps;
    const double k = period * 3.141592653589793 / 180.0;
    const double a = -amplitude * k * k * std::sin(k * (phase / n + offset)) / (n * n);
    AdvancePhase(phase, step);
    return a;
}
