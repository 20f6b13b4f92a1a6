#include <gtest/gtest.h>

#include <string>

#include "foundation/dialog_text.h"
#include "platform/dialog_window.h"

namespace {

constexpr int kResource = 700;
constexpr int kItem = 3;

struct TextCase {
    const char* name;
    std::string stored;
    int maxCount;
    std::string expected;
};

// Each case runs inside a dialog's initialisation, where its items exist.
std::string g_stored;
int g_max = 0;
std::string g_read;

LRESULT ReadProc(HWND dialog, UINT msg, WPARAM, LPARAM) {
    if (msg != WM_INITDIALOG) return 0;
    SetDlgItemString(dialog, kItem, g_stored);
    GetDlgItemString(dialog, kItem, g_read, g_max);
    EndDialog(dialog, 1);
    return 1;
}

class DialogText : public ::testing::TestWithParam<TextCase> {
protected:
    void SetUp() override {
        platform::DialogTemplate t;
        t.width = 100;
        t.height = 50;
        t.items.push_back({kItem, "old", platform::DialogItemKind::Edit, RECT{0, 0, 50, 20}, true});
        platform::RegisterDialogTemplate(kResource, t);
    }
    void TearDown() override { platform::ClearDialogTemplates(); }
};

TEST_P(DialogText, ReadBackIsCutAtMaxCountLessOne) {
    const TextCase& c = GetParam();
    g_stored = c.stored;
    g_max = c.maxCount;
    g_read = "junk";
    ASSERT_EQ(DialogBoxParamA(nullptr, kResource, nullptr, ReadProc, 0), 1);
    EXPECT_EQ(g_read, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DialogText,
    ::testing::Values(TextCase{"Whole", "abc", 10, "abc"}, TextCase{"ExactFit", "abc", 4, "abc"},
                      TextCase{"Cut", "abcdef", 4, "abc"}, TextCase{"CountOneGivesEmpty", "abc", 1, ""},
                      TextCase{"CountZeroGivesEmpty", "abc", 0, ""}, TextCase{"NegativeCount", "abc", -3, ""},
                      TextCase{"EmptyClears", "", 10, ""},
                      TextCase{"ShiftJisKeptAsBytes", "\x83\x65\x83\x58", 3, "\x83\x65"},
                      TextCase{"CountHeldToTheBuffer", std::string(6000, 'x'), 9000, std::string(5119, 'x')}),
    [](const auto& info) { return std::string(info.param.name); });

LRESULT MissingProc(HWND dialog, UINT msg, WPARAM, LPARAM) {
    if (msg != WM_INITDIALOG) return 0;
    g_read = "junk";
    GetDlgItemString(dialog, kItem + 1, g_read, 10);
    SetDlgItemString(dialog, kItem + 1, "x");
    EndDialog(dialog, 2);
    return 1;
}

TEST_F(DialogText, AMissingItemReadsEmpty) {
    ASSERT_EQ(DialogBoxParamA(nullptr, kResource, nullptr, MissingProc, 0), 2);
    EXPECT_EQ(g_read, "");
}

}  // namespace
