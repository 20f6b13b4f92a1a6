#include <iterator>

#include "foundation/report.h"
#include "shell/window.h"

namespace {

struct MessageName {
    UINT msg;
    const char* name;
};

// The messages the window layer delivers; the trace writes any other as a number.
constexpr MessageName kMessageNames[] = {
    {WM_NULL, "WM_NULL"},
    {WM_CREATE, "WM_CREATE"},
    {WM_DESTROY, "WM_DESTROY"},
    {WM_MOVE, "WM_MOVE"},
    {WM_SIZE, "WM_SIZE"},
    {WM_SETREDRAW, "WM_SETREDRAW"},
    {WM_GETTEXT, "WM_GETTEXT"},
    {WM_PAINT, "WM_PAINT"},
    {WM_CLOSE, "WM_CLOSE"},
    {WM_QUIT, "WM_QUIT"},
    {WM_ENDSESSION, "WM_ENDSESSION"},
    {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
    {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
    {WM_COPYDATA, "WM_COPYDATA"},
    {WM_NOTIFY, "WM_NOTIFY"},
    {WM_KEYDOWN, "WM_KEYDOWN"},
    {WM_KEYUP, "WM_KEYUP"},
    {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
    {WM_SYSKEYUP, "WM_SYSKEYUP"},
    {WM_INITDIALOG, "WM_INITDIALOG"},
    {WM_COMMAND, "WM_COMMAND"},
    {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
    {WM_HSCROLL, "WM_HSCROLL"},
    {WM_VSCROLL, "WM_VSCROLL"},
    {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
    {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
    {WM_LBUTTONUP, "WM_LBUTTONUP"},
    {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
    {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
    {WM_RBUTTONUP, "WM_RBUTTONUP"},
    {WM_RBUTTONDBLCLK, "WM_RBUTTONDBLCLK"},
    {WM_USER, "WM_USER"},
};

std::string MessageNameOf(UINT msg) {
    for (const auto& m : kMessageNames) {
        if (m.msg == msg) return m.name;
    }
    return std::to_string(msg);
}

using MouseSlot = void (cWindow::*)(WPARAM, LPARAM);

struct MouseMessage {
    UINT msg;
    MouseSlot slot;
};

constexpr MouseMessage kMouseSlots[] = {
    {WM_MOUSEMOVE, &cWindow::OnMouseMove},         {WM_LBUTTONDOWN, &cWindow::OnLButtonDown},
    {WM_LBUTTONUP, &cWindow::OnLButtonUp},         {WM_LBUTTONDBLCLK, &cWindow::OnLButtonDblClk},
    {WM_RBUTTONDOWN, &cWindow::OnRButtonDown},     {WM_RBUTTONUP, &cWindow::OnRButtonUp},
    {WM_RBUTTONDBLCLK, &cWindow::OnRButtonDblClk},
};

}  // namespace

void cWindow::Trace(UINT msg, WPARAM wParam, LPARAM lParam) const {
    if (!m_bTrace || msg == WM_GETTEXT) return;
    WriteLogF("%s | msg:%s | wp:%u(%u,%u) | lp:%d(%d,%d)", m_strTraceName.c_str(), MessageNameOf(msg).c_str(),
              static_cast<unsigned>(wParam), static_cast<unsigned>(HIWORD(wParam)),
              static_cast<unsigned>(LOWORD(wParam)), static_cast<int>(lParam), static_cast<int>(HIWORD(lParam)),
              static_cast<int>(LOWORD(lParam)));
}

// Tool and status bars never exist, so the layout is done at
// the first message; a window that wanted bars still gets its frame, its
// stored position and its wanted client size once.
void cWindow::FirstLayout() {
    if (m_bLayoutDone) return;
    m_bLayoutDone = 1;
    if (!m_bToolBar && !m_nStatusBar) return;
    UpdateFrame();
    PlaceWindow();
    if (m_nClientWidth > 0 && m_nClientHeight > 0) SetClientSize(m_nClientWidth, m_nClientHeight);
}

int cWindow::HandleMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    m_hWnd = window;
    if (msg == WM_COMMAND) {
        if (m_bInCommand) return 0;
        m_bInCommand = 1;
    }
    Trace(msg, wParam, lParam);
    FirstLayout();
    UpdateMouse(false, kMouseAll);
    for (const auto& m : kMouseSlots) {
        if (m.msg == msg) {
            (this->*m.slot)(wParam, lParam);
            return 1;
        }
    }
    switch (msg) {
        case WM_DESTROY: m_hWnd = nullptr; return 1;
        case WM_MOVE: GetWindowPos(m_nPosX, m_nPosY); return 1;
        case WM_SIZE: RefreshStyle(); return 1;
        case WM_PAINT: OnPaint(); return 1;
        case WM_ACTIVATEAPP: return 1;
        case WM_GETMINMAXINFO:
            if (lParam) OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 1;
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            m_bInCommand = 0;
            return 1;
        default: return 0;
    }
}
