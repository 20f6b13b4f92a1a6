#include "shell/project_data_startup.h"

#include <utility>

#include "foundation/player_file.h"
#include "foundation/report.h"
#include "gamedata/project/default_data.h"
#include "gamedata/project/global_data.h"
#include "gamedata/project/player_files.h"
#include "gamedata/story/story_rules.h"
#include "shell/app_state.h"
#include "shell/system_ini.h"

bool PrepareDataFolder(HWND owner) {
    switch (CreateDefaultData(owner)) {
        case DefaultDataResult::kReady: return true;
        case DefaultDataResult::kDeclined:
            // The player said no: that is no fault of "default", and the
            // player needs no box to learn what they chose.
            LogPrintf("「data」フォルダを作成しないことが選ばれたため、終了します");
            return false;
        case DefaultDataResult::kFailed: break;
    }
    LogErrorBox("「data」フォルダの作成に失敗…\n「default」フォルダに問題がある可能性があります。");
    return false;
}

bool CreateFolders() {
    CreateWorkingFolders();
    RemoveLeftoverSaveTemporaries();
    return true;
}

bool LoadDatabases() {
    if (Database.LoadAll()) return true;
    LogErrorBox("データベースの読み込みに失敗…");
    return false;
}

bool BuildEffectTables() {
    CopyEffectTables();
    BuildAnimeSequences(AnimeSequences);
    BuildEffectSequences(EffectSequences);
    return true;
}

bool LoadSystemData() {
    if (SystemData.LoadFile(PathTable[kPathSystem])) return true;
    LogErrorBox("%s の読み込みに失敗…", PathTable[kPathSystem]);
    return false;
}

bool LoadSystemIni() {
    ResetSystemIni(SystemIni, SystemData.SystemIniKeys);
    if (ReadSystemIni("System.ini", SystemIni, SystemData.SystemIniKeys)) return true;
    LogErrorBox("System.ini の読み込みに失敗しました！");
    // Values read before the fault are not trusted either.
    ResetSystemIni(SystemIni, SystemData.SystemIniKeys);
    return true;
}

bool LoadOptions() {
    LoadPlayerFile(OptionData, PathTable[kPathOption]);
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
