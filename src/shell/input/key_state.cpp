#include "shell/input/key_state.h"

#include <climits>

cVector<cKeyState> KeyStates(1);

namespace {

constexpr std::uint16_t kLeft = 1, kRight = 2, kUp = 4, kDown = 8;

// The condition of direction run list i on the direction word.
bool DirectionListHolds(int list, std::uint16_t word) {
    static constexpr std::uint16_t kExact[kDirectionRunLists - 1] = {
        0, kLeft, kRight, kUp, kDown, kLeft | kUp, kLeft | kDown, kRight | kUp, kRight | kDown};
    if (list == kDirectionRunLists - 1) return word != 0;
    return word == kExact[list];
}

bool ButtonListHolds(int list, std::uint16_t word) {
    if (list == 0) return word == 0;
    return (word & (1u << (list - 1))) != 0;
}

void Saturating(std::int32_t& frames) {
    if (frames != INT_MAX) ++frames;
}

void UpdateRun(KeyRunList& list, bool holds) {
    if (list.empty()) return;
    KeyRun& front = list.front();
    if ((front.state != 0) != holds) {
        list.insert(list.begin(), KeyRun{holds ? 1 : 0, 1});
        list.pop_back();
        return;
    }
    if (front.frames != INT_MAX) ++front.frames;
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

cKeyState::cKeyState() { ResetRuns(); }

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

void cKeyState::ClearHistory() {
    m_History = {};
    m_nHistoryPos = {};
}

void cKeyState::RecordHistory() {
    const std::uint16_t words[2] = {m_wDirection, m_wButtons};
    for (int c = 0; c < 2; ++c) {
        auto& ring = m_History[static_cast<std::size_t>(c)];
        int& pos = m_nHistoryPos[static_cast<std::size_t>(c)];
        KeyHistoryEntry& e = ring[static_cast<std::size_t>(pos)];
        if (e.value == words[c]) {
            Saturating(e.frames);
            continue;
        }
        pos = (pos + 1) % kKeyHistoryLength;
        ring[static_cast<std::size_t>(pos)] = KeyHistoryEntry{words[c], 1};
    }
}

std::uint16_t cKeyState::HistoryValue(int channel, int framesBack) const {
    const auto& ring = m_History[channel == 0 ? 0 : 1];
    long long k = static_cast<long long>(framesBack) + 1;
    int b = m_nHistoryPos[channel == 0 ? 0 : 1];
    for (int i = 0; i < kKeyHistoryLength; ++i) {
        const KeyHistoryEntry& e = ring[static_cast<std::size_t>(b)];
        if (k > e.frames) {
            k -= e.frames;
            b = (b + kKeyHistoryLength - 1) % kKeyHistoryLength;
        }
    }
    return ring[static_cast<std::size_t>(b)].value;
}

void cKeyState::ResetRuns() {
    m_vDirectionRuns.assign(kDirectionRunLists, KeyRunList(kKeyRunLength));
    m_vButtonRuns.assign(kButtonRunLists, KeyRunList(kKeyRunLength));
}

void cKeyState::UpdateRuns() {
    int i = 0;
    for (auto& list : m_vDirectionRuns) UpdateRun(list, DirectionListHolds(i++, m_wDirection));
    i = 0;
    for (auto& list : m_vButtonRuns) UpdateRun(list, ButtonListHolds(i++, m_wButtons));
}

void cKeyState::ApplyRepeat() {
    m_wRepeat = static_cast<std::uint16_t>((m_wRepeat << 4) | m_wDirection);
    RepeatAxis(m_wDirection, m_wRepeat, kLeft | kRight, m_nRepeatH, m_nRepeatDelay, m_nRepeatInterval);
    RepeatAxis(m_wDirection, m_wRepeat, kUp | kDown, m_nRepeatV, m_nRepeatDelay, m_nRepeatInterval);
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
    if (*direction & kLeft) n = 4;
    else if (*direction & kRight) n = 6;
    if (*direction & kUp) n -= 3;
    else if (*direction & kDown) n += 3;
    return n;
}
