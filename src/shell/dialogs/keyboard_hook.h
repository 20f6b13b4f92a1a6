#pragma once
// The thread keyboard hook of the dialogs: it forwards the key strokes that
// the window thread takes to the active dialog as window messages.
#include "platform/dialog_window.h"

// The framework's own message: navigation keys reach the dialog through it.
constexpr UINT WM_DIALOG_NAVIGATION = 2024;

class cHook {
public:
    // Ties the hook to the dialog window ("cHook" property) and installs the
    // thread's hook when there is none; true when a hook exists afterwards.
    bool Install(HWND window, int modeless);
    static LRESULT HookProc(int code, WPARAM key, LPARAM keyData);

    HWND m_hWnd = nullptr;
    int m_bModeless = 0;
};

// Unhooks the framework's hooks and clears their handles.
void RemoveHooks();
bool KeyboardHookInstalled();

// Set while Ctrl is held down, as the hook saw it; process-wide.
extern int CtrlHeld;
