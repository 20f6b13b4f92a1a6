#include "gamedata/project/player_files.h"

#include <gtest/gtest.h>

TEST(PathTables, IndicesNameTheFilesTheyAreReadFor) {
    const std::pair<int, const char*> rows[] = {
        {kPathData, "data\\"},
        {kPathDefault, "default\\"},
        {kPathCommonPalette, "data\\CommonPalette.cplt4"},
        {kPathWorldMap, "data\\WorldMap.dat"},
        {kPathDatabaseFirst, "data\\database\\AnimeSet.dat"},
        {kPathDatabaseFirst + 2 * 9, "data\\database\\Bgm.dat"},
        {kPathSystem, "data\\System.dat"},
        {kPathChallengeStages, "data\\stg4\\c"},
        {kPathStorySlots, "user_data\\story\\Story"},
        {kPathChallengeSave, "user_data\\challenge\\Challenge.dat"},
        {kPathOption, "user_data\\Option.dat"},
        {kPathUserData, "user_data\\"},
        {kPathKeyConfig, "user_data\\KeyConfig.dat"},
        {kPathBoot, "user_data\\Boot.dat"},
        {kPathWindow, "user_data\\Window.dat"},
    };
    for (auto [i, path] : rows) EXPECT_STREQ(PathTable[i], path) << i;
    for (int i = 0; i < kPathCount; ++i) ASSERT_NE(PathTable[i], nullptr) << i;
    EXPECT_EQ(RankingFolder(0), "user_data\\story\\");
    EXPECT_EQ(RankingFolder(2), "user_data\\free\\");
    EXPECT_STREQ(ExtTable[kExtStage], "stg4");
    EXPECT_STREQ(ExtTable[kExtRanking], "rkg");
    EXPECT_STREQ(ColourNames[9], "4色");
    EXPECT_EQ(FolderList[kFolderCount], nullptr);
    EXPECT_STREQ(FolderList[5], "data");
}
