#pragma once
// Blocks of the project's system texts drawn as framed text boxes of the
// 16-pixel default font, as the menus and prompts of the scenes show them.
// The data lives in the game data; drawing it belongs up here.
#include "draw/device/surface.h"
#include "gamedata/project/system_data.h"

// System texts first to first + count - 1, one per line, in a box of 16 x
// (the widest text's character count, plus one with cursor room) by 16 x
// count at (x, y) on the back buffer; with cursor room each line starts with
// a blank that the cursor covers. Nothing for a count of 0. The surface
// argument is not used: menus draw on the back buffer.
void DrawMenuTexts(const cSystemData& data, DDSURFACEDATA* surface, int x, int y, int first, int count, int cursorRoom);
