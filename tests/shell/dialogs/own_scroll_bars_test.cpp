#include <gtest/gtest.h>

#include "draw/device/pixel_format.h"
#include "draw/pixel_ops.h"
#include "shell/dialog_fixture.h"
#include "shell/dialogs/dialog_painter.h"

namespace {

constexpr int kBar = 16;
constexpr int kViewW = kTestDialogWidth - kBar;
constexpr int kViewH = kTestDialogHeight - kBar;
constexpr int kExtentW = 400;
constexpr int kExtentH = 300;

// An item's rectangle in its dialog's client area.
RECT ItemRect(HWND dialog, HWND item) {
    RECT d;
    RECT i;
    EXPECT_TRUE(GetWindowRect(dialog, &d));
    EXPECT_TRUE(GetWindowRect(item, &i));
    return RECT{i.left - d.left, i.top - d.top, i.right - d.left, i.bottom - d.top};
}

void ExpectRect(const RECT& r, int left, int top, int right, int bottom) {
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

SCROLLINFO InfoOf(const cScrollControl& c) {
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    EXPECT_TRUE(GetScrollInfo(c.m_hWnd, SB_CTL, &info));
    return info;
}

class OwnScrollBars : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        m_dialog.SetLayout(kTestDialogWidth, kTestDialogHeight, 100, 100, 640, 480, 0, 0, 0, 0, 0, 3);
        m_dialog.m_nScrollWidth = kExtentW;
        m_dialog.m_nScrollHeight = kExtentH;
    }
};

TEST_F(OwnScrollBars, TheViewFillsTheDrawableAreaAndTheBarsLieBelowAndAtTheRight) {
    int runs = 0;
    m_dialog.onInit = [&](TestDialog& d) {
        ++runs;
        ASSERT_TRUE(d.m_pView && d.m_pHScroll && d.m_pVScroll);
        ExpectRect(ItemRect(d.m_hWnd, d.m_pView->m_hWnd), 0, 0, kViewW, kViewH);
        ExpectRect(ItemRect(d.m_hWnd, d.m_pHScroll->m_hWnd), 0, kViewH, kViewW, kTestDialogHeight);
        ExpectRect(ItemRect(d.m_hWnd, d.m_pVScroll->m_hWnd), kViewW, 0, kTestDialogWidth, kViewH);
        EXPECT_EQ(d.m_pView->m_nKind, kControlView);
        EXPECT_EQ(d.m_pView->Holder(0).Width(), kViewW);
        EXPECT_EQ(d.m_pView->Holder(1).Height(), kViewH);
        struct Expect {
            const cScrollControl* bar;
            int max;
            UINT page;
        };
        for (const Expect& e : {Expect{d.m_pHScroll.get(), kExtentW - 1, static_cast<UINT>(kViewW)},
                                Expect{d.m_pVScroll.get(), kExtentH - 1, static_cast<UINT>(kViewH)}}) {
            EXPECT_EQ(e.bar->m_nKind, kControlScroll);
            EXPECT_EQ(GetPropA(e.bar->m_hWnd, kScrollClassProp), e.bar);
            SCROLLINFO info = InfoOf(*e.bar);
            EXPECT_EQ(info.nMin, 0);
            EXPECT_EQ(info.nMax, e.max);
            EXPECT_EQ(info.nPage, e.page);
            EXPECT_EQ(info.nPos, 0);
        }
        d.EndSoon(1);
    };
    m_dialog.DoModal(0);
    EXPECT_EQ(runs, 1);
}

TEST_F(OwnScrollBars, OnlyTheBarsTheLayoutAsksForAreMade) {
    m_dialog.SetLayout(kTestDialogWidth, kTestDialogHeight, 100, 100, 640, 480, 0, 0, 0, 0, 0, 2);
    bool made = false;
    m_dialog.onInit = [&](TestDialog& d) {
        made = d.m_pView && d.m_pVScroll && !d.m_pHScroll;
        // Without a bar below, the view reaches the bottom edge.
        if (made) ExpectRect(ItemRect(d.m_hWnd, d.m_pView->m_hWnd), 0, 0, kViewW, kTestDialogHeight);
        d.EndSoon(1);
    };
    m_dialog.DoModal(0);
    EXPECT_TRUE(made);
}

TEST_F(DialogTest, ADialogWithoutOwnScrollBarsHasNoViewOrBars) {
    bool none = false;
    m_dialog.onInit = [&](TestDialog& d) {
        none = !d.m_pView && !d.m_pHScroll && !d.m_pVScroll;
        d.EndSoon(1);
    };
    m_dialog.DoModal(0);
    EXPECT_TRUE(none);
}

struct ScrollCase {
    const char* name;
    std::vector<int> keys;
    int h;
    int v;
    int paints;
};

class OwnScrollKeys : public OwnScrollBars, public ::testing::WithParamInterface<ScrollCase> {};

// The keys reach the bars through the dialog's scroll messages; the thumb
// stays where a whole page still shows, and only a move repaints.
TEST_P(OwnScrollKeys, KeysMoveTheThumbsAndRepaintOnlyOnAMove) {
    const ScrollCase& c = GetParam();
    int h = -1;
    int v = -1;
    m_dialog.onInit = [&](TestDialog& d) {
        for (int key : c.keys) {
            PostKey(WM_KEYDOWN, key);
            PostKey(WM_KEYUP, key);
        }
        d.EndSoon(1);
    };
    m_dialog.onEnd = [&](TestDialog& d) {
        h = d.m_pHScroll->Position();
        v = d.m_pVScroll->Position();
    };
    m_dialog.DoModal(0);
    EXPECT_EQ(h, c.h);
    EXPECT_EQ(v, c.v);
    EXPECT_EQ(m_dialog.paints, c.paints);
}

constexpr int kLastV = kExtentH - kViewH;
constexpr int kLastH = kExtentW - kViewW;

INSTANTIATE_TEST_SUITE_P(
    Cases, OwnScrollKeys,
    ::testing::Values(ScrollCase{"Down", {VK_DOWN}, 0, 1, 1}, ScrollCase{"UpAtTheTop", {VK_UP}, 0, 0, 0},
                      ScrollCase{"DownUp", {VK_DOWN, VK_DOWN, VK_UP}, 0, 1, 3},
                      ScrollCase{"PageDown", {VK_NEXT}, 0, kViewH, 1},
                      ScrollCase{"PageDownPastTheEnd", {VK_NEXT, VK_NEXT, VK_NEXT, VK_NEXT}, 0, kLastV, 3},
                      ScrollCase{"RightThenPageRight", {VK_RIGHT, VK_END}, 1 + kViewW, 0, 2},
                      ScrollCase{"PageRightPastTheEnd", {VK_END, VK_END, VK_END}, kLastH, 0, 2},
                      ScrollCase{"LeftAtTheStart", {VK_LEFT, VK_HOME}, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct RequestCase {
    const char* name;
    int request;
    int thumb;
    int from;
    int to;
};

class ScrollRequests : public OwnScrollBars, public ::testing::WithParamInterface<RequestCase> {};

TEST_P(ScrollRequests, ARequestPutsTheThumbWithinItsRange) {
    const RequestCase& c = GetParam();
    int to = -1;
    bool moved = false;
    m_dialog.onInit = [&](TestDialog& d) {
        cScrollControl& bar = *d.m_pVScroll;
        bar.ApplyRequest(static_cast<WPARAM>((c.from << 16) | 4));
        moved = bar.ApplyRequest(static_cast<WPARAM>((c.thumb << 16) | c.request));
        to = bar.Position();
        d.EndSoon(1);
    };
    m_dialog.DoModal(0);
    EXPECT_EQ(to, c.to);
    EXPECT_EQ(moved, c.from != c.to);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrollRequests,
                         ::testing::Values(RequestCase{"LineUp", SB_LINEUP, 0, 10, 9},
                                           RequestCase{"PageUpStopsAtTheTop", SB_PAGEUP, 0, 10, 0},
                                           RequestCase{"ThumbTo", 5, 120, 10, 120},
                                           RequestCase{"ThumbPastTheEnd", 4, 999, 10, kLastV},
                                           RequestCase{"Top", 6, 0, 50, 0}, RequestCase{"Bottom", 7, 0, 50, kLastV},
                                           RequestCase{"UnknownRequest", 8, 0, 50, 50}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OwnScrollBars, TheFocusGivenToABarGoesToTheView) {
    HWND focus = nullptr;
    HWND view = nullptr;
    m_dialog.onInit = [&](TestDialog& d) {
        d.m_bInitialised = 1;
        view = d.m_pView->m_hWnd;
        SetFocus(d.m_pVScroll->m_hWnd);
        // Any message the dialog handles moves the focus on.
        PostMessageA(d.m_hWnd, WM_USER + 1, 0, 0);
        d.EndSoon(1);
    };
    m_dialog.onEnd = [&](TestDialog&) { focus = GetFocus(); };
    m_dialog.DoModal(0);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(focus, view);
}

TEST_F(OwnScrollBars, TheViewShowsWhatItsOwnerDrewElseItsText) {
    std::uint32_t before = 0;
    std::uint32_t after = 0;
    m_dialog.onInit = [&](TestDialog& d) {
        d.m_pView->SetText("view");
        DDPIXELS screen;
        screen.Allocate(D3DFMT_X8R8G8B8, 640, 480);
        auto at = [&] {
            std::vector<platform::DialogView> views = platform::OpenDialogViews();
            ComposeDialogScreen(screen, platform::Frame{}, views);
            const POINT o = views.back().origin;
            return screen.Row<std::uint32_t>(o.y + kViewH / 2)[o.x + kViewW / 2] & 0xFFFFFFu;
        };
        before = at();
        cMemDc& dc = d.m_pView->Holder(0);
        ClearPixels(dc.First(), 0, 0, dc.Width(), dc.Height(), 0xFFC02010u);
        d.m_pView->Show();
        after = at();
        d.EndSoon(1);
    };
    m_dialog.DoModal(0);
    EXPECT_EQ(before, 0xFFFFFFu);
    EXPECT_EQ(after, 0xC02010u);
}

struct MoveCase {
    const char* name;
    int width;
    int height;
};

class ControlMove : public DialogTest, public ::testing::WithParamInterface<MoveCase> {};

// A control keeps its corner and takes the new size.
TEST_P(ControlMove, TheItemKeepsItsPlaceAndTakesTheSize) {
    const MoveCase& c = GetParam();
    RECT moved;
    POINT client;
    m_dialog.onInit = [&](TestDialog& d) {
        d.control.Move(c.width, c.height);
        moved = ItemRect(d.m_hWnd, d.control.m_hWnd);
        client = d.control.m_ptClient;
        d.EndSoon(1);
    };
    m_dialog.DoModal(0);
    ExpectRect(moved, 10, 10, 10 + c.width, 10 + c.height);
    EXPECT_EQ(client.x, 10);
    EXPECT_EQ(client.y, 10);
}

INSTANTIATE_TEST_SUITE_P(Cases, ControlMove,
                         ::testing::Values(MoveCase{"Smaller", 50, 12}, MoveCase{"Larger", 180, 60},
                                           MoveCase{"OnePixel", 1, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, MovingAControlWithoutAnItemDoesNothing) {
    FakeControl missing(kControlEdit, 999);
    bool found = true;
    m_dialog.onInit = [&](TestDialog& d) {
        missing.Attach(&d, 999);
        found = missing.m_hWnd != nullptr;
        missing.Move(50, 50);
        d.EndSoon(1);
    };
    m_dialog.DoModal(0);
    EXPECT_FALSE(found);
    EXPECT_EQ(missing.m_ptClient.x, 0);
}

}  // namespace
