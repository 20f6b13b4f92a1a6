#include "draw/effects/transform_blits.h"
#include "draw/effect_fixture.h"

namespace {

class TransformBlitTest : public DrawTest {
protected:
    void TearDown() override {
        DDReleaseSurface(&src);
        DrawTest::TearDown();
    }
    // A w x h source whose pixel (a, b) is 1 + a + w * b (plus the opaque
    // bits of the mode).
    void Numbered(const DrawMode& m, int w, int h, bool processor) {
        ASSERT_TRUE(MakeRawSurface(src, w, h, 0, processor));
        for (int b = 0; b < h; ++b) {
            for (int a = 0; a < w; ++a) PutRow(src, a, b, {Opaque(m) | std::uint32_t(1 + a + w * b)});
        }
    }
    static std::uint32_t Opaque(const DrawMode& m) { return !m.bD3D ? 0u : m.bpp == 32 ? 0xFF000000u : 0x8000u; }
    DDSURFACEDATA src;
};

TEST_F(TransformBlitTest, ProcessorRotationByZeroAndNinetyDegrees) {
    for (const DrawMode* m : {&kDD32, &kDD8, &kD3D32}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        Numbered(*m, 4, 2, true);
        // 0 degrees about the centre (2, 1): the area lands at (98, 99).
        EXPECT_TRUE(DDBltRotate(&BackBuffer, 100, 100, 4, 2, 2, 1, 0, &src, 0, 0, 0));
        EXPECT_EQ(RawRow(BackBuffer, 98, 100, 4), RawRow(src, 0, 1, 4));
        EXPECT_EQ(RawRow(BackBuffer, 98, 99, 4), RawRow(src, 0, 0, 4));
        // 90 degrees: the 4 x 2 area stands 2 x 4, its top row on the right.
        PalNumToRGB(&BackBuffer, 0, 0, 640, 480, 0);
        EXPECT_TRUE(DDBltRotate(&BackBuffer, 300, 100, 4, 2, 2, 1, 90, &src, 0, 0, 0));
        const std::uint32_t o = Opaque(*m);
        const std::vector<std::vector<std::uint32_t>> rows = {
            {o | 5, o | 1}, {o | 6, o | 2}, {o | 7, o | 3}, {o | 8, o | 4}};
        for (int k = 0; k < 4; ++k) EXPECT_EQ(RawRow(BackBuffer, 300, 98 + k, 2), rows[static_cast<std::size_t>(k)]);
        EXPECT_EQ(RawAt(BackBuffer, 299, 99), 0u);
        EXPECT_EQ(RawAt(BackBuffer, 302, 99), 0u);
        EXPECT_EQ(RawAt(BackBuffer, 300, 102), 0u);
        DDReleaseSurface(&src);
        DDRelease();
    }
}

TEST_F(TransformBlitTest, DevicePathRotatesTheQuadAboutTheCentre) {
    Start(kD3D32);
    Numbered(kD3D32, 4, 2, false);
    EXPECT_TRUE(DDBltRotate(&BackBuffer, 100, 100, 4, 2, 2, 1, 0, &src, 0, 0, 0));
    EXPECT_EQ(RawRow(BackBuffer, 98, 99, 4), RawRow(src, 0, 0, 4)) << "the centre on (x, y)";
    PalNumToRGB(&BackBuffer, 0, 0, 640, 480, 0);
    EXPECT_TRUE(DDBltRotate(&BackBuffer, 300, 100, 4, 2, 2, 1, 90, &src, 0, 0, 0));
    const std::vector<std::vector<std::uint32_t>> rows = {
        {0xFF000005u, 0xFF000001u}, {0xFF000006u, 0xFF000002u}, {0xFF000007u, 0xFF000003u}, {0xFF000008u, 0xFF000004u}};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(RawRow(BackBuffer, 299, 98 + k, 2), rows[static_cast<std::size_t>(k)]);
    EXPECT_EQ(RawAt(BackBuffer, 301, 99) & 0xFFFFFFu, 0u);
    EXPECT_TRUE(DDBltRotate(nullptr, 0, 0, 4, 2, 2, 1, 0, &src, 0, 0, 0)) << "no destination draws nothing";
}

TEST_F(TransformBlitTest, SixteenBitRotationSkipsTransparentTexelsByAlpha) {
    Start(kD3D16Window);
    ASSERT_TRUE(MakeRawSurface(src, 2, 2, 0x801Fu, true));
    PutRow(src, 0, 0, {0x001Fu});  // blue with neither bit 15 nor bit 13: transparent
    PutRow(BackBuffer, 99, 99, {0x83E0u});
    EXPECT_TRUE(DDBltRotate(&BackBuffer, 100, 100, 2, 2, 1, 1, 0, &src, 0, 0, 1));
    EXPECT_EQ(RawRow(BackBuffer, 99, 99, 2), (std::vector<std::uint32_t>{0x83E0u, 0x801Fu}));
    // A source corner left of the source reads only pixels it has.
    EXPECT_TRUE(DDBltRotate(&BackBuffer, 10, 10, 2, 2, 1, 1, 0, &src, -1, 0, 0));
    EXPECT_EQ(RawRow(BackBuffer, 9, 9, 2), (std::vector<std::uint32_t>{0u, 0x001Fu}));
}

TEST_F(TransformBlitTest, LensMagnifiesTowardTheCentre) {
    for (const DrawMode* m : {&kDD32, &kD3D32}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        Numbered(*m, 40, 40, true);
        EXPECT_FALSE(DDBltLens(&BackBuffer, 100, 100, 1, 10, &src, 20, 20, 0, 0, nullptr)) << "too flat";
        EXPECT_FALSE(DDBltLens(&BackBuffer, 100, 100, 0, 0, &src, 20, 20, 0, 0, nullptr));
        EXPECT_FALSE(DDBltLens(&BackBuffer, 100, 100, -1, 2, &src, 20, 20, 0, 0, nullptr));
        const std::uint32_t under = m->bD3D ? 0xFF0000FFu : 0x0000FFu;
        PalNumToRGB(&BackBuffer, 0, 0, 640, 480, 0);
        for (int y = 80; y < 120; ++y) {
            for (int x = 80; x < 120; ++x) PutRow(BackBuffer, x, y, {under});
        }
        // Radius 10, depth 1: sphere radius 10.
        EXPECT_TRUE(DDBltLens(&BackBuffer, 100, 100, 10, 1, &src, 20, 20, 0, 1, nullptr));
        EXPECT_EQ(RawAt(BackBuffer, 100, 100), RawAt(src, 20, 20));
        EXPECT_EQ(RawAt(BackBuffer, 105, 100), RawAt(src, 21, 20)) << "5 / sqrt(75) rounds to 1";
        EXPECT_EQ(RawAt(BackBuffer, 110, 100), RawAt(src, 30, 20)) << "the rim samples itself";
        EXPECT_EQ(RawAt(BackBuffer, 91, 91), m->bD3D ? 0u : under) << "a corner of the square";
        EXPECT_EQ(RawAt(BackBuffer, 89, 100), under) << "outside the square";
        DDReleaseSurface(&src);
        DDRelease();
    }
}

TEST_F(TransformBlitTest, CircleDrawsHalfChordsPerBand) {
    Start(kDD8);
    ASSERT_TRUE(MakeRawSurface(src, 20, 20, 7));
    // Drawn columns of each row of the destination around (100, 100).
    auto span = [](int y) {
        std::vector<int> cols;
        for (int x = 90; x < 110; ++x) {
            if (RawAt(BackBuffer, x, y) == 7u) cols.push_back(x);
        }
        return cols.empty() ? std::vector<int>{} : std::vector<int>{cols.front(), cols.back()};
    };
    DDBltCircle(&BackBuffer, 100, 100, 10, 10, 3, 1, &src, 10, 10, 0);
    for (int y = 98; y <= 102; ++y) EXPECT_EQ(span(y), (std::vector<int>{98, 101})) << y;
    EXPECT_TRUE(span(97).empty()) << "i = -3 has no chord";
    EXPECT_TRUE(span(103).empty());
    PalNumToRGB(&BackBuffer, 0, 0, 640, 480, 0);
    DDBltCircle(&BackBuffer, 100, 100, 10, 1, 3, 1, &src, 10, 10, 0);
    EXPECT_TRUE(span(98).empty()) << "outside the half height";
    EXPECT_EQ(span(99), (std::vector<int>{98, 101}));
    EXPECT_TRUE(span(101).empty());
    // Bands of 3 rows take the chord of their middle row.
    PalNumToRGB(&BackBuffer, 0, 0, 640, 480, 0);
    DDBltCircle(&BackBuffer, 100, 100, 10, 10, 3, 3, &src, 10, 10, 0);
    for (int y = 97; y <= 102; ++y) EXPECT_EQ(span(y), (std::vector<int>{98, 101})) << y;
    // Source columns sx - 1 and sx only: the bands are cut on both sides.
    PalNumToRGB(&BackBuffer, 0, 0, 640, 480, 0);
    DDBltCircle(&BackBuffer, 100, 100, 1, 10, 3, 1, &src, 10, 10, 0);
    EXPECT_EQ(span(100), (std::vector<int>{99, 100}));
    DDBltCircle(&BackBuffer, 100, 100, 10, 1 << 30, 1 << 30, 1, &src, 10, 10, 0);  // returns at once
}

}  // namespace
