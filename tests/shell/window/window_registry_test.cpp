#include "shell/dialog_fixture.h"

TEST(WindowRegistryTest, AWindowIsEnteredOnceFoundByHandleAndForgotten) {
    cWindowRegistry registry;
    cWindow w;
    w.m_hWnd = reinterpret_cast<HWND>(0x4321);
    registry.Add(&w);
    registry.Add(&w);
    EXPECT_EQ(registry.Windows().size(), 1u);
    EXPECT_EQ(registry.Find(w.m_hWnd), &w);
    registry.Remove(&w);
    EXPECT_TRUE(registry.Windows().empty());
    EXPECT_EQ(registry.Find(w.m_hWnd), nullptr);
}
