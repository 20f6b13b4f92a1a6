#include "gamedata/project/default_data.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "gamedata/project/player_files.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class DefaultData : public ::testing::Test {
protected:
    void SetUp() override { platform::ClearMessageBoxes(); }
    void TearDown() override { platform::ClearMessageBoxes(); }

    void MakeDefaultFolder() {
        dir.WriteHostFile("default/System.dat", "sys");
        dir.WriteHostFile("default/database/Anime.dat", "anime");
    }
    bool Exists(const std::string& rel) const { return fs::exists(fs::path(dir.HostPath()) / rel); }
    std::size_t BoxCount() const { return platform::RecordedMessageBoxes().size(); }

    TempDir dir;
};

}  // namespace

TEST_F(DefaultData, AnExistingDataFolderIsUsedWithoutLookingAtDefault) {
    fs::create_directory("data");
    EXPECT_EQ(CreateDefaultData(nullptr), 1);
    EXPECT_EQ(BoxCount(), 0u);
    EXPECT_TRUE(fs::is_empty("data"));
}

TEST_F(DefaultData, WithoutDataAndDefaultNothingIsAsked) {
    EXPECT_EQ(CreateDefaultData(nullptr), 0);
    EXPECT_EQ(BoxCount(), 0u);
    EXPECT_FALSE(Exists("data"));
}

TEST_F(DefaultData, DecliningTheQuestionCreatesNothing) {
    MakeDefaultFolder();
    platform::QueueMessageBoxAnswer(IDNO);
    EXPECT_EQ(CreateDefaultData(nullptr), 0);
    ASSERT_EQ(BoxCount(), 1u);
    auto box = platform::RecordedMessageBoxes()[0];
    EXPECT_EQ(box.text, "データが存在しません！デフォルトデータを作成しますか？\n");
    EXPECT_EQ(box.caption, "デフォルトデータ作成の確認");
    EXPECT_EQ(box.type, MB_YESNO);
    EXPECT_FALSE(Exists("data"));
}

TEST_F(DefaultData, AcceptingCopiesDefaultWholeAndTheWorkingFoldersFollow) {
    MakeDefaultFolder();
    platform::QueueMessageBoxAnswer(IDYES);
    ASSERT_EQ(CreateDefaultData(nullptr), 1);
    EXPECT_EQ(dir.ReadHostFile("data/System.dat"), "sys");
    EXPECT_EQ(dir.ReadHostFile("data/database/Anime.dat"), "anime");
    EXPECT_TRUE(Exists("default/System.dat"));

    dir.WriteHostFile("bmp/kept.bmp", "old");
    CreateWorkingFolders();
    int folders = 0;
    for (const char* const* f = FolderList; *f; ++f, ++folders) { EXPECT_TRUE(platform::IsDirectory(*f)) << *f; }
    EXPECT_EQ(folders, 22);
    EXPECT_EQ(dir.ReadHostFile("bmp/kept.bmp"), "old");
    EXPECT_EQ(dir.ReadHostFile("data/database/Anime.dat"), "anime");
}

TEST_F(DefaultData, AFailedCopyLeavesNoDataFolder) {
    MakeDefaultFolder();
    // An entry that cannot be read stops the copy part way.
    fs::create_symlink(fs::path(dir.HostPath()) / "missing", "default/broken.dat");
    platform::QueueMessageBoxAnswer(IDYES);
    EXPECT_EQ(CreateDefaultData(nullptr), 0);
    EXPECT_FALSE(Exists("data"));
    EXPECT_TRUE(Exists("default/System.dat"));
}

TEST_F(DefaultData, AFileNamedDataIsNeitherUsedNorRemoved) {
    MakeDefaultFolder();
    dir.WriteHostFile("data", "mine");
    platform::QueueMessageBoxAnswer(IDYES);
    EXPECT_EQ(CreateDefaultData(nullptr), 0);
    EXPECT_EQ(dir.ReadHostFile("data"), "mine");
}

TEST_F(DefaultData, PathsAreRelativeToTheCurrentFolder) {
    fs::create_directories("game/data");
    ASSERT_TRUE(platform::SetCurrentDirectoryInternal("game"));
    EXPECT_EQ(CreateDefaultData(nullptr), 1);
    ASSERT_TRUE(platform::SetCurrentDirectoryInternal(".."));
    EXPECT_EQ(CreateDefaultData(nullptr), 0);
}

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
