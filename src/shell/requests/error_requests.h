#pragma once
// Error boxes asked of the window thread by the game threads, which never
// open a window themselves.
#include <string>

#include "platform/win_types.h"

constexpr UINT kWmErrorBox = WM_USER + 7;

// From any thread: the window thread shows the box before this returns.
// Without a main window the box is shown at once.
void ShowErrorOnWindowThread(const std::string& text);
// The handler of kWmErrorBox on the window thread; lParam points to the text.
void OnErrorBoxRequest(LPARAM text);
