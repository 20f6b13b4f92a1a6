#pragma once
// Where a graphic's pixels come from: the pictures and the cell of a graphic
// kind and number (blocks, characters, items, shots, the stage's dedicated
// pictures), the pictures shared by the character effects, and the 16 x 16
// icons of messages and the status panel.
#include <optional>

#include "draw/blit.h"
#include "draw/device/surface.h"
#include "foundation/checked_containers.h"
#include "stage/drawing/stage_surfaces.h"

class cObject;

namespace GraphicKind {
enum : int { Block = 0, Chara = 1, Item = 2, Shot = 3, Dedicated = 4 };
}

// How SelectGraphicSource reads the column: by the object's facing, as an
// item (the column offset moves by whole cells), or without facing (a
// character column of 20 or more is the mirrored sheet).
namespace FacingMode {
enum : int { None = 0, Facing = 1, Item = 2 };
}

struct GraphicSource {
    DDSURFACEDATA* lpPrimary = nullptr;
    DDSURFACEDATA* lpSecondary = nullptr;
    DDSURFACEDATA* lpPrimaryTwin = nullptr;
    DDSURFACEDATA* lpSecondaryTwin = nullptr;
    DDSURFACEDATA* lpChosen = nullptr;
    DDSURFACEDATA* lpChosenTwin = nullptr;
    std::optional<DDBLTCOLOR> tint;  // the flash colour, when it applies
    int bCustomCell = 0;
    int nCellMul = 1;
    int sx = 0, sy = 0;
};

// Pictures the character effects share, chosen at stage set-up.
extern DDSURFACEDATA* MarkSheet;
extern DDSURFACEDATA* EffectWork;
extern DDSURFACEDATA* EffectWork2;
void SelectIconSheets();

// Built-in pictures the character drawing reads by number.
namespace Picture {
enum : int { Mark = 43, Accessory = 50, ItemMini = 42, Work68 = 68, Work69 = 69, Work70 = 70 };
}

// A picture that is missing (a dedicated picture the stage lacks) leaves the
// source without pictures; callers then draw nothing.
void SelectGraphicSource(GraphicSource& source, int facingMode, int kind, int graphicNumber, int column,
                         const cObject* object, int columnOffset);
// The cell multiplier of a dedicated-picture entry: its cell size when its
// custom-cell flag is set, else 1; a size outside 1 to 16 counts as 1.
int DedicatedCellMultiplier(int entry);
void DrawStatusIcon(DDSURFACEDATA* dst, int x, int y, int kind, int graphicNumber, int column);
// Mark `mark` of the Mark picture (15 marks of 32 x 32 a column) over an
// object's graphic at its screen rectangle; at a scale above 1 stretched
// to the graphic's size.
void DrawMark(DDSURFACEDATA* dst, int mark, const cObject& object, int scale);
