#pragma once
// Waits for a condition that another thread brings about, polling every
// millisecond with a generous ceiling, so a fault fails the test instead of
// hanging it.
#include "platform/clock.h"

template <class Pred>
bool Eventually(Pred pred, int ms = 3000) {
    for (int i = 0; i < ms; ++i) {
        if (pred()) return true;
        Sleep(1);
    }
    return pred();
}
