#include "shell/window.h"

void cWindow::SetLayout(int clientWidth, int clientHeight, int minWidth, int minHeight, int maxWidth,
                        int maxHeight, DWORD style) {
    m_nClientWidth = clientWidth;
    m_nClientHeight = clientHeight;
    m_nMinWidth = minWidth;
    m_nMinHeight = minHeight;
    m_nMaxWidth = maxWidth;
    m_nMaxHeight = maxHeight;
    m_dwStyle = style;
    UpdateFrame();
}

void cWindow::UpdateFrame() {
    m_rcFrame = RECT{};
    m_nOuterWidth = m_nClientWidth + m_rcFrame.left + m_rcFrame.right;
    m_nOuterHeight = m_nClientHeight + m_rcFrame.top + m_rcFrame.bottom;
}

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

void cWindow::GetWindowPos(int& x, int& y) const {
    RECT r;
    if (!GetWindowRect(m_hWnd, &r)) return;
    x = r.left;
    y = r.top;
}

void cWindow::GetClientRect(RECT& rect) const { ::GetClientRect(m_hWnd, &rect); }

void cWindow::SetText(const std::string& text) { SetWindowTextA(m_hWnd, text); }

int cWindow::HandleMessage(HWND window, UINT msg, WPARAM, LPARAM) {
    m_hWnd = window;
    switch (msg) {
        case WM_DESTROY:
            m_hWnd = nullptr;
            return 1;
        case WM_MOVE:
            GetWindowPos(m_nPosX, m_nPosY);
            return 1;
        case WM_SIZE:
            RefreshStyle();
            return 1;
        case WM_ACTIVATEAPP:
            return 1;
        default:
            return 0;
    }
}
