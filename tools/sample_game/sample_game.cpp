#include "sample_game.h"

#include "foundation/data_record.h"
#include "foundation/paths.h"
#include "game_folder.h"
#include "gamedata/project/global_data.h"
#include "gamedata/project/live_data_limits.h"
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
    folder.WriteRecord(PathTable[kPathCommonPalette + 1], CommonPalette);
    WriteWorldMap(folder);
    WriteStages(folder);
}

bool WriteSampleGame(const std::string& hostDir, std::string* error) {
    const std::string previous = platform::GetCurrentDirectoryInternal();
    GameFolder folder(hostDir);
    // The player copies the project from default\ into data\ when data\ is
    // missing: a copy of an earlier run would hide what this run writes.
    if (folder.Ok() && platform::IsDirectory(PathTable[kPathData]) && !DeleteFolderTree(PathTable[kPathData])) {
        folder.Fail("cannot remove the old data folder");
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
