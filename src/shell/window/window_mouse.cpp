#include "foundation/report.h"
#include "platform/keyboard.h"
#include "shell/window.h"

namespace {

// A press is reported once per hold, whichever window polls first.
int g_leftLatch = 0;
int g_rightLatch = 0;

int Pressed(int down, int& latch) {
    if (!down) {
        latch = 0;
        return 0;
    }
    if (latch) return 0;
    latch = 1;
    return 1;
}

}  // namespace

int cWindow::UpdateMouse(bool forced, int parts) {
    POINT p;
    if (!GetCursorPos(&p)) WriteLog("GetCursorPos失敗！");
    POINT screen = p;
    ScreenToClient(m_hWnd, &p);
    int x = p.x - m_rcDraw.left;
    int y = p.y - m_rcDraw.top;
    bool inside = x >= 0 && y >= 0 && x < m_rcDraw.right && y < m_rcDraw.bottom;
    if (!forced && !inside) return 0;
    m_Mouse.x = x;
    m_Mouse.y = y;
    m_Mouse.screen = screen;
    int left = GetAsyncKeyState(VK_LBUTTON) < 0 ? 1 : 0;
    int right = GetAsyncKeyState(VK_RBUTTON) < 0 ? 1 : 0;
    if (parts & kMouseHeld) {
        m_Mouse.leftHeld = left;
        m_Mouse.rightHeld = right;
    }
    if (parts & kMousePressed) {
        m_Mouse.leftPressed = Pressed(left, g_leftLatch);
        m_Mouse.rightPressed = Pressed(right, g_rightLatch);
    }
    if (parts & kMouseReleased) {
        m_Mouse.leftReleased = m_bPrevLeftHeld && !left ? 1 : 0;
        m_Mouse.rightReleased = m_bPrevRightHeld && !right ? 1 : 0;
    }
    m_bPrevLeftHeld = left;
    m_bPrevRightHeld = right;
    return 1;
}
