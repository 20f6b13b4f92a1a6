#pragma once
// The command window: the enabled entries of a menu command list, one per
// 16-pixel row, with a free 16-pixel column on the left for the cursor.
#include <vector>

#include "draw/device/surface.h"
#include "gamedata/project/menu_cmd.h"

// The window in the 16-pixel default font at (x, y); nothing when every
// enabled name is empty.
void DrawCmdWindow(DDSURFACEDATA* surface, int x, int y, const cVector<cCmd>& list);
// The left edge that centres that window on x; x itself when every enabled
// name is empty.
int CmdWindowLeft(int x, const cVector<cCmd>& list);
// The widest enabled name, in characters.
int WidestEnabledName(const cVector<cCmd>& list);

// The list indices of the enabled entries in list order, as the scenes map
// a cursor row to a command; entry 0 alone when none is enabled, so a menu
// always has a row.
std::vector<int> EnabledCmdTable(const cVector<cCmd>& list);
