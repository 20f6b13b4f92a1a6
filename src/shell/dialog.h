#pragma once
// The dialog layer over the window object: the keyboard hook, the list of
// bound controls that copy values between program variables and dialog
// items, and the keys that move around a dialog.
#include <vector>

#include "shell/bound_control.h"
#include "shell/keyboard_hook.h"
#include "shell/window.h"

class cDialog : public cWindow {
public:
    cDialog() { m_bDialog = 1; }

    // Stores the parent object and attaches to the owner's window.
    void Init(int id, cWindow* parent, cWindowRegistry* registry);

    BOOL DialogProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    int HandleMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(WPARAM wParam, LPARAM lParam) override { RouteCommand(wParam, lParam); }
    void RefreshLists() override;
    // The base of every dialog's own initialisation, which calls it first.
    void OnInitDialog(WPARAM wParam, LPARAM lParam) override;

    // The control is the dialog class's member; the list does not own it.
    void AddControl(cBoundControl* control) { m_Controls.push_back(control); }
    const std::vector<cBoundControl*>& Controls() const { return m_Controls; }
    void PushAll();
    void PullAll();
    // Routes a command to the first bound control with the command's id.
    void RouteCommand(WPARAM wParam, LPARAM lParam);

    int m_bHookModeless = 0;
    void* m_pfnSavedProc = nullptr;
    cHook m_Hook;
    // Own scroll bars and their view; no dialog of the player creates them.
    cBoundControl* m_pView = nullptr;
    cBoundControl* m_pHScroll = nullptr;
    cBoundControl* m_pVScroll = nullptr;
    int m_bPushing = 0;

protected:
    void ClearBoundControls() override { m_Controls.clear(); }

private:
    void OnKeyDown(WPARAM key, LPARAM lParam);
    std::vector<cBoundControl*> m_Controls;
};
