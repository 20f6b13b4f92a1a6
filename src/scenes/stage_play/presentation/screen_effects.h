#pragma once
// The screen effects drawn over the finished stage frame: each kind takes a
// copy of the frame in a work picture and draws it back transformed (moved,
// shaken, cut into strips, waved, rotated, cut to a circle, zoomed, seen
// through a lens, made a mosaic); the blink shows the background layers
// over it instead.
#include <functional>

#include "draw/surface.h"
#include "scenes/stage_play/presentation/screen_effect_run.h"

// The surfaces a screen effect draws with, and what the stage draws for it.
struct ScreenEffectTarget {
    DDSURFACEDATA* lpFrame = nullptr;     // the stage frame (the back buffer)
    DDSURFACEDATA* lpCopy = nullptr;      // work picture 68
    DDSURFACEDATA* lpCopyB = nullptr;     // work picture 69: rotation, lens, mosaic
    DDSURFACEDATA* lpZoomCopy = nullptr;  // the zoom's work picture
    // Draws the stage's background layers 0 and 1 over the frame (the blink).
    std::function<void(DDSURFACEDATA*)> drawBackground;
};

// The back buffer and the built-in work pictures; the zoom uses the work
// picture the stage chose for effects (68 or 69).
ScreenEffectTarget StageScreenEffectTarget(DDSURFACEDATA* zoomCopy);

// The frame the stage is drawing reads back while an effect runs: the
// virtual back buffer goes on at the start of such a frame.
void BeginScreenEffectFrame(const cScreenEffectRun& run);

// The screen-effect command: starts effect `number` (0 stops the run). A
// run left with no effect gives up the read-back frame at once, not only
// at the next stage reset.
void RunScreenEffectCommand(cScreenEffectRun& run, int number, int mode, int loop);

// One frame of the running effect (nothing while its number is 0); a
// finished effect gets number 0 and the virtual back buffer goes off.
// With noAdvance the frame is drawn as it stands and the run stays.
void DrawScreenEffect(cScreenEffectRun& run, const ScreenEffectTarget& target, int noAdvance);
