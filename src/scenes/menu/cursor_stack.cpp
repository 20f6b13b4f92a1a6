#include "scenes/menu/cursor_stack.h"

cCursorStack CursorStack;

void cCursorStack::TakePointers() {
    const int n = m_vStates.Count();
    m_pTop = &m_vStates[n - 1];
    m_pBelow = n >= 2 ? &m_vStates[n - 2] : nullptr;
}

void cCursorStack::Reset() {
    m_vStates.assign(1, CursorState{});
    TakePointers();
}

void cCursorStack::Push(int mode) {
    m_vStates.emplace_back();
    const int n = m_vStates.Count();
    if (mode == 1 && n >= 2) m_vStates[n - 1] = m_vStates[n - 2];
    TakePointers();
}

void cCursorStack::Pop(int mode) {
    if (m_vStates.Count() < 2) return;
    const CursorState popped = m_vStates.back();
    m_vStates.pop_back();
    TakePointers();
    if (mode == 0) *m_pTop = CursorState{};
    else if (mode == 2) *m_pTop = popped;
}
