#include "stage/core/picture_inst.h"

#include <gtest/gtest.h>

#include "stage/objects/stage_state.h"
#include "support/stage/stage_harness.h"

namespace {

cPictureInst Picture(int place, int unit, int x, int y, int anchored, int scale = 100, int timeKind = 0, int frames = 0,
                     int countWhileFrozen = 0, int owner = 0) {
    cPictureInst p;
    p.Init(1, place, unit, x, y, 0, 0, 40, 20, anchored, 0, scale, timeKind, frames, countWhileFrozen, owner, 0, 0);
    return p;
}

class PictureTest : public ::testing::Test {
protected:
    // Wide enough to scroll, view at the stage's top-left.
    StageHarness stage{{std::string(60, '.'), std::string(60, '.')}};
    cScrollAxis& ScrollX() { return stage.State().m_ScrollX; }

    static int UpdatesUntilEnd(cPictureInst& p, int frozen, int limit = 1000) {
        for (int n = 1; n <= limit; ++n)
            if (p.Update(nullptr, nullptr, frozen, 0)) return n;
        return 0;
    }
};

TEST_F(PictureTest, TimedPictureIsDrawnSixtyTimesAndRemovedOnTheNext) {
    cPictureInst timed = Picture(PicturePlace::ScreenCentre, 0, 0, 0, 1, 100, kPictureTimed, 60);
    EXPECT_EQ(UpdatesUntilEnd(timed, 0), 61);

    cPictureInst frozen = Picture(PicturePlace::ScreenCentre, 0, 0, 0, 1, 100, kPictureTimed, 60);
    EXPECT_EQ(UpdatesUntilEnd(frozen, 1, 200), 0) << "frozen frames do not count";
    cPictureInst counts = Picture(PicturePlace::ScreenCentre, 0, 0, 0, 1, 100, kPictureTimed, 60, 1);
    EXPECT_EQ(UpdatesUntilEnd(counts, 1), 61);

    cPictureInst untimed = Picture(PicturePlace::ScreenCentre, 0, 0, 0, 1, 100, 1, 60);
    EXPECT_EQ(UpdatesUntilEnd(untimed, 0, 200), 0) << "other kinds leave the end to the command";
}

TEST_F(PictureTest, ScaledSizeRoundsHalfAwayFromZero) {
    const struct {
        int scale, width, height, stretched;
    } cases[] = {{100, 40, 20, 0}, {150, 60, 30, 1}, {101, 40, 20, 1}, {51, 20, 10, 1}, {3, 1, 1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scale);
        cPictureInst p;
        p.Init(1, 0, 0, 0, 0, 0, 0, 40, 20, 1, 0, c.scale, 0, 0, 0, 0, 0, 0);
        EXPECT_EQ(p.m_nWidth, c.width);
        EXPECT_EQ(p.m_nHeight, c.height);
        EXPECT_EQ(p.m_bStretched, c.stretched);
    }
    cPictureInst odd;
    odd.Init(1, 0, 0, 0, 0, 0, 0, 33, 21, 1, 0, 150, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(odd.m_nWidth, 50) << "49.5 rounds up";
    EXPECT_EQ(odd.m_nHeight, 32) << "31.5 rounds up";
}

// Screen places keep to the screen only when anchored; stage places keep
// to the screen only when anchored, too, from where they first appeared.
TEST_F(PictureTest, AnchoringAgainstAScrollingView) {
    const double start = ScrollX().m_dPos;
    const int blockX = ScrollX().m_nBlockOffset;
    const struct {
        const char* name;
        cPictureInst picture;
        int firstX;
        int afterScrollX;
    } cases[] = {
        {"centre, loose: stays at its stage position", Picture(PicturePlace::ScreenCentre, 0, 0, 0, 0), 300, 260},
        {"centre, anchored: stays on the screen", Picture(PicturePlace::ScreenCentre, 0, 0, 0, 1), 300, 300},
        {"screen blocks, loose", Picture(PicturePlace::ScreenTopLeft, 0, 2, 1, 0), 64, 24},
        {"screen pixels centre, anchored", Picture(PicturePlace::ScreenCentreAt, 1, 100, 50, 1), 80, 80},
        {"stage blocks, loose: moves with the stage", Picture(PicturePlace::StageTopLeft, 0, 3, 0, 0), 96, 56},
        {"stage blocks, anchored: keeps its first screen place", Picture(PicturePlace::StageTopLeft, 0, 3, 0, 1), 96,
         96},
        {"stage pixels centre, loose", Picture(PicturePlace::StageCentreAt, 1, 50, 0, 0), 30, -10},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.name);
        ScrollX().m_dPos = start;
        int x = 0, y = 0;
        c.picture.Place(x, y, 0);
        EXPECT_EQ(x, c.firstX);
        ScrollX().m_dPos = start + 40;
        c.picture.Place(x, y, 0);
        EXPECT_EQ(x, c.afterScrollX);
    }
    EXPECT_EQ(blockX * 32, static_cast<int>(start)) << "the view starts at the stage's first block";
}

// The draw pass of one layer ends the pictures of that layer whose time is
// over, with their surfaces and records; the three lists stay paired.
TEST_F(PictureTest, DrawPassRemovesEndedPicturesFromAllThreeLists) {
    cStageState& state = stage.State();
    const auto add = [&](int layer, int frames, int id) {
        cPictureInst& p = state.m_lstPicture.emplace_back();
        p.Init(1, PicturePlace::ScreenCentre, 0, 0, 0, 0, 0, 40, 20, 1, layer, 100, kPictureTimed, frames, 0, 0, 1, id);
        state.m_lstPictureSurface.emplace_back().nWidth = id;
        state.m_lstPictureEntry.emplace_back().nWidth = id;
    };
    add(0, 1, 1);
    add(1, 1, 2);
    add(0, 5, 3);
    DrawPictures(nullptr, state, 0, 0, 0);
    EXPECT_EQ(state.m_lstPicture.size(), 3u) << "one frame left: drawn once more";
    DrawPictures(nullptr, state, 0, 0, 0);
    ASSERT_EQ(state.m_lstPicture.size(), 2u);
    EXPECT_EQ(state.m_lstPicture.front().m_nId, 2) << "the other layer's picture is not counted";
    EXPECT_EQ(state.m_lstPicture.back().m_nId, 3);
    EXPECT_EQ(state.m_lstPictureEntry.front().nWidth, 2);
    EXPECT_EQ(state.m_lstPictureEntry.back().nWidth, 3);
    ASSERT_EQ(state.m_lstPictureSurface.size(), 2u);
    ClearPictures(state);
    EXPECT_TRUE(state.m_lstPicture.empty());
    EXPECT_TRUE(state.m_lstPictureSurface.empty());
    EXPECT_TRUE(state.m_lstPictureEntry.empty());
}

TEST(PictureFollow, TracksItsCharacterUntilItVanishes) {
    StageHarness stage({"..H.", "...."});
    cChara& hero = stage.Hero();
    const int scroll = static_cast<int>(stage.State().m_ScrollX.m_dPos);
    cPictureInst p = Picture(PicturePlace::FollowChara, 1, 500, 0, 0, 100, 0, 0, 0, hero.m_nId);
    int x = 0, y = 0;
    p.Place(x, y, 1);
    EXPECT_EQ(x, static_cast<int>(hero.m_dX) + hero.m_nWidth / 2 - scroll);
    hero.m_dX += 10;
    int moved = 0;
    p.Place(moved, y, 1);
    EXPECT_EQ(moved, x + 10);
    p.Place(x, y, 0);
    EXPECT_EQ(x, 500 - scroll) << "without the project's follow switch: where it was made";
    PlayerList.clear();
    int vanished = 0;
    p.Place(vanished, y, 1);
    EXPECT_EQ(vanished, moved) << "a vanished character leaves its last centre";
}

}  // namespace
