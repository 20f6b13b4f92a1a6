#pragma once
// Every file and folder of the player is named through these tables, so code
// refers to a file by its index. Paths are relative to the game folder.
#include <string>

constexpr int kPathCount = 52;
constexpr int kExtCount = 4;
constexpr int kColourNameCount = 11;
constexpr int kFolderCount = 22;

// The indices are fixed (the editor shares the table); these are the ones the
// player reads.
enum PathIndex : int {
    kPathData = 0,
    kPathDefault = 1,
    kPathCommonPalette = 11,
    kPathWorldMap = 17,
    kPathDatabaseFirst = 19,  // AnimeSet; each database has its data\ and default\ entry
    kPathSystem = 39,
    kPathChallengeStages = 41,
    kPathRankingFolderFirst = 42,  // + game kind 0 story, 1 challenge, 2 free play
    kPathStorySlots = 45,
    kPathChallengeSave = 46,
    kPathOption = 47,
    kPathUserData = 48,
    kPathKeyConfig = 49,
    kPathBoot = 50,
    kPathWindow = 51,
};

enum ExtIndex : int { kExtCommonPalette = 0, kExtStage = 1, kExtPalette = 2, kExtRanking = 3 };

extern const char* const PathTable[kPathCount];
extern const char* const ExtTable[kExtCount];
extern const char* const ColourNames[kColourNameCount];
// The working folders in creation order, ended by a null entry.
extern const char* const FolderList[kFolderCount + 1];

// The ranking folder of game kind 0, 1 or 2.
std::string RankingFolder(int gameKind);

// Creates every working folder in order; existing folders are fine and
// failures show later as missing files, so nothing is reported.
void CreateWorkingFolders();

// The player's own folders, where its saves go (the first working folders).
constexpr int kSaveFolderCount = 5;

// A save killed before its rename leaves its temporary file beside the
// target: every one in the save folders is removed, with a line of the run
// report each, so none waits for its own target's next save.
void RemoveLeftoverSaveTemporaries();
