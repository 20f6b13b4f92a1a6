#pragma once
// Sets a flag when the scope that holds it is left, also by the unwinding of
// a forced thread stop: tests read it to see that a thread really ended.
#include <atomic>

struct SetOnExit {
    std::atomic<bool>* flag;
    ~SetOnExit() { *flag = true; }
};
