#include "draw/effects/band_blits.h"
#include "draw/effect_fixture.h"
#include "draw/text/numbers.h"

namespace {

// In 8-bit mode raw pixels are palette indices, so every drawn pixel tells
// where it came from.
class BandBlitTest : public DrawTest {
protected:
    void SetUp() override {
        Start(kDD8);
        dwTransmit = 0;
        PalNumToRGB(&BackBuffer, 0, 0, 640, 480, 0);
    }
    void TearDown() override {
        for (DDSURFACEDATA* sd : {&a, &b}) DDReleaseSurface(sd);
        DrawTest::TearDown();
    }
    // Columns [from, to) of a row of the back buffer that hold value.
    std::vector<int> ColumnsWith(int y, std::uint32_t value, int from = 0, int to = 640) {
        std::vector<int> out;
        for (int x = from; x < to; ++x) {
            if (RawAt(BackBuffer, x, y) == value) out.push_back(x);
        }
        return out;
    }
    DDSURFACEDATA a, b;
};

TEST_F(BandBlitTest, DrawNumberRightAlignedOrCentredWithoutLeadingZeros) {
    // Digit d of the strip is two pixels of index 10 + d.
    ASSERT_TRUE(MakeRawSurface(a, 20, 1, 0));
    for (int d = 0; d < 10; ++d) PutRow(a, 2 * d, 0, {10u + d, 10u + d});
    const struct {
        int value, field, centre;
        std::vector<std::uint32_t> row;  // from x = 100
    } cases[] = {
        {7, 3, 0, {0, 0, 0, 0, 17, 17}},
        {7, 3, 1, {0, 0, 17, 17, 0, 0}},
        {0, 1, 0, {10, 10, 0, 0, 0, 0}},
        {305, 2, 0, {13, 13, 10, 10, 15, 15}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        PalNumToRGB(&BackBuffer, 0, 0, 640, 1, 0);
        DrawNumber(&BackBuffer, 100, 0, 2, 1, &a, 0, 0, 0, c.value, c.field, c.centre, 0);
        EXPECT_EQ(RawRow(BackBuffer, 100, 0, 6), c.row);
    }
    PalNumToRGB(&BackBuffer, 0, 0, 640, 1, 0);
    DrawNumber(&BackBuffer, 100, 0, 2, 1, &a, 0, 0, 0, 2147483647, 0, 0, 0);
    EXPECT_EQ(RawRow(BackBuffer, 100, 0, 4), (std::vector<std::uint32_t>{12, 12, 11, 11}));
    EXPECT_EQ(RawAt(BackBuffer, 119, 0), 17u) << "ten digits";
}

TEST_F(BandBlitTest, SplitMovesAlternateBandsAndDropsTheRest) {
    ASSERT_TRUE(MakeRawSurface(a, 100, 3, 4));
    for (int x = 0; x < 100; ++x) PutRow(a, x, 0, {1});  // top row 1, the rest 4
    DDBltSplit(&BackBuffer, 200, 100, 100, 3, 30, 1, &a, 0, 0, 0, 1);
    const std::vector<int> down = ColumnsWith(101, 1, 200, 300), up = ColumnsWith(99, 1, 200, 300);
    ASSERT_EQ(down.size(), 60u);
    EXPECT_EQ(down.front(), 200);
    EXPECT_EQ(down[30], 260);
    ASSERT_EQ(up.size(), 30u);
    EXPECT_EQ(up.front(), 230);
    EXPECT_TRUE(ColumnsWith(100, 4, 290, 300).empty()) << "the rest narrower than a band";
}

TEST_F(BandBlitTest, TurnPhasesShowFrontAndBack) {
    ASSERT_TRUE(MakeRawSurface(a, 64, 1, 1));  // front
    ASSERT_TRUE(MakeRawSurface(b, 64, 1, 2));  // back
    const struct {
        int phase;
        std::uint32_t shows;
        std::vector<int> columns;
    } cases[] = {
        {0, 1, {0, 63}}, {31, 1, {31, 32}}, {32, 2, {31, 32}}, {64, 2, {0, 63}}, {96, 1, {31, 32}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.phase);
        PalNumToRGB(&BackBuffer, 0, 0, 64, 1, 0);
        DDBltTurn(&BackBuffer, 0, 0, 64, 1, &a, 0, 0, &b, 0, 0, 64, 1, 0, c.phase, 0);
        const std::vector<int> drawn = ColumnsWith(0, c.shows, 0, 64);
        ASSERT_FALSE(drawn.empty());
        EXPECT_EQ((std::vector<int>{drawn.front(), drawn.back()}), c.columns);
        EXPECT_EQ(static_cast<int>(drawn.size()), c.columns[1] - c.columns[0] + 1);
    }
    // A picture one pixel wide has no half to turn about: nothing, no fault.
    EXPECT_EQ(DDBltTurn(&BackBuffer, 0, 5, 1, 1, &a, 0, 0, &b, 0, 0, 1, 1, 0, 7, 0), 0);
    EXPECT_EQ(DDBltTurn(&BackBuffer, 0, 5, 64, 1, &a, 0, 0, &b, 0, 0, 64, 1, 0, 7, 1), 0);
    EXPECT_TRUE(ColumnsWith(5, 1).empty());
}

TEST_F(BandBlitTest, WaveShiftsColumnsAlongOnePeriod) {
    ASSERT_TRUE(MakeRawSurface(a, 4, 1, 3));
    // Columns at 90, 180, 270 and 360 degrees: shifts 10, 0, -10, 0.
    DDBltWave(&BackBuffer, 100, 100, 4, 1, 1, 10.0, 0, 1, &a, 0, 0, 0, 1);
    EXPECT_EQ(RawAt(BackBuffer, 100, 110), 3u);
    EXPECT_EQ(RawAt(BackBuffer, 101, 100), 3u);
    EXPECT_EQ(RawAt(BackBuffer, 102, 90), 3u);
    EXPECT_EQ(RawAt(BackBuffer, 103, 100), 3u);
    EXPECT_EQ(ColumnsWith(100, 3, 90, 110).size(), 2u);
    DDBltWave(&BackBuffer, 200, 200, 4, 1, 3, 0.0, 45, 3, &a, 0, 0, 0, 0);
    EXPECT_EQ(ColumnsWith(200, 3, 190, 210), (std::vector<int>{200, 201, 202, 203})) << "amplitude 0 copies";
}

TEST_F(BandBlitTest, BurstPushesTheQuartersOutward) {
    ASSERT_TRUE(MakeRawSurface(a, 5, 4, 0));  // the odd last column is lost
    PutRow(a, 0, 0, {1, 1, 2, 2, 9});
    PutRow(a, 0, 2, {3, 3, 4, 4, 9});
    DDBltBurst(&BackBuffer, 100, 100, 5, 4, &a, 0, 0, 3, 0);
    EXPECT_EQ(RawRow(BackBuffer, 97, 97, 2), (std::vector<std::uint32_t>{1, 1}));
    EXPECT_EQ(RawRow(BackBuffer, 105, 97, 3), (std::vector<std::uint32_t>{2, 2, 0}));
    EXPECT_EQ(RawAt(BackBuffer, 97, 105), 3u);
    EXPECT_EQ(RawAt(BackBuffer, 106, 105), 4u);
}

}  // namespace
