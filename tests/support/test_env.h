#pragma once
// A clean process state for one test: a temporary working folder holding a
// fresh run report, AbortFlag cleared, and the headless message-box and
// main-window records emptied. Restores AbortFlag to 0 afterwards, since
// the flag is process-wide and other tests must not inherit a close.
#include <string>

#include "support/temp_dir.h"

class TestEnv {
public:
    TestEnv();
    ~TestEnv();

    const TempDir& Dir() const { return m_dir; }
    // The run report's text as written to the disk (CR LF line ends).
    std::string Report() const;

private:
    TempDir m_dir;
};
