#pragma once
// Reading the stage that the game plays: the newest numbered file, its end
// code, the load itself on the stage-loader thread while the caller keeps
// pumping its window messages, the hero check, and the hand-over of the
// settings and the hero's definition.
#include <string>

#include "gamedata/stage_file/stage_data.h"

// Who asked for the stage. A file the player picked in a file dialog is
// refused without closing the game when it is broken or has no hero, and the
// stage that was loaded before stays as it was.
enum class StageLoadOrigin { Game, FileDialog };

// 1 when the stage was loaded and has a hero, else 0. `numbered` not 0:
// `path` is the name without its number and the newest "_NNN" file is taken.
// target and heroDef may be null (every game caller passes PlayStage and
// HeroDef).
int LoadStageThreaded(const std::string& path, int numbered, cStageData* target, cCharaDef* heroDef,
                      StageLoadOrigin origin = StageLoadOrigin::Game);

// The loader thread's work: LoadedStage from its m_strPath; m_bLoaded := 1
// when it was read.
int LoadStageProc();

// 0 when a file of version 174 or later does not end with the end code
// (after the message and, for game loads, the fatal close); 1 otherwise,
// also for files that cannot be opened (the load reports those).
int CheckStageTrailer(const std::string& path, StageLoadOrigin origin = StageLoadOrigin::Game);
