#include "shell/direct_play.h"

#include <cstring>

#include "foundation/paths.h"
#include "foundation/report.h"
#include "gamedata/global_data.h"
#include "gamedata/project/player_files.h"
#include "gamedata/project/system_data.h"
#include "platform/files.h"
#include "shell/loop/game.h"

int ReturnToTitleAfterStage = 0;

namespace {

StageFilePlayer g_player;

void SetText(char (&field)[260], const std::string& text) {
    std::memset(field, 0, sizeof field);
    std::memcpy(field, text.data(), std::min(text.size(), sizeof field - 1));
}

}  // namespace

void SetStageFilePlayer(StageFilePlayer player) { g_player = std::move(player); }

int PlayStageFile(const std::string& path, int direct) {
    if (!g_player) {
        LogPrintf("「%s」: stage play is not available", path.c_str());
        return 0;
    }
    return g_player(path, direct);
}

void ChooseFreeStage(cSystemIni& settings, const std::string& commandLine, int testPlay, int directStartSwitch) {
    if (!commandLine.empty()) {
        SetText(settings.FreeStage, commandLine);
        return;
    }
    if (testPlay && directStartSwitch) SetText(settings.FreeStage, "");
}

bool StartDirectPlay() {
    std::string stage = SystemIni.FreeStage;
    if (stage.empty()) return true;
    std::string newest;
    if (FindLatestNumbered(newest, stage, ExtTable[kExtStage])) stage = newest;
    SetText(SystemIni.FreeStage, stage);
    if (platform::GetFileAttributesA(stage) == INVALID_FILE_ATTRIBUTES) {
        LogPrintfBoth("「%s」の読み込みに失敗しました！", stage.c_str());
        SetText(SystemIni.FreeStage, "");
        return true;
    }
    DirectStart = 1;
    if (SystemData.m_bDirectStartToTitle && TestPlay == 0) {
        ReturnToTitleAfterStage = 1;
        Game.RankingsOn = 0;
    } else {
        Game.RankingsOn = 1;
    }
    if (!PlayStageFile(stage, 1)) return false;
    StoryData.m_bMultiPart = 0;
    Game.GameKind = 2;
    Game.PlayType = 3;
    Game.CurrentScene = kSceneStage;
    Game.PreviousScene = 0;
    return true;
}
