#include <algorithm>
#include <cmath>

#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/objects/block_map.h"
#include "stage/objects/shot.h"
#include "stage/objects/stage_state.h"

namespace {

// The auto-scroll speed of an axis, or 0 while it is held at a limit.
double CarrySpeed(const cScrollAxis& axis) { return axis.m_bAtLimit ? 0.0 : axis.m_dAutoSpeed; }

}  // namespace

int cShot::Step() {
    if (!m_bShot) return StepSword();
    CarryByScroll();
    (this->*MoveTable()[m_Param.m_cMoveKind])();
    if (m_bAccel) {
        m_dOwnSpeedX += m_dAccelX;
        (m_bFly ? m_dOwnSpeedY : m_dSpeedY) += m_dAccelY;
    }
    m_dSpeedX += m_dOwnSpeedX;
    if (m_bFly) m_dSpeedY += m_dOwnSpeedY;
    return StepLimits();
}

// A shot's speed is rebuilt every sub-step from the scroll it rides on and
// its own velocity; a falling shot keeps the vertical speed gravity built.
void cShot::CarryByScroll() {
    const cStageState& stage = StageState();
    const bool carried = !SwitchOn(Switch::SpeedReset) && m_bScrollFollow;
    m_dSpeedX = carried ? CarrySpeed(stage.m_ScrollX) : 0.0;
    if (m_bFly) m_dSpeedY = carried ? CarrySpeed(stage.m_ScrollY) : 0.0;
}

int cShot::StepLimits() {
    if (m_Param.m_bUseLife) {
        if (m_nLifeLeft <= 0) return 1;
        --m_nLifeLeft;
    }
    if (m_dSpeedX != 0.0) m_nDirection = m_dSpeedX > 0.0 ? 1 : 0;
    if (!m_Param.m_bUseRange) return 0;
    if (m_nRangeLeft > 0) {
        --m_nRangeLeft;
        return 0;
    }
    if (!m_Param.m_bStopAtRange) return 1;
    // Stopped for good: from now on only the scroll carries it.
    m_dOwnSpeedX = m_dOwnSpeedY = 0.0;
    m_Param.m_cMoveKind = ShotMove::Straight;
    const cStageState& stage = StageState();
    if (!m_bScrollFollow) {
        m_dSpeedX = m_dSpeedY = 0.0;
        return 0;
    }
    if (!stage.m_ScrollX.m_bAtLimit) m_dSpeedX = stage.m_ScrollX.m_dAutoSpeed;
    if (m_bFly && !stage.m_ScrollY.m_bAtLimit) m_dSpeedY = stage.m_ScrollY.m_dAutoSpeed;
    return 0;
}

int cShot::MoveX() {
    m_dSpeedX += m_dAccelX;
    if (m_dSpeedX != 0.0) {
        const double limit = std::max(LoadedStage.m_dMaxSpeedStep, 0.0);
        m_dSpeedX = std::clamp(m_dSpeedX, -limit, limit);
        m_dX += m_dSpeedX;
        ClampX();
    }
    return 0;
}

int cShot::MoveY() {
    m_dSpeedY += m_dAccelY;
    // The move's own grid clamp leaves nothing for a second one to change.
    if (m_dSpeedY != 0.0) {
        const double limit = std::max(LoadedStage.m_dMaxSpeedStep, 0.0);
        m_dSpeedY = std::clamp(m_dSpeedY, -limit, limit);
        m_dY += m_dSpeedY;
        ClampGridY();
    }
    return 0;
}

void cShot::ClampGridY() {
    const cScrollAxis& a = StageState().m_ScrollY;
    // A shot as tall as the grid margin or taller is left where it is.
    if (m_nHeight < kGridMarginPixels) {
        if (m_dY < 0) {
            m_dY = 0;
        } else if (m_dY + m_nHeight - 1 >= a.m_nGridPixels) {
            m_dY = a.m_nGridPixels - m_nHeight;
        }
    }
    m_dBottom = m_dY + m_nHeight - 1;
    UpdateHitRectY();
    m_nRowTop = GridBlockOf(m_dY, a.m_nGridCells);
    m_nRowBottom = GridBlockOf(m_dBottom, a.m_nGridCells);
}

int cShot::ClampX() {
    const cScrollAxis& a = StageState().m_ScrollX;
    int code = BoundCode::Inside;
    if (m_nWidth < kGridMarginPixels) {
        if (m_dX < 0) {
            m_dX = 0;
            code = BoundCode::ClampedToGrid;
        } else if (m_dX + m_nWidth - 1 >= a.m_nGridPixels) {
            m_dX = a.m_nGridPixels - m_nWidth;
            code = BoundCode::ClampedToGrid;
        }
    }
    m_dRight = m_dX + m_nWidth - 1;
    UpdateHitRectX();
    m_nColLeft = static_cast<int>(m_dX) / kBlockPixels;
    m_nColRight = static_cast<int>(m_dRight) / kBlockPixels;
    return code;
}

int cShot::HitTiles() {
    if (m_Param.m_bThroughBlocks == 1) return 0;
    const cStageState& stage = StageState();
    auto solid = [this, &stage](int column, int row) {
        const int index = BlockCellIndexIn(stage.m_ScrollX, stage.m_ScrollY, column, row);
        return index >= 0 && IsSolidFor(StageBlockDefs[index], m_nBlockGroup);
    };
    if (m_nWidth <= kBlockPixels) {
        // Corners that share a cell are looked at once.
        const bool oneColumn = m_nColLeft == m_nColRight, oneRow = m_nRowTop == m_nRowBottom;
        return solid(m_nColLeft, m_nRowTop) || (!oneRow && solid(m_nColLeft, m_nRowBottom)) ||
               (!oneColumn && solid(m_nColRight, m_nRowTop)) ||
               (!oneColumn && !oneRow && solid(m_nColRight, m_nRowBottom));
    }
    // A wide shot is tested at points a block apart over its whole box,
    // and at its last row and column.
    const int x = static_cast<int>(m_dX), y = static_cast<int>(m_dY);
    for (int dy = 0;; dy = std::min(dy + kBlockPixels, m_nHeight - 1)) {
        for (int dx = 0;; dx = std::min(dx + kBlockPixels, m_nWidth - 1)) {
            if (solid((x + dx) / kBlockPixels, (y + dy) / kBlockPixels)) return 1;
            if (dx >= m_nWidth - 1) break;
        }
        if (dy >= m_nHeight - 1) break;
    }
    return 0;
}

void cShot::SplitAccel(double& ax, double& ay, double vx, double vy) const {
    ax = ay = 0.0;
    if (vx != 0.0 && vy != 0.0) {
        const double length = std::sqrt(vx * vx + vy * vy);
        ax = StepFromPerSecond(m_dAccel * vx / length);
        ay = StepFromPerSecond(m_dAccel * vy / length);
    } else if (vx != 0.0) {
        ax = (vx > 0.0 ? 1.0 : -1.0) * StepFromPerSecond(m_dAccel);
    } else if (vy != 0.0) {
        ay = (vy > 0.0 ? 1.0 : -1.0) * StepFromPerSecond(m_dAccel);
    }
}

double cShot::MoveSpeed() const {
    return (m_Param.m_sSpeed + m_Param.m_sSpeedStep * m_nClone) * 0.1 / LoadedStage.m_dSubSteps;
}

int cShot::StepsFor(int hbl) const {
    const double v = MoveSpeed();
    return v == 0.0 ? 0 : static_cast<int>(hbl * 16 / v);
}
