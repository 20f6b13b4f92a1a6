#pragma once
// The headless machine facts for one test's life.
#include "platform/system_info.h"

class FixedMachineFacts {
public:
    FixedMachineFacts() { platform::UseFixedMachineFacts(true); }
    ~FixedMachineFacts() { platform::UseFixedMachineFacts(false); }
    FixedMachineFacts(const FixedMachineFacts&) = delete;
    FixedMachineFacts& operator=(const FixedMachineFacts&) = delete;
};
