#pragma once
// A stage file played directly at start: named by the editor's test play
// (the command line) or by FreeStage of System.ini.
#include <functional>
#include <string>

#include "shell/app_state.h"

// 1 when a direct play should end in the title scene; stage play and the
// title scene read and clear it.
extern int ReturnToTitleAfterStage;

// Loads a stage file and prepares stage play (direct: 1 at start-up); 0 when
// it could not be loaded. Installed by the scenes, which own stage play.
using StageFilePlayer = std::function<int(const std::string& path, int direct)>;
void SetStageFilePlayer(StageFilePlayer player);
int PlayStageFile(const std::string& path, int direct);

// The test play decides FreeStage: a stage on the command line is played; a
// test play without one plays nothing when the project starts directly.
// Outside a test play FreeStage stays as System.ini gave it, except that a
// stage given on the command line is played.
void ChooseFreeStage(cSystemIni& settings, const std::string& commandLine, int testPlay, int directStartSwitch);

// Start-up's last step: when FreeStage names a stage, its newest numbered
// file is loaded and the game set to begin in stage play. A missing file is
// reported and the title starts instead (true); false when the file exists
// but cannot be loaded.
bool StartDirectPlay();
