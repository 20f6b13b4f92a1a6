#pragma once
// The once-a-frame poll of the keyboard and the joysticks into a key state.
#include "platform/joystick.h"
#include "shell/input/key_config.h"
#include "shell/input/key_state.h"

// Flag bits of PollDefaultKeys.
constexpr int kPollJoystick = 1;
constexpr int kPollKeyboard = 2;

// The fixed layout: joystick id first (a stick direction hides the arrow
// keys for the frame, a joystick button the letter keys), then the arrows
// and Z X C V A S D F. A joystick that cannot be read is asked again after
// 2 x interval polls. 0 at once while the configuration is in use.
int PollDefaultKeys(cKeyState& state, int joystick, int flags, int interval);

// The configured bindings of KeyConfig for one player; 0 at once while the
// configuration is not in use.
int PollConfiguredKeys(cKeyState& state, int players, int interval);

// 1 when code is a stick direction that the reading holds.
int JoyAxisCode(const platform::JoystickReading& reading, int code);
