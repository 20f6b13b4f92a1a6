#include "shell/dialogs/bound_control.h"

#include "shell/dialogs/dialog.h"

void cBoundControl::Attach(cDialog* dialog, int id) {
    m_pDialog = dialog;
    m_hDialog = dialog ? dialog->m_hWnd : nullptr;
    m_nId = id;
    m_strTip.clear();
    m_hWnd = GetDlgItem(m_hDialog, id);
    UpdatePos();
}

void cBoundControl::UpdatePos() {
    RECT item;
    RECT dialog;
    if (!m_hWnd || !GetWindowRect(m_hWnd, &item)) return;
    m_ptWindow = POINT{item.left, item.top};
    if (!GetWindowRect(m_hDialog, &dialog)) return;
    int frameLeft = m_pDialog ? m_pDialog->m_rcFrame.left : 0;
    int frameTop = m_pDialog ? m_pDialog->m_rcFrame.top : 0;
    m_ptClient = POINT{item.left - dialog.left - frameLeft, item.top - dialog.top - frameTop};
}

void cBoundControl::Move(int width, int height) {
    RECT item;
    if (!m_hWnd || !GetWindowRect(m_hWnd, &item)) return;
    UpdatePos();
    MoveWindowClient(m_hWnd, m_ptClient.x, m_ptClient.y, width, height);
}
