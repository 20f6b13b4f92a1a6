#pragma once
// Saving and loading replays: the default name of a saved replay, the
// services behind the main window's replay requests, and the requests that
// stage play and the title send from the game threads.
#include <string>

constexpr int kLastReplayNameNumber = 999;

// The default name of a replay of `stageFile`: the stage key and the local
// time in the replay folder, made absolute. A name that exists gets " (2)"
// up to " (999)"; 0 when every one of them exists (no name is proposed,
// so no replay is ever written over). An empty stage file gives the bare
// working folder.
int ReplayFileName(std::string& out, const std::string& stageFile);

// Installs the replay services of the main window's open and save requests.
void InstallReplayFileServices();

// F1 saves the current attempt, F2 the previous one, through the window
// thread; 1 when a replay was saved this frame (the caller then ends its
// frame without drawing). Nothing during playback or without replays.
int RequestSaveReplay();
// Asks the window thread to choose and load a replay; 1 when one loaded.
int RequestLoadReplay();
