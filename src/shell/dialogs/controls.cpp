#include "shell/dialogs/controls.h"

#include "foundation/abort.h"
#include "foundation/dialog_text.h"
#include "foundation/report.h"
#include "platform/keyboard.h"
#include "shell/dialogs/dialog.h"

namespace {

// Every text of a field passes through a buffer of this size.
constexpr int kTextBuffer = 5120;

bool Pushing(const cBoundControl& c) { return c.m_pDialog && c.m_pDialog->m_bPushing; }

int DefaultIfZero(int value, int fallback) { return value == 0 ? fallback : value; }

}  // namespace

cControlDesc OneLineDesc(int id, std::string* text, int n, int doubleByte) {
    return cControlDesc(id, text, n + 1, doubleByte ? n : 0, 1, doubleByte);
}

void cEditControl::Init(cDialog* dialog, const cControlDesc& desc) {
    Attach(dialog, desc.id);
    m_pText = desc.text;
    m_Limits.maxCount = DefaultIfZero(desc.maxCount, 4096);
    m_Limits.charsPerLine = DefaultIfZero(desc.charsPerLine, 1024);
    m_Limits.lines = DefaultIfZero(desc.lines, 32);
    m_Limits.doubleByte = desc.doubleByte;
    std::copy(std::begin(desc.further), std::end(desc.further), m_nFurther);
    std::string text = m_pText ? *m_pText : std::string();
    SetDlgItemTextA(m_hDialog, m_nId, text);
    m_strPrevious = text;
    m_bInit = 1;
    OnChange();
    m_bInit = 0;
}

void cEditControl::Push() {
    if (m_pText) SetDlgItemString(m_hDialog, m_nId, *m_pText);
}

void cEditControl::Pull() {
    if (Pushing(*this) || !m_pText) return;
    std::string text;
    GetDlgItemString(m_hDialog, m_nId, text, kTextBuffer);
    *m_pText = CutToBytes(text, EditByteLimit(m_Limits) - 1);
}

void cEditControl::OnChange() {
    if (m_bBusy) return;
    m_bBusy = 1;
    cEditText now;
    GetDlgItemString(m_hDialog, m_nId, now.text, kTextBuffer);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    now.selStart = static_cast<int>(start);
    now.selEnd = static_cast<int>(end);
    cEditText shown = CheckEditChange(m_Limits, m_strPrevious, now, GetAsyncKeyState(VK_BACK) < 0, m_bInit != 0);
    SetDlgItemTextA(m_hDialog, m_nId, shown.text);
    if (!m_bInit) SendMessageA(m_hWnd, EM_SETSEL, static_cast<WPARAM>(shown.selStart), shown.selEnd);
    m_strPrevious = shown.text;
    m_bBusy = 0;
}

void cEditControl::SetText(const std::string& text) {
    SetDlgItemTextA(m_hDialog, m_nId, text);
    auto end = static_cast<LPARAM>(text.size());
    SendMessageA(m_hWnd, EM_SETSEL, static_cast<WPARAM>(end), end);
    OnChange();
}

void cCheckControl::Push() { SendMessageA(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(*m_pValue), 0); }

void cCheckControl::Pull() {
    if (Pushing(*this)) return;
    *m_pValue = static_cast<int>(SendMessageA(m_hWnd, BM_GETCHECK, 0, 0));
}

void cRadioControl::Push() {
    SendMessageA(m_hWnd, BM_SETCHECK, *m_pValue == m_nValue ? BST_CHECKED : BST_UNCHECKED, 0);
}

void cRadioControl::Pull() {
    if (Pushing(*this)) return;
    if (SendMessageA(m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED) *m_pValue = m_nValue;
}

template <class Control>
Control* FindControl(std::deque<Control>& controls, int id) {
    for (auto& c : controls) {
        if (c.m_nId == id) return &c;
    }
    DebugErrorBoxF("コントロールID 【%u】 が見つかりません！", static_cast<unsigned>(id));
    FatalClose();
    return nullptr;
}

template cCheckControl* FindControl(std::deque<cCheckControl>&, int);
template cStaticControl* FindControl(std::deque<cStaticControl>&, int);
template cRadioControl* FindControl(std::deque<cRadioControl>&, int);

cCheckControl* FindCheckControl(std::deque<cCheckControl>& controls, int id) { return FindControl(controls, id); }
