#pragma once
// What a player's input record says right now, not over a sequence: whether
// one step of a key condition holds, and which direction state is held.
#include "gamedata/flows/flow.h"
#include "shell/input/key_state.h"

// Key-condition step modes.
namespace KeyStepMode {
enum : int { All = 0, Any = 1, ExactlyOne = 2 };
}

// 1 when the step holds with the newest runs of `keys`, else 0. Hold times
// and the mirror flag are not looked at.
int KeyCondMatches(const cKeyState& keys, const cKeyCond& step);
// The lowest direction state 0 to 9 whose newest run is held; 0 for none.
int CurrentDirectionState(const cKeyState& keys);

// Direction codes of placements and movements.
namespace DirCode {
enum : int { None = 0, Left = 2, Right = 3, Up = 6, Down = 7, UpLeft = 8, DownLeft = 9, UpRight = 10, DownRight = 11 };
}

// The direction code of an input direction state (0 to 9): states 1 to 8
// their code, no direction the facing (right when `facing` is non-zero).
// A combination (9) is no direction (0) with `noneForMixed` set and the
// facing without it; replays recorded before version 780 keep the rule of
// their version.
int InputDirToCode(int state, int noneForMixed, int facing);
