#pragma once
// The two palettes that definitions inherit from and refer to: the common
// palette and the palette of the stage being loaded (LoadedStage).

// Hands the current palette sizes to the command fix-ups, which check their
// palette references against them.
void SyncPaletteLimits();
