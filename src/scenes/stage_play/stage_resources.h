#pragma once
// What stage play loads besides the built-in pictures: the surfaces of the
// dedicated character pictures, the sword types and the effects, the two
// shot-cell pictures, and the file name of the next stage of a numbered
// series.
#include <string>

// Each rebuilds its surfaces from the database (stage/drawing/
// stage_surfaces.h). A picture that cannot be loaded stays empty, with a
// debug-log line, and the stage plays on.
void LoadStageBitmaps();
void LoadSwordBitmaps();
void LoadEffectBitmaps();
// Releases the three surface vectors.
void ReleaseStageBitmaps();

// Shot-cell pictures 64 and 65: each 16 x 16 cell pair of the shot pictures
// 20 and 21 centred in a 64 x 32 slot.
void BuildShotCells();

// The newest file of the next stage the progress names: by its path, or as
// the current stage's base name with "-number". 1 with the name in out;
// else 0, and out is emptied unless quiet is set.
int StageFileName(std::string& out, int number, int quiet);
