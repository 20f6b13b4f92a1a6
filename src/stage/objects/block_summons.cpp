// Blocks placed, erased and toggled on the map during play.
#include <algorithm>

#include "gamedata/project/compat_switches.h"
#include "gamedata/project/global_data.h"
#include "stage/objects/block_map.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_spawning.h"
#include "stage/objects/stage_state.h"

namespace {

// A character's graphic change waits this many frames after a block landed
// on it.
constexpr int kBlockedGraphicFrames = 2;

bool HoldsBlock(cTileCell& cell) { return cell.m_Def.m_sCell != 0 && BlockConditionsHold(cell); }

bool Protected(cTileCell& cell) {
    if (!cell.m_Def.m_bNoReplace) return false;
    // Older projects protect a marked cell whatever it holds.
    return SwitchOn(Switch::BlockPlace) || HoldsBlock(cell);
}

void Erase(cTileCell& cell) {
    cell.m_Def = LoadedStage.m_vPaletteBlocks.empty() ? cBlockDef() : LoadedStage.m_vPaletteBlocks[0];
    cell.m_bLatch = 0;
}

void Place(int index, int column, int row, const BlockPlacement& placement, const cBlockDef& block) {
    cTileCell& cell = StageBlockDefs[index];
    const cTileCell before = cell;
    cell.m_Def = block;
    cell.m_bLatch = 0;
    if (BlockHitsCharacters(index, column, row, placement)) cell = before;
}

bool Overlaps(const cChara& chara, double left, double top, double right, double bottom) {
    return chara.m_dX <= right && chara.m_dRight >= left && chara.m_dY <= bottom && chara.m_dBottom >= top;
}

}  // namespace

void SetBlock(cStageState& stage, double x, double y, const BlockPlacement& placement, const cBlockDef& block) {
    const int column = static_cast<int>(x + 16.5) >> 5;
    const int row = static_cast<int>(y + 16.5) >> 5;
    // Column and row are checked apart, so a column past the last never
    // lands in the next row.
    const int index = BlockCellIndex(column, row);
    if (index < 0) return;
    cTileCell& cell = StageBlockDefs[index];
    if (Protected(cell)) return;
    switch (placement.nMode) {
        case BlockMode::Erase: Erase(cell); break;
        case BlockMode::Toggle: {
            cVector<int>& toggled = stage.m_vecToggledCell;
            if (std::find(toggled.begin(), toggled.end(), index) != toggled.end()) return;
            if (HoldsBlock(cell)) {
                Erase(cell);
            } else {
                Place(index, column, row, placement, block);
            }
            toggled.push_back(index);
            break;
        }
        default: Place(index, column, row, placement, block); break;
    }
}

int BlockHitsCharacters(int index, int column, int row, const BlockPlacement& placement) {
    cTileCell& cell = StageBlockDefs[index];
    const double left = column * kBlockPixels, top = row * kBlockPixels;
    const double right = left + kBlockPixels - 0.1, bottom = top + kBlockPixels - 0.1;
    auto hits = [&](cChara& chara) {
        if (!IsSolidFor(cell, chara.m_nBlockGroup)) return false;
        // Fliers that pass through blocks are not held by one.
        if (!SwitchOn(Switch::BlockHitsFliers) && chara.m_bFly && chara.m_cFlyKind == 0) return false;
        if (!Overlaps(chara, left, top, right, bottom)) return false;
        chara.m_nGraphicChange = kBlockedGraphicFrames;
        return true;
    };
    for (cPlayer& hero : PlayerList) {
        if (!hero.m_bDead && hits(hero) && placement.bNotOverHero) return 1;
    }
    for (cStageChara& chara : CharaList) {
        if (!chara.m_bDead && chara.m_bExists && hits(chara) && placement.bNotOverCharas) return 1;
    }
    return 0;
}
