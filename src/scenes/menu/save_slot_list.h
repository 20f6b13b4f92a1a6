#pragma once
// The list of story save slots that the title and world-map menus show.
#include "draw/device/surface.h"
#include "foundation/checked_containers.h"
#include "gamedata/story/save_slots.h"

// The 16-pixel default font's window at (x, y), 320 x (count x 16), with a
// separating line under every row but the last; row r shows slot first + r
// (when that is a slot): its number, and its save time when it is used.
void DrawSaveSlots(DDSURFACEDATA* surface, int x, int y, const cVector<cSaveSlot>& slots, int first, int count);
