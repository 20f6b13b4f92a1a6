#include "gamedata/global_data.h"

namespace {

cGlobalObjects g_Globals;

}  // namespace

cCommonPalette& CommonPalette = g_Globals.CommonPalette;
cSystemData& SystemData = g_Globals.SystemData;
cDatabase& Database = g_Globals.Database;
cVector<AnimSequence>& AnimeSequences = g_Globals.AnimeSequences;
cVector<AnimSequence>& EffectSequences = g_Globals.EffectSequences;
cStageData& LoadedStage = g_Globals.LoadedStage;
cStageData& PlayStage = g_Globals.PlayStage;
cCharaDef& HeroDef = g_Globals.HeroDef;
cWorldMapData& WorldMap = g_Globals.WorldMap;
cStorySave& StoryData = g_Globals.StoryData;
cStorySave& StoryStart = g_Globals.StoryStart;
cStorySave& StoryStartPrev = g_Globals.StoryStartPrev;
cOptionData& OptionData = g_Globals.OptionData;
cVector<cSaveSlot>& SaveSlots = g_Globals.SaveSlots;
