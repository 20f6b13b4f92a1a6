#pragma once
// Message boxes drawn in the game window as its other dialogs: the text in
// lines, the buttons of the box's type centred below it, the first one the
// default. Return presses the focused button, Tab moves between them, and
// "はい(Y)" / "いいえ(N)" answer to Y and N. No host font is needed.
#include <functional>
#include <string>

#include "platform/dialog_window.h"
#include "platform/message_box.h"

constexpr int kResourceMessageBox = 105;

// Width in pixels of a one-line Shift-JIS text.
using TextWidth = std::function<int(const std::string&)>;

// The box's dialog: title the caption; one static item per line of text
// (broken at line breaks and where a line is wider than the box can be),
// then the buttons.
platform::DialogTemplate MessageBoxTemplate(const platform::MessageBoxRecord& box, const TextWidth& width);

// The answer of a box closed without a button: Cancel when it has one, No
// for a yes/no box, else OK.
int EscapeAnswer(UINT type);

// The game's box for the window backend (platform::SetInWindowMessageBox):
// runs it modally over the main window; 0 when there is no main window.
// While the game is being ended from outside no box is shown: it takes its
// default button, reported.
int ShowMessageBoxInWindow(const platform::MessageBoxRecord& box);
