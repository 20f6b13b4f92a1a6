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
    EXPECT_EQ(CreateDefaultData(nullptr), DefaultDataResult::kReady);
    EXPECT_EQ(BoxCount(), 0u);
    EXPECT_TRUE(fs::is_empty("data"));
}

TEST_F(DefaultData, WithoutDataAndDefaultNothingIsAsked) {
    EXPECT_EQ(CreateDefaultData(nullptr), DefaultDataResult::kFailed);
    EXPECT_EQ(BoxCount(), 0u);
    EXPECT_FALSE(Exists("data"));
}

TEST_F(DefaultData, DecliningTheQuestionCreatesNothing) {
    MakeDefaultFolder();
    platform::QueueMessageBoxAnswer(IDNO);
    EXPECT_EQ(CreateDefaultData(nullptr), DefaultDataResult::kDeclined);
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
    ASSERT_EQ(CreateDefaultData(nullptr), DefaultDataResult::kReady);
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
    EXPECT_EQ(CreateDefaultData(nullptr), DefaultDataResult::kFailed);
    EXPECT_FALSE(Exists("data"));
    EXPECT_TRUE(Exists("default/System.dat"));
}

TEST_F(DefaultData, AFileNamedDataIsNeitherUsedNorRemoved) {
    MakeDefaultFolder();
    dir.WriteHostFile("data", "mine");
    platform::QueueMessageBoxAnswer(IDYES);
    EXPECT_EQ(CreateDefaultData(nullptr), DefaultDataResult::kFailed);
    EXPECT_EQ(dir.ReadHostFile("data"), "mine");
}

TEST_F(DefaultData, PathsAreRelativeToTheCurrentFolder) {
    fs::create_directories("game/data");
    ASSERT_TRUE(platform::SetCurrentDirectoryInternal("game"));
    EXPECT_EQ(CreateDefaultData(nullptr), DefaultDataResult::kReady);
    ASSERT_TRUE(platform::SetCurrentDirectoryInternal(".."));
    EXPECT_EQ(CreateDefaultData(nullptr), DefaultDataResult::kFailed);
}
