#include "shell/dialogs/bound_control.h"

#include "shell/dialogs/dialog.h"

void cBoundControl::Attach(cDialog* dialog, int id) {
    m_pDialog = dialog;
    m_hDialog = dialog ? dialog->m_hWnd : nullptr;
    m_nId = id;
    m_hWnd = GetDlgItem(m_hDialog, id);
}
