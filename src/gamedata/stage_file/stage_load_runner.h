#pragma once
// Runs the stage loader: LoadStageProc on the loader thread while the calling
// thread keeps its window messages moving. false when a quit message ended
// the wait: the loader is stopped and the quit is posted again, so the
// caller's own loop still ends.
#include "foundation/thread.h"
#include "gamedata/base/loader_gate.h"

// The stage-loader thread; the main window's close stops it first.
extern cThread thLoader;

bool RunStageLoader();
