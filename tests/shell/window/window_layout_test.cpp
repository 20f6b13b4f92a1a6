#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "platform/dialog_window.h"
#include "shell/window.h"

namespace {

class MetricsTable : public ::testing::Test {
protected:
    void SetUp() override {
        platform::OverrideSystemMetric(SM_CYCAPTION, 19);
        platform::OverrideSystemMetric(SM_CXFRAME, 4);
        platform::OverrideSystemMetric(SM_CYFRAME, 5);
        platform::OverrideSystemMetric(SM_CXDLGFRAME, 3);
        platform::OverrideSystemMetric(SM_CYDLGFRAME, 2);
        platform::OverrideSystemMetric(SM_CXVSCROLL, 17);
        platform::OverrideSystemMetric(SM_CYHSCROLL, 15);
        platform::OverrideSystemMetric(SM_CYMENU, 20);
    }
    void TearDown() override { platform::ResetSystemMetrics(); }
};

struct FrameCase {
    const char* name;
    DWORD style;
    int menu;
    int ownScroll;
    RECT frame;
    RECT extra;
};

class WindowFrame : public MetricsTable, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(WindowFrame, ThicknessesOuterSizeAndDrawableArea) {
    const FrameCase& c = GetParam();
    cWindow w;
    w.SetLayout(300, 200, 100, 100, 640, 480, c.style, c.menu, 0, 0, 0, c.ownScroll);
    EXPECT_EQ(w.m_rcFrame.left, c.frame.left);
    EXPECT_EQ(w.m_rcFrame.top, c.frame.top);
    EXPECT_EQ(w.m_rcFrame.right, c.frame.right);
    EXPECT_EQ(w.m_rcFrame.bottom, c.frame.bottom);
    EXPECT_EQ(w.m_rcExtra.right, c.extra.right);
    EXPECT_EQ(w.m_rcExtra.bottom, c.extra.bottom);
    EXPECT_EQ(w.m_nOuterWidth, 300 + c.frame.left + c.frame.right + c.extra.left + c.extra.right);
    EXPECT_EQ(w.m_nOuterHeight, 200 + c.frame.top + c.frame.bottom + c.extra.top + c.extra.bottom);
    EXPECT_EQ(w.m_rcDraw.right, 300 - c.extra.left - c.extra.right);
    EXPECT_EQ(w.m_rcDraw.bottom, 200 - c.extra.top - c.extra.bottom);
}

// WS_CAPTION holds the dialog-frame bit, so a caption brings a dialog frame
// unless the frame is thick.
INSTANTIATE_TEST_SUITE_P(
    Cases, WindowFrame,
    ::testing::Values(FrameCase{"Plain", 0, 0, 0, {0, 0, 0, 0}, {}},
                      FrameCase{"Caption", WS_CAPTION, 0, 0, {3, 21, 3, 2}, {}},
                      FrameCase{"CaptionThick", WS_CAPTION | WS_THICKFRAME, 0, 0, {4, 24, 4, 5}, {}},
                      FrameCase{"MainWindowStyle", 0x80CB0000u, 0, 0, {3, 21, 3, 2}, {}},
                      FrameCase{"DialogFrameOnly", WS_DLGFRAME, 0, 0, {3, 21, 3, 2}, {}},
                      FrameCase{"HostScrollBars", WS_HSCROLL | WS_VSCROLL, 0, 0, {0, 0, 17, 15}, {}},
                      FrameCase{"MenuBeforeTheWindowExists", 0, 1, 0, {0, 20, 0, 0}, {}},
                      FrameCase{"OwnHorizontalBar", 0, 0, 1, {0, 0, 0, 0}, {0, 0, 0, 15}},
                      FrameCase{"OwnBothBars", 0, 0, 3, {0, 0, 0, 0}, {0, 0, 17, 15}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WindowFrameHost, TheHostsMetricsKeepTheMainWindowsOuterSizeAtItsClientSize) {
    cWindow w;
    w.SetLayout(640, 480, 100, 100, 640, 480, 0x80CB0000u);
    EXPECT_EQ(w.m_nOuterWidth, 640);
    EXPECT_EQ(w.m_nOuterHeight, 480);
}

TEST_F(MetricsTable, ADialogObjectLeavesTheFrameToItsResource) {
    cWindow w;
    w.m_bDialog = 1;
    w.SetLayout(0, 0, 100, 100, 640, 480, WS_CAPTION);
    EXPECT_EQ(w.m_rcFrame.top, 0);
    w.UpdateFrame();
    EXPECT_EQ(w.m_rcFrame.top, 21);
}

TEST_F(MetricsTable, TrackingLimitsAreTheClientLimitsPlusFrameAndExtraSpace) {
    cWindow w;
    w.SetLayout(300, 200, 100, 90, 640, 480, WS_CAPTION, 0, 0, 0, 0, 2);
    MINMAXINFO info{};
    EXPECT_EQ(w.HandleMessage(nullptr, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)), 1);
    EXPECT_EQ(info.ptMinTrackSize.x, 100 + 3 + 3 + 17);
    EXPECT_EQ(info.ptMinTrackSize.y, 90 + 21 + 2);
    EXPECT_EQ(info.ptMaxTrackSize.x, 640 + 3 + 3 + 17);
    EXPECT_EQ(info.ptMaxTrackSize.y, 480 + 21 + 2);
}

struct SlotWindow : cWindow {
    std::vector<std::string> calls;
    void OnMouseMove(WPARAM, LPARAM) override { calls.push_back("move"); }
    void OnLButtonDown(WPARAM, LPARAM) override { calls.push_back("ldown"); }
    void OnRButtonDown(WPARAM, LPARAM) override { calls.push_back("rdown"); }
    void OnLButtonDblClk(WPARAM, LPARAM) override { calls.push_back("ldbl"); }
    void OnRButtonDblClk(WPARAM, LPARAM) override { calls.push_back("rdbl"); }
    void OnLButtonUp(WPARAM, LPARAM) override { calls.push_back("lup"); }
    void OnRButtonUp(WPARAM, LPARAM) override { calls.push_back("rup"); }
    void OnPaint() override { calls.push_back("paint"); }
    void OnCommand(WPARAM wParam, LPARAM) override {
        calls.push_back("command");
        // A command sent while one is handled is refused.
        inner = HandleMessage(nullptr, WM_COMMAND, wParam, 0);
    }
    int inner = -1;
};

struct SlotCase {
    UINT msg;
    const char* slot;
};

TEST(WindowMessages, EachMessageReachesItsSlotAndIsHandled) {
    const SlotCase cases[] = {{WM_MOUSEMOVE, "move"},     {WM_LBUTTONDOWN, "ldown"},  {WM_RBUTTONDOWN, "rdown"},
                              {WM_LBUTTONDBLCLK, "ldbl"}, {WM_RBUTTONDBLCLK, "rdbl"}, {WM_LBUTTONUP, "lup"},
                              {WM_RBUTTONUP, "rup"},      {WM_PAINT, "paint"},        {WM_COMMAND, "command"}};
    for (const auto& c : cases) {
        SlotWindow w;
        EXPECT_EQ(w.HandleMessage(nullptr, c.msg, 0, 0), 1) << c.slot;
        EXPECT_EQ(w.calls, std::vector<std::string>{c.slot});
    }
}

TEST(WindowMessages, ACommandDuringACommandIsRefusedAndTheFlagIsClearedAfterwards) {
    SlotWindow w;
    w.HandleMessage(nullptr, WM_COMMAND, 1, 0);
    EXPECT_EQ(w.inner, 0);
    EXPECT_EQ(w.m_bInCommand, 0);
    EXPECT_EQ(w.calls, std::vector<std::string>{"command"});
}

TEST(WindowMessages, OtherMessagesAreNotHandledAndDestroyClearsTheHandle) {
    SlotWindow w;
    EXPECT_EQ(w.HandleMessage(nullptr, WM_USER + 3, 0, 0), 0);
    HWND fake = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(w.HandleMessage(fake, WM_DESTROY, 0, 0), 1);
    EXPECT_EQ(w.m_hWnd, nullptr);
}

TEST(WindowPlacement, PullIntoWorkAreaEdges) {
    const RECT work{0, 0, 1920, 1080};
    struct Case {
        int x, y, ex, ey;
    } cases[] = {{-1, -1, 0, 0}, {1720, 980, 1720, 980}, {1721, 981, 1720, 980}, {1719, 979, 1719, 979}};
    for (const auto& c : cases) {
        int x = c.x;
        int y = c.y;
        PullIntoWorkArea(x, y, 200, 100, work);
        EXPECT_EQ(x, c.ex) << c.x;
        EXPECT_EQ(y, c.ey) << c.y;
    }
}

}  // namespace

namespace {

struct ClearCase {
    const char* name;
    RECT rect;
};

class ClearRectCases : public ::testing::TestWithParam<ClearCase> {};

TEST_P(ClearRectCases, EverySideBecomesZero) {
    RECT r = GetParam().rect;
    ClearRect(r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 0);
    EXPECT_EQ(r.bottom, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClearRectCases,
                         ::testing::Values(ClearCase{"Ordinary", RECT{1, 2, 30, 40}},
                                           ClearCase{"Negative", RECT{-5, -6, -1, -2}},
                                           ClearCase{"Extreme", RECT{INT_MIN, INT_MAX, INT_MAX, INT_MIN}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WindowList, InitEmptiesAListAndItIsWalkedInTheOrderOfAdding) {
    cWindow a;
    cWindow b;
    cWindow c;
    cWindowList list;
    EXPECT_EQ(list.Count(), 0);
    for (cWindow* w : {&a, &b, &c}) list.Add(w);
    list.Remove(&b);
    std::vector<cWindow*> walked(list.begin(), list.end());
    EXPECT_EQ(walked, (std::vector<cWindow*>{&a, &c}));
    list.Init();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.begin(), list.end());
    list.Add(&b);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(a.m_Children.Count(), 0);
}

}  // namespace
