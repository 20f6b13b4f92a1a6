#pragma once
// Reading a character's position as a status value: its centre (or bottom)
// in one of three coordinate kinds.
class cChara;
class cFlowCmd;

namespace CoordKind {
// 0 relative to the running character's centre, 1 stage coordinates from
// the stage's first real cell, 2 screen coordinates.
enum : int { Relative = 0, Absolute = 1, Screen = 2 };
}  // namespace CoordKind

namespace YRefPoint {
// 0 centre, 1 bottom, 2 bottom when walking and centre when flying.
enum : int { Centre = 0, Bottom = 1, BottomWhenWalking = 2 };
}  // namespace YRefPoint

// False when `chara` is missing, or for a relative position without a
// running character; a kind outside 0..2 leaves `value` and gives true.
bool GetStatusX(const cChara* chara, int kind, const cChara* runner, int& value);
bool GetStatusY(const cChara* chara, int kind, int refPoint, const cChara* runner, int& value);

// Writing a position: the character is placed by the warp command (mode 1)
// with a temporary command that names the value, so placement follows the
// warp's rules. The value is limited to -16384..16384. The warp's executor
// installs itself; until then nothing is placed.
void SetStatusX(int value, cChara& chara, int kind);
void SetStatusY(int value, cChara& chara, int kind, int refPoint);
using WarpRunner = int (*)(cChara& chara, cFlowCmd& cmd, int mode);
void SetWarpRunner(WarpRunner runner);
