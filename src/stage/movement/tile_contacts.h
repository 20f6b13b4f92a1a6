#pragma once
// A character's contact with the block map after each move: the probes that
// find the block under an edge of its hit box, and the rules that push it
// out of solid blocks, land it, stop it under ceilings and report a kill.
//
// Results: 0 go on, 2 the character is killed (a deadly block, or a flier
// that dies on blocks).
class cChara;
struct cTileCell;

namespace TileResult {
enum : int { Go = 0, Killed = 2 };
}

// The cell of the most solid probe along a vertical (x1 = x2) or horizontal
// (y1 = y2) edge; probes are a base size apart, scale + 1 of them, clamped
// to the grid. Null for any other line, or without a block map.
cTileCell* ProbeBlockLine(const cChara& c, int x1, int y1, int x2, int y2);
// The block under the feet across the whole width; of equally solid ones
// the one nearest the middle.
cTileCell* ProbeGroundBlock(const cChara& c);
// The most solid for `group` of the four corner cells (left, top), (right,
// top), (left, bottom), (right, bottom), the first of equally solid ones;
// null when all lie outside the grid.
cTileCell* ProbeCornerBlocks(int left, int top, int right, int bottom, int group);

// After MoveX: both sides, the one the character moves toward first.
int ResolveTilesX(cChara& c);
int ResolveLeftTiles(cChara& c);
int ResolveRightTiles(cChara& c);
// Both sides whatever the move, right then left: for a character that
// something else pushed; killed when either side kills.
int ResolveTilesXBoth(cChara& c);
// After MoveY: feet and head, the one the character moves toward first.
int ResolveTilesY(cChara& c);
int ResolveFootTiles(cChara& c);
int ResolveHeadTiles(cChara& c);
// Feet then head whatever the move, for a character that something else
// pushed: the feet keep the ground block over nothing and count no step in
// the air; the head rule is skipped after a kill or a rising character that
// may not land.
int ResolveTilesYBoth(cChara& c);
