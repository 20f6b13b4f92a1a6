#include "draw/device/display_report.h"

#include <gtest/gtest.h>

#include "draw/draw_fixture.h"
#include "platform/system_info.h"
#include "support/fixed_machine_facts.h"
#include "support/test_env.h"

TEST(DisplayReport, DirectDrawReportsItsMemoryAndRefreshRate) {
    TestEnv env;
    FixedMachineFacts fixed;
    ASSERT_TRUE(StartMode(kDD16));
    int freeMB = -1;
    int totalMB = -1;
    GetVideoMemoryMB(freeMB, totalMB);
    EXPECT_EQ(freeMB, 512);
    EXPECT_EQ(totalMB, 1024);
    std::size_t before = env.Report().size();
    EXPECT_EQ(DisplayReport(1), 1);
    DDRelease();
    EXPECT_EQ(env.Report().substr(before),
              "Mode : Window\r\nBpp : 16\r\nVRAM Total : 1024.000MB\r\nVRAM Free : 512.000MB\r\nRR : 60\r\n");
}

TEST(DisplayReport, Direct3DHasNoVideoMemoryAndListsItsCapsAndFormatChecks) {
    TestEnv env;
    FixedMachineFacts fixed;
    ASSERT_TRUE(StartMode(kD3D16Full));
    int freeMB = -1;
    int totalMB = -1;
    GetVideoMemoryMB(freeMB, totalMB);
    EXPECT_EQ(freeMB, 0);
    EXPECT_EQ(totalMB, 0);
    std::size_t before = env.Report().size();
    EXPECT_EQ(DisplayReport(1), 1);
    DDRelease();
    std::string r = env.Report().substr(before);
    EXPECT_EQ(r.rfind("Mode : Fullscreen\r\nBpp : 16\r\nTextureMem : 512MB\r\n---デバイス0\r\n", 0), 0u) << r;
    EXPECT_NE(r.find("TextureMaxSize : (8192,8192)\r\n"), std::string::npos);
    EXPECT_EQ(r.find("D3DPTEXTURECAPS_POW2"), std::string::npos);
    EXPECT_NE(r.find("AU-SU× AU-TE× \r\n"), std::string::npos) << "two checks a line";
    EXPECT_NE(r.find("WR-SU○ WR-TE○ \r\n"), std::string::npos);
    EXPECT_EQ(r.find("VRAM"), std::string::npos);
}
