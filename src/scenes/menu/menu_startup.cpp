#include "scenes/menu/menu_startup.h"

#include <cstring>

#include "draw/device.h"
#include "draw/palette.h"
#include "draw/surface_table.h"
#include "foundation/report.h"
#include "gamedata/project/global_data.h"
#include "gamedata/project/player_files.h"
#include "gamedata/story/story_rules.h"
#include "shell/app_state.h"
#include "shell/startup.h"

namespace {

bool LoadPaletteAndKey() {
    const char* picture = SurfaceTable[0].fileName;
    if (!DDLoadPaletteFromFile(Palette, picture, ScreenWindowed)) {
        WriteLogF("%s : palette not read", picture);
        return false;
    }
    std::memcpy(PaletteWork, Palette, sizeof Palette);
    if (!SystemData.m_bFixedKeyColour || DDSetting.nBpp == 16) {
        if (!SetTrans(picture)) return false;
    }
    if (SystemData.m_bFixedKeyColour && DDSetting.nBpp != 16) {
        DDSetTransmit(SystemData.m_cKeyRed, SystemData.m_cKeyGreen, SystemData.m_cKeyBlue);
    }
    return true;
}

bool LoadOptions() {
    // A missing or refused file leaves the defaults.
    OptionData.LoadFile(PathTable[kPathOption]);
    return true;
}

bool LoadMapAndPalette() {
    for (auto [record, path] : {std::pair<cDataRecord*, int>{&WorldMap, kPathWorldMap},
                                std::pair<cDataRecord*, int>{&CommonPalette, kPathCommonPalette}}) {
        if (!record->LoadFile(PathTable[path])) {
            LogErrorBox("%s のロードに失敗！", PathTable[path]);
            return false;
        }
    }
    StoryData.Reset(ChallengeStageCount());
    return true;
}

}  // namespace

void RegisterMenuStartup() {
    AddStartupStepAfter("drawing device", StartupStep{"palette and transparent colour", LoadPaletteAndKey});
    AddStartupStepAfter("input", StartupStep{"options", LoadOptions});
    AddStartupStepAfter("music and sound effects", StartupStep{"world map and common palette", LoadMapAndPalette});
}
