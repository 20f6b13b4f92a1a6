#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "platform/files.h"
#include "platform/text.h"
#include "support/temp_dir.h"
#include "support/utf8.h"

TEST(PathMapping, ShiftJisNameWithBackslashesAndMixedCase) {
    TempDir dir;
    dir.WriteHostFile(Utf8(u8"データ/ステージ/Ｍａｐ.dat"), "payload");
    dir.WriteHostFile("Data/Bmp/Chara.BMP", "bmp");
    // The game asks in Shift-JIS with backslashes (and its own case).
    std::string sjis = platform::Utf8ToCp932(Utf8(u8"データ\\ステージ\\Ｍａｐ.dat"));
    EXPECT_EQ(platform::HostPath(sjis), Utf8(u8"データ/ステージ/Ｍａｐ.dat"));
    EXPECT_EQ(platform::HostPath("data\\bmp\\chara.bmp"), "Data/Bmp/Chara.BMP");
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(platform::ReadWholeFile(sjis, bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "payload");
    // A name that does not exist yet keeps its converted form.
    EXPECT_EQ(platform::HostPath("data\\bmp\\New.bmp"), "Data/Bmp/New.bmp");
}

TEST(PathMapping, TrailByte5CIsNotASeparator) {
    TempDir dir;
    dir.WriteHostFile(Utf8(u8"ソフト/a.txt"), "x");
    std::string sjis = platform::Utf8ToCp932(Utf8(u8"ソフト\\a.txt"));
    EXPECT_EQ(platform::HostPath(sjis), Utf8(u8"ソフト/a.txt"));
}

TEST(TextConversion, Cp932IsNotShiftJis) {
    // 0x8160 is the wave dash of code page 932 (U+FF5E), not U+301C.
    EXPECT_EQ(platform::Cp932ToUtf8("\x81\x60"), Utf8(u8"～"));
    EXPECT_EQ(platform::Utf8ToCp932(Utf8(u8"～")), "\x81\x60");
    EXPECT_EQ(platform::Cp932ToUtf8("plain"), "plain");
    EXPECT_EQ(platform::Cp932ToUtf8(std::string("\x82", 1)), Utf8(u8"\uFFFD"));
}

TEST(SafeWrite, FailureLeavesTheOldFile) {
    TempDir dir;
    dir.WriteHostFile("target.dat", "old");
    EXPECT_TRUE(platform::WriteFileSafely("target.dat", "new", 3));
    EXPECT_EQ(dir.ReadHostFile("target.dat"), "new");
    EXPECT_FALSE(platform::WriteFileSafely("missing\\target.dat", "x", 1));
    dir.WriteHostFile("folder/keep", "k");
    EXPECT_FALSE(platform::WriteFileSafely("folder", "x", 1));
    EXPECT_EQ(dir.ReadHostFile("folder/keep"), "k");
}

TEST(SafeWrite, LeftoversOfTheTargetGoAtItsNextSave) {
    TempDir dir;
    dir.WriteHostFile("target.dat", "old");
    // What a save killed before its rename leaves, next to temporaries of
    // another target and a file that only looks alike.
    dir.WriteHostFile("target.dat.tmpAb3xYz", "half");
    dir.WriteHostFile("target.dat.tmp0q9R2s", "half");
    dir.WriteHostFile("other.dat.tmpAb3xYz", "theirs");
    dir.WriteHostFile("target.dat.tmp_old", "kept");
    ASSERT_TRUE(platform::WriteFileSafely("target.dat", "new", 3));
    EXPECT_EQ(dir.ReadHostFile("target.dat"), "new");
    EXPECT_FALSE(dir.HostFileExists("target.dat.tmpAb3xYz"));
    EXPECT_FALSE(dir.HostFileExists("target.dat.tmp0q9R2s"));
    EXPECT_TRUE(dir.HostFileExists("other.dat.tmpAb3xYz"));
    EXPECT_TRUE(dir.HostFileExists("target.dat.tmp_old"));
}

TEST(SafeWrite, LeftoversOfEveryTargetOfAFolderGoAtOnce) {
    struct Case {
        const char* name;
        bool leftover;
    };
    const Case cases[] = {
        {"Story01.dat.tmpAb3xYz", true},
        {"Option.dat.tmp0q9R2s", true},
        {"a.rkg.tmp000000", true},
        {"Story01.dat", false},
        {"notes.tmp", false},
        {"Story01.dat.tmp_old", false},
        {"Story01.dat.tmpAb3xY", false},
        {".tmpAb3xYz", false},
        {"x.tmpAb-xYz", false},
        {"Story01.dat.tmpAb3xYzW", false},
    };
    TempDir dir;
    for (const Case& c : cases) dir.WriteHostFile(std::string("saves/") + c.name, "half");
    // A folder of such a name is no file a save left.
    ASSERT_EQ(mkdir((dir.HostPath() + "/saves/b.dat.tmpAAAAAA").c_str(), 0755), 0);
    std::vector<std::string> removed = platform::RemoveLeftoverTemporariesIn("saves");
    std::sort(removed.begin(), removed.end());
    std::vector<std::string> expected;
    for (const Case& c : cases) {
        if (c.leftover) expected.push_back(c.name);
        EXPECT_EQ(dir.HostFileExists(std::string("saves/") + c.name), !c.leftover) << c.name;
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(removed, expected);
    EXPECT_TRUE(dir.HostFileExists("saves/b.dat.tmpAAAAAA"));
    EXPECT_TRUE(platform::RemoveLeftoverTemporariesIn("no_such_folder").empty());
}

TEST(SafeWrite, KilledSaveLeavesNoTemporaryAfterTheNextSave) {
    TempDir dir;
    dir.WriteHostFile("slot.dat", "old");
    // A child saving a large file is killed as soon as its temporary file
    // shows up, before the rename.
    const std::vector<char> big(std::size_t(64) << 20, 'x');
    pid_t pid = fork();
    if (pid == 0) {
        for (;;) platform::WriteFileSafely("slot.dat", big.data(), big.size());
    }
    ASSERT_GT(pid, 0);
    auto leftovers = [&] {
        std::vector<std::string> names;
        platform::ListDirectory(".", names);
        return std::count_if(names.begin(), names.end(),
                             [](const std::string& n) { return n.rfind("slot.dat.tmp", 0) == 0; });
    };
    for (int i = 0; i < 2000 && leftovers() == 0; ++i) usleep(1000);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    ASSERT_GT(leftovers(), 0) << "the child never reached its temporary file";
    ASSERT_TRUE(platform::WriteFileSafely("slot.dat", "new", 3));
    EXPECT_EQ(leftovers(), 0);
    EXPECT_EQ(dir.ReadHostFile("slot.dat"), "new");
}

TEST(SafeWrite, ReadOnlyTargetIsRefusedAndKept) {
    TempDir dir;
    dir.WriteHostFile("locked.dat", "old");
    ASSERT_TRUE(platform::SetReadOnly("locked.dat", true));
    EXPECT_FALSE(platform::WriteFileSafely("locked.dat", "new", 3));
    EXPECT_EQ(dir.ReadHostFile("locked.dat"), "old");
    EXPECT_EQ(platform::GetFileAttributesA("locked.dat") & FILE_ATTRIBUTE_READONLY, DWORD(FILE_ATTRIBUTE_READONLY));
    std::vector<std::string> names;
    ASSERT_TRUE(platform::ListDirectory(".", names));
    EXPECT_EQ(names, std::vector<std::string>{"locked.dat"});
    platform::SetReadOnly("locked.dat", false);
}

TEST(OpenFile, OnlyRegularFilesOpenAndNothingWaits) {
    TempDir dir;
    ASSERT_EQ(mkfifo("pipe", 0644), 0);
    ASSERT_EQ(mkdir("folder", 0755), 0);
    ASSERT_EQ(symlink("/dev/zero", "device"), 0);
    dir.WriteHostFile("plain", "p");
    for (const char* name : {"pipe", "folder", "device"}) {
        SCOPED_TRACE(name);
        for (auto mode : {platform::File::Mode::Read, platform::File::Mode::Write, platform::File::Mode::Append,
                          platform::File::Mode::ReadWrite}) {
            EXPECT_EQ(platform::File::Open(name, mode), nullptr);
            EXPECT_EQ(platform::LastFileRefusal(), platform::FileRefusal::kNotRegular);
        }
    }
    EXPECT_NE(platform::File::Open("plain", platform::File::Mode::Read), nullptr);
    EXPECT_EQ(platform::LastFileRefusal(), platform::FileRefusal::kNone);
    EXPECT_EQ(platform::File::Open("missing", platform::File::Mode::Read), nullptr);
    EXPECT_EQ(platform::LastFileRefusal(), platform::FileRefusal::kMissing);
}
