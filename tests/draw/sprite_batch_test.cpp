#include <utility>
#include <vector>

#include "draw/blit.h"
#include "draw_fixture.h"

namespace {

class SpriteBatchTest : public DrawTest {
protected:
    void SetUp() override {
        Start(kD3D32);
        for (auto& [sd, color] : {std::pair{&A, 0xFFAA0000u}, std::pair{&B, 0xFF00BB00u}, std::pair{&X, 0xFF0000CCu}}) {
            ASSERT_TRUE(DDCreateSurface(sd, 4, 4, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
            DDFillSurfaceColor(sd, color);
        }
    }
    void TearDown() override {
        for (DDSURFACEDATA* sd : {&A, &B, &X}) DDReleaseSurface(sd);
        DrawTest::TearDown();
    }
    // The requests of the current batch in the order the flush draws them.
    std::vector<std::pair<DDSURFACEDATA*, int>> DrawOrder() {
        std::vector<DDSPRITEREQUEST> reqs = DDCollectingSpriteBatch()->requests;
        if (DDCollectingSpriteBatch()->bSort) std::stable_sort(reqs.begin(), reqs.end(), DDSpriteRequestLess);
        std::vector<std::pair<DDSURFACEDATA*, int>> out;
        for (const auto& r : reqs) out.emplace_back(r.lpSrc, r.x);
        return out;
    }
    void DrawB1A1X1B2() {
        DDBlt(&BackBuffer, 0, 0, 4, 4, &B, 0, 0, 0);
        DDBlt(&BackBuffer, 10, 0, 4, 4, &A, 0, 0, 0);
        DDBlt(&BackBuffer, 20, 0, 4, 4, &X, 0, 0, 0);
        DDBlt(&BackBuffer, 30, 0, 4, 4, &B, 0, 0, 0);
    }
    DDSURFACEDATA A, B, X;
};

TEST_F(SpriteBatchTest, SortingBatchGroupsRegisteredTexturesAfterTheRest) {
    DDSpriteBatchOpen(1);
    DDTextureCacheAddAll(&A);
    DDTextureCacheAddAll(&B);
    DDTextureCacheAddAll(&A);  // already registered: adds nothing
    EXPECT_EQ(DDCollectingSpriteBatch()->cache.size(), 2u);
    DrawB1A1X1B2();
    using P = std::pair<DDSURFACEDATA*, int>;
    EXPECT_EQ(DrawOrder(), (std::vector<P>{{&X, 20}, {&A, 10}, {&B, 0}, {&B, 30}}));
    EXPECT_EQ(PixelAt(BackBuffer, 0, 0), 0xFF000000u) << "nothing drawn before the flush";
    DDSpriteBatchFlush();
    for (int x : {0, 10, 20, 30}) EXPECT_NE(PixelAt(BackBuffer, x, 0), 0xFF000000u) << x;
    EXPECT_EQ(DDSpriteBatchDepth(), 0);
}

TEST_F(SpriteBatchTest, PlainBatchKeepsCallOrder) {
    DDSpriteBatchOpen(0);
    DDTextureCacheAddAll(&A);  // only sorting batches register
    EXPECT_TRUE(DDCollectingSpriteBatch()->cache.empty());
    DrawB1A1X1B2();
    using P = std::pair<DDSURFACEDATA*, int>;
    EXPECT_EQ(DrawOrder(), (std::vector<P>{{&B, 0}, {&A, 10}, {&X, 20}, {&B, 30}}));
    DDSpriteBatchFlush();
}

TEST_F(SpriteBatchTest, OverlapShowsWhichDrewLast) {
    const struct {
        const char* name;
        int sort;
        std::uint32_t top;
    } cases[] = {{"sorting: registered A goes after X", 1, 0xFFAA0000u}, {"plain: call order", 0, 0xFF0000CCu}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DDSpriteBatchOpen(c.sort);
        DDTextureCacheAddAll(&A);
        DDBlt(&BackBuffer, 0, 0, 4, 4, &A, 0, 0, 0);
        DDBlt(&BackBuffer, 0, 0, 4, 4, &X, 0, 0, 0);
        DDSpriteBatchFlush();
        EXPECT_EQ(PixelAt(BackBuffer, 1, 1), c.top);
    }
}

TEST_F(SpriteBatchTest, SubRectangleEntriesMatchTheirPositionOnly) {
    const struct {
        const char* name;
        int firstSx;
        int lastSx;
        std::vector<int> order;  // destination x in drawing order
    } cases[] = {
        // The registered cell first: a later draw of another cell of the
        // sheet is neither cached nor grouped with it.
        {"registered cell drawn first", 2, 0, {10, 20, 0}},
        // An uncached first draw of the sheet gives its key to every later
        // draw of the sheet, the registered cell too.
        {"other cell drawn first", 0, 2, {0, 20, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DDSpriteBatchOpen(1);
        DDTextureCacheAdd(&A, 2, 0);
        DDBlt(&BackBuffer, 0, 0, 2, 2, &A, c.firstSx, 0, 0);
        DDBlt(&BackBuffer, 10, 0, 2, 2, &X, 0, 0, 0);
        DDBlt(&BackBuffer, 20, 0, 2, 2, &A, c.lastSx, 0, 0);
        std::vector<int> xs;
        for (const auto& p : DrawOrder()) xs.push_back(p.second);
        EXPECT_EQ(xs, c.order);
        DDSpriteBatchFlush();
    }
}

TEST_F(SpriteBatchTest, BatchOffDrawsAtOnce) {
    DDSpriteBatchOpen(0);
    DDBlt(&BackBuffer, 0, 0, 4, 4, &A, 0, 0, 0);
    DDSpriteBatchOff();
    DDBlt(&BackBuffer, 0, 0, 4, 4, &X, 0, 0, 0);
    EXPECT_EQ(PixelAt(BackBuffer, 0, 0), 0xFF0000CCu);
    DDSpriteBatchOn();
    DDSpriteBatchFlush();
    EXPECT_EQ(PixelAt(BackBuffer, 0, 0), 0xFFAA0000u) << "the deferred first draw lands last";
}

TEST_F(SpriteBatchTest, NestingAndLimits) {
    DDSpriteBatchFlush();  // nothing open: nothing happens
    EXPECT_EQ(DDSpriteBatchDepth(), 0);
    for (int i = 0; i < kMaxSpriteBatches + 5; ++i) DDSpriteBatchOpen(0);
    EXPECT_EQ(DDSpriteBatchDepth(), kMaxSpriteBatches);
    for (int i = 0; i < kMaxSpriteBatches; ++i) DDSpriteBatchFlush();
    EXPECT_EQ(DDSpriteBatchDepth(), 0);
}

TEST_F(SpriteBatchTest, FillBatchDefersFillsUntilItsFlush) {
    DDFillBatchReset();
    DDFillRectColor(&BackBuffer, 0, 0, 2, 2, 0xFF445566u);
    EXPECT_EQ(PixelAt(BackBuffer, 0, 0), 0xFF000000u);
    DDFillBatchFlush();
    EXPECT_EQ(PixelAt(BackBuffer, 1, 1), 0xFF445566u);
    DDFillRectColor(&BackBuffer, 0, 0, 2, 2, 0xFF000001u);
    EXPECT_EQ(PixelAt(BackBuffer, 1, 1), 0xFF000001u) << "closed batch: fills draw at once";
}

TEST_F(SpriteBatchTest, KeyedSourceWithFlags0ClearsEachRequestFirst) {
    DDSURFACEDATA keyed;
    ASSERT_TRUE(DDCreateSurface(&keyed, 2, 1, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    DDFillRectColor(&keyed, 0, 0, 1, 1, 0xFF010203u);
    DDFillRectColor(&keyed, 1, 0, 1, 1, 0);  // a keyed target clears to the transparent texel
    ASSERT_EQ(PixelAt(keyed, 1, 0), 0u);
    DDSetTransmit(9, 8, 7);
    DDFillRectColor(&BackBuffer, 0, 0, 8, 1, 0xFFFFFFFFu);
    DDSpriteBatchOpen(0);
    DDBlt(&BackBuffer, 0, 0, 2, 1, &keyed, 0, 0, 0);
    DDBlt(&BackBuffer, 4, 0, 2, 1, &keyed, 0, 0, 0);
    DDSpriteBatchFlush();
    for (int x : {1, 5}) EXPECT_EQ(PixelAt(BackBuffer, x, 0), 0xFF090807u) << x;
    EXPECT_EQ(PixelAt(BackBuffer, 4, 0), 0xFF010203u);
    EXPECT_EQ(PixelAt(BackBuffer, 3, 0), 0xFFFFFFFFu);
    DDReleaseSurface(&keyed);
}

TEST(SpriteBatchDirectDraw, BatchesDoNothing) {
    ASSERT_TRUE(StartMode(kDD32));
    DDSpriteBatchOpen(1);
    EXPECT_EQ(DDSpriteBatchDepth(), 0);
    DDFillBatchReset();
    EXPECT_TRUE(DDFillRectColor(&BackBuffer, 0, 0, 1, 1, 0x123456u));
    EXPECT_EQ(BackBuffer.Pixels()->Get(0, 0), 0x123456u);
    DDRelease();
}

}  // namespace
