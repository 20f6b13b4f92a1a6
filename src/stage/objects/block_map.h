#pragma once
// The block map of the running stage: one cell per 32 x 32 block of the
// grid, each a copy of the placed block with the latch of its existence
// conditions. Row r starts at index r << m_nPitchShift of the x scroll axis.
#include <cstdint>

#include "foundation/checked_containers.h"
#include "gamedata/definitions/block_def.h"

class cStageData;

struct cTileCell {
    cBlockDef m_Def;
    // The existence conditions held once (0 at every stage reset).
    std::int8_t m_bLatch = 0;
};

extern cVector<cTileCell> StageBlockDefs;

// Index of cell (column, row), or -1 when the column or the row lies outside
// the grid: each is checked on its own, so a column past the last never
// reads the next row.
int BlockCellIndex(int column, int row);
// The cell, or null outside the grid.
cTileCell* BlockCellAt(int column, int row);

// Solidity of a cell's block for an object of `group`: 0 when its existence
// conditions fail or the group passes it, else the block's solidity.
int SolidityFor(cTileCell& cell, int group);
inline bool IsSolidFor(cTileCell& cell, int group) { return SolidityFor(cell, group) != 0; }

// Whether a block's existence conditions hold; the condition engine installs
// its test here. Without one, conditions hold.
using BlockConditionTest = bool (*)(cTileCell& cell);
void SetBlockConditionTest(BlockConditionTest test);
// Whether a cell's existence conditions hold (always, for a cell without
// conditions).
bool BlockConditionsHold(cTileCell& cell);

// The map of `stage` at a reset: every cell an empty, passable, unprotected
// block, then the placed blocks copied into their cells. Needs the x and y
// scroll axes of the current stage state set up for the stage.
void BuildBlockMap(const cStageData& stage);
