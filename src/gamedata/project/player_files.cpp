#include "gamedata/project/player_files.h"

#include "foundation/checked_containers.h"
#include "foundation/report.h"
#include "platform/files.h"

const char* const PathTable[kPathCount] = {
    "data\\",
    "default\\",
    "data\\stg4\\old_ver\\",
    "data\\work\\",
    "data_backup\\",
    "e_data\\",
    "e_data\\SheetSize.dat",
    "e_data\\EditConfig.dat",
    "e_data_backup\\",
    "data\\PrjOption.dat",
    "default\\PrjOption.dat",
    "data\\CommonPalette.cplt4",
    "default\\CommonPalette.cplt4",
    "data\\GValInfo.dat",
    "default\\GValInfo.dat",
    "data\\stg4\\Default.stg4_***",
    "default\\stg4\\Default.stg4_***",
    "data\\WorldMap.dat",
    "default\\WorldMap.dat",
    "data\\database\\AnimeSet.dat",
    "default\\database\\AnimeSet.dat",
    "data\\database\\Anime.dat",
    "default\\database\\Anime.dat",
    "data\\database\\Bmp_CharaExc.dat",
    "default\\database\\Bmp_CharaExc.dat",
    "data\\database\\SwordType.dat",
    "default\\database\\SwordType.dat",
    "data\\database\\Effect.dat",
    "default\\database\\Effect.dat",
    "data\\database\\CharaEffect.dat",
    "default\\database\\CharaEffect.dat",
    "data\\database\\ScrEffect.dat",
    "default\\database\\ScrEffect.dat",
    "data\\database\\Picture.dat",
    "default\\database\\Picture.dat",
    "data\\database\\Sound.dat",
    "default\\database\\Sound.dat",
    "data\\database\\Bgm.dat",
    "default\\database\\Bgm.dat",
    "data\\System.dat",
    "default\\System.dat",
    "data\\stg4\\c",
    "user_data\\story\\",
    "user_data\\challenge\\",
    "user_data\\free\\",
    "user_data\\story\\Story",
    "user_data\\challenge\\Challenge.dat",
    "user_data\\Option.dat",
    "user_data\\",
    "user_data\\KeyConfig.dat",
    "user_data\\Boot.dat",
    "user_data\\Window.dat",
};

const char* const ExtTable[kExtCount] = {"cplt4", "stg4", "plt4", "rkg"};

const char* const ColourNames[kColourNameCount] = {"なし", "白",   "黒",   "赤",  "緑", "青",
                                                   "黄",   "赤紫", "青紫", "4色", ""};

const char* const FolderList[kFolderCount + 1] = {
    "user_data",
    "user_data\\story",
    "user_data\\challenge",
    "user_data\\free",
    "user_data\\rpl4",
    "data",
    "data\\database",
    "data\\stg4",
    "data\\stg4\\old_ver",
    "data\\work",
    "data\\plt4",
    "bmp",
    "bmp\\back",
    "bmp\\chara_sp",
    "bmp\\effect",
    "bmp\\picture",
    "bmp\\sword",
    "bmp\\convert",
    "bmp\\plt",
    "bmp\\hbt",
    "wave",
    "bgm",
    nullptr,
};

std::string RankingFolder(int gameKind) {
    if (gameKind < 0 || gameKind > 2) {
        // Only the three playable kinds have a ranking folder.
        ReportBadIndex("err V[%d] ( %d , %d )", gameKind, 3, sizeof(const char*));
        gameKind = 0;
    }
    return PathTable[kPathRankingFolderFirst + gameKind];
}

void CreateWorkingFolders() {
    for (const char* const* folder = FolderList; *folder; ++folder) platform::CreateDirectoryA(*folder);
}

void RemoveLeftoverSaveTemporaries() {
    for (const char* const* folder = FolderList; folder != FolderList + kSaveFolderCount; ++folder) {
        for (const std::string& name : platform::RemoveLeftoverTemporariesIn(*folder)) {
            LogPrintf("%s\\%s : 中断された保存の一時ファイルを削除しました", *folder, name.c_str());
        }
    }
}
