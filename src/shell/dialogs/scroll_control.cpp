#include "shell/dialogs/scroll_control.h"

#include <algorithm>
#include <climits>

cScrollControl::~cScrollControl() {
    // The item may outlive its object; it must not keep pointing at it.
    if (m_hWnd && GetPropA(m_hWnd, kScrollClassProp) == this) RemovePropA(m_hWnd, kScrollClassProp);
}

void cScrollControl::Init(cDialog* dialog, const cScrollDesc& desc) {
    Attach(dialog, desc.id);
    m_hTarget = desc.target;
    m_nBar = desc.target ? desc.bar : SB_CTL;
    m_nMin = desc.min;
    m_nMax = desc.max;
    m_nPage = desc.page;
    m_bRedraw = desc.redraw;
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = m_nMin;
    info.nMax = m_nMax;
    info.nPage = static_cast<UINT>(std::max(0, m_nPage));
    SetScrollInfo(BarWindow(), m_nBar, &info, m_bRedraw);
    // A right click on the bar opens no menu here: the items answer no
    // right button at all, so the property is all the subclass leaves.
    if (m_hWnd) SetPropA(m_hWnd, kScrollClassProp, this);
}

int cScrollControl::Position() const {
    SCROLLINFO info;
    info.fMask = SIF_POS;
    return GetScrollInfo(BarWindow(), m_nBar, &info) ? info.nPos : 0;
}

namespace {

constexpr int kThumbPosition = 4;
constexpr int kThumbTrack = 5;
constexpr int kTop = 6;
constexpr int kBottom = 7;

// Where a request puts the thumb; the bar keeps it within its range.
long long Target(int request, int thumb, int now, int page, int min, int max) {
    switch (request) {
        case SB_LINEUP: return static_cast<long long>(now) - 1;
        case SB_LINEDOWN: return static_cast<long long>(now) + 1;
        case SB_PAGEUP: return static_cast<long long>(now) - std::max(page, 1);
        case SB_PAGEDOWN: return static_cast<long long>(now) + std::max(page, 1);
        case kThumbPosition:
        case kThumbTrack: return thumb;
        case kTop: return min;
        case kBottom: return max;
        default: return now;
    }
}

}  // namespace

bool cScrollControl::ApplyRequest(WPARAM request) {
    int before = Position();
    long long to = Target(LOWORD(request), HIWORD(request), before, m_nPage, m_nMin, m_nMax);
    SCROLLINFO info;
    info.fMask = SIF_POS;
    info.nPos = static_cast<int>(std::clamp<long long>(to, INT_MIN, INT_MAX));
    return SetScrollInfo(BarWindow(), m_nBar, &info, m_bRedraw) != before;
}
