#pragma once
// The map blocks in the view, behind the objects (key 0) or in front of
// them (key 1).
#include "draw/device/surface.h"

class cStageState;

// The picture and 32 x 32 cell of a block's graphic (kind, number, column),
// in the non-facing mode of the objects' graphic selection.
struct BlockGraphic {
    DDSURFACEDATA* picture = nullptr;
    int sx = 0, sy = 0;
};
using BlockGraphicSource = bool (*)(int kind, int number, int column, BlockGraphic& out);
// The character drawing installs its graphic selection here, so that blocks
// of every graphic kind draw as objects of the same graphic do. Until then
// (and after null) only the block sheet is known.
void SetBlockGraphicSource(BlockGraphicSource source);

// Mark picture: 32 x 32 marks, 15 a column, column after column.
constexpr int kMarkPicture = 43;

// Each visible cell of the key whose graphic is not 0, whose existence
// conditions hold and which is not hidden, then its mark when it has one.
void DrawMapBlocks(DDSURFACEDATA* dst, int key, const cStageState& state);
