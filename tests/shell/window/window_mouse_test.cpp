#include "shell/dialog_fixture.h"

class WindowMouse : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        platform::ReleaseAllKeys();
        ASSERT_TRUE(GetWindowRect(m_hwnd, &m_rect));
        for (cWindow* w : {&m_a, &m_b}) {
            w->SetLayout(kScreenWidth, kScreenHeight, 100, 100, kScreenWidth, kScreenHeight, 0);
            w->m_hWnd = m_hwnd;
        }
    }
    void TearDown() override {
        platform::ReleaseAllKeys();
        platform::SetCursorPosition(0, 0);
        MainWindowTest::TearDown();
    }
    void CursorAt(int x, int y) { platform::SetCursorPosition(m_rect.left + x, m_rect.top + y); }

    RECT m_rect{};
    cWindow m_a;
    cWindow m_b;
};

TEST_F(WindowMouse, APointOutsideTheDrawableAreaChangesNothingUnlessForced) {
    CursorAt(10, 20);
    EXPECT_EQ(m_a.UpdateMouse(false, kMouseAll), 1);
    EXPECT_EQ(m_a.m_Mouse.x, 10);
    EXPECT_EQ(m_a.m_Mouse.y, 20);
    CursorAt(-5, 20);
    EXPECT_EQ(m_a.UpdateMouse(false, kMouseAll), 0);
    EXPECT_EQ(m_a.m_Mouse.x, 10);
    CursorAt(kScreenWidth, 20);
    EXPECT_EQ(m_a.UpdateMouse(false, kMouseAll), 0);
    EXPECT_EQ(m_a.UpdateMouse(true, kMouseAll), 1);
    EXPECT_EQ(m_a.m_Mouse.x, kScreenWidth);
    EXPECT_EQ(m_a.m_Mouse.screen.x, m_rect.left + kScreenWidth);
}

TEST_F(WindowMouse, APressIsReportedOnceAcrossWindowsAndAReleaseToTheWindowThatSawItHeld) {
    CursorAt(5, 5);
    platform::SetKeyDown(VK_LBUTTON, true);
    m_a.UpdateMouse(false, kMouseAll);
    m_b.UpdateMouse(false, kMouseAll);
    EXPECT_EQ(m_a.m_Mouse.leftHeld, 1);
    EXPECT_EQ(m_a.m_Mouse.leftPressed, 1);
    EXPECT_EQ(m_b.m_Mouse.leftHeld, 1);
    EXPECT_EQ(m_b.m_Mouse.leftPressed, 0);
    m_a.UpdateMouse(false, kMouseAll);
    EXPECT_EQ(m_a.m_Mouse.leftPressed, 0);

    platform::SetKeyDown(VK_LBUTTON, false);
    m_a.UpdateMouse(false, kMouseAll);
    EXPECT_EQ(m_a.m_Mouse.leftReleased, 1);
    m_a.UpdateMouse(false, kMouseAll);
    EXPECT_EQ(m_a.m_Mouse.leftReleased, 0);

    platform::SetKeyDown(VK_RBUTTON, true);
    m_b.UpdateMouse(false, kMouseHeld);
    EXPECT_EQ(m_b.m_Mouse.rightHeld, 1);
    EXPECT_EQ(m_b.m_Mouse.rightPressed, 0);
}
