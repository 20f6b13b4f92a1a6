#include <algorithm>

#include "stage/objects/player.h"
#include "stage/objects/stage_state.h"

void cPlayer::UpdateScreenRect() {
    const cStageState& stage = StageState();
    const auto trunc = [](double v) { return static_cast<int>(v); };
    const auto place = [&](const cScrollAxis& axis, double position, int offset, int size, int& low, int& high) {
        low =
            axis.m_bAutoScroll ? trunc(position) - trunc(axis.m_dPos) - offset : trunc(position - axis.m_dPos - offset);
        high = low + size - 1;
    };
    place(stage.m_ScrollX, m_dX, m_rcGraphic.x, m_rcGraphic.w, m_rcScreen.left, m_rcScreen.right);
    place(stage.m_ScrollY, m_dY, m_rcGraphic.y, m_rcGraphic.h, m_rcScreen.top, m_rcScreen.bottom);
}

void cPlayer::SavePose() { m_lpPrevGroundBlock = m_lpLastGroundBlock; }

bool cPlayer::RestoreChangePos() {
    if (m_nGraphicChange <= 0) return false;
    if (m_bChangePosPending && m_bChangePosSaved) {
        m_bChangePosPending = 0;
        m_dX = m_dChangeX;
        m_dY = m_dChangeY;
        m_dRight = m_dChangeRight;
        m_dBottom = m_dChangeBottom;
    }
    return true;
}

bool cPlayer::IsNotLinked(int item) const {
    return std::find(m_listTouchedItems.begin(), m_listTouchedItems.end(), item) == m_listTouchedItems.end();
}

void cPlayer::Unlink(int item) { m_listTouchedItems.remove(item); }
