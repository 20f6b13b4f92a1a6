#pragma once
// Building the running stage from the stage data, at every start and
// restart of a stage: the object lists, the seed of the attempt, the music,
// the scroll and the block map, the hero, the placed characters and items,
// the counters and the stage-start triggers.
#include <functional>

#include "shell/requests/sound_requests.h"

class cStageChara;
class cStageState;

// What the reset asks of the parts of stage play that own them; each side
// installs its own, and one that is not installed is skipped.
struct StageResetHooks {
    // The existence of every character for this frame (contact rules).
    std::function<void()> updatePresence;
    // A character whose life ran out during the start triggers (outcome).
    std::function<void(cStageChara&)> killCharaAndEnd;
    // The messages and the screen effect emptied (the effects and the
    // pictures of the stage state are emptied by the reset itself).
    std::function<void()> clearPresentation;
    // The menu cursor stack as at the scene's start.
    std::function<void()> resetCursorStack;
    // The light mask of a hero with a light radius.
    std::function<void()> rebuildLightMask;
};
StageResetHooks& ResetHooks();

// Builds the stage anew. `full` takes the settings back from the stage as
// loaded (and, during playback, reads the replay file again); it is 0 only
// when the scene is entered from another scene. `restartMusic` asks for
// the stage music unless the stage keeps music that already plays.
void ResetStage(cStageState& stage, int full, int restartMusic);

// Whether a reset asks for the stage music: with restart, unless the stage
// keeps its music and that non-zero music already plays; without, only
// when another music plays.
bool StageMusicRequested(int restartMusic, int playing, int stageMusic, int keepMusic);
