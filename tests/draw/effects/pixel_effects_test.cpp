#include <set>

#include "draw/effect_fixture.h"
#include "draw/effects/pixel_effects.h"

namespace {

class PixelEffectTest : public DrawTest {
protected:
    void TearDown() override {
        DDReleaseSurface(&src);
        DrawTest::TearDown();
    }
    DDSURFACEDATA src;
};

// A 3 x 2 area of one channel, (10 20 30 / 40 50 60) in its own units,
// blurred with radius 1 each way: every pixel averages itself with its
// left, upper and upper-left neighbours inside the area.
TEST_F(PixelEffectTest, BlurAveragesTheTwoByTwoWindow) {
    const std::vector<std::uint32_t> plain = {10, 15, 25, 25, 30, 40};
    const std::vector<std::uint32_t> keyed = {10, 0xFFFF, 30, 25, 33, 46};  // (1, 0) transparent
    const struct {
        const DrawMode* mode;
        int shift;           // of the channel used
        std::uint32_t base;  // the other bits of every source pixel
        std::uint32_t out;   // the other bits of every written pixel
        int scale;           // of the written channel
    } cases[] = {
        {&kDD32, 16, 0, 0, 1},
        {&kD3D32, 8, 0xFF000000u, 0xFF000000u, 1},
        {&kD3D16Window, 0, 0x8000u, 0x8000u, 1},
        {&kD3D16Full, 5, 0x8000u, 0, 2},  // green doubled on the full-screen back buffer
    };
    for (const auto& c : cases) {
        for (const bool withKey : {false, true}) {
            SCOPED_TRACE(std::string(c.mode->name) + (withKey ? " keyed" : ""));
            Start(*c.mode);
            SetTestKey(*c.mode);
            const int units[6] = {10, 20, 30, 40, 50, 60};
            ASSERT_TRUE(MakeRawSurface(src, 3, 2, 0, true));
            for (int k = 0; k < 6; ++k)
                PutRow(src, k % 3, k / 3, {c.base | static_cast<std::uint32_t>(units[k] & 31) << c.shift});
            if (c.mode->bpp == 32) {
                for (int k = 0; k < 6; ++k) PutRow(src, k % 3, k / 3, {c.base | std::uint32_t(units[k]) << c.shift});
            }
            if (withKey) PutRow(src, 1, 0, {TransparentRaw(*c.mode)});
            const std::uint32_t under = c.mode->bpp == 16 ? 0x1234u : 0x123456u;
            for (int j = 0; j < 2; ++j) PutRow(BackBuffer, 100, 100 + j, {under, under, under});
            EXPECT_TRUE(DDPixelEffectA(&BackBuffer, 100, 100, 3, 2, 1, 1, &src, 0, 0, withKey ? 1 : 0, nullptr));
            const std::vector<std::uint32_t>& want = withKey ? keyed : plain;
            for (int k = 0; k < 6; ++k) {
                SCOPED_TRACE(k);
                const std::uint32_t got = RawAt(BackBuffer, 100 + k % 3, 100 + k / 3);
                if (want[static_cast<std::size_t>(k)] == 0xFFFF) {
                    EXPECT_EQ(got, under) << "transparent pixels stay";
                    continue;
                }
                const std::uint32_t v =
                    c.mode->bpp == 32 ? want[static_cast<std::size_t>(k)] : want[static_cast<std::size_t>(k)] & 31;
                // 16-bit channels hold the values modulo 32: recompute the mean.
                std::uint32_t expect = v;
                if (c.mode->bpp == 16) {
                    const int i = k % 3, j = k / 3;
                    int sum = 0, n = 0;
                    for (int jj = std::max(0, j - 1); jj <= j; ++jj) {
                        for (int ii = std::max(0, i - 1); ii <= i; ++ii) {
                            if (withKey && ii == 1 && jj == 0) continue;
                            sum += units[jj * 3 + ii] & 31;
                            ++n;
                        }
                    }
                    expect = static_cast<std::uint32_t>(sum / n);
                }
                EXPECT_EQ(got, c.out | (expect * c.scale) << c.shift);
            }
            DDReleaseSurface(&src);
            DDRelease();
        }
    }
}

TEST_F(PixelEffectTest, EightBitBlurLeavesThePicture) {
    Start(kDD8);
    ASSERT_TRUE(MakeRawSurface(src, 4, 4, 9));
    PutRow(BackBuffer, 0, 0, {3});
    EXPECT_TRUE(DDPixelEffectA(&BackBuffer, 0, 0, 4, 4, 1, 1, &src, 0, 0, 0, nullptr));
    EXPECT_EQ(RawAt(BackBuffer, 0, 0), 3u);
    EXPECT_TRUE(DDPixelEffectA(&BackBuffer, 0, 0, 4, 4, 0, 1, &src, 0, 0, 0, nullptr)) << "radius 0";
}

TEST_F(PixelEffectTest, MosaicOfBlock30MakesSixteenBlocks) {
    for (const DrawMode* m : {&kD3D32, &kDD32, &kDD16, &kDD8}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        ASSERT_TRUE(MakeRawSurface(src, 100, 100, 0, true));
        // Pixels that differ from block to block in their corner and mean.
        auto pixel = [m](std::uint32_t x, std::uint32_t y) {
            if (m->bpp == 8) return (x + 4 * y) & 255;
            if (m->bpp == 16) return x / 8 | (y / 8) << 5;
            return (m->bD3D ? 0xFF000000u : 0) | x | y << 8;
        };
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) PutRow(src, x, y, {pixel(x, y)});
        }
        EXPECT_TRUE(DDPixelEffectB(&BackBuffer, 0, 0, 100, 100, 30, &src, 0, 0, 0, nullptr));
        std::set<std::uint32_t> blocks;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) blocks.insert(RawAt(BackBuffer, x, y));
        }
        EXPECT_EQ(blocks.size(), 16u);
        EXPECT_EQ(RawAt(BackBuffer, 89, 99), RawAt(BackBuffer, 60, 90)) << "the last row is 10 high";
        EXPECT_NE(RawAt(BackBuffer, 90, 99), RawAt(BackBuffer, 89, 99));
        if (m->bD3D || m->bpp == 8) {
            EXPECT_EQ(RawAt(BackBuffer, 99, 99), RawAt(src, 90, 90)) << "the top-left pixel";
        }
        DDReleaseSurface(&src);
        DDRelease();
    }
}

TEST_F(PixelEffectTest, MosaicBlockOfKeyAndRed) {
    const struct {
        const DrawMode* mode;
        std::uint32_t red, expect;
    } cases[] = {
        {&kDD32, 0xFF0000u, 0xFF0000u},       // the average of the red pixels only
        {&kDD16, 0xF810u, 0xF80Fu},           // blue 16 -> 131 -> 15 through the 0..255 scale
        {&kD3D32, 0xFFFF0000u, 0xFF123456u},  // the top-left texel is transparent: skipped
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode->name);
        Start(*c.mode);
        SetTestKey(*c.mode);
        ASSERT_TRUE(MakeRawSurface(src, 2, 2, c.red, true));
        PutRow(src, 0, 0, {TransparentRaw(*c.mode), TransparentRaw(*c.mode)});
        const std::uint32_t under = c.mode->bpp == 16 ? 0x1234u : 0xFF123456u;
        for (int j = 0; j < 2; ++j) PutRow(BackBuffer, 0, j, {under, under});
        EXPECT_TRUE(DDPixelEffectB(&BackBuffer, 0, 0, 2, 2, 2, &src, 0, 0, 1, nullptr));
        EXPECT_EQ(RawRow(BackBuffer, 0, 0, 2), (std::vector<std::uint32_t>{c.expect, c.expect}));
        EXPECT_EQ(RawAt(BackBuffer, 1, 1), c.expect);
        DDReleaseSurface(&src);
        DDRelease();
    }
}

TEST_F(PixelEffectTest, SourceOutsideItsSurfaceIsNeverRead) {
    for (const DrawMode* m : {&kDD32, &kD3D32}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        const std::uint32_t grey = m->bD3D ? 0xFF808080u : 0x808080u;
        ASSERT_TRUE(MakeRawSurface(src, 4, 1, grey, true));
        PutRow(BackBuffer, 0, 0, std::initializer_list<std::uint32_t>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
        // Blocks of 2 from source column -3: the blocks at -3 and -1 start
        // outside, the one at 3 is cut to one column, the one at 5 is gone.
        EXPECT_TRUE(DDPixelEffectB(&BackBuffer, 0, 0, 10, 1, 2, &src, -3, 0, 0, nullptr));
        EXPECT_EQ(RawRow(BackBuffer, 0, 0, 10), (std::vector<std::uint32_t>{1, 1, 1, 1, grey, grey, grey, 1, 1, 1}));
        PutRow(BackBuffer, 0, 0, std::initializer_list<std::uint32_t>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
        EXPECT_TRUE(DDPixelEffectA(&BackBuffer, 0, 0, 10, 1, 2, 2, &src, -3, 0, 0, nullptr));
        EXPECT_EQ(RawRow(BackBuffer, 0, 0, 10), (std::vector<std::uint32_t>{1, 1, 1, grey, grey, grey, grey, 1, 1, 1}));
        EXPECT_TRUE(DDPixelEffectA(&BackBuffer, 0, 0, 10, 10, 1, 1, &src, 1 << 30, -(1 << 30), 0, nullptr));
        DDReleaseSurface(&src);
        DDRelease();
    }
}

}  // namespace
