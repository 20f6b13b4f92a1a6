#pragma once
// One player's input, reduced to a four-bit direction word (1 left, 2 right,
// 4 up, 8 down) and an eight-bit button word (bit n-1 for button n), with
// what the game asks about them: how long each value was held, run lists of
// states for the key conditions of flows, the menu auto-repeat of
// directions and the latch that turns a held button into one press.
#include <array>
#include <cstdint>

#include "foundation/checked_containers.h"
#include "platform/joystick.h"

struct KeyHistoryEntry {
    std::uint16_t value = 0;
    std::int32_t frames = 0;
};

struct KeyRun {
    int state = 0;
    int frames = 0;
};

using KeyRunList = cVector<KeyRun>;

constexpr int kKeyHistoryLength = 32;
constexpr int kKeyRunLength = 32;
constexpr int kDirectionRunLists = 10;
constexpr int kButtonRunLists = 9;

class cKeyState {
public:
    cKeyState();

    void InitJoyMasks();
    void SetRepeat(int delay, int interval);
    void ClearDirection();
    void ClearButtons();
    void ClearHistory();
    // Once per frame: extends the current entry of each channel's history or
    // starts a new one when the word changed.
    void RecordHistory();
    // The value channel 0 (directions) or 1 (buttons) had n frames ago.
    std::uint16_t HistoryValue(int channel, int framesBack) const;
    void ResetRuns();
    // Once per frame: the run lists follow the two words.
    void UpdateRuns();
    // Menu auto-repeat: a held direction passes on its first frame, then
    // from the delay on every interval frames.
    void ApplyRepeat();
    // A held button passes once; mask 0 stands for all eight buttons.
    void LatchButtons(int mask);

    std::uint16_t m_wDirection = 0;
    std::uint16_t m_wButtons = 0;
    std::uint16_t m_wRepeat = 0;
    std::array<std::array<KeyHistoryEntry, kKeyHistoryLength>, 2> m_History{};
    std::array<int, 2> m_nHistoryPos{};
    cVector<KeyRunList> m_vDirectionRuns;
    cVector<KeyRunList> m_vButtonRuns;
    int m_nNumpad = 5;
    int m_nRepeatH = 0;
    int m_nRepeatV = 0;
    int m_nRepeatDelay = 0;
    int m_nRepeatInterval = 0;
    int m_bLatch = 0;
    std::array<std::uint16_t, platform::kJoystickCount> m_wJoyMask{};
    // Each joystick has its own presence flag and re-poll countdown, so an
    // absent second pad never delays the reading of the first.
    std::array<int, platform::kJoystickCount> m_bJoyPresent{};
    std::array<int, platform::kJoystickCount> m_nJoyRetry{};
};

// The numpad digit of a direction word: left wins over right and up over
// down (unlike the cancelling numpad member).
int NumpadDirection(const std::uint16_t* direction);

// Exactly one element; built before the program's entry runs.
extern cVector<cKeyState> KeyStates;
