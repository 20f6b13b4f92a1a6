#include "gamedata/stage_file/stage_loader.h"

#include "foundation/abort.h"
#include "foundation/paths.h"
#include "foundation/report.h"
#include "foundation/strings.h"
#include "gamedata/stage_file/stage_load_runner.h"

namespace {

// The end-code and no-hero refusals close the game unless the player chose
// the file in a dialog.
void RefuseStage(StageLoadOrigin origin) {
    if (origin == StageLoadOrigin::Game) FatalClose();
}

bool ResolveStagePath(const std::string& path, int numbered) {
    std::string& out = LoadedStage.m_strPath;
    if (numbered) {
        std::string found;
        if (!FindLatestNumbered(found, path, "stg4")) return false;
        out = found;
    } else {
        FormatString(out, "%s", path.c_str());
    }
    MakeRelativePath(out);
    return true;
}

int FinishStageLoad(cStageData* target, cCharaDef* heroDef, StageLoadOrigin origin) {
    if (!LoadedStage.m_bLoaded) {
        ErrorBoxF("ステージファイル %s の読み込みに失敗しました！", LoadedStage.m_strPath.c_str());
        return 0;
    }
    const int hero = LoadedStage.FindHero();
    if (hero == -1) {
        ErrorBoxF("主人公が配置されていないのでプレイできません！");
        RefuseStage(origin);
        return 0;
    }
    if (target) {
        target->CopySettingsFrom(LoadedStage);
        target->ClearDefinitions();
    }
    if (heroDef) heroDef->Assign(LoadedStage.m_vPlacedCharas[hero]);
    return 1;
}

int LoadStage(const std::string& path, int numbered, cStageData* target, cCharaDef* heroDef, StageLoadOrigin origin) {
    LoadedStage.m_bNumbered = numbered;
    if (!ResolveStagePath(path, numbered)) return 0;
    if (!CheckStageTrailer(LoadedStage.m_strPath, origin)) return 0;
    LoadedStage.m_bLoaded = 0;
    if (!RunStageLoader()) return 0;
    return FinishStageLoad(target, heroDef, origin);
}

}  // namespace

int LoadStageThreaded(const std::string& path, int numbered, cStageData* target, cCharaDef* heroDef,
                      StageLoadOrigin origin) {
    if (origin == StageLoadOrigin::Game) return LoadStage(path, numbered, target, heroDef, origin);
    // A refused file leaves the game with the stage it had.
    const cStageData before = LoadedStage;
    const int result = LoadStage(path, numbered, target, heroDef, origin);
    if (!result) LoadedStage = before;
    return result;
}

int LoadStageProc() {
    const int result = LoadedStage.LoadFile(LoadedStage.m_strPath);
    if (result == 1) LoadedStage.m_bLoaded = 1;
    return result;
}

int CheckStageTrailer(const std::string& path, StageLoadOrigin origin) {
    DataFilePtr f = OpenDataFileRead(path);
    if (!f) return 1;
    // Older files carry no end code, or one that is not tested.
    if (FileVersion < 174) {
        CloseDataFile(f);
        return 1;
    }
    std::int32_t code = 0;
    if (f->Size() >= 8 && f->Seek(f->Size() - 4)) f->ReadInt(code);
    CloseDataFile(f);
    if (code != kStageEndCode) {
        LogErrorBox("ステージファイル %s が破損しています！", path.c_str());
        RefuseStage(origin);
        return 0;
    }
    return 1;
}
