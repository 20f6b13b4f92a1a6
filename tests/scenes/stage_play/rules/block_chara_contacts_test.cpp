#include <gtest/gtest.h>

#include "contact_fixture.h"
#include "gamedata/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "scenes/stage_play/rules/block_chara_contacts.h"
#include "scenes/stage_play/rules/contact_hooks.h"
#include "scenes/stage_play/rules/presence.h"
#include "support/stage/stage_harness.h"

namespace {

// Puts the character's box at (x, y), now and as saved at the frame's start.
void Put(cChara& c, double x, double y) {
    c.m_dX = x;
    c.m_dY = y;
    c.ClampX(BoundMode::None);
    c.ClampY(BoundMode::None);
    c.SavePosition();
}

// Where the character began the frame.
void Began(cChara& c, double x, double y) {
    c.m_dSavedX = x;
    c.m_dSavedY = y;
    c.m_dSavedRight = x + c.m_nWidth - 1;
    c.m_dSavedBottom = y + c.m_nHeight - 1;
}

class BlockCharas : public ContactRulesTest {
protected:
    // Walker a, block characters k and m, all 32 x 32, in an open stage.
    StageHarness& Stage(const std::vector<std::string>& picture = {"a.k.m", ".....", "....."}) {
        m_Stage.reset();
        m_Stage = std::make_unique<StageHarness>(picture);
        for (cStageChara& c : CharaList)
            if (c.m_Def.m_sCellX >= 2) c.m_Def.m_bNoBox = 1;
        UpdatePresence(m_Stage->State());
        Fired().clear();
        return *m_Stage;
    }
    cStageChara& A() { return m_Stage->Chara('a'); }
    cStageChara& K() { return m_Stage->Chara('k'); }
    cStageChara& M() { return m_Stage->Chara('m'); }
    int Resolve() { return ResolveBlockCharaContacts(A(), CharaList); }

    std::unique_ptr<StageHarness> m_Stage;
};

TEST_F(BlockCharas, AWalkerLandsOnlyFallingFastFromAbove) {
    struct Case {
        const char* name;
        double speedY, aBeganAbove, kBeganAbove;
        bool lands;
    };
    // a's bottom 20 pixels into k, so k reaches a's upper half.
    const std::vector<Case> cases = {
        {"falling fast from above", 0.3, 10.0, 0.0, true},
        {"falling slower than 2 / n", 0.1, 10.0, 0.0, false},
        {"fast, but k began above a", 0.3, 0.0, 20.0, false},
    };
    for (const Case& c : cases) {
        Stage();
        cStageChara& k = K();
        Put(k, k.m_dX, k.m_dY + 64);
        Put(A(), k.m_dX, k.m_dY - 12);
        Began(A(), k.m_dX, k.m_dY - 12 - c.aBeganAbove);
        Began(k, k.m_dX, k.m_dY - c.kBeganAbove);
        A().m_dSpeedY = c.speedY;
        EXPECT_EQ(Resolve(), 0) << c.name;
        EXPECT_EQ(A().m_bRiding, c.lands) << c.name;
        if (c.lands) {
            EXPECT_EQ(A().m_dY, k.m_dY - 32) << c.name;
            EXPECT_EQ(A().m_dSpeedY, 0.0) << c.name;
            EXPECT_EQ(A().m_nRideId, k.m_nId) << c.name;
            EXPECT_EQ(KindsOn(k), std::vector<int>{19}) << c.name << ": ridden by a character";
            EXPECT_EQ(KindsOn(A()), (std::vector<int>{7, 8})) << c.name;
        } else {
            EXPECT_EQ(KindsOn(A()), std::vector<int>{7}) << c.name;
            EXPECT_TRUE(A().m_bTouchLeft || A().m_bTouchRight) << c.name << ": a side contact instead";
        }
    }
}

TEST_F(BlockCharas, ABlockCharacterAtTheLowerThirdIsStoodOnAtAnySpeed) {
    Stage();
    cStageChara& k = K();
    Put(k, k.m_dX + 8, k.m_dY + 64);
    Put(A(), k.m_dX - 8, k.m_dY - 28);  // 4 pixels deep
    EXPECT_EQ(Resolve(), 0);
    EXPECT_EQ(A().m_bRiding, 1);
    EXPECT_EQ(A().m_dY, k.m_dY - 32);
}

TEST_F(BlockCharas, OneBlockCharacterOnBothUpperEdgesPushesAgainstTheMove) {
    for (double speedX : {-1.0, 1.0}) {
        Stage();
        cStageChara& k = K();
        Put(k, k.m_dX, k.m_dY + 64);
        Put(A(), k.m_dX, k.m_dY - 12);
        A().m_dSpeedX = speedX;
        EXPECT_EQ(Resolve(), 0);
        // Moving left it meets k on its left and goes right of it, and the
        // other way round.
        EXPECT_EQ(A().m_bTouchLeft, speedX < 0);
        EXPECT_EQ(A().m_bTouchRight, speedX > 0);
        EXPECT_EQ(A().m_dX, speedX < 0 ? k.m_dRight + 1.5 : k.m_dX - 32 - 0.5);
        EXPECT_EQ(A().m_bImpactEnded, 1);
    }
}

TEST_F(BlockCharas, HeadHitsFromBelow) {
    struct Case {
        const char* name;
        double pusherSpeed;
        bool solidHere;
        int keepImpact;
        bool hit;
        double impactAfter;
    };
    const std::vector<Case> cases = {
        {"under a resting block character", 0.0, false, 0, true, 0.0},
        {"older projects keep the impact", 0.0, false, 1, true, -2.0},
        {"under a rising one", -1.0, false, 0, true, 0.0},
        {"under a rising one, no room below", -1.0, true, 0, false, -2.0},
    };
    for (const Case& c : cases) {
        Stage({"a.k..", ".....", "....."});
        SystemData.m_bCompatHeadKeepsImpact = c.keepImpact;
        cStageChara& k = K();
        Put(A(), k.m_dX, k.m_dBottom - 5);
        A().m_dSpeedY = -3.0;
        A().m_dImpactY = -2.0;
        k.m_dSpeedY = c.pusherSpeed;
        if (c.solidHere) m_Stage->Cell(2, 1).m_Def.m_cContact = 1, m_Stage->Cell(2, 1).m_Def.m_sCell = 1;
        const double y = A().m_dY;
        EXPECT_EQ(Resolve(), 0) << c.name;
        EXPECT_EQ(A().m_dY, c.hit ? k.m_dBottom + 1 : y) << c.name;
        EXPECT_EQ(A().m_bCeiling, c.hit) << c.name;
        EXPECT_EQ(A().m_dSpeedY, c.hit ? c.pusherSpeed : -3.0) << c.name;
        EXPECT_EQ(A().m_dImpactY, c.impactAfter) << c.name;
    }
}

TEST_F(BlockCharas, PinchedFromBothSidesAWalkerIsPushedDownNotCrushed) {
    Stage();
    cStageChara& k = K();
    cStageChara& m = M();
    Put(A(), A().m_dX + 64, A().m_dY + 64);
    Put(k, A().m_dX - 20, A().m_dY - 10);
    Put(m, A().m_dX + 20, A().m_dY - 10);
    EXPECT_EQ(Resolve(), 0);
    EXPECT_EQ(A().m_bTouchLeft, 0);
    EXPECT_EQ(A().m_bTouchRight, 0);
    EXPECT_EQ(A().m_bCeiling, 1);
    EXPECT_EQ(A().m_dY, k.m_dBottom + 1) << "under the first one over its upper half";
}

TEST_F(BlockCharas, CrushedBetweenContacts) {
    struct Case {
        const char* name;
        void (*set)(cStageChara& a, cStageChara& k);
    };
    const std::vector<Case> cases = {
        {"a wall of the map on the left, k on the right",
         [](cStageChara& a, cStageChara& k) {
             a.m_bTouchLeft = 1;
             Put(k, a.m_dX + 20, a.m_dY);
         }},
        {"a ceiling of the map, k rising underneath",
         [](cStageChara& a, cStageChara& k) {
             a.m_bTouchTop = 1;
             Put(k, a.m_dX, a.m_dY + 28);
             k.m_dSpeedY = -1.0;
         }},
        {"every corner inside k", [](cStageChara& a, cStageChara& k) { Put(k, a.m_dX, a.m_dY); }},
    };
    for (const Case& c : cases) {
        Stage();
        Put(A(), A().m_dX + 64, A().m_dY + 64);
        c.set(A(), K());
        EXPECT_EQ(Resolve(), 2) << c.name;
    }
}

TEST_F(BlockCharas, FliersByTheirFlyKind) {
    struct Case {
        int moveKind;  // 1 through blocks, 2 stopped by them, 3 dies on them
        int result;
        bool touched;
    };
    for (const Case& c : std::vector<Case>{{1, 0, false}, {2, 0, true}, {3, 2, true}}) {
        Stage();
        cStageChara& k = K();
        A().SetMoveKind(c.moveKind);
        Put(A(), k.m_dX - 28, k.m_dY);
        A().m_dSpeedX = 1.0;
        EXPECT_EQ(Resolve(), c.result) << "move kind " << c.moveKind;
        EXPECT_EQ(KindsOn(A()), c.touched ? std::vector<int>{7} : std::vector<int>{}) << "move kind " << c.moveKind;
        if (c.moveKind == 2) {
            EXPECT_EQ(A().m_dX, k.m_dX - 32) << "stopped at k's left";
            EXPECT_EQ(A().m_bTouchRight, 1);
        }
    }
}

TEST_F(BlockCharas, ARiderIsCarriedByItsBlockCharacter) {
    struct Case {
        const char* name;
        int compatFollowY, blockFlies, blockAirLock;
        bool followsY;
    };
    const std::vector<Case> cases = {
        {"current projects", 0, 0, 0, true},
        {"older projects, grounded block character", 1, 0, 0, false},
        {"older projects, flying block character", 1, 1, 0, true},
        {"older projects, airborne block character", 1, 0, 1, true},
    };
    for (const Case& c : cases) {
        Stage();
        SystemData.m_bCompatRideFollowY = c.compatFollowY;
        cStageChara& k = K();
        k.m_bFly = c.blockFlies;
        k.m_bAirLock = c.blockAirLock;
        cStageChara& a = A();
        a.m_bRiding = 1;
        a.m_nRideId = k.m_nId;
        a.m_dRideX = k.m_dX - 3;
        a.m_dRideY = k.m_dY + 2;
        a.m_dSpeedX = 1.0;
        a.m_dSpeedY = 0.5;
        EXPECT_EQ(CarryRider(a, CharaList), 0);
        EXPECT_EQ(a.m_dSpeedX, 4.0) << c.name;
        EXPECT_EQ(a.m_dSpeedY, c.followsY ? -2.0 : 0.5) << c.name;
        EXPECT_EQ(Fired(), (std::vector<FiredTrigger>{{&k, 19, &a, 0}})) << c.name;
    }
}

TEST_F(BlockCharas, TheHeroRidingFiresBothRideTriggersAndFliersAreNotCarried) {
    Stage({"H.k..", "....."});
    cStageChara& k = K();
    cPlayer& hero = m_Stage->Hero();
    hero.m_bRiding = 1;
    hero.m_nRideId = k.m_nId;
    hero.m_dRideX = k.m_dX;
    CarryRider(hero, CharaList);
    EXPECT_EQ(Fired(), (std::vector<FiredTrigger>{{&k, 18, &hero, 0}, {&k, 19, &hero, 0}}));
    Fired().clear();
    hero.m_bFly = 1;
    CarryRider(hero, CharaList);
    EXPECT_TRUE(Fired().empty());
}

TEST_F(BlockCharas, ARideEndsWhenNothingIsUnderTheFeet) {
    for (bool another : {false, true}) {
        Stage();
        cStageChara& k = K();
        cStageChara& m = M();
        Put(A(), k.m_dX, k.m_dY + 100);
        A().m_bRiding = 1;
        A().m_nRideId = k.m_nId;
        if (another) Put(m, A().m_dX, A().m_dBottom + 3);
        EXPECT_EQ(Resolve(), 0);
        EXPECT_EQ(A().m_bRiding, another);
        if (another) {
            EXPECT_EQ(A().m_nRideId, m.m_nId) << "rides what is under its feet now";
            EXPECT_EQ(A().m_dRideY, m.m_dY);
        }
    }
}

}  // namespace
