#include "shell/key_state.h"

#include <limits>

cVector<cKeyState> KeyStates(1);

namespace {

// The exact direction word of states 1 to 8.
constexpr std::array<std::uint16_t, 9> kDirectionWords = {
    0,
    KeyBit::Left,
    KeyBit::Right,
    KeyBit::Up,
    KeyBit::Down,
    KeyBit::Left | KeyBit::Up,
    KeyBit::Left | KeyBit::Down,
    KeyBit::Right | KeyBit::Up,
    KeyBit::Right | KeyBit::Down,
};

void ResetRunLists(cVector<KeyRunList>& lists, int count) {
    lists.assign(static_cast<std::size_t>(count), KeyRunList(kKeyRunLength));
}

void UpdateRun(KeyRunList& runs, bool held) {
    if (runs.empty()) runs.resize(kKeyRunLength);
    cKeyRun& front = runs.front();
    if ((front.nState != 0) != held) {
        runs.insert(runs.begin(), cKeyRun{held ? 1 : 0, 1});
        runs.pop_back();
    } else if (front.nFrames != std::numeric_limits<int>::max()) {
        ++front.nFrames;
    }
}

}  // namespace

bool DirectionStateHeld(int state, std::uint16_t direction) {
    if (state == 9) return direction != 0;
    if (state < 0 || state > 8) return false;
    return direction == kDirectionWords[static_cast<std::size_t>(state)];
}

bool ButtonStateHeld(int state, std::uint16_t buttons) {
    if (state == 0) return buttons == 0;
    if (state < 1 || state > 8) return false;
    return (buttons >> (state - 1)) & 1;
}

cKeyState::cKeyState() {
    ResetRunLists(m_vDirectionRuns, kDirectionStates);
    ResetRunLists(m_vButtonRuns, kButtonStates);
}

void cKeyState::ClearDirection() {
    m_wDirection = 0;
    m_nNumpad = 5;
}

void cKeyState::ClearButtons() { m_wButtons = 0; }

void cKeyState::ResetRuns() {
    ResetRunLists(m_vDirectionRuns, kDirectionStates);
    ResetRunLists(m_vButtonRuns, kButtonStates);
}

void cKeyState::UpdateRuns() {
    int state = 0;
    for (KeyRunList& runs : m_vDirectionRuns) UpdateRun(runs, DirectionStateHeld(state++, m_wDirection));
    state = 0;
    for (KeyRunList& runs : m_vButtonRuns) UpdateRun(runs, ButtonStateHeld(state++, m_wButtons));
}
