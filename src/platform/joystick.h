#pragma once
// The joystick snapshot: joysticks 0-7 as the window thread's event pump (or
// the headless script) last saw them; any thread may read it.
#include "platform/win_types.h"

namespace platform {

constexpr int kJoystickCount = 8;

// One reading: X and Y in 0-65535 (32768 centred), bit n of buttons for
// button n + 1.
struct JoystickReading {
    DWORD x = 32768;
    DWORD y = 32768;
    DWORD buttons = 0;
};

// Contract: the state of joystick id (0-7); false when it is absent or the id
// is out of range (the reading is then left as it was).
bool ReadJoystick(int id, JoystickReading& out);

// Contract: records joystick id as present with this state (backends,
// scripted input). Ids out of range are ignored.
void SetJoystickState(int id, const JoystickReading& reading);

// Contract: records joystick id as absent (unplugged; tests).
void RemoveJoystick(int id);

// Contract: every joystick absent.
void RemoveAllJoysticks();

// Contract: an SDL axis value (-32768..32767) as a reading's axis: + 32768.
constexpr DWORD JoystickAxisFromSigned(int value) {
    return static_cast<DWORD>(value < -32768 ? 0 : value > 32767 ? 65535 : value + 32768);
}

}  // namespace platform
