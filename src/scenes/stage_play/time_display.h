#pragma once
// The remaining time of a stage with a time limit, in large digits under
// the status panel, and the warning sound while it runs low.
#include "draw/device/surface.h"

class cStageState;

// Word picture: its 32 x 32 digits for the time start at (0, 160).
constexpr int kWordPicture = 52;
// System sound of the time warning.
constexpr int kTimeWarningSound = 13;

// Draws the time right-aligned in three digits without leading zeros.
// With showTime (frames of live play), the warning sound plays once a
// second, on the frames where the second counter restarts, while
// 1 <= time <= the stage's warning time.
void DrawTimeDisplay(DDSURFACEDATA* dst, const cStageState& state, int showTime);
