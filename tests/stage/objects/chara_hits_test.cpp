#include <gtest/gtest.h>

#include <vector>

#include "gamedata/global_data.h"
#include "stage/objects/engine_hooks.h"
#include "support/stage/stage_harness.h"

namespace {

struct Fired {
    cChara* chara;
    int kind;
    cChara* partner;
    int filter;
    bool operator==(const Fired&) const = default;
};

std::vector<Fired> g_fired;
std::vector<HitEffectRequest> g_effects;
std::vector<cItem*> g_touched;
int g_touchResult = 0;

// Records what the damage asks of the flow engine and the scene.
class HitHooks : public ::testing::Test {
protected:
    void SetUp() override {
        g_fired.clear();
        g_effects.clear();
        g_touched.clear();
        g_touchResult = 0;
        Hooks().startFlowsByTrigger = [](cChara& c, int kind, cChara* partner, int filter) {
            g_fired.push_back({&c, kind, partner, filter});
        };
        Hooks().hitEffect = [](const HitEffectRequest& r) { g_effects.push_back(r); };
        Hooks().touchEvent = [](cItem& item, cPlayer&) {
            g_touched.push_back(&item);
            return g_touchResult;
        };
    }
    void TearDown() override { Hooks() = EngineHooks(); }
};

TEST_F(HitHooks, TriggersOfABodyHit) {
    struct Case {
        const char* name;
        int power, defence, impact, resist;
        bool parentAttack;
        std::vector<int> victim, parent;  // trigger kinds fired on each
    };
    const std::vector<Case> cases = {
        {"power below defence: hit, no damage", 10, 25, 0, 0, false, {1}, {}},
        {"damage", 10, 0, 0, 0, false, {1, 2}, {}},
        {"healing power", -5, 0, 0, 0, false, {1}, {}},
        {"impact that moves", 0, 0, 5, 0, false, {3, 4}, {}},
        {"impact absorbed by the defence", 0, 0, 5, 5, false, {3}, {}},
        {"an attack of the parent", 10, 0, 0, 0, true, {1, 2}, {20, 21}},
        {"an attack of the parent, no damage", 10, 25, 0, 0, true, {1}, {20}},
        {"an attack's impact", 0, 0, -3, 0, true, {3, 4}, {22, 23}},
        {"an attack's absorbed impact", 0, 0, -3, 9, true, {3}, {22}},
    };
    for (const Case& c : cases) {
        StageHarness stage({"apv"});
        cStageChara& attacker = stage.Chara('a');
        cStageChara& parent = stage.Chara('p');
        cStageChara& victim = stage.Chara('v');
        attacker.m_Def.m_nPower = c.power;
        attacker.m_Def.m_cImpact = static_cast<std::int8_t>(c.impact);
        attacker.m_dSpeedX = 1.0;
        attacker.m_lpParent = &parent;
        attacker.m_bParentAttack = c.parentAttack;
        attacker.m_cAttackFilter = 4;
        victim.m_Def.m_nDefence = c.defence;
        victim.m_Def.m_cImpactResist = static_cast<std::int8_t>(c.resist);
        victim.m_Def.m_nMaxHp = 100;
        victim.m_nLife = 50;
        int damage = 0, impact = 0;
        g_fired.clear();
        victim.TakeCharaDamage(attacker, damage, impact);
        victim.OnCharaHit(attacker, damage, impact);
        // The victim's partner is the one in whose name the hit came.
        cChara* partner = c.parentAttack ? static_cast<cChara*>(&parent) : &attacker;
        std::vector<Fired> expected;
        for (int kind : c.victim) expected.push_back({&victim, kind, partner, 0});
        std::vector<Fired> fired;
        std::vector<int> parentKinds;
        for (const Fired& f : g_fired) {
            if (f.chara == &parent) {
                parentKinds.push_back(f.kind);
                EXPECT_EQ(f.partner, &victim) << c.name;
                EXPECT_EQ(f.filter, 4) << c.name;
            } else {
                fired.push_back(f);
            }
        }
        EXPECT_EQ(fired, expected) << c.name;
        EXPECT_EQ(parentKinds, c.parent) << c.name;
    }
}

TEST_F(HitHooks, AShotPushesTheWayItFacesUnlessItsImpactFollowsItsFlight) {
    struct Case {
        const char* what;
        int directional;
        int facing;
        double vx, vy;
        int signX, signY;  // of the victim's impact speeds
    };
    for (const Case& c : {
             Case{"flying down-left, facing left", 0, 0, -3.0, 2.0, -1, 0},
             Case{"flying up, facing right", 0, 1, 0.0, -3.0, 1, 0},
             Case{"following the flight down-left", 1, 0, -3.0, 2.0, -1, 1},
             Case{"following the flight up", 1, 1, 0.0, -3.0, 0, -1},
         }) {
        StageHarness stage({"v"});
        cStageChara& victim = stage.Chara('v');
        cShot shot;
        shot.m_Param.m_cImpact = 4;
        shot.m_bDirectionalImpact = c.directional;
        shot.m_nDirection = c.facing;
        shot.m_dSpeedX = c.vx;
        shot.m_dSpeedY = c.vy;
        int impact = 0;
        victim.ImpactFromShot(shot, impact);
        EXPECT_EQ(impact, 4) << c.what;
        EXPECT_EQ((victim.m_dImpactX > 0) - (victim.m_dImpactX < 0), c.signX) << c.what;
        EXPECT_EQ((victim.m_dImpactY > 0) - (victim.m_dImpactY < 0), c.signY) << c.what;
    }
}

TEST_F(HitHooks, TriggersAndEffectOfAShotHit) {
    StageHarness stage({"sv"});
    cStageChara& shooter = stage.Chara('s');
    cStageChara& victim = stage.Chara('v');
    victim.m_Def.m_nMaxHp = 100;
    victim.m_nLife = 50;
    cShot shot;
    shot.m_Param.m_nPower = 12;
    shot.m_Param.m_cImpact = 2;
    shot.m_Param.m_sEffect = 9;
    shot.m_Param.m_cScale = 3;
    shot.m_rcHit = {10.0, 20.0, 30.0, 40.0};
    shot.m_nDirection = 0;
    int damage = 0, impact = 0;
    EXPECT_FALSE(victim.TakeShotDamage(shot, damage, impact));
    EXPECT_EQ(damage, 12);
    EXPECT_EQ(victim.m_nLife, 38);
    EXPECT_EQ(impact, 2);
    EXPECT_LT(victim.m_dImpactX, 0.0) << "pushed the way the shot faces";
    ASSERT_EQ(g_effects.size(), 1u);
    EXPECT_EQ(g_effects[0].nEffect, 9);
    EXPECT_EQ(g_effects[0].nScale, 3);
    EXPECT_EQ(g_effects[0].attacker[0], 10.0) << "left";
    EXPECT_EQ(g_effects[0].attacker[1], 30.0) << "top";
    EXPECT_EQ(g_effects[0].attacker[3], 40.0) << "bottom";
    EXPECT_EQ(g_effects[0].victim[0], victim.m_rcShotBox.dLeft);

    // Without a shooter the victim's triggers have no partner; the attack
    // triggers need a shooter whose attack the shot counts as.
    victim.OnShotHit(shot, damage, impact);
    EXPECT_EQ(
        g_fired,
        (std::vector<Fired>{
            {&victim, 1, nullptr, 0}, {&victim, 2, nullptr, 0}, {&victim, 3, nullptr, 0}, {&victim, 4, nullptr, 0}}));
    g_fired.clear();
    shot.m_lpOwner = &shooter;
    shot.m_nOpt1 = 1;
    shot.m_cOpt2 = 6;
    victim.OnShotHit(shot, 0, 0);
    EXPECT_EQ(g_fired, (std::vector<Fired>{{&victim, 1, &shooter, 0},
                                           {&shooter, 20, &victim, 6},
                                           {&victim, 3, &shooter, 0},
                                           {&shooter, 22, &victim, 6}}));
    shot.m_lpOwner = nullptr;
}

TEST_F(HitHooks, ABodyHitStartsTheAttackersHitEffect) {
    StageHarness stage({"av"});
    cStageChara& attacker = stage.Chara('a');
    cStageChara& victim = stage.Chara('v');
    int damage = 0, impact = 0;
    victim.TakeCharaDamage(attacker, damage, impact);
    EXPECT_TRUE(g_effects.empty()) << "no hit effect number, no effect";
    attacker.m_Def.m_sEffect = 4;
    attacker.m_Def.m_cScale = 2;
    victim.TakeCharaDamage(attacker, damage, impact);
    ASSERT_EQ(g_effects.size(), 1u);
    EXPECT_EQ(g_effects[0].nEffect, 4);
    EXPECT_EQ(g_effects[0].nScale, 2);
    EXPECT_EQ(g_effects[0].victim[2], victim.m_rcBodyBox.dRight);
    EXPECT_EQ(g_effects[0].attacker[1], attacker.m_rcBodyBox.dTop);
}

TEST_F(HitHooks, Death) {
    struct Case {
        const char* name;
        int endRequest, touchResult;
        int scoreBefore, score;
        bool died;
        int scoreAfter;
    };
    const std::vector<Case> cases = {
        {"a plain death", 0, 0, 100, 50, true, 150},
        {"the score is kept within its maximum", 0, 0, 999990, 50, true, 999999},
        {"a negative score stops at 0", 0, 0, 10, -50, true, 0},
        {"during a pending stage clear", 1, 0, 100, 50, false, 150},
        {"during a pending miss", 2, 0, 100, 50, true, 150},
        {"the carried item ended the run", 0, 1, 100, 50, false, 150},
    };
    for (const Case& c : cases) {
        StageHarness stage({"Hab"});
        g_fired.clear();
        g_touched.clear();
        g_touchResult = c.touchResult;
        cStageChara& a = stage.Chara('a');
        cStageChara& b = stage.Chara('b');
        a.m_HeldItem.m_Def.m_sCell = 3;
        a.m_HeldItem.m_bHeld = 1;
        a.m_Def.m_nScore = c.score;
        a.m_Def.m_sDeathEffect = 11;
        a.m_Def.m_cDeathEffectMode = 2;
        SetTarget(b, 0, &a, 0);
        StoryData.m_nStageScore = c.scoreBefore;
        stage.State().m_nEndRequest = c.endRequest;
        EXPECT_EQ(a.Die(), c.died ? 0 : 1) << c.name;
        EXPECT_EQ(g_fired, (std::vector<Fired>{{&a, 5, nullptr, 0}})) << c.name;
        EXPECT_EQ(StoryData.m_nStageScore, c.scoreAfter) << c.name;
        EXPECT_EQ(g_touched, (std::vector<cItem*>{&a.m_HeldItem})) << c.name;
        EXPECT_EQ(a.m_bDead, c.died ? 1 : 0) << c.name;
        EXPECT_EQ(a.m_EffectRun.nEffect, c.died ? 11 : 0) << c.name;
        EXPECT_EQ(a.m_EffectRun.nMode, c.died ? 2 : 0) << c.name;
        EXPECT_EQ(b.m_vecTarget[0], c.died ? nullptr : &a) << c.name << ": references released on death";
    }
    // The hero carries nothing; a character's empty item reaches no pick-up.
    StageHarness stage({"Ha"});
    g_touched.clear();
    EXPECT_EQ(stage.Hero().Die(), 0);
    EXPECT_EQ(stage.Chara('a').Die(), 0);
    EXPECT_TRUE(g_touched.empty());
}

}  // namespace
