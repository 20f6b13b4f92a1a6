#pragma once
// The game threads' requests to the window thread (dialogs, file loads) and
// the flags through which their answers come back.
#include <atomic>

#include "platform/win_types.h"

extern std::atomic<int> NameEntryDone;
extern std::atomic<int> RequestDone;
extern std::atomic<int> RequestResult;

// Clears done and sends msg to the main window. The send returns once the
// handler has run, and handlers set their done flag last. When the window is
// gone or closing the send returns without running the handler: done is set
// here (and RequestResult cleared), so no sender waits for an answer that
// never comes. Returns RequestResult.
int SendAppRequest(UINT msg, WPARAM wParam, LPARAM lParam, std::atomic<int>& done);
