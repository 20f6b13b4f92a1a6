#include "shell/keyboard_hook.h"
#include "shell/window.h"
#include "shell/window_registry.h"

void cWindow::Attach(int id, cWindow* owner, cWindowRegistry* registry) {
    m_nId = id;
    m_hOwner = owner ? owner->m_hWnd : nullptr;
    m_pRegistry = registry;
    // The player is one module; the main window's instance is none.
    m_hInstance = nullptr;
}

void cWindow::SetOthersForModal(bool running) {
    if (!m_pRegistry) return;
    for (cWindow* other : m_pRegistry->Windows()) {
        if (other == this || !other->m_hWnd) continue;
        if (m_nModalFlags & kModalHideOthers) ShowWindow(other->m_hWnd, running ? SW_HIDE : SW_SHOW);
        if (m_nModalFlags & kModalDisableOthers) {
            if (running) {
                other->AddStyle(WS_DISABLED);
            } else {
                other->RemoveStyle(WS_DISABLED);
            }
        }
    }
}

LRESULT cWindow::DoModal(int flags) {
    if (m_hWnd) return 0;
    End(0);
    m_bModeless = 0;
    m_nModalFlags = flags;
    bool hookBefore = KeyboardHookInstalled();
    SetOthersForModal(true);
    LRESULT result = DialogBoxParamA(m_hInstance, m_nId, m_hOwner, m_pfnProc, 0);
    m_hWnd = nullptr;
    SetOthersForModal(false);
    if (!hookBefore) RemoveHooks();
    return result;
}

void cWindow::End(LRESULT result) {
    m_nResult = result;
    ClearBoundControls();
    if (!m_hWnd) return;
    if (m_bModeless) {
        DestroyWindow(m_hWnd);
    } else {
        EndDialog(m_hWnd, result);
    }
}
