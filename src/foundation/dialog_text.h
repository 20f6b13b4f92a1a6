#pragma once
// Text transfer between a string and a dialog item.
#include <string>

#include "platform/win_types.h"

// The item's text, at most maxCount - 1 bytes (maxCount is held to 5120);
// empty for a missing item or a count below 1.
void GetDlgItemString(HWND dialog, int id, std::string& out, int maxCount);

// Sets the item's text; an empty string clears it.
void SetDlgItemString(HWND dialog, int id, const std::string& text);
