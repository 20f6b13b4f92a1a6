#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/random.h"
#include "stage/objects/shot.h"
#include "support/stage/stage_harness.h"

namespace {

int CountPairs(const cChara& c, const cChara* other, int kind) {
    return static_cast<int>(
        std::count(c.m_vecLink.begin(), c.m_vecLink.end(), CharaLink{const_cast<cChara*>(other), kind}));
}

TEST(CharaLinks, LinkToHeroTwiceKeepsOnePairEach) {
    StageHarness stage({"H.ab"});
    cStageChara& parent = stage.Chara('a');
    cStageChara& child = stage.Chara('b');
    child.LinkToHero(&parent);
    child.LinkToHero(&parent);
    EXPECT_EQ(child.m_vecTarget[0], &stage.Hero());
    EXPECT_EQ(child.m_lpParent, &parent);
    EXPECT_EQ(CountPairs(parent, &child, LinkKind::Child), 1);
    EXPECT_EQ(CountPairs(stage.Hero(), &child, 0), 1);
}

TEST(CharaLinks, SetTargetMovesThePair) {
    StageHarness stage({"H.ab"});
    cStageChara& a = stage.Chara('a');
    cStageChara& b = stage.Chara('b');
    SetTarget(a, 2, &b, 0);
    EXPECT_EQ(a.m_vecTarget[2], &b);
    EXPECT_EQ(CountPairs(b, &a, 2), 1);
    SetTarget(a, 2, &stage.Hero(), 0);
    EXPECT_EQ(CountPairs(b, &a, 2), 0);
    EXPECT_EQ(CountPairs(stage.Hero(), &a, 2), 1);
    SetTarget(a, 2, nullptr, 0);
    EXPECT_EQ(a.m_vecTarget[2], &stage.Hero()) << "no object and no clear flag: nothing changes";
    SetTarget(a, 2, nullptr, 1);
    EXPECT_EQ(a.m_vecTarget[2], nullptr);
    EXPECT_EQ(CountPairs(stage.Hero(), &a, 2), 0);
}

// Every reference among the living characters and shots points at a living
// object, and every target slot and parent has its pair.
void ExpectConsistent(const std::vector<cChara*>& alive, const cList<cShot>& shots) {
    const auto living = [&](const cChara* c) { return std::find(alive.begin(), alive.end(), c) != alive.end(); };
    for (const cChara* c : alive) {
        int slot = 0;
        for (const cChara* t : c->m_vecTarget) {
            if (t) {
                EXPECT_TRUE(living(t));
                EXPECT_EQ(CountPairs(*t, c, slot), 1);
            }
            ++slot;
        }
        if (c->m_lpParent) {
            EXPECT_TRUE(living(c->m_lpParent));
            EXPECT_EQ(CountPairs(*c->m_lpParent, c, LinkKind::Child), 1);
        }
        for (const CharaLink& l : c->m_vecLink) EXPECT_TRUE(living(l.lpChara));
        for (const ShotLink& l : c->m_vecShotLink) {
            EXPECT_TRUE(std::any_of(shots.begin(), shots.end(), [&](const cShot& s) { return &s == l.lpShot; }));
        }
    }
    for (const cShot& s : shots) {
        EXPECT_TRUE(!s.m_lpOwner || living(s.m_lpOwner));
        EXPECT_TRUE(!s.m_lpTarget || living(s.m_lpTarget));
    }
}

TEST(CharaLinks, ReleasedCharactersLeaveNoReference) {
    StageHarness stage({"H.abcdefgh"});
    platform::srand(77);
    std::vector<cChara*> alive = {&stage.Hero()};
    for (cStageChara& c : CharaList) alive.push_back(&c);
    cList<cShot>& shots = stage.State().m_lstShot;
    const auto pick = [&]() { return alive[static_cast<std::size_t>(platform::rand()) % alive.size()]; };
    for (int step = 0; step < 400; ++step) {
        const int action = platform::rand() % 6;
        if (action <= 1) {
            SetTarget(*pick(), platform::rand() % 4, pick(), 0);
        } else if (action == 2) {
            cChara* child = pick();
            if (child != &stage.Hero()) child->LinkToHero(pick());
        } else if (action == 3) {
            cShot shot;
            shot.m_lpOwner = pick();
            shot.m_lpTarget = pick();
            cShot& added = stage.State().AddShot(shot);
            added.LinkTo(*added.m_lpOwner, LinkKind::Child);
            added.LinkTo(*added.m_lpTarget, LinkKind::Target);
        } else if (action == 4 && !shots.empty()) {
            stage.State().RemoveShot(shots.front());
        } else if (action == 5 && alive.size() > 2) {
            cChara* gone = pick();
            if (gone == &stage.Hero()) continue;
            gone->ReleaseLinks();
            alive.erase(std::find(alive.begin(), alive.end(), gone));
            stage.State().RemoveFromGroup(*gone);
            CharaList.remove_if([gone](const cStageChara& c) { return &c == gone; });
        }
        ExpectConsistent(alive, shots);
        if (HasFailure()) FAIL() << "after step " << step;
    }
}

TEST(CharaLinks, DestroyedCharacterAndShotUnlinkThemselves) {
    StageHarness stage({"H.a"});
    auto temp = std::make_unique<cStageChara>();
    SetTarget(stage.Chara('a'), 1, temp.get(), 0);
    SetTarget(*temp, 0, &stage.Hero(), 0);
    cShot& shot = stage.State().AddShot(cShot());
    shot.m_lpOwner = temp.get();
    shot.LinkTo(*temp, LinkKind::Child);
    temp.reset();
    EXPECT_EQ(stage.Chara('a').m_vecTarget[1], nullptr);
    EXPECT_EQ(CountPairs(stage.Hero(), nullptr, 0), 0);
    EXPECT_EQ(stage.Hero().m_vecLink.Count(), 1) << "only a's pair";
    EXPECT_EQ(shot.m_lpOwner, nullptr);

    SetTarget(stage.Chara('a'), 3, &stage.Hero(), 0);
    shot.m_lpTarget = &stage.Hero();
    shot.LinkTo(stage.Hero(), LinkKind::Target);
    stage.State().RemoveShot(shot);
    EXPECT_TRUE(stage.Hero().m_vecShotLink.empty());
    EXPECT_TRUE(stage.State().m_vecForceShot[0].empty());
}

}  // namespace

namespace {

TEST(CharaLinks, ResetAndCopyKeepEveryPairTrue) {
    StageHarness stage({"H.ab"});
    cStageChara& a = stage.Chara('a');
    cStageChara& b = stage.Chara('b');
    SetTarget(b, 1, &a, 0);
    b.LinkToHero(&a);
    // A copy targets the same characters with pairs of its own, and nobody
    // targets the copy.
    {
        cStageChara copy(b);
        EXPECT_EQ(copy.m_vecTarget[1], &a);
        EXPECT_EQ(CountPairs(a, &copy, 1), 1);
        EXPECT_EQ(CountPairs(a, &copy, LinkKind::Child), 1);
        EXPECT_TRUE(copy.m_vecLink.empty());
    }
    EXPECT_EQ(CountPairs(a, &b, 1), 1) << "the copy's release leaves the source's pairs";
    EXPECT_EQ(a.m_vecLink.Count(), 2);
    // A reset drops a's references and the references to a.
    SetTarget(a, 0, &b, 1);
    a.Reset(nullptr, {0, 0, 0, 0}, 0);
    EXPECT_EQ(b.m_vecTarget[1], nullptr);
    EXPECT_EQ(b.m_lpParent, nullptr);
    EXPECT_EQ(CountPairs(b, &a, 0), 0);
    EXPECT_EQ(CountPairs(stage.Hero(), &a, 0), 0);
}

}  // namespace
