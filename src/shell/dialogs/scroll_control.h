#pragma once
// A scroll bar item bound to a range: the dialog's own bars below and at the
// right of its drawable area are of this kind. It marks its item with the
// "CTRL_SCROLL_CLASS" property while it lives.
#include "platform/dialog_window.h"
#include "shell/dialogs/bound_control.h"

// What a scroll control is set up with: the window that carries the bar
// (none: the control itself), the bar, the range, the page and the redraw
// flag.
struct cScrollDesc {
    int id = 0;
    HWND target = nullptr;
    int bar = SB_CTL;
    int min = 0;
    int max = 0;
    int page = 0;
    int redraw = 1;
};

constexpr const char* kScrollClassProp = "CTRL_SCROLL_CLASS";

class cScrollControl : public cBoundControl {
public:
    cScrollControl() : cBoundControl(kControlScroll) {}
    ~cScrollControl() override;

    void Init(cDialog* dialog, const cScrollDesc& desc);
    // Moves the thumb as a WM_HSCROLL / WM_VSCROLL request asks (lines of 1,
    // pages of the page size, the thumb's own position, either end); true
    // when the position changed.
    bool ApplyRequest(WPARAM request);
    int Position() const;

    HWND m_hTarget = nullptr;
    int m_nBar = SB_CTL;
    int m_nMin = 0;
    int m_nMax = 0;
    int m_nPage = 0;
    int m_bRedraw = 1;

private:
    HWND BarWindow() const { return m_hTarget ? m_hTarget : m_hWnd; }
};
