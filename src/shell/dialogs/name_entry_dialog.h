#pragma once
// The ranking name entry: one field of three characters (a Japanese one
// counting one) and OK; only OK closes it.
#include <deque>
#include <string>

#include "shell/dialogs/controls.h"
#include "shell/dialogs/dialog.h"

class cNameEntryDialog : public cDialog {
public:
    // name: the variable the field writes on OK; none: the dialog shows only
    // its label and OK.
    explicit cNameEntryDialog(std::string* name);
    ~cNameEntryDialog() override;
    void OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    void OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    std::deque<cEditControl> m_Fields;
    std::deque<cControlDesc> m_Descs;
};

// The name the entry edits: the options' ranking name when the title's
// options asked (play type 5), else the stage scene's registration name;
// none without either.
std::string* NameEntryTarget();

// Runs the name entry over the main window; 1 after OK.
int RunNameEntryDialog();
