#include "shell/window.h"

void ClearRect(RECT& rect) { rect = RECT{0, 0, 0, 0}; }

void cWindow::SetLayout(int clientWidth, int clientHeight, int minWidth, int minHeight, int maxWidth, int maxHeight,
                        DWORD style, int menu, int toolBar, int statusBar, int further, int ownScrollBars) {
    m_nClientWidth = clientWidth;
    m_nClientHeight = clientHeight;
    m_nMinWidth = minWidth;
    m_nMinHeight = minHeight;
    m_nMaxWidth = maxWidth;
    m_nMaxHeight = maxHeight;
    m_dwStyle = style;
    m_bMenu = menu;
    m_bToolBar = toolBar;
    m_nStatusBar = statusBar;
    m_nFurther = further;
    m_nOwnScrollBars = ownScrollBars;
    if (!m_bDialog) UpdateFrame();
}

namespace {

// The window layer has no tool bars or status bars, so a wanted bar takes
// no room.
constexpr int kToolBarHeight = 0;
constexpr int kStatusBarHeight = 0;

}  // namespace

void cWindow::UpdateFrame() {
    ClearRect(m_rcFrame);
    if (m_dwStyle & WS_CAPTION) m_rcFrame.top += GetSystemMetrics(SM_CYCAPTION);
    if (m_dwStyle & WS_THICKFRAME) {
        m_rcFrame.left += GetSystemMetrics(SM_CXFRAME);
        m_rcFrame.right += GetSystemMetrics(SM_CXFRAME);
        m_rcFrame.top += GetSystemMetrics(SM_CYFRAME);
        m_rcFrame.bottom += GetSystemMetrics(SM_CYFRAME);
    } else if (m_dwStyle & WS_DLGFRAME) {
        m_rcFrame.left += GetSystemMetrics(SM_CXDLGFRAME);
        m_rcFrame.right += GetSystemMetrics(SM_CXDLGFRAME);
        m_rcFrame.top += GetSystemMetrics(SM_CYDLGFRAME);
        m_rcFrame.bottom += GetSystemMetrics(SM_CYDLGFRAME);
    }
    if (m_dwStyle & WS_HSCROLL) m_rcFrame.bottom += GetSystemMetrics(SM_CYHSCROLL);
    if (m_dwStyle & WS_VSCROLL) m_rcFrame.right += GetSystemMetrics(SM_CXVSCROLL);
    if (m_bMenu) {
        RECT win;
        RECT client;
        if (m_hWnd && GetWindowRect(m_hWnd, &win) && ::GetClientRect(m_hWnd, &client)) {
            int frameY = (m_dwStyle & WS_THICKFRAME) ? GetSystemMetrics(SM_CYFRAME) : GetSystemMetrics(SM_CYDLGFRAME);
            m_rcFrame.top +=
                (win.bottom - win.top) - (client.bottom - client.top) - GetSystemMetrics(SM_CYCAPTION) - 2 * frameY;
        } else {
            m_rcFrame.top += GetSystemMetrics(SM_CYMENU);
        }
    }

    ClearRect(m_rcExtra);
    if (m_nOwnScrollBars & 1) m_rcExtra.bottom += GetSystemMetrics(SM_CYHSCROLL);
    if (m_nOwnScrollBars & 2) m_rcExtra.right += GetSystemMetrics(SM_CXVSCROLL);
    if (m_nStatusBar == 1) m_rcExtra.bottom += kStatusBarHeight;
    if (m_bToolBar) m_rcExtra.top += kToolBarHeight;

    m_nOuterWidth = m_nClientWidth + m_rcFrame.left + m_rcFrame.right + m_rcExtra.left + m_rcExtra.right;
    m_nOuterHeight = m_nClientHeight + m_rcFrame.top + m_rcFrame.bottom + m_rcExtra.top + m_rcExtra.bottom;
    m_rcDraw = RECT{0, m_bToolBar ? kToolBarHeight : 0, m_nClientWidth - m_rcExtra.left - m_rcExtra.right,
                    m_nClientHeight - m_rcExtra.top - m_rcExtra.bottom};
}

void cWindow::RefreshStyle() {
    if (m_hWnd && IsWindow(m_hWnd)) m_dwStyle = GetWindowLongA(m_hWnd, GWL_STYLE);
    UpdateFrame();
}

void cWindow::AddStyle(DWORD bits) {
    SetWindowLongA(m_hWnd, GWL_STYLE, GetWindowLongA(m_hWnd, GWL_STYLE) | bits);
    RefreshStyle();
}

void cWindow::RemoveStyle(DWORD bits) {
    SetWindowLongA(m_hWnd, GWL_STYLE, GetWindowLongA(m_hWnd, GWL_STYLE) & ~bits);
    RefreshStyle();
}

void cWindow::OnGetMinMaxInfo(MINMAXINFO& info) const {
    int w = m_rcFrame.left + m_rcFrame.right + m_rcExtra.left + m_rcExtra.right;
    int h = m_rcFrame.top + m_rcFrame.bottom + m_rcExtra.top + m_rcExtra.bottom;
    info.ptMinTrackSize = POINT{m_nMinWidth + w, m_nMinHeight + h};
    info.ptMaxTrackSize = POINT{m_nMaxWidth + w, m_nMaxHeight + h};
}
