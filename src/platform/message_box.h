#pragma once
// Message boxes. The window backend shows them for real; headless runs (and
// every test) answer them from a script and record what was asked.
#include <functional>
#include <string>
#include <vector>

#include "platform/win_types.h"

// Contract: shows a modal box with Shift-JIS text and caption and the MB_*
// type; returns the ID* of the button pressed. Without a backend handler the
// headless sink answers: the next scripted answer, or else the default
// button of the type (IDOK, or IDYES for yes/no types); since nobody saw
// that box, it is reported (ReportUnshownMessageBox). While it is shown
// the box is the active window (GetActiveWindow).
int MessageBoxA(HWND owner, const std::string& text, const std::string& caption, UINT type);

namespace platform {

struct MessageBoxRecord {
    std::string text;     // Shift-JIS, as given
    std::string caption;  // Shift-JIS, as given
    UINT type = 0;
};

using MessageBoxHandler = std::function<int(const MessageBoxRecord&)>;

// Contract: for a box the host could not show: writes its caption, text and
// the answer taken to the host log and to stderr (HostWarn), so that no
// question or error passes unseen; returns answer.
int ReportUnshownMessageBox(const MessageBoxRecord& box, int answer);

// Contract: installs the window backend's box (or clears it with nullptr).
void SetMessageBoxHandler(MessageBoxHandler handler);

// Contract: the button a box takes when nobody can answer it: its default
// button (the second with MB_DEFBUTTON2, else IDYES for the yes/no types,
// else IDOK).
int DefaultMessageBoxAnswer(UINT type);

// Contract: installs the game's own box, drawn in the game window as its
// other dialogs (nullptr clears it). It returns the button pressed, or 0 when
// it could not show the box.
void SetInWindowMessageBox(MessageBoxHandler box);

// Contract: for a window backend: shows the box with the game's own box
// when one is installed, the main window exists and the caller is its
// thread; the button pressed, else 0 (not shown).
int ShowInWindowMessageBox(const MessageBoxRecord& box);

// Headless sink: answers queued by tests or the input script, and the record
// of every box shown through the sink.
void QueueMessageBoxAnswer(int answer);
std::vector<MessageBoxRecord> RecordedMessageBoxes();
void ClearMessageBoxes();

}  // namespace platform
