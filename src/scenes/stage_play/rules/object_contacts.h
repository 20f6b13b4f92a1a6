#pragma once
// Contacts between the objects of different groups, once per sub-step:
// shots against characters, characters' bodies against each other, and
// shots cancelling each other.
class cStageState;

namespace ContactResult {
enum : int { None = 0, StageEnded = 1, HeroDown = 2 };
}

// 0, 1 the stage ended, 2 a character of the hero's kind lost its last
// life, or another non-zero result of an item's command list. Objects of
// one group never meet.
int ResolveObjectContacts(cStageState& stage);

// The three passes, in the order ResolveObjectContacts runs them.
int ResolveShotHits(cStageState& stage);
void RemoveHitShots(cStageState& stage);
int ResolveBodyContacts(cStageState& stage);
void ResolveShotCancels(cStageState& stage);

// Whether contacts count only for objects on screen (a stage setting).
bool ContactOnScreenOnly();
