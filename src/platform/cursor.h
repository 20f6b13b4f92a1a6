#pragma once
// The pointer over the main window: a display count as the game keeps it.
#include "platform/win_types.h"

// Contract: TRUE adds one to the pointer's display count, FALSE takes one
// away; the pointer shows over the main window while the count is 0 or more
// (it starts at 0). Returns the new count. Any thread: the window backend
// applies the change at its next pump.
int ShowCursor(BOOL show);

namespace platform {

// Contract: whether the pointer shows now (the count is 0 or more).
bool CursorShown();

// Contract: the count back at 0 (tests; a new run).
void ResetCursorCount();

}  // namespace platform
