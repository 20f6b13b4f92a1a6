#include "shell/dialogs/dialog.h"

#include <algorithm>

#include "foundation/report.h"
#include "shell/window_registry.h"

void cDialog::Init(int id, cWindow* parent, cWindowRegistry* registry) {
    m_pParent = parent;
    m_pfnSavedProc = nullptr;
    Attach(id, parent, registry);
}

BOOL cDialog::DialogProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    int handled = HandleMessage(window, msg, wParam, lParam);
    if (msg == WM_DESTROY) return 1;
    if (msg == WM_CLOSE) {
        End(0);
        return 1;
    }
    return handled ? 1 : 0;
}

void cDialog::OnInitDialog(WPARAM, LPARAM) {
    ClearBoundControls();
    // Window procedures cannot be replaced; the property alone marks the
    // window as a dialog of the framework.
    if (!GetPropA(m_hWnd, "DLG_CLASS")) SetPropA(m_hWnd, "DLG_CLASS", this);
    RefreshStyle();
    PlaceWindow();
    if (!m_Hook.Install(m_hWnd, m_bHookModeless)) ErrorBoxF("KeyboardHookに失敗!");
    if (m_bHookModeless && m_pRegistry) m_pRegistry->Add(this);
    UpdateMouse(false, kMouseAll);
    m_MouseAtInit = m_Mouse;
    if (m_nClientWidth > 0 && m_nClientHeight > 0) SetClientSize(m_nClientWidth, m_nClientHeight);
    CreateOwnScrollBars();
}

namespace {

// Ids of the dialog's own view and bars, away from the ids of any template.
constexpr int kOwnViewId = 0x7F00;
constexpr int kOwnHScrollId = 0x7F01;
constexpr int kOwnVScrollId = 0x7F02;

struct OwnArea {
    RECT view;
    RECT below;
    RECT right;
};

// The drawable part of the client area, less the room of the own bars.
OwnArea OwnAreaOf(HWND dialog, const RECT& extra, int barH, int barV) {
    RECT client;
    if (!GetClientRect(dialog, &client)) ClearRect(client);
    int w = std::max(0, client.right - extra.left - extra.right);
    int h = std::max(0, client.bottom - extra.top - extra.bottom);
    int x = extra.left;
    int y = extra.top;
    return OwnArea{RECT{x, y, x + w, y + h}, RECT{x, y + h, x + w, y + h + barH}, RECT{x + w, y, x + w + barV, y + h}};
}

cScrollDesc BarDesc(int id, int extent, int visible) {
    cScrollDesc d;
    d.id = id;
    d.max = std::max(extent, visible) - 1;
    d.page = visible;
    return d;
}

}  // namespace

void cDialog::CreateOwnScrollBars() {
    // Objects of an earlier run of the dialog belong to items that are gone.
    m_pView.reset();
    m_pHScroll.reset();
    m_pVScroll.reset();
    if (!(m_nOwnScrollBars & 3)) return;
    OwnArea a = OwnAreaOf(m_hWnd, m_rcExtra, GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CXVSCROLL));
    int w = a.view.right - a.view.left;
    int h = a.view.bottom - a.view.top;
    CreateDialogItem(m_hWnd, kOwnViewId, platform::DialogItemKind::View, a.view);
    m_pView = std::make_unique<cViewControl>();
    m_pView->Init(this, kOwnViewId);
    if (m_nOwnScrollBars & 1) {
        CreateDialogItem(m_hWnd, kOwnHScrollId, platform::DialogItemKind::Scroll, a.below);
        m_pHScroll = std::make_unique<cScrollControl>();
        m_pHScroll->Init(this, BarDesc(kOwnHScrollId, m_nScrollWidth, w));
    }
    if (m_nOwnScrollBars & 2) {
        CreateDialogItem(m_hWnd, kOwnVScrollId, platform::DialogItemKind::Scroll, a.right);
        m_pVScroll = std::make_unique<cScrollControl>();
        m_pVScroll->Init(this, BarDesc(kOwnVScrollId, m_nScrollHeight, h));
    }
}

void cDialog::PlaceOwnScrollBars() {
    OwnArea a = OwnAreaOf(m_hWnd, m_rcExtra, GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CXVSCROLL));
    auto place = [](cBoundControl* c, const RECT& r) {
        if (c && c->m_hWnd) MoveWindowClient(c->m_hWnd, r.left, r.top, r.right - r.left, r.bottom - r.top);
    };
    place(m_pView.get(), a.view);
    place(m_pHScroll.get(), a.below);
    place(m_pVScroll.get(), a.right);
    if (m_pView) m_pView->Resize();
}

cScrollControl* cDialog::OwnScrollOf(HWND window) const {
    if (!window) return nullptr;
    for (cScrollControl* c : {m_pHScroll.get(), m_pVScroll.get()}) {
        if (c && c->m_hWnd == window) return c;
    }
    return nullptr;
}

void cDialog::OnScrollMessage(UINT, WPARAM wParam, LPARAM lParam) {
    cScrollControl* own = OwnScrollOf(reinterpret_cast<HWND>(lParam));
    if (own && own->ApplyRequest(wParam)) OnPaint();
    for (cBoundControl* c : m_Controls) c->OnScroll(wParam, lParam);
}

void cDialog::PushAll() {
    m_bPushing = 1;
    for (cBoundControl* c : m_Controls) c->Push();
    m_bPushing = 0;
}

void cDialog::PullAll() {
    for (cBoundControl* c : m_Controls) c->Pull();
}

void cDialog::RefreshLists() {
    for (cBoundControl* c : m_Controls) {
        if (c->m_nKind == kControlCombo) c->Refresh();
    }
}

namespace {

constexpr int kEnUpdate = 0x400;
constexpr int kEnKillFocus = 0x200;
constexpr int kSelectionChange = 1;
constexpr int kListLeave = 5;

}  // namespace

void cDialog::RouteCommand(WPARAM wParam, LPARAM) {
    int id = LOWORD(wParam);
    int code = HIWORD(wParam);
    for (cBoundControl* c : m_Controls) {
        if (c->m_nId != id) continue;
        switch (c->m_nKind) {
            case kControlEditForm:
            case kControlEdit:
                if (code == kEnUpdate) c->OnChange();
                if (code == kEnKillFocus) c->OnLeave();
                break;
            case kControlList:
                if (code == kSelectionChange) c->OnChange();
                break;
            case kControlCombo:
                if (code == kSelectionChange) c->OnChange();
                if (code == kListLeave) c->OnLeave();
                break;
            default: break;
        }
        break;
    }
    for (cBoundControl* c : m_Controls) {
        if (c->m_nKind != kControlCombo) continue;
        SendMessageA(c->m_hWnd, WM_SETREDRAW, 0, 0);
        c->Redraw();
    }
}

namespace {

struct KeyScroll {
    int key;
    UINT msg;
    int request;
};

// Page keys scroll vertically by pages, Home and End horizontally; the
// arrows by lines.
constexpr KeyScroll kKeyScrolls[] = {
    {VK_PRIOR, WM_VSCROLL, SB_PAGEUP},  {VK_NEXT, WM_VSCROLL, SB_PAGEDOWN},   {VK_UP, WM_VSCROLL, SB_LINEUP},
    {VK_DOWN, WM_VSCROLL, SB_LINEDOWN}, {VK_HOME, WM_HSCROLL, SB_PAGELEFT},   {VK_END, WM_HSCROLL, SB_PAGERIGHT},
    {VK_LEFT, WM_HSCROLL, SB_LINELEFT}, {VK_RIGHT, WM_HSCROLL, SB_LINERIGHT},
};

HWND WindowOf(const std::unique_ptr<cScrollControl>& control) { return control ? control->m_hWnd : nullptr; }

}  // namespace

void cDialog::OnKeyDown(WPARAM key, LPARAM lParam) {
    for (const auto& k : kKeyScrolls) {
        if (static_cast<WPARAM>(k.key) != key) continue;
        HWND bar = WindowOf(k.msg == WM_VSCROLL ? m_pVScroll : m_pHScroll);
        PostMessageA(m_hWnd, k.msg, static_cast<WPARAM>(k.request), reinterpret_cast<LPARAM>(bar));
    }
    if (m_bModeless) return;
    for (cBoundControl* c : m_Controls) c->OnKey(static_cast<int>(key), lParam, CtrlHeld);
}

int cDialog::HandleMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    int result = cWindow::HandleMessage(window, msg, wParam, lParam);
    // The bars are worked with keys and clicks; typing goes to the view.
    if (m_bInitialised && m_pView && OwnScrollOf(GetFocus())) SetFocus(m_pView->m_hWnd);
    switch (msg) {
        case WM_DESTROY: SetOthersForModal(false); break;
        case WM_SIZE: PlaceOwnScrollBars(); break;
        case WM_NOTIFY:
            // The host's notifications carry their code in wParam.
            for (cBoundControl* c : m_Controls) {
                if (c->OnNotify(static_cast<int>(wParam), lParam)) break;
            }
            break;
        case WM_INITDIALOG: OnInitDialog(wParam, lParam); break;
        case WM_HSCROLL:
        case WM_VSCROLL: OnScrollMessage(msg, wParam, lParam); break;
        case WM_DIALOG_NAVIGATION: SendMessageA(m_hWnd, WM_KEYDOWN, wParam, lParam); break;
        case WM_KEYDOWN: OnKeyDown(wParam, lParam); break;
        default: break;
    }
    return result;
}
