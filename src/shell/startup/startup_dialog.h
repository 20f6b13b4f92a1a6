#pragma once
// The start-up dialog: the drawing path (Direct3D or DirectDraw) and the
// do-not-ask-again tick, bound to the two members of Boot.dat.
#include <deque>

#include "shell/dialogs/controls.h"
#include "shell/dialogs/dialog.h"
#include "shell/startup/boot_data.h"

class cStartupDialog : public cDialog {
public:
    explicit cStartupDialog(cBootData& boot);
    ~cStartupDialog() override;
    void OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    void OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    cBootData& m_Boot;
    std::deque<cRadioControl> m_Radios;
    std::deque<cCheckControl> m_Checks;
    std::deque<cStaticControl> m_Statics;
};

// Runs the start-up dialog modally over the main window: 1 after Start (the
// choice is saved to Boot.dat), 0 after Cancel or a close.
int RunStartupDialog();

// The start-up step: when System.ini leaves the drawing path open
// (Direct3D 2 or more) reads Boot.dat and, unless it says not to ask, runs
// the start-up dialog; then Direct3D := (choice == 1). false when the user
// cancelled: start-up ends silently.
bool ChooseDrawingMode();
