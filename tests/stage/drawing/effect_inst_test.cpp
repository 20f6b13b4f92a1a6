#include "stage/core/effect_inst.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "gamedata/database/database.h"
#include "gamedata/database/effect_tables.h"
#include "platform/random.h"
#include "stage/objects/chara.h"
#include "stage/objects/engine_hooks.h"
#include "stage/objects/stage_state.h"
#include "support/stage/stage_harness.h"

namespace {

cEffect EffectOf(int cellWidth, int cellHeight, int growsWithHit, std::initializer_list<int> tenths) {
    cEffect e;
    e.m_nCellWidth = cellWidth;
    e.m_nCellHeight = cellHeight;
    e.m_nFollowScale = growsWithHit;
    e.m_vFrames.clear();
    int cell = 0;
    for (int t : tenths) {
        cEffectFrame f;
        f.m_nCell = cell++;
        f.m_nTime = t;
        e.m_vFrames.push_back(f);
    }
    return e;
}

CharaBox Box(double left, double top, double right, double bottom) {
    CharaBox b;
    b.dLeft = left;
    b.dTop = top;
    b.dRight = right;
    b.dBottom = bottom;
    return b;
}

// Effect 1: two frames of a tenth; 2: no frames; 3: grows with the hit.
class EffectTest : public ::testing::Test {
protected:
    void SetUp() override {
        Database.Effect.clear();
        Database.Effect.push_back(EffectOf(32, 32, 0, {}));
        Database.Effect.push_back(EffectOf(16, 8, 0, {1, 1}));
        Database.Effect.push_back(EffectOf(16, 16, 0, {}));
        Database.Effect.push_back(EffectOf(10, 6, 1, {1}));
        BuildEffectSequences(EffectSequences);
    }
    void TearDown() override {
        Database.Effect.clear();
        EffectSequences.clear();
    }

    // Updates until the effect reports its end; the number of the update
    // that did (0 when it had not ended after `limit`).
    static int UpdatesUntilEnd(cEffectInst& e, int frozen, int limit = 1000) {
        cVector<DDSURFACEDATA> none;
        for (int n = 1; n <= limit; ++n)
            if (e.Update(nullptr, frozen, none)) return n;
        return 0;
    }

    StageHarness stage{{"...."}};
};

TEST_F(EffectTest, LivesAsLongAsItsFramesAndStaysWhileFrozen) {
    cEffectInst noFrames(2, 0, 0, 16, 16, 0);
    EXPECT_EQ(UpdatesUntilEnd(noFrames, 0), 1) << "an entry without frames ends on its first update";

    cEffectInst twoFrames(1, 0, 0, 16, 8, 0);
    EXPECT_EQ(UpdatesUntilEnd(twoFrames, 0), 12) << "two frames of 6 play frames each, removed on the 12th";

    cEffectInst frozen(1, 0, 0, 16, 8, 0);
    EXPECT_EQ(UpdatesUntilEnd(frozen, 1, 100), 0) << "a frozen frame does not advance it";
    EXPECT_EQ(UpdatesUntilEnd(frozen, 0), 12) << "and it resumes where it stood";

    cEffectInst runsFrozen(1, 0, 0, 16, 8, 1);
    EXPECT_EQ(UpdatesUntilEnd(runsFrozen, 1), 12);
}

TEST_F(EffectTest, CommandFormStretchesWhenTheWidthDiffers) {
    EXPECT_EQ(cEffectInst(1, 0, 0, 16, 8, 0).m_bStretched, 0);
    EXPECT_EQ(cEffectInst(1, 0, 0, 32, 8, 0).m_bStretched, 1);
}

TEST_F(EffectTest, AProjectWithoutEffectsPlaysNone) {
    Database.Effect.clear();
    EffectSequences.clear();
    cEffectInst e(1, 0, 0, 16, 8, 0);
    EXPECT_EQ(UpdatesUntilEnd(e, 0), 1);
}

// The hit form centres the effect on the overlap of the two boxes (on
// (0, 0) without one) and jitters it by up to 4 pixels, 4 x scale when the
// effect grows with the hit.
TEST_F(EffectTest, HitPlacementAndJitter) {
    const struct {
        const char* name;
        int number;
        CharaBox a, b;
        int scale;
        int width, height, stretched;
        double centreX, centreY;  // of the placement before the jitter
        int reach;
    } cases[] = {
        {"overlap", 1, Box(100, 50, 131, 81), Box(120, 60, 151, 91), 1, 16, 8, 0, 120 + 6 - 8, 60 + 11 - 4, 4},
        {"no overlap", 1, Box(0, 0, 9, 9), Box(50, 50, 59, 59), 1, 16, 8, 0, 0 - 8, 0 - 4, 4},
        {"scale 3 grows", 3, Box(0, 0, 31, 31), Box(0, 0, 31, 31), 3, 30, 18, 1, 16 - 15, 16 - 9, 12},
        {"scale 3 without the flag", 1, Box(0, 0, 31, 31), Box(0, 0, 31, 31), 3, 16, 8, 0, 16 - 8, 16 - 4, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::set<int> dx, dy;
        for (unsigned seed = 1; seed <= 400; ++seed) {
            platform::srand(seed);
            const cEffectInst e = cEffectInst::FromHit(c.number, c.a, c.b, c.scale);
            platform::srand(seed);
            const cEffectInst again = cEffectInst::FromHit(c.number, c.a, c.b, c.scale);
            ASSERT_EQ(e.m_dX, again.m_dX) << "the seeded generator repeats the placement";
            ASSERT_EQ(e.m_dY, again.m_dY);
            ASSERT_EQ(e.m_nWidth, c.width);
            ASSERT_EQ(e.m_nHeight, c.height);
            ASSERT_EQ(e.m_bStretched, c.stretched);
            ASSERT_EQ(e.m_bRunWhileFrozen, 0);
            dx.insert(static_cast<int>(e.m_dX - c.centreX));
            dy.insert(static_cast<int>(e.m_dY - c.centreY));
        }
        for (const std::set<int>* d : {&dx, &dy}) {
            EXPECT_EQ(*d->begin(), -c.reach);
            EXPECT_EQ(*d->rbegin(), c.reach);
        }
    }
}

// A hit reported by the engine becomes an effect of the running stage,
// placed as the hit form places it.
TEST_F(EffectTest, EngineHitsAddEffectsToTheStage) {
    Hooks().hitEffect = AddHitEffect;
    HitEffectRequest request;
    request.nEffect = 1;
    const double victim[4] = {100, 50, 131, 81}, attacker[4] = {120, 60, 151, 91};
    std::copy(victim, victim + 4, request.victim);
    std::copy(attacker, attacker + 4, request.attacker);
    platform::srand(7);
    Hooks().hitEffect(request);
    Hooks().hitEffect = nullptr;
    platform::srand(7);
    const cEffectInst expected = cEffectInst::FromHit(1, Box(100, 50, 131, 81), Box(120, 60, 151, 91), 1);
    ASSERT_EQ(stage.State().m_lstEffect.size(), 1u);
    EXPECT_EQ(stage.State().m_lstEffect.front().m_dX, expected.m_dX);
    EXPECT_EQ(stage.State().m_lstEffect.front().m_dY, expected.m_dY);
    EXPECT_EQ(stage.State().m_lstEffect.front().m_sNumber, 1);
}

}  // namespace
