#pragma once
// What every stage character does at the start of a sub-step of play: its
// invincibility counts down, its contacts are cleared, its position is
// saved and its screen rectangle follows where it is now.
class cStageChara;

void StartCharaSubStep(cStageChara& chara);
