#include "stage/objects/block_map.h"

#include "gamedata/stage_file/stage_data.h"
#include "stage/objects/stage_object.h"
#include "stage/objects/stage_state.h"

cVector<cTileCell> StageBlockDefs;

namespace {

BlockConditionTest g_conditionTest = nullptr;

}  // namespace

bool ConditionTestHolds(cTileCell& cell) { return g_conditionTest ? g_conditionTest(cell) : true; }

void SetBlockConditionTest(BlockConditionTest test) { g_conditionTest = test; }

int BlockCellIndex(int column, int row) {
    const cStageState& stage = StageState();
    return BlockCellIndexIn(stage.m_ScrollX, stage.m_ScrollY, column, row);
}

cTileCell* BlockCellAt(int column, int row) {
    const int index = BlockCellIndex(column, row);
    return index < 0 ? nullptr : &StageBlockDefs[index];
}

void BuildBlockMap(const cStageData& stage) {
    const cStageState& state = StageState();
    cTileCell empty;
    empty.m_Def.m_sCell = 0;
    empty.m_Def.m_cContact = 0;
    empty.m_Def.m_bNoReplace = 0;
    const long long cells = static_cast<long long>(state.m_ScrollY.m_nGridCells) * state.m_ScrollX.m_nPitch;
    StageBlockDefs.assign(static_cast<std::size_t>(cells > 0 ? cells : 0), empty);
    for (const cBlockDef& block : stage.m_vPlacedBlocks) {
        cTileCell* cell = BlockCellAt(block.m_sCellX + kGridMarginBlocks, block.m_sCellY + kGridMarginBlocks);
        if (!cell) continue;
        cell->m_Def = block;
        cell->m_bLatch = 0;
    }
}
