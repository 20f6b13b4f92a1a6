#pragma once
// An item placed in a stage or carried by a character: a copy of its item
// definition and the pick-up state.
#include <cstdint>

#include "foundation/checked_containers.h"
#include "gamedata/definitions/item_def.h"
#include "stage/objects/stage_object.h"

struct DDSURFACEDATA;

// How often an item can be taken.
namespace PickKind {
enum : int { Once = 0, Always = 1, Never = 2 };
}

class cItem : public cObject {
public:
    cItem() = default;
    cItem(const cItem&) = default;
    cItem& operator=(const cItem&) = default;

    // Makes this an item of `entry` (copied; the entry itself is left as it
    // is): a box of the stage's item size centred in its cell, the built-in
    // two-frame animation, and the loops of its commands expanded. A
    // carried (`held`) item exists at once and keeps scale 1.
    void CopyFromEntry(int id, const cItemDef& entry, int held);
    void PlaceAtCell(int column, int row, int anchor);
    // Keeps the bottom of the graphic cell across a scale change.
    void AnchorOnScale(int scale, int oldScale, int flag) override;

    // The item's cell (advancing its animation unless `noAdvance`), then
    // its mark; nothing for a hidden item.
    void Draw(DDSURFACEDATA* dst, int noAdvance);

    int Scale() const { return m_Def.m_cScale > 0 ? m_Def.m_cScale : 1; }

    cItemDef m_Def;
    int m_bHeld = 0;
};

// The items of the running stage.
extern cList<cItem> ItemList;
