#pragma once
// The dialog layer over the window object: the keyboard hook, the list of
// bound controls that copy values between program variables and dialog
// items, and the keys that move around a dialog.
#include <memory>
#include <vector>

#include "shell/dialogs/bound_control.h"
#include "shell/dialogs/keyboard_hook.h"
#include "shell/dialogs/scroll_control.h"
#include "shell/dialogs/view_control.h"
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
    // Own scroll bars and the view they scroll, made at initialisation when
    // the layout asks for own scroll bars; no dialog of the player does.
    std::unique_ptr<cViewControl> m_pView;
    std::unique_ptr<cScrollControl> m_pHScroll;
    std::unique_ptr<cScrollControl> m_pVScroll;
    // The size of what the view scrolls over; 0 is the view's own size.
    int m_nScrollWidth = 0;
    int m_nScrollHeight = 0;
    int m_bPushing = 0;

protected:
    void ClearBoundControls() override { m_Controls.clear(); }

private:
    void OnKeyDown(WPARAM key, LPARAM lParam);
    void CreateOwnScrollBars();
    // The view over the drawable area, the bars below it and at its right.
    void PlaceOwnScrollBars();
    void OnScrollMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    cScrollControl* OwnScrollOf(HWND window) const;
    std::vector<cBoundControl*> m_Controls;
};
