#include <gtest/gtest.h>

#include "draw/device/surface_table.h"
#include "draw/draw_fixture.h"
#include "stage/objects/shot.h"

namespace {

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kYellow = 0xFFFF00;

// A shot sheet of two graphics: 0 red then green, 1 blue then white.
std::string Sheet(bool plainYellow) {
    std::vector<std::uint32_t> px(32 * 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool second = y >= 16;
            px[static_cast<std::size_t>(y * 32 + x)] = plainYellow ? kYellow
                                                       : x < 16    ? (second ? kGreen : kRed)
                                                                   : (second ? kWhite : kBlue);
        }
    }
    return Bmp24(32, 32, px);
}

// A shot of graphic `g` drawn at screen (100, 50) into a black back buffer.
cShot ShotAt(int g, int scale, int facing) {
    cShot s;
    s.m_bShot = 1;
    s.m_nGraphic = g;
    s.m_Param.m_cScale = static_cast<std::int8_t>(scale);
    s.m_rcScreen = {100, 50, 100 + 16 * scale - 1, 50 + 16 * scale - 1};
    s.m_rcGraphic = {0, 0, 16 * scale, 16 * scale};
    s.m_nDirection = facing;
    return s;
}

TEST(ShotDraw, CellOfTheGraphicAndFrameOnTheSheetOfItsFacing) {
    TempDir dir;
    ASSERT_TRUE(StartMode(kDD32));
    dir.WriteHostFile("left.bmp", Sheet(false));
    dir.WriteHostFile("right.bmp", Sheet(true));
    ASSERT_EQ(DDCreateSurfaceFromFile(&SurfaceArray[20], "left.bmp", 0, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    ASSERT_EQ(DDCreateSurfaceFromFile(&SurfaceArray[21], "right.bmp", 0, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    struct Case {
        const char* what;
        int graphic, scale, facing, hidden, x, y;
        std::uint32_t colour;
    };
    const Case cases[] = {
        {"graphic 1, first frame, left", 1, 1, 0, 0, 107, 57, kBlue},
        {"graphic 0, first frame, left", 0, 1, 0, 0, 115, 65, kRed},
        {"facing right reads the other sheet", 1, 1, 1, 0, 100, 50, kYellow},
        {"size 2 is stretched to 32 pixels", 1, 2, 0, 0, 131, 81, kBlue},
        {"a hidden shot is not drawn", 1, 1, 0, 1, 107, 57, 0},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(DDFillSurface(&BackBuffer, 0));
        cShot s = ShotAt(c.graphic, c.scale, c.facing);
        s.m_Param.m_bHidden = static_cast<std::int8_t>(c.hidden);
        s.Draw(&BackBuffer, 1);
        EXPECT_EQ(PixelAt(BackBuffer, c.x, c.y) & 0xFFFFFF, c.colour) << c.what;
    }
    DDReleaseSurface(&SurfaceArray[20]);
    DDReleaseSurface(&SurfaceArray[21]);
    DDRelease();
}

}  // namespace
