#include "shell/dialog_fixture.h"

TEST_F(DialogTest, DoModalReturnsTheResultGivenToEndAndTheWindowIsGoneAfterwards) {
    m_dialog.onInit = [](TestDialog& d) { d.End(7); };
    EXPECT_EQ(m_dialog.DoModal(0), 7);
    EXPECT_EQ(m_dialog.m_hWnd, nullptr);
    EXPECT_EQ(platform::DialogWindowCount(), 0);
}

TEST_F(DialogTest, DoModalOnAnObjectWhoseWindowExistsReturns0AndShowsNothing) {
    LRESULT again = -5;
    int dialogsDuring = 0;
    m_dialog.onInit = [&](TestDialog& d) {
        again = d.DoModal(0);
        dialogsDuring = platform::DialogWindowCount();
        d.EndSoon(3);
    };
    EXPECT_EQ(m_dialog.DoModal(0), 3);
    EXPECT_EQ(again, 0);
    EXPECT_EQ(dialogsDuring, 1);
}

TEST_F(DialogTest, CloseEndsTheDialogWith0) {
    m_dialog.onInit = [](TestDialog& d) {
        d.m_nResult = 9;
        PostMessageA(d.m_hWnd, WM_CLOSE, 0, 0);
    };
    EXPECT_EQ(m_dialog.DoModal(0), 0);
}

TEST_F(DialogTest, AMissingResourceGivesMinusOne) {
    m_dialog.m_nId = 999;
    EXPECT_EQ(m_dialog.DoModal(0), -1);
    EXPECT_FALSE(KeyboardHookInstalled());
}

TEST_F(DialogTest, QuitDuringTheDialogEndsItAndReachesTheOuterLoop) {
    m_dialog.onInit = [](TestDialog&) { PostQuitMessage(4); };
    EXPECT_EQ(m_dialog.DoModal(0), 0);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(m.wParam, 4u);
}

TEST_F(DialogTest, InitialisationMarksTheWindowAndInstallsTheHookUntilTheOutermostRunReturns) {
    bool hookDuring = false;
    void* dlgClass = nullptr;
    void* hookProp = nullptr;
    m_dialog.onInit = [&](TestDialog& d) {
        hookDuring = KeyboardHookInstalled();
        dlgClass = GetPropA(d.m_hWnd, "DLG_CLASS");
        hookProp = GetPropA(d.m_hWnd, "cHook");
        d.End(1);
    };
    m_dialog.DoModal(0);
    EXPECT_TRUE(hookDuring);
    EXPECT_EQ(dlgClass, &m_dialog);
    EXPECT_EQ(hookProp, &m_dialog.m_Hook);
    EXPECT_FALSE(KeyboardHookInstalled());
}

TEST_F(DialogTest, AHookFoundBeforeTheRunStays) {
    cHook outer;
    ASSERT_TRUE(outer.Install(m_hwnd, 0));
    m_dialog.onInit = [](TestDialog& d) { d.End(1); };
    m_dialog.DoModal(0);
    EXPECT_TRUE(KeyboardHookInstalled());
}

TEST_F(DialogTest, TheRegistrysWindowsAreHiddenAndDisabledOnlyWhileTheDialogRuns) {
    cWindow other;
    other.m_hWnd = m_hwnd;
    m_registry.Add(&other);
    BOOL visibleDuring = TRUE;
    DWORD styleDuring = 0;
    m_dialog.onInit = [&](TestDialog& d) {
        visibleDuring = IsWindowVisible(m_hwnd);
        styleDuring = GetWindowLongA(m_hwnd, GWL_STYLE);
        d.End(1);
    };
    m_dialog.DoModal(kModalHideOthers | kModalDisableOthers);
    EXPECT_FALSE(visibleDuring);
    EXPECT_TRUE(styleDuring & WS_DISABLED);
    EXPECT_TRUE(IsWindowVisible(m_hwnd));
    EXPECT_FALSE(GetWindowLongA(m_hwnd, GWL_STYLE) & WS_DISABLED);
}

TEST_F(DialogTest, WithoutFlagsTheOtherWindowsStayVisible) {
    cWindow other;
    other.m_hWnd = m_hwnd;
    m_registry.Add(&other);
    BOOL visibleDuring = FALSE;
    m_dialog.onInit = [&](TestDialog& d) {
        visibleDuring = IsWindowVisible(m_hwnd);
        d.End(1);
    };
    m_dialog.DoModal(0);
    EXPECT_TRUE(visibleDuring);
}

struct PlacementCase {
    const char* name;
    int storedX;
    int storedY;
    bool moved;
    int x;  // expected corner when moved
    int y;
};

class DialogPlacement : public DialogTest, public ::testing::WithParamInterface<PlacementCase> {};

// The headless work area is 1920 x 1080; the dialog is 200 x 100.
TEST_P(DialogPlacement, StoredPositionIsPulledIntoTheWorkArea) {
    const PlacementCase& c = GetParam();
    m_dialog.m_nPosX = c.storedX;
    m_dialog.m_nPosY = c.storedY;
    RECT systemPlace{};
    RECT placed{};
    m_dialog.onInit = [&](TestDialog& d) {
        GetWindowRect(d.m_hWnd, &placed);
        d.End(1);
    };
    RECT owner;
    ASSERT_TRUE(GetWindowRect(m_hwnd, &owner));
    systemPlace.left = owner.left + (owner.right - owner.left) / 2 - kTestDialogWidth / 2;
    systemPlace.top = owner.top + (owner.bottom - owner.top) / 2 - kTestDialogHeight / 2;
    m_dialog.DoModal(0);
    EXPECT_EQ(placed.left, c.moved ? c.x : systemPlace.left);
    EXPECT_EQ(placed.top, c.moved ? c.y : systemPlace.top);
    EXPECT_EQ(placed.right - placed.left, kTestDialogWidth);
}

INSTANTIATE_TEST_SUITE_P(Cases, DialogPlacement,
                         ::testing::Values(PlacementCase{"Inside", 300, 200, true, 300, 200},
                                           PlacementCase{"NegativeBoth", -30, -5, true, 0, 0},
                                           PlacementCase{"RightEdgeBeyond", 1900, 50, true, 1720, 50},
                                           PlacementCase{"RightEdgeExactlyAtTheEdge", 1720, 50, true, 1720, 50},
                                           PlacementCase{"OneShortOfTheEdgeStays", 1719, 50, true, 1719, 50},
                                           PlacementCase{"BottomBeyond", 10, 1075, true, 10, 980},
                                           PlacementCase{"NoneX", -1000, 40, false, 0, 0},
                                           PlacementCase{"NoneY", 40, -1000, false, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, PushAllFillsInListOrderWithThePushingFlagSetAndPullAllReadsBack) {
    std::vector<std::string> log;
    FakeControl a(kControlCheck, 1, &log);
    FakeControl b(kControlRadio, 2, &log);
    m_dialog.AddControl(&a);
    m_dialog.AddControl(&b);
    a.Attach(&m_dialog, 1);
    m_dialog.PushAll();
    EXPECT_TRUE(a.pushedWhilePushing);
    EXPECT_EQ(m_dialog.m_bPushing, 0);
    m_dialog.PullAll();
    EXPECT_EQ(log, (std::vector<std::string>{"push1", "push2", "pull1", "pull2"}));
}

TEST_F(DialogTest, EndEmptiesTheBoundControlList) {
    FakeControl a(kControlCheck, 1);
    m_dialog.AddControl(&a);
    m_dialog.End(2);
    EXPECT_TRUE(m_dialog.Controls().empty());
    EXPECT_EQ(m_dialog.m_nResult, 2);
}

namespace {

class InnerDialog : public cDialog {
public:
    InnerDialog() {
        cDialogClass<InnerDialog>::Live = this;
        m_pfnProc = &cDialogClass<InnerDialog>::Proc;
    }
    ~InnerDialog() override { cDialogClass<InnerDialog>::Live = nullptr; }
    void OnInitDialog(WPARAM wParam, LPARAM lParam) override {
        cDialog::OnInitDialog(wParam, lParam);
        activeDuring = GetActiveWindow();
        End(6);
    }
    HWND activeDuring = nullptr;
};

}  // namespace

TEST_F(DialogTest, ANestedDialogIsActiveWhileItRunsAndLeavesTheHookToTheOuterOne) {
    InnerDialog inner;
    LRESULT innerResult = 0;
    bool hookAfterInner = false;
    HWND activeAfterInner = nullptr;
    m_dialog.onInit = [&](TestDialog& d) {
        inner.Init(kTestDialogResource, &d, &m_registry);
        innerResult = inner.DoModal(0);
        hookAfterInner = KeyboardHookInstalled();
        activeAfterInner = GetActiveWindow();
        d.End(1);
    };
    HWND outerWindow = nullptr;
    m_dialog.onInit = [&, first = m_dialog.onInit](TestDialog& d) {
        outerWindow = d.m_hWnd;
        first(d);
    };
    EXPECT_EQ(m_dialog.DoModal(0), 1);
    EXPECT_EQ(innerResult, 6);
    EXPECT_NE(inner.activeDuring, outerWindow);
    EXPECT_NE(inner.activeDuring, m_hwnd);
    EXPECT_NE(inner.activeDuring, nullptr);
    EXPECT_TRUE(hookAfterInner);
    EXPECT_EQ(activeAfterInner, outerWindow);
    EXPECT_FALSE(KeyboardHookInstalled());
    EXPECT_EQ(GetActiveWindow(), m_hwnd);
}

TEST_F(DialogTest, PlacedAgainstAWindowObjectTheDialogIsCentredOnItWhenAsked) {
    RECT owner;
    ASSERT_TRUE(GetWindowRect(m_hwnd, &owner));
    for (int centre : {0, 1}) {
        m_dialog.m_pPlaceAgainst = &MainWindow;
        m_dialog.m_bCentre = centre;
        m_dialog.m_nPosX = 5;  // ignored: the object wins
        m_dialog.m_nPosY = 5;
        RECT placed{};
        m_dialog.onInit = [&](TestDialog& d) {
            GetWindowRect(d.m_hWnd, &placed);
            d.End(1);
        };
        m_dialog.DoModal(0);
        int x = owner.left + (centre ? kScreenWidth / 2 - kTestDialogWidth / 2 : 0);
        int y = owner.top + (centre ? kScreenHeight / 2 - kTestDialogHeight / 2 : 0);
        EXPECT_EQ(placed.left, x) << centre;
        EXPECT_EQ(placed.top, y) << centre;
    }
}
