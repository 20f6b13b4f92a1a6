#include "sample_game.h"

#include "foundation/data_record.h"
#include "foundation/paths.h"
#include "game_folder.h"
#include "gamedata/global_data.h"
#include "gamedata/live_data_limits.h"
#include "gamedata/project/player_files.h"
#include "palette_parts.h"
#include "platform/files.h"
#include "project_content.h"

void BuildCommonPalette(cCommonPalette& palette) {
    BuildPaletteBlocks(palette);
    BuildPaletteItems(palette);
    BuildPaletteCharas(palette);
}

void WriteProjectData(GameFolder& folder) {
    DataVersion = kDataVersion;
    InstallLiveDataLimits();
    // The databases first: every later record is checked against them.
    BuildDatabases();
    WriteProjectFiles(folder);
    BuildCommonPalette(CommonPalette);
    folder.WriteRecord(PathTable[kPathCommonPalette], CommonPalette);
    WriteWorldMap(folder);
    WriteStages(folder);
}

bool WriteSampleGame(const std::string& hostDir, std::string* error) {
    const std::string previous = platform::GetCurrentDirectoryInternal();
    GameFolder folder(hostDir);
    // The game ships its project in data\, as its author would. What an
    // earlier run left there goes, so no stale file outlives a change; so
    // does the default\ project earlier versions of this tool wrote, which
    // would make the game look unfinished. The player's own files stay.
    for (const char* project : {PathTable[kPathData], PathTable[kPathDefault]}) {
        if (folder.Ok() && platform::IsDirectory(project) && !DeleteFolderTree(project)) {
            folder.Fail(std::string("cannot remove the old ") + project);
        }
    }
    WritePictures(folder);
    WriteSounds(folder);
    WriteMusic(folder);
    WriteProjectData(folder);
    WriteSystemIni(folder);
    platform::SetCurrentDirectoryInternal(previous);
    if (!folder.Ok() && error) *error = folder.Error();
    return folder.Ok();
}
