#include "gamedata/story/story_rules.h"

#include <algorithm>

#include "gamedata/global_data.h"
#include "gamedata/story/story_save.h"

int ChallengeStageCount() { return std::clamp(SystemData.m_nChallengeCount, 0, kMaxChallengeStages); }

bool LivesAreInfinite(int gameKind) { return SystemData.InfiniteLives[gameKind] != 0; }

int StartLivesOf(int gameKind) { return SystemData.StartLives[gameKind]; }

bool CarriesOver(int item) { return SystemData.CarryOverFlags[item] != 0; }

bool ResetsCarryWhenLost(int item) { return SystemData.CarryResetFlags[item] != 0; }

bool RestoresVariablesWhenLost(int gameKind, bool directStart) {
    if (gameKind < kGameStory || gameKind > kGameFree) return true;
    if (directStart) return SystemData.m_bRestoreVarsDirect != 0;
    const int switches[] = {SystemData.m_bRestoreVarsStory, SystemData.m_bRestoreVarsChallenge,
                            SystemData.m_bRestoreVarsFree};
    return switches[gameKind] != 0;
}

bool RankingGenreEnabled(int gameKind, int genre) { return SystemData.RankingSettings[gameKind].m_vGenres[genre] != 0; }
