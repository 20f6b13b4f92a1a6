#include <algorithm>

#include "foundation/report.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/movement/ground_effects.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_state.h"

namespace {

// The view centred on the hero's box, kept inside the inner limits; an
// automatic scroll moves the view by itself.
void FollowWithView(cScrollAxis& axis, double position, int size) {
    if (axis.m_bAutoScroll) return;
    axis.m_dPos = position - (axis.m_nView / 2 - size / 2);
    if (axis.m_dPos < axis.m_nMin) {
        axis.m_dPos = axis.m_nMin;
    } else if (axis.m_dPos + axis.m_nView > axis.m_nMax) {
        axis.m_dPos = axis.m_nMax - axis.m_nView;
    }
}

// A speed-change ground slows (or speeds up) the run's acceleration by a
// step per sub-step, never turning it round.
double AccelOnSpeedGround(double accel, double value) {
    const double n = LoadedStage.m_dSubSteps > 0.0 ? LoadedStage.m_dSubSteps : 1.0;
    const double d = StepFromPerSecond(4.0 / n) * (value - 1.0);
    if (accel > 0.0) return std::max(accel + d, 0.0);
    return std::min(accel - d, 0.0);
}

}  // namespace

int cPlayer::AfterMoveX() {
    FollowWithView(StageState().m_ScrollX, m_dX, m_nWidth);
    return ClampX(m_bFly ? BoundMode::ScrollRange : BoundMode::StageArea);
}

int cPlayer::AfterMoveY() {
    FollowWithView(StageState().m_ScrollY, m_dY, m_nHeight);
    return ClampY(m_bFly ? BoundMode::ScrollRange : BoundMode::StageArea);
}

int cPlayer::MoveX() {
    if (m_dImpactX != 0.0) {
        m_dSpeedX = m_dImpactX;
        WriteLogF("MoveX() m_dSpeedX = %lf, m_dImpactX = %lf", m_dSpeedX, m_dImpactX);
    } else if (m_dAccelX != 0.0) {
        DecayAccel(m_dAccelX, m_bDecayX);
        if (m_nGroundSteps != 0 && m_nGroundKind == GroundKind::SpeedChange && m_dAccelX != 0.0) {
            m_dAccelX = AccelOnSpeedGround(m_dAccelX, m_dGroundValue);
        }
        m_dSpeedX += m_dAccelX;
    }
    const double limit = std::max(LoadedStage.m_dMaxSpeedStep, 0.0);
    m_dSpeedX = std::clamp(m_dSpeedX, -limit, limit);
    m_dX += m_dSpeedX;
    AfterMoveX();
    return 0;
}

int cPlayer::MoveY() {
    ApplyImpactY();
    if (m_dImpactY != 0.0) {
        WriteLogF("MoveY() m_dSpeedY = %lf, m_dImpactY = %lf", m_dSpeedY, m_dImpactY);
    } else if (m_bFly && m_dAccelY != 0.0) {
        DecayAccel(m_dAccelY, m_bDecayY);
        m_dSpeedY += m_dAccelY;
    }
    const int code = MoveStepY(m_bFly ? BoundMode::ScrollRange : BoundMode::Grid);
    AfterMoveY();
    if (!m_bFly && (code == BoundCode::BelowStage || code == BoundCode::ClampedToGridFoot)) return 7;
    return code;
}
