#pragma once
// One running copy at a time.
#include "platform/process.h"

// The name of the single-instance lock.
extern const char* const kInstanceName;

// Takes the lock. When another copy holds it, asks whether to restart: No
// ends this copy (false); Yes stops the other copy (waiting at most 500 ms),
// notes that in the run report and goes on; a copy that cannot be stopped is
// reported and ends this one. A headless run neither takes the lock nor
// ends anyone: it plays beside whatever copy the user runs.
bool SettleSingleInstance(platform::InstanceLock& lock, bool headless);

// From now on, a copy ended by another start notes that in the run report.
void NoteEndByAnotherCopy();
