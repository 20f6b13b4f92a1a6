#include "shell/input/input_poll.h"

#include "platform/keyboard.h"

namespace {

constexpr DWORD kAxisLow = 10000;
constexpr DWORD kAxisHigh = 55535;

struct DirectionStep {
    std::uint16_t bit;
    int numpad;
};
// Left, right, up, down: the bit and the step of the numpad digit.
constexpr DirectionStep kDirections[4] = {{1, -1}, {2, +1}, {4, -3}, {8, +3}};

bool KeyHeld(int vk) { return GetAsyncKeyState(vk) < 0; }

// Reads joystick id unless it failed lately; a failure waits 2 x interval
// polls before the next try.
bool ReadCountedJoystick(cKeyState& s, int id, int interval, platform::JoystickReading& reading) {
    auto i = static_cast<std::size_t>(id);
    if (s.m_bJoyPresent[i] == 0 && s.m_nJoyRetry[i] > 0) {
        --s.m_nJoyRetry[i];
        return false;
    }
    if (!platform::ReadJoystick(id, reading)) {
        s.m_bJoyPresent[i] = 0;
        s.m_nJoyRetry[i] = 2 * interval;
        return false;
    }
    s.m_bJoyPresent[i] = 1;
    return true;
}

void AddDirection(cKeyState& s, int index) {
    s.m_wDirection |= kDirections[index].bit;
    s.m_nNumpad += kDirections[index].numpad;
}

}  // namespace

int JoyAxisCode(const platform::JoystickReading& r, int code) {
    switch (code) {
        case kJoyAxisLeft: return r.x <= kAxisLow ? 1 : 0;
        case kJoyAxisRight: return r.x >= kAxisHigh ? 1 : 0;
        case kJoyAxisUp: return r.y <= kAxisLow ? 1 : 0;
        case kJoyAxisDown: return r.y >= kAxisHigh ? 1 : 0;
        default: return 0;
    }
}

int PollDefaultKeys(cKeyState& s, int joystick, int flags, int interval) {
    if (KeyConfig.inUse != 0) return 0;
    bool seenDirection = false;
    bool seenButton = false;
    platform::JoystickReading r;
    if (joystick >= 0 && joystick < platform::kJoystickCount && ReadCountedJoystick(s, joystick, interval, r) &&
        (flags & kPollJoystick)) {
        s.m_nNumpad = 5;
        s.m_wDirection = 0;
        if (r.x <= kAxisLow) AddDirection(s, 0);
        else if (r.x >= kAxisHigh) AddDirection(s, 1);
        if (r.y <= kAxisLow) AddDirection(s, 2);
        else if (r.y >= kAxisHigh) AddDirection(s, 3);
        seenDirection = s.m_nNumpad != 5;
        s.m_wButtons = 0;
        int bit = 0;
        for (std::uint16_t mask : s.m_wJoyMask) {
            if (r.buttons & mask) s.m_wButtons |= static_cast<std::uint16_t>(1u << bit);
            ++bit;
        }
        seenButton = s.m_wButtons != 0;
    }
    if (!(flags & kPollKeyboard)) return 1;
    if (!seenDirection) {
        s.m_nNumpad = 5;
        s.m_wDirection = 0;
        static constexpr int kArrows[4] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
        for (int i = 0; i < 4; ++i) {
            if (KeyHeld(kArrows[i])) AddDirection(s, i);
        }
    }
    if (!seenButton) {
        s.m_wButtons = 0;
        static constexpr int kLetters[8] = {'Z', 'X', 'C', 'V', 'A', 'S', 'D', 'F'};
        for (int i = 0; i < 8; ++i) {
            if (KeyHeld(kLetters[i])) s.m_wButtons |= static_cast<std::uint16_t>(1u << i);
        }
    }
    return 1;
}

int PollConfiguredKeys(cKeyState& s, int, int interval) {
    if (KeyConfig.inUse == 0) return 0;
    std::array<platform::JoystickReading, platform::kJoystickCount> readings{};
    std::array<bool, platform::kJoystickCount> read{};
    for (int id = 0; id < KeyConfig.joystickCount && id < platform::kJoystickCount; ++id) {
        auto i = static_cast<std::size_t>(id);
        read[i] = ReadCountedJoystick(s, id, interval, readings[i]);
    }
    auto held = [&](const KeyBinding& b) {
        if (b.device == kKeyboardDevice) return KeyHeld(b.code);
        if (b.device < 0 || b.device >= platform::kJoystickCount) return false;
        auto i = static_cast<std::size_t>(b.device);
        return read[i] && (JoyAxisCode(readings[i], b.code) == 1 || (readings[i].buttons & b.code) != 0);
    };
    s.m_nNumpad = 5;
    s.m_wDirection = 0;
    s.m_wButtons = 0;
    int index = 0;
    for (const KeyBinding& b : KeyConfig.bindings) {
        if (index >= KeyConfig.bindingCount) break;
        if (held(b)) {
            if (index < 4) AddDirection(s, index);
            else s.m_wButtons |= static_cast<std::uint16_t>(1u << (index - 4));
        }
        ++index;
    }
    return 1;
}
