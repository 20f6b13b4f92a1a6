#pragma once
// Which objects take part in a sub-step: the existence conditions of the
// characters and items, whether each is on screen, and which stage
// characters are awake.
class cChara;
class cItem;
class cStageState;

// Existence conditions: a character's are measured against itself, an
// item's against the hero. A list checked once stays met once it held.
bool CheckCharaConditions(cChara& chara);
bool CheckItemConditions(cItem& item);

// At the start of every sub-step and after a stage reset.
void UpdatePresence(cStageState& stage);
