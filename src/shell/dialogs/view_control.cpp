#include "shell/dialogs/view_control.h"

#include "platform/dialog_window.h"
#include "platform/window.h"

void cViewControl::Init(cDialog* dialog, int id) {
    Attach(dialog, id);
    Resize();
    if (m_hWnd) SetDlgItemTextA(m_hDialog, m_nId, m_strText);
}

void cViewControl::Resize() {
    RECT r;
    if (!m_hWnd || !GetWindowRect(m_hWnd, &r)) return;
    for (cMemDc& dc : m_Dc) dc.Create(r.right - r.left, r.bottom - r.top);
}

void cViewControl::SetText(const std::string& text) {
    m_strText = text;
    SetDlgItemTextA(m_hDialog, m_nId, text);
}

void cViewControl::Show() {
    DDPIXELS& p = m_Dc[0].First();
    if (p.Empty()) {
        SetDialogItemPicture(m_hWnd, nullptr, 0, 0, 0);
        return;
    }
    SetDialogItemPicture(m_hWnd, reinterpret_cast<const std::uint32_t*>(p.bits.data()), p.nWidth, p.nHeight,
                         p.nPitch / 4);
}
