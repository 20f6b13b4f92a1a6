#include <gtest/gtest.h>

#include <vector>

#include "draw/device/device.h"
#include "draw/device/surfaces.h"
#include "draw/palette.h"
#include "draw/text/font.h"
#include "foundation/abort.h"
#include "scenes/menu/menu_texts.h"
#include "scenes/menu/save_slot_list.h"

namespace {

constexpr int kWindowColor = 30;
constexpr int kGround = 5;

// Default font 1 in 8-bit DirectDraw (pixels are colour numbers) with a
// plain window picture.
class MenuTextBoxesTest : public ::testing::Test {
protected:
    void SetUp() override {
        AbortFlag = 0;
        ASSERT_TRUE(DDInit(0, nullptr, 640, 480, 8, 1, 1, 1, 60, 0, nullptr, nullptr, 0, 0));
        ASSERT_TRUE(DDCreateSurface(&window, 640, 480, 0, 0, 0, 0, 0));
        PalNumToRGB(&window, 0, 0, 640, 480, kWindowColor);
        ASSERT_EQ(Fonts[1].Create("ＭＳ ゴシック", 0, 16, 16, 16, 241, &window, 1, 240, nullptr, 1), 1);
        Fonts[1].m_bSymbol = 0;
        PalNumToRGB(&BackBuffer, 0, 0, 640, 480, kGround);
    }
    void TearDown() override {
        Fonts[1].Release();
        DDReleaseSurface(&window);
        DDRelease();
    }
    int At(int x, int y) { return static_cast<int>(BackBuffer.Pixels()->Get(x, y)); }
    // Pixels of the rectangle that are neither the window nor the frame.
    int Inked(int x, int y, int w, int h) {
        int n = 0;
        for (int j = y; j < y + h; ++j) {
            for (int i = x; i < x + w; ++i) n += At(i, j) != kWindowColor && At(i, j) != 240;
        }
        return n;
    }
    std::vector<std::uint32_t> Screen() {
        DDPIXELS& px = *BackBuffer.Pixels();
        return std::vector<std::uint32_t>(px.bits.begin(), px.bits.end());
    }
    DDSURFACEDATA window;
};

TEST_F(MenuTextBoxesTest, MenuTextsFillABoxSizedByTheWidestText) {
    cSystemData data;
    data.SystemTexts[10] = "ステージに挑む";
    data.SystemTexts[11] = "やめる";
    DrawMenuTexts(data, nullptr, 100, 50, 10, 2, 1);
    // (7 + 1) x 16 by 2 x 16, a frame of one pixel around it.
    EXPECT_EQ(At(100, 50), kWindowColor);
    EXPECT_EQ(At(227, 81), kWindowColor);
    EXPECT_EQ(At(228, 60), 240);
    EXPECT_EQ(At(99, 60), 240);
    EXPECT_EQ(At(150, 82), 240);
    EXPECT_EQ(At(229, 60), kGround);
    // The cursor's cell stays blank; the texts follow it.
    EXPECT_EQ(Inked(100, 50, 16, 32), 0);
    EXPECT_GT(Inked(116, 50, 16, 16), 10);
    EXPECT_GT(Inked(116, 66, 16, 16), 10);
    EXPECT_EQ(Inked(164, 66, 64, 16), 0);  // the short text ends after 3 characters

    PalNumToRGB(&BackBuffer, 0, 0, 640, 480, kGround);
    DrawMenuTexts(data, nullptr, 100, 50, 10, 2, 0);
    EXPECT_EQ(At(212, 60), 240);
    EXPECT_GT(Inked(100, 50, 16, 16), 10);
}

TEST_F(MenuTextBoxesTest, NothingForNoTextsAndPercentSignsDrawnAsTheyAre) {
    cSystemData data;
    const std::vector<std::uint32_t> before = Screen();
    DrawMenuTexts(data, nullptr, 100, 50, 10, 0, 1);
    EXPECT_TRUE(Screen() == before);

    data.SystemTexts[3] = "100%s%d%%";
    DrawMenuTexts(data, nullptr, 100, 50, 3, 1, 1);
    const std::vector<std::uint32_t> drawn = Screen();
    PalNumToRGB(&BackBuffer, 0, 0, 640, 480, kGround);
    Fonts[1].DrawTextFrame(&BackBuffer, 100, 50, 16 * 10, 16, " 100%s%d%%\n", 0);
    EXPECT_TRUE(Screen() == drawn);
}

TEST_F(MenuTextBoxesTest, SaveSlotRowsShowNumbersTimesAndSeparators) {
    cVector<cSaveSlot> slots;
    slots.resize(kSaveSlotCount);
    slots[1].m_bUsed = 1;
    slots[1].m_SaveTime = SYSTEMTIME{2026, 12, 4, 10, 15, 4, 0, 0};
    const int x = 160, y = 160;
    DrawSaveSlots(&BackBuffer, x, y, slots, 0, 3);
    EXPECT_EQ(At(x + 319, y + 47), kWindowColor);
    EXPECT_EQ(At(x + 320, y + 20), 240);
    EXPECT_EQ(At(x + 200, y + 15), 240);
    EXPECT_EQ(At(x + 200, y + 31), 240);
    EXPECT_EQ(At(x + 200, y + 47), kWindowColor);    // no line under the last row
    EXPECT_GT(Inked(x + 16, y, 16, 15), 5);          // "1"
    EXPECT_EQ(Inked(x + 64, y, 256, 15), 0);         // slot 1 is empty
    EXPECT_GT(Inked(x + 64, y + 16, 256, 15), 100);  // slot 2's save time
    EXPECT_EQ(Inked(x + 64, y + 32, 256, 15), 0);

    // Rows past the last slot show nothing.
    PalNumToRGB(&BackBuffer, 0, 0, 640, 480, kGround);
    DrawSaveSlots(&BackBuffer, x, y, slots, 98, 3);
    EXPECT_GT(Inked(x + 16, y, 32, 15), 10);  // "99"
    EXPECT_EQ(Inked(x, y + 16, 320, 15), 0);
    EXPECT_EQ(Inked(x, y + 32, 320, 16), 0);
}

}  // namespace
