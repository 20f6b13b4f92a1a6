#pragma once
// The keyboard snapshot: the window thread's event pump records which keys
// are held, by virtual-key code; any thread may query it.
#include <cstdint>

#include "platform/win_types.h"

// Contract: bit 15 set (a negative value) while key vk (0-255) is held, 0
// otherwise and for codes out of range.
std::int16_t GetAsyncKeyState(int vk);

namespace platform {

// Contract: records key vk as held or released (backends, scripted input).
// Codes out of 0-255 are ignored.
void SetKeyDown(int vk, bool down);

// Contract: releases every key (focus lost, tests).
void ReleaseAllKeys();

}  // namespace platform
