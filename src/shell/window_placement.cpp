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

void cWindow::PlaceWindow() {
    if (m_nPosX == -1000 || m_nPosY == -1000) return;
    RECT work = GetWorkArea();
    RECT win;
    if (!GetWindowRect(m_hWnd, &win)) return;
    int w = win.right - win.left;
    int h = win.bottom - win.top;
    int x = m_nPosX;
    int y = m_nPosY;
    PullIntoWorkArea(x, y, w, h, work);
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
