#pragma once
// Drawing a ranking table and the result panel of a stage.
#include "draw/device/surface.h"
#include "foundation/checked_containers.h"
#include "scenes/rankings/ranking_set.h"

// Table tableIndex in a 270 x 350 window at (x, y): heading, the first 20
// entries, the genre hint when the game kind ranks two values or more, and
// the new-entry sign on row newRow (-1: none).
void DrawRanking(const cRanking& table, DDSURFACEDATA* surface, int x, int y, int tableIndex, int newRow);
void DrawRankingTable(const cRankingSet& set, DDSURFACEDATA* surface, int x, int y, int tableIndex, int newRow);

// The values of the attempt that the stage ranks, one line each, with the
// new-record sign on the values whose rank slot is not -1.
void DrawResultPanel(DDSURFACEDATA* surface, int x, int y, const cVector<int>& rankSlots, const cVector<int>& values,
                     const cVector<std::int32_t>& stageRanks);
// The lines DrawResultPanel shows: value i for each i the stage ranks and
// the game kind enables (any the stage ranks on a direct start).
std::vector<int> ResultPanelLines(const cVector<std::int32_t>& stageRanks);
