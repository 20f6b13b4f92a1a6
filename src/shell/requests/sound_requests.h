#pragma once
// Sound effects and music asked of the window thread, and their start and
// release around the game's run.
#include <cstdint>

#include "platform/win_types.h"

constexpr UINT kWmPlaySound = WM_USER + 5;
constexpr UINT kWmPlayMusic = WM_USER + 6;

// From any thread: the window thread plays the effect before these return.
void PlaySystemSound(int n);
// Nothing for 0 (no sound); database sound n is effect n + 16.
void PlayDatabaseSound(std::int16_t n);
// Asks the window thread for stage music `index` (slot 4); `loop` is kept
// in the progress record for it.
void PlayStageBgm(int index, int loop);

// The handlers of kWmPlaySound and kWmPlayMusic on the window thread.
void OnPlaySoundRequest(WPARAM effect);
void OnPlayMusicRequest(WPARAM slot, LPARAM musicIndex);

// Start-up: the music player when music is on, then the effects (a missing
// sound device is only reported). Always true.
bool StartSound();
// Shut-down: the effects and the device, then the music player.
void StopSound();
