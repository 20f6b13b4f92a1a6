#pragma once
// One sub-step of every shot and slash of the stage, in creation order:
// its logic, gravity and move, the range test on the first sub-step of a
// frame and the block test; whatever ends is removed on the way.
class cStageState;

// `firstSubStep` is set on the first sub-step of a frame.
void StepShots(cStageState& stage, bool firstSubStep);
