#pragma once
// The X connection under the SDL window. Xlib's own handlers end the
// process from inside the window thread when the server reports an error or
// the connection drops, while the game's threads still run; these take their
// place.
#include <SDL.h>

namespace platform::sdl {

// Contract: when window is an X window: X errors no longer end the process
// (they are written to the host log, and one about this window marks it as
// gone), its destruction by another client marks it as gone, and a lost
// connection ends the program through EndAfterDisplayLost (never returning
// into Xlib). Nothing for other video drivers.
void GuardX11Window(SDL_Window* window);

// Contract: true once the guarded window was destroyed from outside (or the
// server reported it unknown); checked by the event pump.
bool X11WindowGone();

// Contract: looks at one event of the pump for the guarded window's
// destruction; true when the event was that.
bool NoteX11WindowEvent(const SDL_Event& e);

// Contract: after the window was destroyed: waits for the server's answers
// to what closed it (its errors reach the handler above), then forgets the
// window. The error handlers stay until SDL ends.
void UnguardX11Window();

}  // namespace platform::sdl
