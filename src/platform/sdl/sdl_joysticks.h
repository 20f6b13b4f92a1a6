#pragma once
// Joysticks of the SDL event pump, kept in the platform's joystick snapshot.
#include <SDL.h>

namespace platform::sdl {

// Contract: true when the event was a joystick event (and the snapshot now
// reflects it): a new device takes the lowest free id 0-7, a removed one
// frees its id, axes 0 and 1 are X and Y, buttons 0-31 the mask.
bool HandleJoystickEvent(const SDL_Event& e);

// Contract: closes every open device and empties the snapshot.
void CloseJoysticks();

}  // namespace platform::sdl
