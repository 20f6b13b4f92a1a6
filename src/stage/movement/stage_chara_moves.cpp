#include "stage/objects/stage_chara.h"

int cStageChara::AfterMoveX() { return ClampX(BoundMode::Grid); }

int cStageChara::AfterMoveY() { return ClampY(BoundMode::Grid); }

int cStageChara::MoveX() {
    if (m_dImpactX != 0.0) {
        m_dSpeedX = m_dImpactX;
    } else if (m_dAccelX != 0.0) {
        DecayAccel(m_dAccelX, m_bDecayX);
        m_dSpeedX += m_dAccelX;
    }
    const int code = MoveStepX(BoundMode::Grid);
    AfterMoveX();
    // Stopped at the grid's edge is reported apart from the other codes.
    return code == BoundCode::ClampedToGrid ? 4 : code;
}

int cStageChara::MoveY() {
    ApplyImpactY();
    if (m_dImpactY == 0.0 && m_bFly && m_dAccelY != 0.0) {
        DecayAccel(m_dAccelY, m_bDecayY);
        m_dSpeedY += m_dAccelY;
    }
    const int code = MoveStepY(BoundMode::Grid);
    AfterMoveY();
    if (m_bFly) return code == BoundCode::ClampedToGrid || code == BoundCode::ClampedToGridFoot ? 8 : code;
    // A walking character below the stage area has fallen out.
    return code == BoundCode::BelowStage || code == BoundCode::ClampedToGridFoot ? 7 : code;
}
