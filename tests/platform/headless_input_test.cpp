#include <gtest/gtest.h>

#include "platform/headless_input.h"
#include "platform/joystick.h"
#include "platform/keyboard.h"
#include "platform/message_box.h"
#include "platform/present.h"
#include "platform/window.h"
#include "support/temp_dir.h"

namespace {

struct ScriptCase {
    const char* text;
    bool ok;
    const char* errorPart;
};

std::vector<MSG> PumpWindow() {
    std::vector<MSG> out;
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) out.push_back(m);
    return out;
}

}  // namespace

TEST(HeadlessScript, BadScriptsAreRefusedWithTheLineAndNothingIsScheduled) {
    TempDir dir;
    const ScriptCase cases[] = {
        {"# nothing\n\n", true, ""},
        {"0 key 27\n5 close # end\nanswer 7\n", true, ""},
        {"x key 27\n", false, ":1:"},
        {"0 keydown\n", false, ":1:"},
        {"0 key 300\n", false, ":1:"},
        {"0 close\n1 jump 3\n", false, ":2:"},
        {"answer 99\n", false, ":1:"},
        {"0 key 27\n3 shot \n", false, ":2:"},
        {"3 shotarea 0 0 4 4 a.png\n", true, ""},
        {"3 shotarea 0 0 4 a.png\n", false, ":1:"},
        {"3 shotarea 0 0 0 4 a.png\n", false, ":1:"},
        {"3 shotarea -1 0 4 4 a.png\n", false, ":1:"},
        {"3 shotarea 0 0 4 4\n", false, ":1:"},
        // A number is the whole word, never its leading digits.
        {"0 key 27\n1e9 key 27\n", false, ":2:"},
        {"0 key 27\n1 key 27\n2 key 1.5\n", false, ":3:"},
        {"0 keydown 9O\n", false, ":1:"},
        {"answer 6\nanswer 7x\n", false, ":2:"},
        {"0 click 10 2e1\n", false, ":1:"},
        {"0 joy 0 1.5 0 0\n", false, ":1:"},
        {"3 shotarea 0 0 4e1 4 a.png\n", false, ":1:"},
    };
    for (const auto& c : cases) {
        dir.WriteHostFile("s.txt", c.text);
        platform::headless::ClearSchedule();
        platform::ClearMessageBoxes();
        std::string error;
        EXPECT_EQ(platform::headless::LoadInputScript(dir.HostPath() + "/s.txt", &error), c.ok) << c.text;
        if (!c.ok) { EXPECT_NE(error.find(c.errorPart), std::string::npos) << error; }
    }
    std::string error;
    EXPECT_FALSE(platform::headless::LoadInputScript(dir.HostPath() + "/missing.txt", &error));
    platform::headless::ClearSchedule();
}

TEST(HeadlessScript, ScheduledMessagesArriveByPresentedFrameAndMoveTheKeyboard) {
    platform::headless::ClearSchedule();
    platform::ReleaseAllKeys();
    long long now = platform::PresentedFrameSerial();
    platform::headless::ScheduleWindowMessage(now + 1, WM_KEYDOWN, VK_SPACE, 0);
    platform::headless::ScheduleWindowMessage(now + 1, WM_CLOSE, 0, 0);
    HWND h = CreateMainWindow("t", 0, 0, 640, 480, [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
    ASSERT_NE(h, nullptr);
    auto first = PumpWindow();
    ASSERT_EQ(first.size(), 1u) << "only the activation before the frame";
    EXPECT_EQ(first[0].message, WM_ACTIVATEAPP);
    EXPECT_EQ(GetAsyncKeyState(VK_SPACE), 0);
    std::uint32_t pixel = 0;
    platform::PresentFrame(&pixel, 1, 1, 1);
    auto second = PumpWindow();
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0].message, WM_KEYDOWN);
    EXPECT_EQ(second[1].message, WM_CLOSE) << "same frame keeps its order";
    EXPECT_NE(GetAsyncKeyState(VK_SPACE), 0);
    DestroyWindow(h);
    platform::ReleaseAllKeys();
}

TEST(HeadlessScript, JoystickLinesSetAndRemoveAJoystickAtTheirFrame) {
    TempDir dir;
    platform::headless::ClearSchedule();
    platform::RemoveAllJoysticks();
    long long now = platform::PresentedFrameSerial();
    dir.WriteHostFile("bad.txt", "0 joy 8 0 0 0\n");
    std::string error;
    EXPECT_FALSE(platform::headless::LoadInputScript(dir.HostPath() + "/bad.txt", &error));
    dir.WriteHostFile("bad.txt", "0 joy 1 70000 0 0\n");
    EXPECT_FALSE(platform::headless::LoadInputScript(dir.HostPath() + "/bad.txt", &error));
    dir.WriteHostFile("s.txt",
                      std::to_string(now + 1) + " joy 2 0 65535 5\n" + std::to_string(now + 2) + " joyoff 2\n");
    ASSERT_TRUE(platform::headless::LoadInputScript(dir.HostPath() + "/s.txt", &error)) << error;
    HWND h = CreateMainWindow("t", 0, 0, 640, 480, [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
    ASSERT_NE(h, nullptr);
    std::uint32_t pixel = 0;
    platform::JoystickReading r;
    PumpWindow();
    EXPECT_FALSE(platform::ReadJoystick(2, r));
    platform::PresentFrame(&pixel, 1, 1, 1);
    auto posted = PumpWindow();
    EXPECT_TRUE(posted.empty()) << "a joystick change is not a window message";
    ASSERT_TRUE(platform::ReadJoystick(2, r));
    EXPECT_EQ(r.x, 0u);
    EXPECT_EQ(r.y, 65535u);
    EXPECT_EQ(r.buttons, 5u);
    platform::PresentFrame(&pixel, 1, 1, 1);
    PumpWindow();
    EXPECT_FALSE(platform::ReadJoystick(2, r));
    DestroyWindow(h);
    platform::headless::ClearSchedule();
}

TEST(HeadlessScript, ShotLinesWriteTheirFrameBesideTheScript) {
    TempDir dir;
    platform::headless::ClearSchedule();
    const long long now = platform::PresentedFrameSerial();
    dir.WriteHostFile("s.txt", std::to_string(now + 2) + " shot out.png\n");
    std::string error;
    ASSERT_TRUE(platform::headless::LoadInputScript(dir.HostPath() + "/s.txt", &error)) << error;
    const std::uint32_t first[2] = {0x112233, 0x445566};
    const std::uint32_t second[2] = {0xFFFFFF, 0x000000};
    // Written by the present itself: no pump of the window is needed.
    platform::PresentFrame(first, 2, 1, 2);
    EXPECT_FALSE(dir.HostFileExists("out.png")) << "one frame early";
    platform::PresentFrame(second, 2, 1, 2);
    ASSERT_TRUE(dir.HostFileExists("out.png"));
    const std::string png = dir.ReadHostFile("out.png");
    const std::string signature = "\x89PNG\r\n\x1a\n";
    EXPECT_EQ(png.substr(0, 8), signature);
    // The same frame written by the screenshot writer gives the same bytes.
    platform::Frame expected;
    expected.width = 2;
    expected.height = 1;
    expected.pixels = {0xFFFFFF, 0x000000};
    ASSERT_TRUE(platform::WritePng(dir.HostPath() + "/expected.png", expected));
    EXPECT_EQ(png, dir.ReadHostFile("expected.png"));
    platform::PresentFrame(first, 2, 1, 2);
    EXPECT_EQ(dir.ReadHostFile("out.png"), png) << "a shot is written once";
}

// A shot of an area keeps that rectangle of its frame, cut where it passes
// the frame's edge.
TEST(HeadlessScript, ShotAreaLinesWriteTheirRectangleOfTheFrame) {
    TempDir dir;
    platform::headless::ClearSchedule();
    const long long now = platform::PresentedFrameSerial();
    dir.WriteHostFile("s.txt", std::to_string(now + 1) + " shotarea 1 1 2 1 inner.png\n" + std::to_string(now + 1) +
                                   " shotarea 2 0 5 5 edge.png\n");
    std::string error;
    ASSERT_TRUE(platform::headless::LoadInputScript(dir.HostPath() + "/s.txt", &error)) << error;
    const std::uint32_t frame[6] = {0x000001, 0x000002, 0x000003, 0x000004, 0x000005, 0x000006};
    platform::PresentFrame(frame, 3, 2, 3);
    struct Case {
        const char* file;
        platform::Frame expected;
    };
    const Case cases[] = {
        {"inner.png", {2, 1, {0x000005, 0x000006}}},
        {"edge.png", {1, 2, {0x000003, 0x000006}}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(dir.HostFileExists(c.file)) << c.file;
        ASSERT_TRUE(platform::WritePng(dir.HostPath() + "/expected.png", c.expected));
        EXPECT_EQ(dir.ReadHostFile(c.file), dir.ReadHostFile("expected.png")) << c.file;
    }
}
