#include "shell/dialogs/message_box_dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/keyboard.h"
#include "shell/dialogs/keyboard_hook.h"
#include "shell/end_session.h"
#include "shell/shell_fixture.h"

namespace {

using K = platform::DialogItemKind;

// Six pixels a byte: a line's width is known without a font.
int SixEach(const std::string& s) { return static_cast<int>(s.size()) * 6; }

struct Button {
    int id;
    K kind;
};

struct TypeCase {
    const char* name;
    UINT type;
    std::vector<Button> buttons;
    int escapeAnswer;
};

std::vector<Button> ButtonsOf(const platform::DialogTemplate& t) {
    std::vector<Button> out;
    for (const auto& item : t.items) {
        if (item.kind == K::Button || item.kind == K::DefaultButton) out.push_back({item.id, item.kind});
    }
    return out;
}

class MessageBoxButtons : public ::testing::TestWithParam<TypeCase> {};

// Each type has its buttons in order, the default one where the type names
// it (else the first), all with a tab stop, side by side below the text and
// inside the box.
TEST_P(MessageBoxButtons, TheTypeGivesItsButtonsBelowTheText) {
    const TypeCase& c = GetParam();
    platform::DialogTemplate t = MessageBoxTemplate({"line", "caption", c.type}, SixEach);
    std::vector<Button> got = ButtonsOf(t);
    ASSERT_EQ(got.size(), c.buttons.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].id, c.buttons[i].id) << i;
        EXPECT_EQ(got[i].kind, c.buttons[i].kind) << i;
    }
    EXPECT_EQ(t.title, "caption");
    const RECT& text = t.items.front().rect;
    int left = t.width;
    int right = 0;
    for (const auto& item : t.items) {
        if (item.kind == K::Static) continue;
        EXPECT_TRUE(item.tabStop);
        EXPECT_GT(item.rect.top, text.bottom);
        EXPECT_LE(item.rect.bottom, t.height);
        left = std::min(left, static_cast<int>(item.rect.left));
        right = std::max(right, static_cast<int>(item.rect.right));
    }
    EXPECT_GE(left, 0);
    EXPECT_LE(right, t.width);
    EXPECT_LE(std::abs(left - (t.width - right)), 1) << "the row is centred";
    EXPECT_EQ(EscapeAnswer(c.type), c.escapeAnswer);
}

INSTANTIATE_TEST_SUITE_P(
    Types, MessageBoxButtons,
    ::testing::Values(
        TypeCase{"Ok", MB_OK, {{IDOK, K::DefaultButton}}, IDOK},
        TypeCase{"OkCancel", MB_OKCANCEL, {{IDOK, K::DefaultButton}, {IDCANCEL, K::Button}}, IDCANCEL},
        TypeCase{"YesNo", MB_YESNO, {{IDYES, K::DefaultButton}, {IDNO, K::Button}}, IDNO},
        TypeCase{"YesNoCancel",
                 MB_YESNOCANCEL | MB_ICONQUESTION,
                 {{IDYES, K::DefaultButton}, {IDNO, K::Button}, {IDCANCEL, K::Button}},
                 IDCANCEL},
        TypeCase{"YesNoSecondDefault", MB_YESNO | MB_DEFBUTTON2, {{IDYES, K::Button}, {IDNO, K::DefaultButton}}, IDNO},
        TypeCase{"YesNoCancelThirdDefault",
                 MB_YESNOCANCEL | 0x200,
                 {{IDYES, K::Button}, {IDNO, K::Button}, {IDCANCEL, K::DefaultButton}},
                 IDCANCEL},
        TypeCase{"OkWithoutASecondButton", MB_OK | MB_DEFBUTTON2, {{IDOK, K::DefaultButton}}, IDOK}),
    [](const auto& info) { return std::string(info.param.name); });

std::vector<std::string> Lines(const platform::DialogTemplate& t) {
    std::vector<std::string> out;
    for (const auto& item : t.items) {
        if (item.kind == K::Static) out.push_back(item.text);
    }
    return out;
}

// Line breaks (CR LF or LF) make lines, a break at the end none; a line
// wider than the frame allows goes on in the next, a character (one or two
// bytes) at a time; the box always fits the 640 x 480 frame.
TEST(MessageBoxLayout, TextIsBrokenIntoLinesThatFitTheFrame) {
    EXPECT_EQ(Lines(MessageBoxTemplate({"one\r\ntwo\n\nfour\n", "", MB_OK}, SixEach)),
              (std::vector<std::string>{"one", "two", "", "four"}));
    const std::string kanji = "\x8E\x9A";  // one character, two bytes
    std::string wide;
    for (int i = 0; i < 60; ++i) wide += kanji;  // 120 bytes: 720 pixels
    platform::DialogTemplate t = MessageBoxTemplate({wide, "", MB_OK}, SixEach);
    std::vector<std::string> lines = Lines(t);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0] + lines[1], wide);
    EXPECT_EQ(lines[0].size() % 2, 0u) << "no character is cut in two";
    EXPECT_LE(t.width + 6, 640);
    for (const auto& item : t.items) EXPECT_LE(item.rect.right, t.width);
    EXPECT_LT(t.height, 480);
}

struct KeyCase {
    const char* name;
    UINT type;
    std::vector<int> keys;
    int answer;
};

class InWindowBoxKeys : public MainWindowTest, public ::testing::WithParamInterface<KeyCase> {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ResetEndSession();
        platform::ReleaseAllKeys();
    }
    void TearDown() override {
        platform::ClearDialogTemplates();
        ResetEndSession();
        MainWindowTest::TearDown();
    }
};

// The keys that answer the game's own box: Return the focused (at first
// the default) button, Tab moves on, Y and N the buttons that name them;
// Escape cancels, or answers no where there is no Cancel.
TEST_P(InWindowBoxKeys, KeysAnswerTheBox) {
    const KeyCase& c = GetParam();
    for (int vk : c.keys) {
        PostMessageA(m_hwnd, WM_KEYDOWN, static_cast<WPARAM>(vk), 0);
        PostMessageA(m_hwnd, WM_KEYUP, static_cast<WPARAM>(vk), 0);
    }
    EXPECT_EQ(ShowMessageBoxInWindow({"終了しますか？\n", "終了確認", c.type}), c.answer);
    EXPECT_EQ(platform::DialogWindowCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InWindowBoxKeys,
    ::testing::Values(KeyCase{"ReturnYes", MB_YESNO, {VK_RETURN}, IDYES},
                      KeyCase{"TabReturnNo", MB_YESNO, {VK_TAB, VK_RETURN}, IDNO},
                      KeyCase{"LetterN", MB_YESNO, {'N'}, IDNO}, KeyCase{"LetterY", MB_YESNO, {'Y'}, IDYES},
                      KeyCase{"EscapeNo", MB_YESNO, {VK_ESCAPE}, IDNO}, KeyCase{"EscapeOk", MB_OK, {VK_ESCAPE}, IDOK},
                      KeyCase{"ReturnSecondDefault", MB_YESNO | MB_DEFBUTTON2, {VK_RETURN}, IDNO},
                      KeyCase{"TabFromTheSecondDefault", MB_YESNO | MB_DEFBUTTON2, {VK_TAB, VK_RETURN}, IDYES},
                      KeyCase{"EscapeCancels", MB_OKCANCEL, {VK_ESCAPE}, IDCANCEL},
                      KeyCase{"SpaceOk", MB_OK, {VK_SPACE}, IDOK}),
    [](const auto& info) { return std::string(info.param.name); });

// A box shown while a dialog of the player is open: the dialog's keyboard
// hook swallows Escape, so the box stays and Return answers it.
TEST_F(InWindowBoxKeys, EscapeInABoxOverADialogIsSwallowed) {
    cHook hook;
    ASSERT_TRUE(hook.Install(m_hwnd, 0));
    for (int vk : {VK_ESCAPE, VK_RETURN}) {
        PostMessageA(m_hwnd, WM_KEYDOWN, static_cast<WPARAM>(vk), 0);
        PostMessageA(m_hwnd, WM_KEYUP, static_cast<WPARAM>(vk), 0);
    }
    const int answer = ShowMessageBoxInWindow({"question", "caption", MB_YESNO});
    RemoveHooks();
    EXPECT_EQ(answer, IDYES);
}

// Once the game is being ended from outside, a box is not put up: it takes
// its default button and says so.
TEST_F(InWindowBoxKeys, NoBoxWhileTheGameIsEndedFromOutside) {
    RequestEndSession("test");
    EXPECT_EQ(ShowMessageBoxInWindow({"question", "caption", MB_YESNO}), IDYES);
    EXPECT_EQ(platform::DialogWindowCount(), 0);
}

}  // namespace
