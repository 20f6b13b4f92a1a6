// The project's system data and System.ini, and the writing of the
// databases. The records are built in the global objects the player loads
// them into, because the stage and palette writers check references against
// those.
#include <string>

#include "content_ids.h"
#include "game_folder.h"
#include "gamedata/database/database.h"
#include "gamedata/global_data.h"
#include "gamedata/project/player_files.h"
#include "gamedata/project/system_data.h"
#include "project_content.h"
#include "sound_files.h"

namespace {

void FillSystemData(cSystemData& sd) {
    sd.SetDefaults();
    sd.m_strTitle = "スターランナー";
    sd.m_nChallengeCount = kChallengeStageCount;
    for (std::size_t i = 0; i < SystemSoundPaths().size(); ++i)
        sd.SystemSoundFiles[static_cast<int>(i)] = SystemSoundPaths()[i];
    // Scene music: title, world map, stage select, options.
    sd.SceneBgmIds = {BgmId::Title, BgmId::Map, BgmId::Field, BgmId::Title};
    for (cCmd& cmd : sd.TitleMenu) cmd.m_nEnabled = 1;
    // The options scene gives each position its own meaning (palette, music,
    // volume, ranking mode, ranking name, back); the labels follow it. The
    // palette number only matters on an 8-bit display, so it is left out.
    sd.OptionMenu = {cCmd("パレット", 0),      cCmd("BGM"),   cCmd("SE"), cCmd("ランキング登録"),
                     cCmd("ランキング登録名"), cCmd("もどる")};
    for (cRankingSetting& r : sd.RankingSettings) r.m_bEnabled = 1;
    sd.StartLives = {3, 3, 3, 99};
    sd.InfiniteLives = {0, 0, 1, 1};
    // Space opens the pause menu in stage play (continue, quit to title).
    sd.m_bSpacePause = 1;
    sd.m_bExtraLife = 1;
    sd.m_nExtraLifeScore = 5000;
    for (cStatusItem& item : sd.StatusItems) item.m_bShow = 1;
}

std::string SystemIniText() {
    // A window with the Direct3D path, so the player starts without asking.
    const char* const lines[] = {
        "Direct3D=1",        "WindowMode=1", "Bpp=32",     "VSync=0",   "D3D_FontCache=0",    "DD_FontCache=1",
        "DD_VideoStretch=0", "ShowFps=0",    "FreeStage=", "English=0", "Midi_DirectMusic=1", "Exit"};
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\r\n";
    return text;
}

}  // namespace

void WriteProjectFiles(GameFolder& folder) {
    for (int table = 0; table < 10; ++table) folder.MakeParents(PathTable[kPathDatabaseFirst + 2 * table]);
    if (folder.Ok() && !Database.SaveAll("data\\database")) folder.Fail("cannot write the databases");
    FillSystemData(SystemData);
    folder.WriteRecord(PathTable[kPathSystem], SystemData);
}

void WriteSystemIni(GameFolder& folder) { folder.WriteText("System.ini", SystemIniText()); }
