#pragma once
// A view: a drawing surface inside a dialog with two off-screen holders and
// a text. Its owner draws into the first holder and shows it; until then the
// view shows its text.
#include <string>

#include "shell/dialogs/bound_control.h"
#include "shell/dialogs/mem_dc.h"

class cViewControl : public cBoundControl {
public:
    cViewControl() : cBoundControl(kControlView) {}

    // Attaches to the item and sizes both holders to it.
    void Init(cDialog* dialog, int id);
    // New holders for the item's size (after the dialog moved or sized it).
    void Resize();
    void SetText(const std::string& text);
    cMemDc& Holder(int which) { return m_Dc[which == 0 ? 0 : 1]; }
    // Puts the first holder's first picture on the item.
    void Show();

    std::string m_strText;

private:
    cMemDc m_Dc[2];
};
