#include "dialog_fixture.h"

struct ScrollKeyCase {
    const char* name;
    int key;
    UINT msg;
    int request;
};

class DialogScrollKeys : public DialogTest, public ::testing::WithParamInterface<ScrollKeyCase> {};

// Arrow keys come through the navigation message, page keys as plain key
// presses; either way the dialog scrolls exactly once.
TEST_P(DialogScrollKeys, AKeyPressScrollsOnce) {
    const ScrollKeyCase& c = GetParam();
    m_dialog.onInit = [&](TestDialog& d) {
        PostKey(WM_KEYDOWN, c.key);
        PostKey(WM_KEYUP, c.key);
        d.EndSoon(1);
    };
    m_dialog.DoModal(0);
    ASSERT_EQ(m_dialog.scrolls.size(), 1u);
    EXPECT_EQ(m_dialog.scrolls[0].first, c.msg);
    EXPECT_EQ(m_dialog.scrolls[0].second, c.request);
    EXPECT_EQ(m_dialog.keyDowns, std::vector<int>{c.key});
    EXPECT_EQ(m_dialog.control.scrolls, 1);
    EXPECT_EQ(m_dialog.control.keys.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, DialogScrollKeys,
                         ::testing::Values(ScrollKeyCase{"Up", VK_UP, WM_VSCROLL, SB_LINEUP},
                                           ScrollKeyCase{"Down", VK_DOWN, WM_VSCROLL, SB_LINEDOWN},
                                           ScrollKeyCase{"Left", VK_LEFT, WM_HSCROLL, SB_LINELEFT},
                                           ScrollKeyCase{"Right", VK_RIGHT, WM_HSCROLL, SB_LINERIGHT},
                                           ScrollKeyCase{"PageUp", VK_PRIOR, WM_VSCROLL, SB_PAGEUP},
                                           ScrollKeyCase{"PageDown", VK_NEXT, WM_VSCROLL, SB_PAGEDOWN},
                                           ScrollKeyCase{"Home", VK_HOME, WM_HSCROLL, SB_PAGELEFT},
                                           ScrollKeyCase{"End", VK_END, WM_HSCROLL, SB_PAGERIGHT}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, ReturnReachesTheDialogOnceAndPressesTheDefaultButton) {
    m_dialog.onInit = [&](TestDialog& d) {
        PostKey(WM_KEYDOWN, VK_RETURN);
        d.EndSoon(1);
    };
    m_dialog.DoModal(0);
    EXPECT_EQ(m_dialog.keyDowns, std::vector<int>{VK_RETURN});
    EXPECT_EQ(m_dialog.commands, std::vector<int>{IDOK});
}

TEST_F(DialogTest, EscapeInTheDialogIsNotSwallowedAndCancels) {
    m_dialog.onInit = [&](TestDialog& d) {
        PostKey(WM_KEYDOWN, VK_ESCAPE);
        d.EndSoon(1);
    };
    m_dialog.DoModal(0);
    EXPECT_EQ(m_dialog.keyDowns, std::vector<int>{VK_ESCAPE});
    EXPECT_EQ(m_dialog.commands, std::vector<int>{IDCANCEL});
}

TEST_F(DialogTest, TabGoesOnWithoutReachingTheDialog) {
    m_dialog.onInit = [&](TestDialog& d) {
        PostKey(WM_KEYDOWN, VK_TAB);
        d.EndSoon(1);
    };
    m_dialog.DoModal(0);
    EXPECT_TRUE(m_dialog.keyDowns.empty());
    EXPECT_TRUE(m_dialog.commands.empty());
}

TEST_F(DialogTest, EscapeInAMessageBoxShownFromTheDialogIsSwallowedAndOtherKeysAreNot) {
    std::vector<bool> swallowed;
    platform::SetMessageBoxHandler([&](const platform::MessageBoxRecord&) {
        // A message box takes its keys through the thread's hooks.
        for (int vk : {VK_ESCAPE, VK_RETURN, VK_UP}) {
            swallowed.push_back(platform::FilterKeyMessage(MSG{m_hwnd, WM_KEYDOWN, static_cast<WPARAM>(vk), 0}));
        }
        return IDOK;
    });
    m_dialog.onInit = [&](TestDialog& d) {
        MessageBoxA(d.m_hWnd, "text", "caption", MB_OK);
        d.EndSoon(1);
    };
    m_dialog.DoModal(0);
    EXPECT_EQ(swallowed, (std::vector<bool>{true, false, false}));
    // Nothing of the box's keys reached the dialog.
    EXPECT_TRUE(m_dialog.keyDowns.empty());
    EXPECT_TRUE(m_dialog.scrolls.empty());
}

TEST_F(DialogTest, CtrlHeldFlagFollowsTheControlKeyAndReachesTheControls) {
    int heldDuring = -1;
    m_dialog.onInit = [&](TestDialog& d) {
        PostKey(WM_KEYDOWN, VK_CONTROL);
        PostKey(WM_KEYDOWN, 'A');
        d.EndSoon(1);
    };
    m_dialog.DoModal(0);
    heldDuring = CtrlHeld;
    ASSERT_EQ(m_dialog.control.keys.size(), 2u);
    EXPECT_EQ(m_dialog.control.keys[1], (std::pair<int, int>{'A', 1}));
    EXPECT_EQ(heldDuring, 1);

    m_dialog.onInit = [&](TestDialog& d) {
        PostKey(WM_KEYUP, VK_CONTROL);
        d.EndSoon(1);
    };
    m_dialog.DoModal(0);
    EXPECT_EQ(CtrlHeld, 0);
}

TEST_F(DialogTest, ReleasesReachTheDialogWithTheReleaseBitsSet) {
    std::vector<LPARAM> upData;
    // Observe through the hook directly: the dialog is the active window.
    m_dialog.onInit = [&](TestDialog& d) {
        MSG up{m_hwnd, WM_KEYUP, 'B', 0};
        EXPECT_FALSE(platform::FilterKeyMessage(up));
        MSG m;
        while (PeekMessageA(&m, nullptr, WM_KEYUP, WM_KEYUP, PM_REMOVE)) upData.push_back(m.lParam);
        d.End(1);
    };
    m_dialog.DoModal(0);
    ASSERT_EQ(upData.size(), 1u);
    EXPECT_EQ(static_cast<std::uint32_t>(upData[0]) & 0xC0000000u, 0xC0000000u);
}

TEST_F(DialogTest, KeysOutsideAnyDialogPassTheHookUntouched) {
    cHook hook;
    ASSERT_TRUE(hook.Install(m_hwnd, 0));
    RemovePropA(m_hwnd, "cHook");
    // The main window is active and has no hook object: only Escape is kept
    // from it, as from any window that is not a dialog of the framework.
    EXPECT_TRUE(platform::FilterKeyMessage(MSG{m_hwnd, WM_KEYDOWN, VK_ESCAPE, 0}));
    EXPECT_FALSE(platform::FilterKeyMessage(MSG{m_hwnd, WM_KEYDOWN, VK_UP, 0}));
    EXPECT_EQ(cHook::HookProc(HC_NOREMOVE, VK_ESCAPE, 0), 0);
    EXPECT_EQ(cHook::HookProc(-1, VK_ESCAPE, 0), 0);
}
