#include "shell/dialogs/file_dialog.h"

#include <gtest/gtest.h>

#include "../shell_fixture.h"
#include "platform/files.h"
#include "platform/keyboard.h"
#include "platform/text.h"
#include "shell/keyboard_hook.h"
#include "support/utf8.h"

namespace {

// Host names are UTF-8; the game sees them in Shift-JIS.
const std::string kStageUtf8 = Utf8(u8"ステージ_001.stg4_920");
const std::string kOldUtf8 = Utf8(u8"古い");
const std::string kKeptUtf8 = Utf8(u8"既存.rpl4_920");

class FileDialogTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        platform::ReleaseAllKeys();
        m_dir.WriteHostFile("data/stg4/" + kStageUtf8, "stage");
        m_dir.WriteHostFile("data/stg4/run.rpl4_920", "replay");
        m_dir.WriteHostFile("data/stg4/" + kOldUtf8 + "/x.stg4_900", "old");
        m_dir.WriteHostFile("user_data/rpl4/" + kKeptUtf8, "kept");
        m_root = platform::GetCurrentDirectoryInternal();
    }
    void TearDown() override {
        RemoveHooks();
        platform::ClearDialogTemplates();
        platform::ClearMessageBoxes();
        MainWindowTest::TearDown();
    }
    void Keys(std::initializer_list<int> vks) {
        for (int vk : vks) PostMessageA(m_hwnd, WM_KEYDOWN, static_cast<WPARAM>(vk), 0);
    }
    // Typed text as the window backend posts it: a character a message.
    void Type(const std::string& sjis) {
        for (WPARAM ch : platform::TypedCharacters(sjis)) PostMessageA(m_hwnd, WM_CHAR, ch, 0);
    }
    std::string Internal(const std::string& relUtf8) { return m_root + "\\" + platform::Utf8ToCp932(relUtf8); }

    TempDir m_dir;
    std::string m_root;
};

// The stage list holds "..", the folder, the replay and the stage file:
// Down moves to the folder, Down again to the replay, once more to the
// stage.
TEST_F(FileDialogTest, TheStageDialogListsStageAndReplayFilesAndReturnsTheInternalPath) {
    EXPECT_EQ(FileDialogKind(kFileOpenStage)->description, "StageFile ( *.stg4_*;*.rpl4_* )");
    Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    std::string path = "unchanged";
    EXPECT_EQ(RunFileDialog(kFileOpenStage, path), 1);
    EXPECT_EQ(path, Internal("data\\stg4\\" + kStageUtf8));
    EXPECT_TRUE(platform::FileExists(path));
}

TEST_F(FileDialogTest, AReplayIsPickedInTheStageDialogLikeAStage) {
    Keys({VK_DOWN, VK_DOWN, VK_RETURN});
    std::string path;
    EXPECT_EQ(RunFileDialog(kFileOpenStage, path), 1);
    EXPECT_EQ(path, Internal("data\\stg4\\run.rpl4_920"));
}

TEST_F(FileDialogTest, ReturnOnAFolderOpensItAndTheFilterStillHolds) {
    // Into the folder, where only the stage file of another version shows.
    Keys({VK_DOWN, VK_RETURN, VK_DOWN, VK_RETURN});
    std::string path;
    EXPECT_EQ(RunFileDialog(kFileOpenStage, path), 1);
    EXPECT_EQ(path, Internal("data\\stg4\\" + kOldUtf8 + "\\x.stg4_900"));
}

// The dialog (390 x 294 pixels) is centred on the client area, at (125, 93);
// its list starts 27 pixels down, 2 inside, 14 pixels a row.
TEST_F(FileDialogTest, ADoubleClickOnAListRowTakesThatFile) {
    auto at = [](int x, int y) { return static_cast<LPARAM>(x | (y << 16)); };
    PostMessageA(m_hwnd, WM_LBUTTONDOWN, 0, at(155, 93 + 27 + 2 + 3 * 14 + 7));
    PostMessageA(m_hwnd, WM_LBUTTONDBLCLK, 0, at(155, 93 + 27 + 2 + 3 * 14 + 7));
    // A click that missed leaves the dialog to this.
    Keys({VK_ESCAPE});
    std::string path;
    EXPECT_EQ(RunFileDialog(kFileOpenStage, path), 1);
    EXPECT_EQ(path, Internal("data\\stg4\\" + kStageUtf8));
}

TEST_F(FileDialogTest, CancelReturns0AndAnOpenKindLeavesNoPath) {
    Keys({VK_DOWN, VK_DOWN, VK_ESCAPE});
    std::string path = "something";
    EXPECT_EQ(RunFileDialog(kFileOpenReplay, path), 0);
    EXPECT_TRUE(path.empty());
}

struct RefusedCase {
    const char* name;
    int kind;
    const char* typed;
};

class FileDialogRefuses : public FileDialogTest, public ::testing::WithParamInterface<RefusedCase> {};

// A refused name keeps the dialog open with a box that names the path;
// Escape then cancels.
TEST_P(FileDialogRefuses, ATypedNameItCannotTake) {
    const RefusedCase& c = GetParam();
    // An open dialog starts on the list and Tab goes to the name; a save
    // dialog starts on the name, whose proposal End and Backspace remove.
    if (c.kind == kFileSaveReplay) Keys({VK_END, VK_BACK});
    if (c.kind != kFileSaveReplay) Keys({VK_TAB});
    Type(c.typed);
    Keys({VK_RETURN, VK_ESCAPE});
    std::string path = "p";
    EXPECT_EQ(RunFileDialog(c.kind, path), 0);
    ASSERT_EQ(platform::RecordedMessageBoxes().size(), 1u);
    EXPECT_NE(platform::RecordedMessageBoxes()[0].text.find(c.typed), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Cases, FileDialogRefuses,
                         ::testing::Values(RefusedCase{"AnOpenedFileMustExist", kFileOpenReplay, "missing.rpl4_920"},
                                           RefusedCase{"ASaveNeedsItsFolder", kFileSaveReplay, "nowhere\\r"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileDialogTest, TheSaveDialogTakesANewJapaneseNameAndAddsTheExtension) {
    std::string name = platform::Utf8ToCp932(Utf8(u8"新しい記録"));
    // The name box has the focus and the proposed name; Backspace takes it
    // away a character at a time.
    Keys({VK_END});
    Keys({VK_BACK, VK_BACK, VK_BACK, VK_BACK, VK_BACK, VK_BACK, VK_BACK, VK_BACK});
    Type(name);
    Keys({VK_RETURN});
    std::string path = "proposed";
    EXPECT_EQ(RunFileDialog(kFileSaveReplay, path), 1);
    EXPECT_EQ(path, m_root + "\\user_data\\rpl4\\" + name + ".rpl4_920");
    EXPECT_TRUE(platform::RecordedMessageBoxes().empty());
}

TEST_F(FileDialogTest, TheSaveDialogAsksBeforeOverwritingAndNoKeepsItOpen) {
    platform::QueueMessageBoxAnswer(IDNO);
    Keys({VK_RETURN, VK_ESCAPE});
    std::string path = platform::Utf8ToCp932(Utf8(u8"既存"));
    EXPECT_EQ(RunFileDialog(kFileSaveReplay, path), 0);
    EXPECT_EQ(path, platform::Utf8ToCp932(Utf8(u8"既存")));
    ASSERT_EQ(platform::RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(platform::RecordedMessageBoxes()[0].type & MB_TYPEMASK, MB_YESNO);

    platform::ClearMessageBoxes();
    platform::QueueMessageBoxAnswer(IDYES);
    Keys({VK_RETURN});
    EXPECT_EQ(RunFileDialog(kFileSaveReplay, path), 1);
    EXPECT_EQ(path, Internal("user_data\\rpl4\\" + kKeptUtf8));
    EXPECT_EQ(platform::RecordedMessageBoxes().size(), 1u);
}

TEST(FileFilter, MatchesEachPatternWithoutCase) {
    struct Case {
        const char* name;
        const char* patterns;
        bool match;
    };
    const Case cases[] = {
        {"a.stg4_920", "*.stg4_*", true},    {"A.STG4_900", "*.stg4_*", true},
        {"a.rpl4_920", "*.stg4_*", false},   {"a.rpl4_920", "*.stg4_*;*.rpl4_*", true},
        {"a.rpl4_919", "*.rpl4_920", false}, {"stg4_920", "*.stg4_*", false},
    };
    for (const Case& c : cases) EXPECT_EQ(MatchesFilter(c.name, c.patterns), c.match) << c.name << " " << c.patterns;
}

TEST(FileFilter, JoinedPathsDropDotsAndKeepShiftJisTrailBytes) {
    // "ソ" ends in the byte 0x5C, which is no separator inside it.
    const std::string so = "\x83\x5C";
    EXPECT_EQ(JoinInternalPath("\\game\\data", "..\\user_data\\x"), "\\game\\user_data\\x");
    EXPECT_EQ(JoinInternalPath("\\game", so + "\\a"), "\\game\\" + so + "\\a");
    EXPECT_EQ(JoinInternalPath("\\game", "\\other\\b"), "\\other\\b");
    EXPECT_EQ(LeafName("\\game\\" + so), so);
}

}  // namespace
