#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/png_reader.h"
#include "support/temp_dir.h"

namespace {

bool ReadPicture(const std::string& hostPath, PngPicture& out) {
    std::string why;
    return ReadPngFile(hostPath, out, why);
}

// The frame the tool draws for a scene in a mode equals its golden frame
// pixel for pixel. With PLAYER_WRITE_GOLDENS set the frame becomes the
// golden instead (and the test is skipped).
void ExpectGolden(const std::string& mode, const std::string& sceneArgs, const std::string& golden) {
    SCOPED_TRACE(mode + sceneArgs);
    TempDir dir;
    const std::string out = dir.HostPath() + "/shot.png";
    const std::string cmd = std::string(DRAWSHOT_PATH) + " --mode " + mode + sceneArgs + " --out " + out;
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string goldenPath = std::string(DRAW_GOLDEN_DIR) + "/" + golden;
    if (std::getenv("PLAYER_WRITE_GOLDENS")) {
        std::ifstream made(out, std::ios::binary);
        std::ofstream(goldenPath, std::ios::binary) << made.rdbuf();
        GTEST_SKIP() << "golden written: " << goldenPath;
    }
    PngPicture shot, expected;
    ASSERT_TRUE(ReadPicture(out, shot));
    ASSERT_TRUE(ReadPicture(goldenPath, expected));
    ASSERT_EQ(shot.nWidth, 640);
    ASSERT_EQ(shot.nHeight, 480);
    ASSERT_EQ(shot.argb.size(), expected.argb.size());
    int differing = 0, first = -1;
    for (std::size_t i = 0; i < shot.argb.size(); ++i) {
        if (shot.argb[i] == expected.argb[i]) continue;
        if (first < 0) first = static_cast<int>(i);
        ++differing;
    }
    EXPECT_EQ(differing, 0) << "first at x=" << first % 640 << " y=" << first / 640;
}

TEST(DrawshotGolden, EveryModeMatchesItsGolden) {
    for (const char* mode : {"D3D32", "D3D16w", "D3D16f", "DD32", "DD16", "DD8"})
        ExpectGolden(mode, "", std::string("drawshot_") + mode + ".png");
}

// Japanese and ASCII text in the fonts: coverage glyphs in the device path,
// solid ones in 8-bit DirectDraw.
TEST(DrawshotGolden, TextScreenMatchesItsGolden) {
    for (const char* mode : {"D3D32", "DD8"})
        ExpectGolden(mode, " --scene text", std::string("textshot_") + mode + ".png");
}

// Tints, translucent blits, blur, mosaic, bands, turn, burst, rotation,
// lens, circle and numbers, on the device path and in 8-bit DirectDraw.
TEST(DrawshotGolden, EffectsScreenMatchesItsGolden) {
    for (const char* mode : {"D3D32", "DD8"})
        ExpectGolden(mode, " --scene effects", std::string("effectshot_") + mode + ".png");
}

}  // namespace
