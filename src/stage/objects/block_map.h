#pragma once
// The block map of the running stage: one cell per 32 x 32 block of the
// grid, each a copy of the placed block with the latch of its existence
// conditions. Row r starts at index r << m_nPitchShift of the x scroll axis.
#include <cstdint>

#include "foundation/checked_containers.h"
#include "gamedata/definitions/block_def.h"
#include "stage/objects/scroll_axis.h"

class cStageData;

struct cTileCell {
    cBlockDef m_Def;
    // The existence conditions held once (0 at every stage reset).
    std::int8_t m_bLatch = 0;
};

extern cVector<cTileCell> StageBlockDefs;

// Index of cell (column, row) of the grid the two axes lay out, or -1 when
// the column or the row lies outside it: each is checked on its own, so a
// column past the last never reads the next row. Inline, as every object
// asks for its corner cells each sub-step.
inline int BlockCellIndexIn(const cScrollAxis& x, const cScrollAxis& y, int column, int row) {
    if (column < 0 || column >= x.m_nGridCells) return -1;
    if (row < 0 || row >= y.m_nGridCells) return -1;
    const long long index = (static_cast<long long>(row) << x.m_nPitchShift) + column;
    if (index >= StageBlockDefs.Count()) return -1;
    return static_cast<int>(index);
}
// The same in the grid of the current stage state.
int BlockCellIndex(int column, int row);
// The cell, or null outside the grid.
cTileCell* BlockCellAt(int column, int row);

// Whether a block's existence conditions hold; the condition engine installs
// its test here. Without one, conditions hold.
using BlockConditionTest = bool (*)(cTileCell& cell);
void SetBlockConditionTest(BlockConditionTest test);
// The installed test's answer for a cell with conditions.
bool ConditionTestHolds(cTileCell& cell);
// Whether a cell's existence conditions hold (always, for a cell without
// conditions).
inline bool BlockConditionsHold(cTileCell& cell) { return cell.m_Def.m_vCond.empty() || ConditionTestHolds(cell); }

// Solidity of a cell's block for an object of `group`: 0 when its existence
// conditions fail or the group passes it, else the block's solidity.
inline int SolidityFor(cTileCell& cell, int group) {
    if (!BlockConditionsHold(cell)) return 0;
    if (cell.m_Def.m_cPassGroup == group) return 0;
    return cell.m_Def.m_cContact;
}
inline bool IsSolidFor(cTileCell& cell, int group) { return SolidityFor(cell, group) != 0; }

// The map of `stage` at a reset: every cell an empty, passable, unprotected
// block, then the placed blocks copied into their cells. Needs the x and y
// scroll axes of the current stage state set up for the stage.
void BuildBlockMap(const cStageData& stage);
