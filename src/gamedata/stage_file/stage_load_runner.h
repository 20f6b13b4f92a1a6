#pragma once
// Runs the stage loader: LoadStageProc on the loader thread while the calling
// thread keeps its window messages moving. false when a quit message ended
// the wait: the loader is stopped and the quit is posted again, so the
// caller's own loop still ends.
#include "foundation/thread.h"

// The stage-loader thread; the main window's close stops it first.
extern cThread thLoader;

bool RunStageLoader();

// Asked by the stage reader between two placed objects: true while a stopped
// load is being wound up, so the loader ends well before a forced stop and
// never goes on changing LoadedStage behind its caller. It is also the
// loader's gate for suspension around dialogs.
bool StageLoadStopRequested();

// The same gate alone, for long passes that must run to their end once
// started (the normalisation of every definition).
void StageLoaderGate();
