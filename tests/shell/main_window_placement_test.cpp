#include <atomic>

#include "platform/keyboard.h"
#include "scenes/scene_registry.h"
#include "shell/loop/game_loop.h"
#include "shell/window/window_data.h"

#include <cstdio>
#include "shell_fixture.h"

struct ZoomCase {
    int zoom;
    int left, top, width, height;
};

TEST_F(MainWindowTest, ZoomKeepsTheWindowCentredOnItsOldPlaceInsideTheWorkArea) {
    // The headless work area is 1920 x 1080: 300 % and above are not offered.
    const ZoomCase cases[] = {
        {2, 0, 100, 1280, 960},   // 100 + 320 - 640 < 0: pulled to 0
        {1, 320, 100, 640, 480},  // 0 + 640 - 320
        {3, 320, 100, 640, 480},  // does not fit: nothing changes
        {5, 320, 100, 640, 480},
    };
    MoveWindowClient(m_hwnd, 100, 100, 640, 480);
    for (const auto& c : cases) {
        SendMessageA(m_hwnd, WM_SYSCOMMAND, static_cast<WPARAM>(c.zoom), 0);
        RECT r{};
        GetWindowRect(m_hwnd, &r);
        EXPECT_EQ(r.left, c.left) << c.zoom;
        EXPECT_EQ(r.top, c.top) << c.zoom;
        EXPECT_EQ(r.right - r.left, c.width) << c.zoom;
        EXPECT_EQ(r.bottom - r.top, c.height) << c.zoom;
    }
    MoveWindowClient(m_hwnd, 100, 400, 640, 480);
    SendMessageA(m_hwnd, WM_SYSCOMMAND, 2, 0);
    RECT r{};
    GetWindowRect(m_hwnd, &r);
    EXPECT_EQ(r.top, 1080 - 960) << "a bottom edge past the work area is pulled back";
}

namespace {
struct PlacementCase {
    const char* name;
    int windowMode;
    int started;
    int abort;
    bool keep;
    bool saves;
};
}  // namespace

TEST_F(MainWindowTest, TheCloseSavesThePlacementOnlyInAWindowModeOfAStartedGameWithoutError) {
    const PlacementCase cases[] = {
        {"saved", 1, 1, 0, true, true},
        {"full screen setting", 0, 1, 0, true, false},
        {"before the game started", 1, 0, 0, true, false},
        {"after a fatal error", 1, 1, 1, true, false},
        {"a run that keeps no placement", 1, 1, 0, false, false},
    };
    for (const auto& c : cases) {
        m_dir.WriteHostFile("user_data/.keep", "");
        std::remove((m_dir.HostPath() + "/user_data/Window.dat").c_str());
        SystemIni.WindowMode = c.windowMode;
        GameStarted.store(c.started);
        AbortFlag.store(c.abort);
        KeepWindowPlacement(c.keep);
        MoveWindowClient(m_hwnd, 40, 30, 1280, 960);
        SaveWindowPlacement(m_hwnd);
        EXPECT_EQ(m_dir.HostFileExists("user_data/Window.dat"), c.saves) << c.name;
    }
    GameStarted.store(0);
    AbortFlag.store(0);
    KeepWindowPlacement(true);
    SystemIni.WindowMode = 1;
}

TEST_F(MainWindowTest, ASavedPlacementReadsBackWithCornerAndSizeKeptOnTheDesktop) {
    m_dir.WriteHostFile("user_data/.keep", "");
    SystemIni.WindowMode = 1;
    GameStarted.store(1);
    MoveWindowClient(m_hwnd, 40, 30, 1280, 960);
    SaveWindowPlacement(m_hwnd);
    GameStarted.store(0);
    std::string bytes = m_dir.ReadHostFile("user_data/Window.dat");
    ASSERT_EQ(bytes.size(), 32u) << "version, count 5, five ints, string count 0";
    cWindowData back;
    ASSERT_EQ(back.LoadFile(kWindowDataPath), 1);
    EXPECT_EQ(back.m_nX, 40);
    EXPECT_EQ(back.m_nY, 30);
    EXPECT_EQ(back.m_nWidth, 1280);
    EXPECT_EQ(back.m_nHeight, 960);
    EXPECT_EQ(back.m_nMaximized, 0);
    WindowData.m_nX = -50;
    WindowData.m_nY = 5000;
    ASSERT_EQ(WindowData.SaveFile(kWindowDataPath), 1);
    ASSERT_EQ(back.LoadFile(kWindowDataPath), 1);
    EXPECT_EQ(back.m_nX, 0);
    EXPECT_EQ(back.m_nY, 1080) << "the headless desktop is 1080 high";
    const struct {
        int width, height, keptWidth, keptHeight;
    } sizes[] = {{0, -5, 100, 100}, {99, 100, 100, 100}, {1920, 1080, 1920, 1080}, {5000, 1081, 1920, 1080}};
    for (const auto& c : sizes) {
        WindowData.m_nWidth = c.width;
        WindowData.m_nHeight = c.height;
        ASSERT_EQ(WindowData.SaveFile(kWindowDataPath), 1);
        ASSERT_EQ(back.LoadFile(kWindowDataPath), 1);
        EXPECT_EQ(back.m_nWidth, c.keptWidth) << c.width;
        EXPECT_EQ(back.m_nHeight, c.keptHeight) << c.height;
    }
}

TEST_F(MainWindowTest, PlacingAWindowPullsItInsideTheWorkArea) {
    struct Case {
        int storedX, storedY, x, y;
    };
    // A 640 x 480 window on the 1920 x 1080 headless work area.
    const Case cases[] = {
        {-50, 20, 0, 20},
        {1281, 601, 1280, 600},
        {1800, 900, 1280, 600},
        {300, 200, 300, 200},
    };
    for (const auto& c : cases) {
        MoveWindowClient(m_hwnd, 7, 7, 640, 480);
        MainWindow.m_nPosX = c.storedX;
        MainWindow.m_nPosY = c.storedY;
        MainWindow.PlaceWindow();
        RECT r{};
        GetWindowRect(m_hwnd, &r);
        EXPECT_EQ(r.left, c.x) << c.storedX;
        EXPECT_EQ(r.top, c.y) << c.storedY;
    }
    MoveWindowClient(m_hwnd, 7, 7, 640, 480);
    MainWindow.m_nPosX = -1000;
    MainWindow.m_nPosY = 50;
    MainWindow.PlaceWindow();
    RECT r{};
    GetWindowRect(m_hwnd, &r);
    EXPECT_EQ(r.left, 7) << "no stored position: left where it is";
    EXPECT_EQ(r.top, 7);
}
