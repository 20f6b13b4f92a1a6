#include "shell/startup/startup_dialog.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/dialog_window.h"
#include "platform/files.h"
#include "platform/headless_input.h"
#include "platform/keyboard.h"
#include "shell/dialogs/dialog_painter.h"
#include "shell/dialogs/keyboard_hook.h"
#include "shell/dialogs/resources.h"
#include "shell/shell_fixture.h"

namespace {

// A host key press as the window backend posts it.
struct Press {
    UINT msg;
    int vk;
};

struct StartupCase {
    const char* name;
    int storedChoice;
    std::vector<Press> presses;
    int result;
    // The two members Boot.dat holds afterwards; none when it is not written.
    bool written;
    int choice;
    int noAsk;
};

constexpr Press Key(int vk) { return Press{WM_KEYDOWN, vk}; }

class StartupDialogTest : public MainWindowTest, public ::testing::WithParamInterface<StartupCase> {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        platform::ReleaseAllKeys();
        ASSERT_TRUE(platform::CreateDirectoryA("user_data"));
        RegisterPlayerDialogs();
        SystemIni.English = 0;
    }
    void TearDown() override {
        platform::SetDialogPainter(nullptr);
        RemoveHooks();
        platform::ClearDialogTemplates();
        MainWindowTest::TearDown();
    }
    // Reads Boot.dat as its five little-endian ints.
    std::vector<std::int32_t> BootFile() {
        std::vector<std::uint8_t> bytes;
        if (!platform::ReadWholeFile("user_data\\Boot.dat", bytes)) return {};
        std::vector<std::int32_t> ints(bytes.size() / 4);
        std::memcpy(ints.data(), bytes.data(), ints.size() * 4);
        EXPECT_EQ(bytes.size(), 20u);
        return ints;
    }

    TempDir m_dir;
};

TEST_P(StartupDialogTest, KeysChooseWhatBootDatKeeps) {
    const StartupCase& c = GetParam();
    cBootData boot;
    boot.m_nDrawMode = c.storedChoice;
    for (const Press& p : c.presses) PostMessageA(m_hwnd, p.msg, static_cast<WPARAM>(p.vk), 0);
    cStartupDialog dialog(boot);
    EXPECT_EQ(dialog.DoModal(0), c.result);
    std::vector<std::int32_t> file = BootFile();
    if (!c.written) {
        EXPECT_TRUE(file.empty());
        return;
    }
    EXPECT_EQ(file, (std::vector<std::int32_t>{kDataVersion, 2, c.choice, c.noAsk, 0}));
}

// The focus starts on Start; Tab goes Start, Cancel, Direct3D, DirectDraw,
// the tick.
INSTANTIATE_TEST_SUITE_P(
    Cases, StartupDialogTest,
    ::testing::Values(
        StartupCase{"ReturnStartsWithTheLoadedChoice", 1, {Key(VK_RETURN)}, 1, true, 1, 0},
        StartupCase{"DirectDrawAndTheTick",
                    1,
                    {Key(VK_TAB), Key(VK_TAB), Key(VK_RIGHT), Key(VK_TAB), Key(VK_SPACE), Key(VK_RETURN)},
                    1,
                    true,
                    0,
                    1},
        StartupCase{"BackToDirect3D", 0, {Key(VK_TAB), Key(VK_TAB), Key(VK_SPACE), Key(VK_RETURN)}, 1, true, 1, 0},
        StartupCase{"AChoiceOfFiveStaysWhenNoButtonIsChecked", 5, {Key(VK_RETURN)}, 1, true, 5, 0},
        StartupCase{"CancelWritesNothing", 1, {Key(VK_TAB), Key(VK_RETURN)}, 0, false, 0, 0},
        StartupCase{"EscapeDoesNotCloseItCancelDoes", 1, {Key(VK_ESCAPE), Key(VK_TAB), Key(VK_SPACE)}, 0, false, 0, 0},
        StartupCase{"TheCloseBoxIsCancel", 1, {Press{WM_CLOSE, 0}}, 0, false, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, StartupDialogInEnglishShowsEnglishTextsUnderTheGameTitle) {
    TempDir dir;
    RegisterPlayerDialogs();
    SystemIni.English = 1;
    std::vector<platform::DialogView> seen;
    platform::SetDialogPainter([&] {
        seen = platform::OpenDialogViews();
        PostMessageA(m_hwnd, WM_CLOSE, 0, 0);
    });
    cBootData boot;
    cStartupDialog dialog(boot);
    EXPECT_EQ(dialog.DoModal(0), 0);
    platform::SetDialogPainter(nullptr);
    SystemIni.English = 0;
    ASSERT_EQ(seen.size(), 1u);
    std::map<int, std::string> texts;
    for (const auto& item : seen[0].items) texts[item.id] = item.state.text;
    EXPECT_EQ(texts[1006], "Drawing mode");
    EXPECT_EQ(texts[1000], "Start");
    EXPECT_EQ(texts[1001], "Cancel");
    EXPECT_EQ(texts[1005], "Configure the detail settings at \"System.ini\".");
    EXPECT_EQ(texts[1004], "Do not ask this dialog again");
    // 222 x 171 dialog units, 1.5 pixels each, at the main window's corner
    // plus (133, 104).
    EXPECT_EQ(seen[0].width, 333);
    EXPECT_EQ(seen[0].height, 256);
    EXPECT_EQ(seen[0].origin.x, 133);
    EXPECT_EQ(seen[0].origin.y, 104);
    platform::ClearDialogTemplates();
    RemoveHooks();
}

TEST_F(MainWindowTest, ChooseDrawingModeAsksOnlyWhenSystemIniLeavesItOpenAndBootDatDoesNotSayNo) {
    TempDir dir;
    ASSERT_TRUE(platform::CreateDirectoryA("user_data"));
    cBootData stored;
    stored.m_nDrawMode = 0;
    stored.m_nNoAsk = 1;
    ASSERT_EQ(stored.SaveFile("user_data\\Boot.dat"), 1);
    int asked = 0;
    platform::SetDialogPainter([&] { ++asked; });
    SystemIni.Direct3D = 2;
    EXPECT_TRUE(ChooseDrawingMode());
    EXPECT_EQ(SystemIni.Direct3D, 0);
    EXPECT_EQ(asked, 0);
    platform::SetDialogPainter(nullptr);
    SystemIni.Direct3D = 1;
}

TEST_F(MainWindowTest, AnUnattendedRunWithoutScriptedInputTakesTheDefaultButtonInsteadOfWaiting) {
    TempDir dir;
    ASSERT_TRUE(platform::CreateDirectoryA("user_data"));
    RegisterPlayerDialogs();
    platform::headless::ClearSchedule();
    // Input still to come keeps the dialog waiting for it: the keys
    // scheduled here press Cancel before the default could be taken.
    for (int vk : {VK_TAB, VK_RETURN}) {
        platform::headless::ScheduleWindowMessage(0, WM_KEYDOWN, static_cast<WPARAM>(vk), 0);
        platform::headless::ScheduleWindowMessage(0, WM_KEYUP, static_cast<WPARAM>(vk), 0);
    }
    platform::SetUnattendedDialogs(true);
    cBootData cancelled;
    cStartupDialog waiting(cancelled);
    EXPECT_EQ(waiting.DoModal(0), 0);
    EXPECT_FALSE(platform::FileExists("user_data\\Boot.dat"));
    // Nothing left in the script: the Start button answers.
    cBootData boot;
    boot.m_nDrawMode = 0;
    cStartupDialog dialog(boot);
    const LRESULT result = dialog.DoModal(0);
    platform::SetUnattendedDialogs(false);
    EXPECT_EQ(result, 1);
    cBootData stored;
    ASSERT_EQ(stored.LoadFile("user_data\\Boot.dat"), 1);
    EXPECT_EQ(stored.m_nDrawMode, 0);
    platform::ClearDialogTemplates();
    RemoveHooks();
}

}  // namespace
