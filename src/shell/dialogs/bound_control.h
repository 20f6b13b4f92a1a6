#pragma once
// A control bound to one dialog item by its id and to one program variable.
// The dialog drives it through these operations; the kinds themselves (edit,
// check box, radio button, scroll bar, ...) are built on this base.
#include <string>

#include "platform/win_types.h"

class cDialog;

// Stored kinds of bound controls.
constexpr int kControlStatic = 0;
constexpr int kControlEditForm = 2;
constexpr int kControlEdit = 3;
constexpr int kControlView = 4;
constexpr int kControlCheck = 5;
constexpr int kControlRadio = 6;
constexpr int kControlList = 7;
constexpr int kControlCombo = 8;
constexpr int kControlScroll = 11;

class cBoundControl {
public:
    explicit cBoundControl(int kind) : m_nKind(kind) {}
    virtual ~cBoundControl() = default;
    cBoundControl(const cBoundControl&) = delete;
    cBoundControl& operator=(const cBoundControl&) = delete;

    virtual void Enable(bool) {}
    // Variable -> control, and control -> variable.
    virtual void Push() {}
    virtual void Pull() {}
    virtual void OnChange() {}
    // Non-zero when the notification was handled.
    virtual int OnNotify(int, LPARAM) { return 0; }
    virtual int OnScroll(WPARAM, LPARAM) { return 0; }
    virtual void Refresh() {}
    virtual void OnLeave() {}
    virtual void Redraw() {}
    virtual void OnKey(int, LPARAM, int) {}

    // Stores the dialog, its window and the id, finds the item and notes
    // where it stands.
    void Attach(cDialog* dialog, int id);
    // The item's window corner on the desktop and in the dialog's client
    // area (past the dialog's left and top frame).
    void UpdatePos();
    // Gives the item a new size where it stands; nothing without an item.
    void Move(int width, int height);

    HWND m_hWnd = nullptr;
    cDialog* m_pDialog = nullptr;
    HWND m_hDialog = nullptr;
    int m_nKind = kControlStatic;
    int m_nId = 0;
    POINT m_ptWindow;
    POINT m_ptClient;
    std::string m_strTip;  // no tooltip is ever created
};
