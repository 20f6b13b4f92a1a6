#pragma once
// The parts of the common palette, each built by the file of its domain.
#include "gamedata/definitions/common_palette.h"

void BuildPaletteBlocks(cCommonPalette& palette);
void BuildPaletteItems(cCommonPalette& palette);
void BuildPaletteCharas(cCommonPalette& palette);
// The boss, whose program is the longest of the game.
cCharaDef BossDef();
