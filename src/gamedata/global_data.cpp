#include "gamedata/global_data.h"

namespace {

cGlobalObjects g_Globals;

}  // namespace

cCommonPalette& CommonPalette = g_Globals.CommonPalette;
cDatabase& Database = g_Globals.Database;
cStageData& LoadedStage = g_Globals.LoadedStage;
cStageData& PlayStage = g_Globals.PlayStage;
cCharaDef& HeroDef = g_Globals.HeroDef;
cWorldMapData& WorldMap = g_Globals.WorldMap;
cOptionData& OptionData = g_Globals.OptionData;
