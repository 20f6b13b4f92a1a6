#pragma once
// The four worker threads of the game and their suspension around every
// modal dialog of the window thread.
#include "foundation/thread.h"

extern cThread thGame;     // the frame loop
extern cThread thPause;    // stage play's nested frame loop
extern cThread thRanking;  // the ranking display after a result
extern cThread thLoader;   // the stage loader (defined with it in gamedata)

// Suspend / resume thGame, thPause, thRanking and thLoader in this order;
// objects without a thread are skipped. Window thread only.
void SuspendWorkers();
void ResumeWorkers();
