#pragma once
// What the story progress consults of the project's system data, in one
// place so the progress code reads as its own rules.

// Number of challenge stages, brought into 0 .. kMaxChallengeStages.
int ChallengeStageCount();
// Lives of a game kind (0 story, 1 challenge, 2 free play, 3 replay).
bool LivesAreInfinite(int gameKind);
int StartLivesOf(int gameKind);
// Carried status item k (0-24): carried from stage to stage; its carry
// switch is cleared when the hero is lost.
bool CarriesOver(int item);
bool ResetsCarryWhenLost(int item);
// Whether the partial restore after the hero is lost also restores the
// common variables.
bool RestoresVariablesWhenLost(int gameKind, bool directStart);
// Ranking genres (0-4) recorded for a game kind.
bool RankingGenreEnabled(int gameKind, int genre);
