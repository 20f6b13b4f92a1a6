#pragma once
// The long-lived global objects. They are the members of one object built
// before the program's entry runs, so their construction order is the member
// order below and they are destroyed in the reverse order after the entry
// returns. Nothing here opens a file, a window or a device; start-up loads
// the files into them. Each global name is a reference to its member.
#include "gamedata/database/database.h"
#include "gamedata/database/effect_tables.h"
#include "gamedata/definitions/common_palette.h"
#include "gamedata/project/option_data.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "gamedata/story/save_slots.h"
#include "gamedata/story/story_save.h"
#include "gamedata/story/world_map.h"

struct cGlobalObjects {
    // Project and player data.
    cCommonPalette CommonPalette;
    cSystemData SystemData;
    cDatabase Database;
    cVector<AnimSequence> AnimeSequences;
    cVector<AnimSequence> EffectSequences;
    cStageData LoadedStage;
    cStageData PlayStage;
    cCharaDef HeroDef;
    cWorldMapData WorldMap;
    cStorySave StoryData;       // the live progress
    cStorySave StoryStart;      // the progress at the start of the attempt
    cStorySave StoryStartPrev;  // the progress of the previous attempt
    cOptionData OptionData;
    cVector<cSaveSlot> SaveSlots = cVector<cSaveSlot>(kSaveSlotCount);
};

extern cWorldMapData& WorldMap;
extern cStorySave& StoryData;
extern cStorySave& StoryStart;
extern cStorySave& StoryStartPrev;
extern cOptionData& OptionData;
extern cVector<cSaveSlot>& SaveSlots;
