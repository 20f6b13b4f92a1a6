#pragma once
// What a player's input record says right now, not over a sequence: whether
// one step of a key condition holds, and which direction state is held.
#include "gamedata/flows/flow.h"
#include "shell/key_state.h"

// Key-condition step modes.
namespace KeyStepMode {
enum : int { All = 0, Any = 1, ExactlyOne = 2 };
}

// 1 when the step holds with the newest runs of `keys`, else 0. Hold times
// and the mirror flag are not looked at.
int KeyCondMatches(const cKeyState& keys, const cKeyCond& step);
// The lowest direction state 0 to 9 whose newest run is held; 0 for none.
int CurrentDirectionState(const cKeyState& keys);
