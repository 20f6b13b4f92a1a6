#pragma once
// What the signal watcher needs of the end note (process.cpp).
#include <sys/types.h>

namespace platform::detail {

// Appends the end note's line for a SIGTERM from sender when a note is set;
// only async-signal-safe calls.
void WriteEndNote(pid_t sender);

}  // namespace platform::detail
