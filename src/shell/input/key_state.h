#pragma once
// One player's input record: the direction and button words of this frame,
// how long each value was held, the run lists that key conditions of flows
// read, the menu auto-repeat of directions and the latch that turns a held
// button into one press. The frame loop polls into element 0 of KeyStates;
// stage play reads the words and the newest runs.
#include <array>
#include <cstdint>

#include "foundation/checked_containers.h"
#include "platform/joystick.h"

// Direction bits of the direction word; button n is bit n - 1 of the button word.
namespace KeyBit {
enum : std::uint16_t { Left = 1, Right = 2, Up = 4, Down = 8 };
}

// One run of a state: held (1) or not (0) for that many frames.
struct cKeyRun {
    int nState = 0;
    int nFrames = 0;
};

// A run list, newest run first.
using KeyRunList = cVector<cKeyRun>;

constexpr int kKeyRunLength = 32;
// Direction states 0 none, 1 left, 2 right, 3 up, 4 down, 5 up-left,
// 6 down-left, 7 up-right, 8 down-right, 9 any direction.
constexpr int kDirectionStates = 10;
// Button states 0 no button, 1 to 8 the buttons.
constexpr int kButtonStates = 9;

constexpr int kKeyHistoryLength = 32;

struct cKeyHistoryEntry {
    std::uint16_t value = 0;
    std::int32_t frames = 0;
};

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
    // Menu auto-repeat: a held direction passes on its first frame, then
    // from the delay on every interval frames.
    void ApplyRepeat();
    // A held button passes once; mask 0 stands for all eight buttons.
    void LatchButtons(int mask);
    // Every run list back to 32 runs of (0, 0).
    void ResetRuns();
    // Once per frame: extends the newest run of every list or starts a new
    // one, keeping each list's length.
    void UpdateRuns();

    std::uint16_t m_wDirection = 0;
    std::uint16_t m_wButtons = 0;
    std::uint16_t m_wRepeat = 0;
    std::array<std::array<cKeyHistoryEntry, kKeyHistoryLength>, 2> m_History{};
    std::array<int, 2> m_nHistoryPos{};
    cVector<KeyRunList> m_vDirectionRuns;
    cVector<KeyRunList> m_vButtonRuns;
    int m_nNumpad = 5;
    int m_nRepeatCountX = 0;
    int m_nRepeatCountY = 0;
    int m_nRepeatDelay = 18;
    int m_nRepeatInterval = 6;
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

// Whether direction state `state` (0 to 9) holds for a direction word.
bool DirectionStateHeld(int state, std::uint16_t direction);
// Whether button state `state` (0 no button, 1 to 8) holds for a button word.
bool ButtonStateHeld(int state, std::uint16_t buttons);

// The players' input records; exactly one.
extern cVector<cKeyState> KeyStates;
