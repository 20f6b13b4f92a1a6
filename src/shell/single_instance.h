#pragma once
// One running copy at a time.
#include "platform/process.h"

// The name of the single-instance lock.
extern const char* const kInstanceName;

// Takes the lock. When another copy holds it, asks whether to restart: No
// ends this copy (false); Yes stops the other copy (waiting at most 500 ms)
// and goes on; a copy that cannot be stopped is reported and ends this one.
bool SettleSingleInstance(platform::InstanceLock& lock);
