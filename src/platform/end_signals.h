#pragma once
// Requests from outside to end the program (SIGTERM, SIGINT, SIGHUP): taken
// by a thread of their own, so that the game ends in its own orderly way
// instead of where the signal happened to land.
#include <functional>

namespace platform {

// Contract: from now on SIGTERM, SIGINT and SIGHUP are blocked in the calling
// thread and in every thread started after it (call it before any other
// thread starts), and a watcher thread takes each of them: for SIGTERM it
// first writes the end note of NoteEndRequests (process.h) when one is set,
// then it calls onEnd with the signal's name ("SIGTERM", "SIGINT", "SIGHUP")
// on the watcher thread. A second signal after the first ends the process as
// that signal says by default (an end that does not come is cut short).
// false when the watcher cannot be started (nothing changed then).
bool WatchEndSignals(std::function<void(const char* signalName)> onEnd);

// Contract: stops and joins the watcher; signals that come after stay
// pending until the process ends. Nothing when no watcher runs.
void StopWatchingEndSignals();

// Contract: true while the watcher runs.
bool WatchingEndSignals();

}  // namespace platform

#include <string>

namespace platform {

// Contract: installs the game's end for a lost display: what must still
// happen without a window (workers stopped, saves in progress finished); it
// runs on the thread that found the display gone and must not use the
// window. nullptr removes it.
void SetDisplayLostHandler(std::function<void()> handler);

// Contract: the display is gone: writes one line with why to stderr and to
// the host log, runs the display-lost handler, and ends the process with
// exit code 1 without running the destructors of globals (other threads may
// still use them). Never returns; a call while another is under way (from
// another thread) waits for that one to end the process; one from the
// handler itself ends the process at once.
[[noreturn]] void EndAfterDisplayLost(const std::string& why);

}  // namespace platform
