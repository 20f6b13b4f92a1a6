#include "shell/input/key_state.h"

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

// One axis of the auto-repeat: bits of the axis pass when they changed since
// the previous frame, or when the hold has lasted the delay and reached a
// multiple of the interval.
void RepeatAxis(std::uint16_t& word, std::uint16_t repeat, std::uint16_t axisBits, int& count, int delay,
                int interval) {
    std::uint16_t now = word & axisBits;
    std::uint16_t before = (repeat >> 4) & axisBits;
    if (now != before) {
        count = 0;
        return;
    }
    ++count;
    bool passes = count >= delay && interval != 0 && count % interval == 0;
    if (!passes) word &= static_cast<std::uint16_t>(~axisBits);
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

void cKeyState::InitJoyMasks() {
    int i = 0;
    for (auto& mask : m_wJoyMask) mask = static_cast<std::uint16_t>(1u << i++);
}

void cKeyState::SetRepeat(int delay, int interval) {
    m_nRepeatDelay = delay;
    m_nRepeatInterval = interval;
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

void cKeyState::ClearHistory() {
    m_History = {};
    m_nHistoryPos = {};
}

void cKeyState::RecordHistory() {
    const std::uint16_t words[2] = {m_wDirection, m_wButtons};
    for (int c = 0; c < 2; ++c) {
        auto& ring = m_History[static_cast<std::size_t>(c)];
        int& pos = m_nHistoryPos[static_cast<std::size_t>(c)];
        cKeyHistoryEntry& e = ring[static_cast<std::size_t>(pos)];
        if (e.value == words[c]) {
            if (e.frames != std::numeric_limits<std::int32_t>::max()) ++e.frames;
            continue;
        }
        pos = (pos + 1) % kKeyHistoryLength;
        ring[static_cast<std::size_t>(pos)] = cKeyHistoryEntry{words[c], 1};
    }
}

std::uint16_t cKeyState::HistoryValue(int channel, int framesBack) const {
    const std::size_t c = channel == 0 ? 0 : 1;
    const auto& ring = m_History[c];
    long long k = static_cast<long long>(framesBack) + 1;
    int b = m_nHistoryPos[c];
    for (int i = 0; i < kKeyHistoryLength; ++i) {
        const cKeyHistoryEntry& e = ring[static_cast<std::size_t>(b)];
        if (k > e.frames) {
            k -= e.frames;
            b = (b + kKeyHistoryLength - 1) % kKeyHistoryLength;
        }
    }
    return ring[static_cast<std::size_t>(b)].value;
}

void cKeyState::ApplyRepeat() {
    m_wRepeat = static_cast<std::uint16_t>((m_wRepeat << 4) | m_wDirection);
    RepeatAxis(m_wDirection, m_wRepeat, KeyBit::Left | KeyBit::Right, m_nRepeatCountX, m_nRepeatDelay,
               m_nRepeatInterval);
    RepeatAxis(m_wDirection, m_wRepeat, KeyBit::Up | KeyBit::Down, m_nRepeatCountY, m_nRepeatDelay, m_nRepeatInterval);
}

void cKeyState::LatchButtons(int mask) {
    const std::uint16_t m = mask == 0 ? 0xFF : static_cast<std::uint16_t>(mask);
    const std::uint16_t atEntry = m_wButtons;
    for (int bit = 0; bit < 8; ++bit) {
        const std::uint16_t b = static_cast<std::uint16_t>(1u << bit);
        if (!(m & b)) continue;
        if (m_bLatch == 1 && (atEntry & b)) m_wButtons &= static_cast<std::uint16_t>(~b);
        if (m_bLatch == 0 && (m_wButtons & b)) {
            m_bLatch = 1;
            return;
        }
    }
    if (!(atEntry & m)) m_bLatch = 0;
    else m_wButtons &= static_cast<std::uint16_t>(~m);
}

int NumpadDirection(const std::uint16_t* direction) {
    int n = 5;
    if (*direction & KeyBit::Left) n = 4;
    else if (*direction & KeyBit::Right) n = 6;
    if (*direction & KeyBit::Up) n -= 3;
    else if (*direction & KeyBit::Down) n += 3;
    return n;
}
