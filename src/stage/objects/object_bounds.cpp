#include <algorithm>

#include "stage/objects/block_map.h"
#include "stage/objects/stage_object.h"
#include "stage/objects/stage_state.h"

int cObject::ClampX(int mode) {
    const cScrollAxis& a = StageState().m_ScrollX;
    const double right = m_dX + m_nWidth - 1;
    int code = BoundCode::Inside;
    switch (mode) {
        case BoundMode::ScrollRange:
            if (m_dX < a.m_nMin) {
                m_dX = a.m_nMin;
            } else if (right >= a.m_nMax) {
                m_dX = a.m_nMax - m_nWidth;
            }
            break;
        case BoundMode::StageArea:
            if (m_dX < a.m_nOuterMin) {
                m_dX = a.m_nOuterMin;
            } else if (right >= a.m_nOuterMax) {
                m_dX = a.m_nOuterMax - m_nWidth;
            } else if (m_dX < a.m_nMin || right >= a.m_nMax) {
                code = BoundCode::OutOfScroll;
            }
            break;
        case BoundMode::Grid:
            if (m_dX < 0) {
                m_dX = 0;
                code = BoundCode::ClampedToGrid;
            } else if (right >= a.m_nGridPixels) {
                m_dX = a.m_nGridPixels - m_nWidth;
                code = BoundCode::ClampedToGrid;
            } else if (m_dX < a.m_nOuterMin || right >= a.m_nOuterMax) {
                code = BoundCode::OutOfStage;
            } else if (m_dX < a.m_nMin || right >= a.m_nMax) {
                code = BoundCode::OutOfScroll;
            }
            break;
        default: break;
    }
    m_dRight = m_dX + m_nWidth - 1;
    UpdateHitRectX();
    m_nColLeft = GridBlockOf(m_dX, a.m_nGridCells);
    m_nColRight = GridBlockOf(m_dRight, a.m_nGridCells);
    return code;
}

int cObject::ClampY(int mode) {
    const cScrollAxis& a = StageState().m_ScrollY;
    const double bottom = m_dY + m_nHeight - 1;
    int code = BoundCode::Inside;
    switch (mode) {
        case BoundMode::ScrollRange:
            if (m_dY < a.m_nMin) {
                m_dY = a.m_nMin;
            } else if (bottom >= a.m_nMax) {
                m_dY = a.m_nMax - m_nHeight;
            }
            break;
        case BoundMode::StageArea:
            if (m_dY < a.m_nOuterMin) {
                m_dY = a.m_nOuterMin;
            } else if (bottom >= a.m_nOuterMax) {
                m_dY = a.m_nOuterMax - m_nHeight;
            } else if (m_dY < a.m_nMin) {
                code = BoundCode::OutOfScroll;
            } else if (bottom >= a.m_nMax) {
                code = BoundCode::BelowScroll;
            }
            break;
        case BoundMode::Grid:
            // An object as tall as the grid margin or taller is left where
            // it is: pushing it back would put it into the stage.
            if (m_dY < 0) {
                if (m_nHeight < kGridMarginPixels) {
                    m_dY = 0;
                    code = BoundCode::ClampedToGrid;
                }
            } else if (bottom >= a.m_nGridPixels) {
                if (m_nHeight < kGridMarginPixels) {
                    m_dY = a.m_nGridPixels - m_nHeight;
                    code = BoundCode::ClampedToGridFoot;
                }
            } else if (m_dY < a.m_nOuterMin) {
                code = BoundCode::OutOfStage;
            } else if (bottom >= a.m_nOuterMax) {
                code = BoundCode::BelowStage;
            } else if (m_dY < a.m_nMin) {
                code = BoundCode::OutOfScroll;
            } else if (bottom >= a.m_nMax) {
                code = BoundCode::BelowScroll;
            }
            break;
        default: break;
    }
    m_dBottom = m_dY + m_nHeight - 1;
    UpdateHitRectY();
    m_nRowTop = GridBlockOf(m_dY, a.m_nGridCells);
    m_nRowBottom = GridBlockOf(m_dBottom, a.m_nGridCells);
    return code;
}

void cObject::UpdateScreenRect() {
    const cStageState& stage = StageState();
    const cScrollAxis& ax = stage.m_ScrollX;
    const cScrollAxis& ay = stage.m_ScrollY;
    const bool autoX = ax.m_dAutoSpeed != 0.0 && !ax.m_bAtLimit;
    const bool autoY = ay.m_dAutoSpeed != 0.0 && !ay.m_bAtLimit;
    const auto trunc = [](double v) { return static_cast<int>(v); };
    if (!m_bFly || (autoX && !m_bScrollFollow)) {
        m_rcScreen.left = trunc((m_dX - m_rcGraphic.x) - trunc(ax.m_dPos));
    } else if (autoX) {
        m_rcScreen.left = trunc(m_dX - ax.m_dPos) - m_rcGraphic.x;
    } else {
        m_rcScreen.left = trunc(m_dX) - trunc(ax.m_dPos) - m_rcGraphic.x;
    }
    m_rcScreen.right = m_rcScreen.left + m_rcGraphic.w - 1;
    if (m_bFly && autoY) {
        m_rcScreen.top = trunc(m_dY - ay.m_dPos) - m_rcGraphic.y + 1;
    } else if (!m_bFly) {
        m_rcScreen.top = trunc((m_dY - m_rcGraphic.y) - trunc(ay.m_dPos));
    } else {
        m_rcScreen.top = trunc(m_dY) - trunc(ay.m_dPos) - m_rcGraphic.y;
    }
    m_rcScreen.bottom = m_rcScreen.top + m_rcGraphic.h - 1;
}

bool cObject::IsOnScreenAxes(bool skipX, bool skipY) const {
    const cStageState& stage = StageState();
    const double sx = stage.m_ScrollX.m_dPos;
    const double sy = stage.m_ScrollY.m_dPos;
    if (!skipX && (m_dRight < sx || m_dX >= sx + kViewWidth)) return false;
    if (!skipY && (m_dBottom < sy || m_dY >= sy + kViewHeight)) return false;
    return true;
}

bool cObject::IsInStage(int mode) const {
    const cStageState& stage = StageState();
    const cScrollAxis& ax = stage.m_ScrollX;
    const cScrollAxis& ay = stage.m_ScrollY;
    if (mode == 0) {
        return m_dX >= ax.m_nOuterMin && m_dRight < ax.m_nOuterMax && m_dY >= ay.m_nOuterMin &&
               m_dBottom < ay.m_nOuterMax;
    }
    return m_dX >= 0 && m_dRight < ax.m_nGridPixels && m_dY >= 0 && m_dBottom < ay.m_nGridPixels;
}

RangeEdges RangeEdgesOf(const cStageSetting& range) {
    const cStageState& stage = StageState();
    const double sx = stage.m_ScrollX.m_dPos;
    const double sy = stage.m_ScrollY.m_dPos;
    const auto trunc = [](double v) { return static_cast<int>(v); };
    RangeEdges edges;
    edges.left = range.m_bLeft != 0;
    edges.right = range.m_bRight != 0;
    edges.top = range.m_bTop != 0;
    edges.bottom = range.m_bBottom != 0;
    // Only the edges in use are worked out: the margins of an unused edge
    // are never read.
    if (edges.left) edges.leftX = trunc(sx - kBlockPixels * range.m_nLeft);
    if (edges.right) edges.rightX = trunc(sx + kBlockPixels * range.m_nRight + kViewWidth);
    if (edges.bottom) edges.bottomY = trunc(sy + kBlockPixels * range.m_nBottom + kViewHeight);
    if (edges.top) edges.topY = trunc(sy - kBlockPixels * range.m_nTop);
    edges.lastX = stage.m_ScrollX.m_nGridPixels - 1;
    edges.lastY = stage.m_ScrollY.m_nGridPixels - 1;
    return edges;
}

bool cObject::TouchesSolidTile() const {
    const int corners[4][2] = {
        {m_nColLeft, m_nRowTop}, {m_nColLeft, m_nRowBottom}, {m_nColRight, m_nRowTop}, {m_nColRight, m_nRowBottom}};
    for (const auto& c : corners) {
        cTileCell* cell = BlockCellAt(c[0], c[1]);
        if (cell && IsSolidFor(*cell, m_nBlockGroup)) return true;
    }
    return false;
}
