#pragma once
#include <atomic>

// Process-wide flag of the fatal-error close: 0 at start, set to 1 by every
// fatal path and never cleared. While it is 1 scenes stop updating, no data
// file is written and the window closes without asking.
extern std::atomic<int> AbortFlag;

// The fatal-error close: AbortFlag := 1, then WM_CLOSE posted to the main
// window (kept until the window exists when raised earlier).
void FatalClose();
