#pragma once
// What the block under the hero does to it: jump pads, ground that forbids
// jumping, ground that changes the running speed and conveyors, each read
// from the block once and then applied for a frame; and the blocks that
// give an item when stood on. Results: 0 go on, else the result of an
// item's command list (1 the stage was cleared, 2 a miss).
class cChara;
class cPlayer;

namespace GroundKind {
enum : int { None = 0, JumpPad = 1, NoJump = 2, SpeedChange = 3, ConveyorLeft = 4, ConveyorRight = 5 };
}

// Once per sub-step before the hero's move: reads the block under its feet
// when no effect runs, then applies the running effect.
int ApplyGroundEffect(cPlayer& hero);
// Pulls a character that walks on with next to no vertical speed onto the
// ground 4 pixels below its feet, so that it follows the ground down
// instead of floating off it when an effect ends.
void StickToGround(cChara& c);
// The item of the block the hero stands on acts on it, at most once every
// 60 frames while the hero stays, at once again on landing on another block.
int TouchItemBlock(cPlayer& hero);
