#include "stage/objects/stage_chara.h"

namespace {

constexpr int kIconShowFrom = 64;
constexpr int kIconPeriod = 96;

// A wake group number comes from the stage file: one without an area flag
// belongs to no group.
std::uint8_t* AreaFlag(cVector<std::uint8_t>& flags, int group) {
    return group >= 0 && group < flags.Count() ? &flags[group] : nullptr;
}

}  // namespace

bool cStageChara::UpdateActive(cVector<std::uint8_t>& areaFlags) {
    m_bInView = IsOnScreenAxes(m_bSkipViewX != 0, m_bSkipViewY != 0);
    if (m_bInView && m_Def.m_bGroupOnActive) {
        if (std::uint8_t* flag = AreaFlag(areaFlags, m_Def.m_sActiveGroup)) *flag = 1;
    }
    return m_bInView != 0;
}

bool cStageChara::IsAwake(const cVector<std::uint8_t>& areaFlags) {
    const int group = m_Def.m_sActiveGroup;
    const bool groupAwake = m_Def.m_bGroupOnActive && group >= 0 && group < areaFlags.Count() && areaFlags[group] != 0;
    // A walking character that was awake stays so while it falls.
    const bool falling = IsWalking() && (m_bJumping || (m_bWokenOnce && m_bAirLock));
    const bool awake = m_bInView || groupAwake || falling;
    if (awake) {
        m_bWokenOnce = 1;
        if (m_Def.m_cActiveRule == 1) m_bSkipViewX = m_bSkipViewY = 1;
        UpdateScreenRect();
    }
    return awake;
}

bool cStageChara::Overlaps(double left, double top, double right, double bottom) const {
    return m_dX <= right && m_dRight >= left && m_dY <= bottom && m_dBottom >= top;
}

bool cStageChara::HeldItemIconAt(int& x, int& y) {
    if (!m_HeldItem.m_bHeld || !m_bOnScreen || m_Def.m_bTransparent || m_HeldItem.m_Def.m_bNoDraw) return false;
    if (++m_nIconBlink >= kIconPeriod) m_nIconBlink = 0;
    const bool shown = m_nIconBlink >= kIconShowFrom;
    x = m_rcScreen.left + m_rcGraphic.w / 2 - m_HeldItem.m_rcGraphic.w / 4;
    y = m_rcScreen.top - m_HeldItem.m_rcGraphic.h / 2;
    return shown;
}
