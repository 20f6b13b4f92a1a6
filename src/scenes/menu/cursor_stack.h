#pragma once
// The cursors of the menus: one stack of cursor states. A sub-menu pushes a
// state when it opens and pops it when it closes, so the outer menu finds its
// cursor where it left it.
#include <cstdint>

#include "foundation/checked_containers.h"

struct CursorState {
    std::int32_t column = 0;
    std::int32_t row = 0;
    std::int32_t x = 0;  // where the scene draws its cursor picture
    std::int32_t y = 0;
};

class cCursorStack {
public:
    cCursorStack() { Reset(); }

    // Exactly one zeroed entry.
    void Reset();
    // Mode 1 starts the new top where the old one is; every other mode
    // starts it zeroed.
    void Push(int mode);
    // Nothing below two entries. Mode 0 zeroes the uncovered entry, mode 2
    // gives it the popped values, mode 1 leaves it as it was.
    void Pop(int mode);

    CursorState& Top() { return *m_pTop; }
    // The entry under the top; null while the stack holds one entry.
    CursorState* Below() { return m_pBelow; }
    int Depth() const { return m_vStates.Count(); }

private:
    // The pointers are taken again after every change of the vector.
    void TakePointers();

    cVector<CursorState> m_vStates;
    CursorState* m_pTop = nullptr;
    CursorState* m_pBelow = nullptr;
};

extern cCursorStack CursorStack;
