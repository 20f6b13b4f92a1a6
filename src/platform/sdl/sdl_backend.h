#pragma once
// The real window: SDL video on the main thread. Only this folder includes
// SDL; this header does not.
#include <string>

namespace platform {

// Contract: initialises SDL video on the calling thread (which must become
// the window thread), installs the SDL window backend for the next main
// window and the host's message boxes (the game's own box in the game window
// where it can show, else SDL's box, else the default button, reported).
// SDL's log lines go to the host log; SDL leaves the end signals alone
// (end_signals.h). false with the reason in *error when no
// display can be opened, including when only a driver that shows nothing
// (offscreen, dummy) is left.
bool InstallSdlBackend(std::string* error);

// Contract: ends SDL after the main window is gone (nothing without SDL).
void ShutdownSdlBackend();

// Contract: the mix plays through SDL's audio callback from the next
// OpenAudioDevice on; a machine without a sound device makes that open fail.
void InstallSdlAudioBackend();

// Contract: the virtual-key code of an SDL key code, 0 for keys the game
// does not know.
int VirtualKeyFromSdl(int sdlKeycode);

}  // namespace platform
