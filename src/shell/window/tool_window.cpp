#include "shell/window/tool_window.h"

#include "platform/window.h"
#include "shell/main_window.h"

LRESULT ToolWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) {
        DestroyWindow(window);
        return 0;
    }
    return MainWindowProc(window, msg, wParam, lParam);
}

bool PumpToolWindow() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) return false;
        DispatchMessageA(&msg);
    }
    return true;
}
