#pragma once
// Runs the stage loader: LoadStageProc on the loader thread while the calling
// thread keeps its window messages moving. false when a quit message ended
// the wait (the loader is stopped and the quit goes on to the caller's loop).
bool RunStageLoader();
