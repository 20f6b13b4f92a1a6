#include "shell/window.h"

void cWindow::SetPosition(int x, int y) {
    m_nPosX = x;
    m_nPosY = y;
    RECT client;
    GetClientRect(client);
    MoveWindowClient(m_hWnd, x, y, client.right - client.left, client.bottom - client.top);
}

void cWindow::MoveClient(int x, int y, int clientWidth, int clientHeight) {
    m_nClientWidth = clientWidth;
    m_nClientHeight = clientHeight;
    UpdateFrame();
    MoveWindowClient(m_hWnd, x, y, clientWidth, clientHeight);
    m_nPosX = x;
    m_nPosY = y;
}

void cWindow::SetClientSize(int width, int height) {
    int x = 0;
    int y = 0;
    GetWindowPos(x, y);
    MoveClient(x, y, width, height);
}

void cWindow::CenterOnDesktop() {
    RECT desk = GetWorkArea();
    RECT win;
    if (!GetWindowRect(m_hWnd, &win)) return;
    int w = win.right - win.left;
    int h = win.bottom - win.top;
    SetPosition(desk.left + (desk.right - desk.left) / 2 - w / 2, desk.top + (desk.bottom - desk.top) / 2 - h / 2);
}

bool cWindow::PlacementTarget(int& x, int& y) const {
    if (m_pPlaceAgainst) {
        RECT other;
        if (!GetWindowRect(m_pPlaceAgainst->m_hWnd, &other)) return false;
        x = other.left;
        y = other.top;
        if (m_bCentre) {
            RECT otherClient{};
            RECT ownClient{};
            m_pPlaceAgainst->GetClientRect(otherClient);
            GetClientRect(ownClient);
            x += otherClient.right / 2 - ownClient.right / 2;
            y += otherClient.bottom / 2 - ownClient.bottom / 2;
        }
        return true;
    }
    if (m_nPosX == -1000 || m_nPosY == -1000) return false;
    x = m_nPosX;
    y = m_nPosY;
    return true;
}

// The clamp uses the window's real rectangle: a dialog's outer size from
// its layout is only its frame (its size comes from the resource), which
// would leave most of it beyond the work area.
void cWindow::PlaceWindow() {
    int x = 0;
    int y = 0;
    if (!PlacementTarget(x, y)) return;
    RECT win;
    if (!GetWindowRect(m_hWnd, &win)) return;
    PullIntoWorkArea(x, y, win.right - win.left, win.bottom - win.top, GetWorkArea());
    SetPosition(x, y);
}

void PullIntoWorkArea(int& x, int& y, int width, int height, const RECT& work) {
    if (x < 0) {
        x = 0;
    } else if (x + width >= work.right) {
        x = work.right - width;
    }
    if (y < 0) {
        y = 0;
    } else if (y + height >= work.bottom) {
        y = work.bottom - height;
    }
}

void cWindow::GetWindowPos(int& x, int& y) const {
    RECT r;
    if (!GetWindowRect(m_hWnd, &r)) return;
    x = r.left;
    y = r.top;
}

void cWindow::GetClientRect(RECT& rect) const { ::GetClientRect(m_hWnd, &rect); }

void cWindow::SetText(const std::string& text) { SetWindowTextA(m_hWnd, text); }
