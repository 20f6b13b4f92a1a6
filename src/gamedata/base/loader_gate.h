#pragma once
// The stage loader's gate, asked by every long pass of a load, whichever
// folder its records live in; the stage-file loader thread answers it.

// Asked by the stage reader between two placed objects: true while a stopped
// load is being wound up, so the loader ends well before a forced stop and
// never goes on changing LoadedStage behind its caller. It is also the
// loader's gate for suspension around dialogs.
bool StageLoadStopRequested();

// The same gate alone, for long passes that must run to their end once
// started (the normalisation of every definition).
void StageLoaderGate();
