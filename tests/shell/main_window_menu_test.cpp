// The window menu's zoom entries and the device restore on activation.
#include <memory>
#include <string>
#include <vector>

#include "draw/device/device.h"
#include "shell_fixture.h"

namespace {

// A desktop of a chosen work area.
class SizedDesktop : public platform::WindowBackend {
public:
    explicit SizedDesktop(RECT work) : m_work(work) {}
    bool Open(const std::string&, int x, int y, int w, int h) override {
        m_rect = RECT{x, y, x + w, y + h};
        return true;
    }
    void Close() override {}
    void SetTitle(const std::string&) override {}
    void Move(int x, int y, int w, int h) override { m_rect = RECT{x, y, x + w, y + h}; }
    RECT Geometry() override { return m_rect; }
    RECT WorkArea() override { return m_work; }
    bool Minimised() override { return m_minimised > 0; }
    void Minimise() override { ++m_minimised; }
    int m_minimised = 0;
    bool Maximised() override { return false; }
    void Pump(const std::function<void(UINT, WPARAM, LPARAM)>&) override {}

private:
    RECT m_work;
    RECT m_rect{};
};

std::vector<UINT> MenuIds(HWND window) {
    std::vector<UINT> ids;
    for (const WindowMenuEntry& e : WindowMenuEntries(window)) ids.push_back(e.id);
    return ids;
}

bool StartDevice(int d3d, int windowMode, HWND window = nullptr) {
    AbortFlag = 0;
    DDSoftwareCaps = DDSOFTWARECAPS();
    ScreenWindowed = windowMode;
    return DDInit(d3d, window, 640, 480, 32, 0, windowMode, 1, 60, 0, nullptr, nullptr, 0, 0);
}

}  // namespace

class WindowMenuTest : public MainWindowTest {
protected:
    void TearDown() override {
        DDRelease();
        ScreenWindowed = 1;
        MainWindowTest::TearDown();
    }
    // A fresh main window on a desktop of that work area.
    void OpenOn(RECT work) {
        DestroyWindow(m_hwnd);
        Drain();
        auto desktop = std::make_unique<SizedDesktop>(work);
        m_desktop = desktop.get();
        platform::InstallWindowBackend(std::move(desktop));
        m_hwnd = CreateMainWindow("t", 0, 0, kScreenWidth, kScreenHeight, MainWindowProc);
        ASSERT_NE(m_hwnd, nullptr);
        MainWindowHandle.store(m_hwnd);
    }
    SizedDesktop* m_desktop = nullptr;
};

TEST_F(WindowMenuTest, AWindowedDeviceDisplayOffersTheZoomsThatFitTheWorkAreaAboveASeparator) {
    struct Case {
        RECT work;
        std::vector<UINT> ids;
    };
    const Case cases[] = {
        {{0, 0, 600, 400}, {0}},  // nothing fits: the separator alone
        {{0, 0, 1920, 1080}, {1, 2, 0}}, {{0, 0, 1920, 1440}, {1, 2, 3, 0}}, {{0, 0, 3840, 2400}, {1, 2, 3, 4, 5, 0}},
        {{0, 0, 1279, 1080}, {1, 0}},
    };
    for (const Case& c : cases) {
        OpenOn(c.work);
        ASSERT_TRUE(StartDevice(1, 1));
        EXPECT_TRUE(WindowMenuEntries(m_hwnd).empty()) << "entries come with the first message after the device";
        SendMessageA(m_hwnd, WM_NULL, 0, 0);
        SendMessageA(m_hwnd, WM_NULL, 0, 0);
        EXPECT_EQ(MenuIds(m_hwnd), c.ids) << c.work.right << " x " << c.work.bottom;
        DDRelease();
    }
    EXPECT_EQ(WindowMenuEntries(m_hwnd).front().text, "100% (640*480)");
}

TEST_F(WindowMenuTest, NoZoomEntriesForTheDirectDrawPathOrAFullScreenDisplay) {
    for (auto [d3d, windowed] : {std::pair{0, 1}, std::pair{1, 0}}) {
        OpenOn(RECT{0, 0, 3840, 2400});
        ASSERT_TRUE(StartDevice(d3d, windowed));
        SendMessageA(m_hwnd, WM_NULL, 0, 0);
        EXPECT_TRUE(WindowMenuEntries(m_hwnd).empty()) << d3d << windowed;
        EXPECT_FALSE(platform::MainWindowMenuOffers(1));
        DDRelease();
    }
}

TEST_F(WindowMenuTest, ActivationRestoresALostFullScreenDeviceOnlyWhenTheGameComesBack) {
    struct Case {
        const char* name;
        int windowed;
        int wasActive;
        WPARAM activate;
        bool restored;
    };
    const Case cases[] = {
        {"full screen, comes back", 0, 0, 1, true},
        {"full screen, already active", 0, 1, 1, false},
        {"full screen, goes away", 0, 1, 0, false},
        {"window", 1, 0, 1, false},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(StartDevice(1, c.windowed));
        DDSimulateDeviceLost(true);
        AppActive.store(c.wasActive);
        SendMessageA(m_hwnd, WM_ACTIVATEAPP, c.activate, 0);
        ASSERT_TRUE(lpDTCon);
        EXPECT_EQ(lpDTCon->bDeviceLost == 0, c.restored) << c.name;
        EXPECT_EQ(AppActive.load(), static_cast<int>(c.activate)) << c.name;
        DDRelease();
    }
}

// A frame whose display was lost: in full screen the window goes to the task
// bar, giving the desktop back; in a window it stays where it is.
TEST_F(WindowMenuTest, AFrameOnALostFullScreenDisplayMinimisesTheWindow) {
    struct Case {
        const char* name;
        int windowed;
        bool lost;
        int minimised;
    };
    const Case cases[] = {
        {"full screen, lost", 0, true, 1},
        {"full screen, not lost", 0, false, 0},
        {"window, lost", 1, true, 0},
    };
    for (const Case& c : cases) {
        OpenOn(RECT{0, 0, 1920, 1080});
        ASSERT_TRUE(StartDevice(1, c.windowed, m_hwnd));
        if (c.lost) DDSimulateDeviceLost(true);
        EXPECT_EQ(DDFlip(60, 0, 0), c.lost ? 0 : 1) << c.name;
        EXPECT_EQ(m_desktop->m_minimised, c.minimised) << c.name;
        EXPECT_EQ(IsIconic(m_hwnd) != FALSE, c.minimised > 0) << c.name;
        DDRelease();
    }
}
