#pragma once
// An item placed in a stage or carried by a character: a copy of its item
// definition and the pick-up state.
#include <cstdint>

#include "foundation/checked_containers.h"
#include "gamedata/definitions/item_def.h"
#include "stage/objects/stage_object.h"

class cItem : public cObject {
public:
    cItem() = default;
    cItem(const cItem&) = default;
    cItem& operator=(const cItem&) = default;

    // Keeps the bottom of the graphic cell across a scale change.
    void AnchorOnScale(int scale, int oldScale, int flag) override;

    cItemDef m_Def;
    int m_bHeld = 0;
};

// The items of the running stage.
extern cList<cItem> ItemList;
