#include "shell/dialogs/name_entry_dialog.h"

#include <gtest/gtest.h>

#include "gamedata/global_data.h"
#include "platform/headless_input.h"
#include "platform/keyboard.h"
#include "platform/present.h"
#include "platform/text.h"
#include "shell/dialogs/keyboard_hook.h"
#include "shell/requests/app_requests.h"
#include "shell/shell_fixture.h"
#include "support/temp_dir.h"
#include "support/utf8.h"

namespace {

class NameEntryTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        platform::ReleaseAllKeys();
        m_saved = OptionData.m_strRankingName;
        m_savedPlayType = Game.PlayType;
    }
    void TearDown() override {
        OptionData.m_strRankingName = m_saved;
        Game.PlayType = m_savedPlayType;
        RemoveHooks();
        platform::ClearDialogTemplates();
        platform::headless::ClearSchedule();
        MainWindowTest::TearDown();
    }
    void Post(UINT msg, WPARAM w) { PostMessageA(m_hwnd, msg, w, 0); }

    std::string m_saved;
    int m_savedPlayType = 0;
    TempDir m_dir;
};

struct TypingCase {
    const char* name;
    int playType;
    const char* stored;
    const char* typedUtf8;  // then Escape (which does not close it) and Return
    const char* kept;       // Shift-JIS
};

class NameEntryTyping : public NameEntryTest, public ::testing::WithParamInterface<TypingCase> {};

// The stored name is shown selected, so typing replaces it.
TEST_P(NameEntryTyping, KeepsWhatTheFieldTakes) {
    const TypingCase& c = GetParam();
    Game.PlayType = c.playType;
    OptionData.m_strRankingName = c.stored;
    for (WPARAM ch : platform::TypedCharacters(platform::Utf8ToCp932(c.typedUtf8))) Post(WM_CHAR, ch);
    Post(WM_KEYDOWN, VK_ESCAPE);
    Post(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(RunNameEntryDialog(), 1);
    EXPECT_EQ(OptionData.m_strRankingName, c.kept);
}

INSTANTIATE_TEST_SUITE_P(Cases, NameEntryTyping,
                         ::testing::Values(TypingCase{"AFourthJapaneseLetterIsRefused", 5, "aaa",
                                                      reinterpret_cast<const char*>(u8"あいうえ"),
                                                      "\x82\xA0\x82\xA2\x82\xA4"},
                                           TypingCase{"ThreeLatinLettersAndNoMore", 5, "zz", "abcd", "abc"},
                                           TypingCase{"WithoutANameToEditNothingChanges", 0, "xyz", "q", "xyz"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(NameEntryTest, TheGameThreadsRequestRunsItAndSetsTheDoneFlagLast) {
    Game.PlayType = 5;
    OptionData.m_strRankingName = "aaa";
    NameEntryDone.store(0);
    Post(WM_CHAR, 'k');
    Post(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(MainWindowProc(m_hwnd, kWmNameEntry, 0, 0), 0);
    EXPECT_EQ(NameEntryDone.load(), 1);
    EXPECT_EQ(OptionData.m_strRankingName, "k");
}

// The headless script answers the dialog as a player would: frames pass
// while it is open, typed text fills the field and a click on OK ends it.
TEST_F(NameEntryTest, TheInputScriptTypesAndClicksWhileFramesPass) {
    Game.PlayType = 5;
    OptionData.m_strRankingName = "aaa";
    long long now = platform::PresentedFrameSerial();
    // The entry stands at (240, 220) of the client area; OK spans 45..120 x
    // 52..79 of it.
    std::string script =
        std::to_string(now + 3) + " text " + Utf8(u8"字x") + "\n" + std::to_string(now + 6) + " click 300 280\n";
    m_dir.WriteHostFile("script.txt", script);
    std::string error;
    ASSERT_TRUE(platform::headless::LoadInputScript(m_dir.HostPath() + "/script.txt", &error)) << error;
    EXPECT_EQ(RunNameEntryDialog(), 1);
    EXPECT_EQ(OptionData.m_strRankingName, "\x8E\x9Ax");
    EXPECT_GE(platform::PresentedFrameSerial(), now + 6);
}

}  // namespace
