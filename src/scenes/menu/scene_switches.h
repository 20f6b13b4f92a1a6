#pragma once
// The project's switches that the menu scenes consult, by what they change.
// The system data keeps them as numbered rows that name only their reader.
#include "gamedata/project/system_data.h"

// Row 11: a new story asks for its save slot first.
inline bool NewStoryChoosesSlot() { return SystemData.m_bTitleSwitch1 != 0; }
// Row 12: the title menu shows strips of GameMode.bmp instead of the names.
inline bool TitleMenuIsPicture() { return SystemData.m_bTitleSwitch2 != 0; }
// Row 13: a story stage starts with the lives left over (plus the one in
// play) instead of the kind's lives setting.
inline bool StoryCarriesLives() { return SystemData.m_bMapSwitch1 != 0; }
// Row 15: the world map shows the remaining lives.
inline bool MapShowsLives() { return SystemData.m_bMapShowLives != 0; }
// Row 19: the world map shows the best score of a cleared stage.
inline bool MapShowsBestScore() { return SystemData.m_bMapSwitch2 != 0; }
