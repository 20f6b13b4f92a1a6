#include "shell/keyboard_hook.h"

#include <algorithm>
#include <array>

#include "platform/window.h"

namespace {

HHOOK g_keyboardHook = nullptr;
// The framework keeps a second hook handle; nothing here sets it.
HHOOK g_secondHook = nullptr;

// Keys that move around a dialog: they reach it through the navigation
// message, which lets it handle them once, as a key press of its own.
constexpr std::array<int, 14> kNavigationKeys = {VK_SPACE,  VK_LEFT,   VK_UP,     VK_RIGHT,  VK_DOWN,
                                                 VK_DELETE, VK_F1,     VK_F1 + 1, VK_F1 + 2, VK_F1 + 3,
                                                 VK_F1 + 4, VK_F1 + 5, VK_F1 + 6, VK_F8};

bool IsNavigationKey(WPARAM key) {
    return std::find(kNavigationKeys.begin(), kNavigationKeys.end(), static_cast<int>(key)) != kNavigationKeys.end();
}

// The player has no input method editor, so no composition is ever
// open: Enter always presses the default button and Escape in a box is
// always swallowed.
int CompositionLength() { return 0; }

LRESULT Next(int code, WPARAM key, LPARAM keyData) { return CallNextHookEx(g_keyboardHook, code, key, keyData); }

bool Released(LPARAM keyData) { return (static_cast<std::uint32_t>(keyData) & 0x80000000u) != 0; }

}  // namespace

int CtrlHeld = 0;

bool cHook::Install(HWND window, int modeless) {
    m_hWnd = window;
    m_bModeless = modeless;
    SetPropA(window, "cHook", this);
    if (!g_keyboardHook)
        g_keyboardHook = SetWindowsHookExA(WH_KEYBOARD, &cHook::HookProc, nullptr, GetCurrentThreadId());
    return g_keyboardHook != nullptr;
}

LRESULT cHook::HookProc(int code, WPARAM key, LPARAM keyData) {
    if (code < 0 || code == HC_NOREMOVE) return Next(code, key, keyData);
    HWND active = GetActiveWindow();
    auto* hook = static_cast<cHook*>(GetPropA(active, "cHook"));
    if (!hook) {
        // A message box or another window of the host: Escape would close
        // it behind the dialog's back.
        if (CompositionLength() == 0 && key == static_cast<WPARAM>(VK_ESCAPE)) return 1;
        return Next(code, key, keyData);
    }
    if (hook->m_hWnd != active) return Next(code, key, keyData);
    if (Released(keyData)) {
        if (key == static_cast<WPARAM>(VK_CONTROL)) CtrlHeld = 0;
        if (!(hook->m_bModeless && CtrlHeld)) PostMessageA(active, WM_KEYUP, key, keyData);
        return Next(code, key, keyData);
    }
    if (key == static_cast<WPARAM>(VK_RETURN) && CompositionLength() > 0) return Next(code, key, keyData);
    if (key == static_cast<WPARAM>(VK_TAB)) return Next(code, key, keyData);
    if (CompositionLength() == 0 && IsNavigationKey(key)) {
        PostMessageA(active, WM_DIALOG_NAVIGATION, key, keyData);
        return Next(code, key, keyData);
    }
    if (key == static_cast<WPARAM>(VK_CONTROL)) CtrlHeld = 1;
    if (!(hook->m_bModeless && CtrlHeld)) PostMessageA(active, WM_KEYDOWN, key, keyData);
    return Next(code, key, keyData);
}

void RemoveHooks() {
    if (g_keyboardHook) UnhookWindowsHookEx(g_keyboardHook);
    if (g_secondHook) UnhookWindowsHookEx(g_secondHook);
    g_keyboardHook = nullptr;
    g_secondHook = nullptr;
}

bool KeyboardHookInstalled() { return g_keyboardHook != nullptr; }
