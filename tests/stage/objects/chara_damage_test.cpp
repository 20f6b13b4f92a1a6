#include <gtest/gtest.h>

#include "gamedata/stage_file/stage_data.h"
#include "support/stage/stage_harness.h"

namespace {

TEST(CharaDamage, DamageTable) {
    struct Case {
        const char* name;
        int power, defence, damageMode, life;
        int damage, lifeAfter;
        bool dead;
    };
    const std::vector<Case> cases = {
        {"power less defence", 10, 4, 0, 10, 6, 4, false},
        {"defence above power: nothing", 10, 25, 0, 10, 0, 10, false},
        {"negative power heals up to the maximum", -5, 0, 0, 18, -5, 20, false},
        {"a lethal hit", 30, 5, 0, 10, 25, 0, true},
        {"damage mode 1 takes nothing, even a lethal hit", 30, 5, 1, 10, 0, 10, false},
        {"damage mode 2 likewise", 30, 5, 2, 10, 0, 10, false},
        {"the strongest power is bounded", 2147483647, 0, 0, 10, 999999, 0, true},
        {"the weakest power heals without overflow", -2147483647 - 1, 0, 0, 10, -999999, 20, false},
    };
    for (const Case& c : cases) {
        StageHarness stage({"ab"});
        cStageChara& a = stage.Chara('a');
        cStageChara& b = stage.Chara('b');
        a.m_Def.m_nPower = c.power;
        b.m_Def.m_nDefence = c.defence;
        b.m_Def.m_cInvincible = static_cast<std::int8_t>(c.damageMode);
        b.m_Def.m_nMaxHp = 20;
        b.m_nLife = c.life;
        int damage = -1, impact = 0;
        EXPECT_EQ(b.TakeCharaDamage(a, damage, impact), c.dead) << c.name;
        EXPECT_EQ(damage, c.damage) << c.name;
        EXPECT_EQ(b.m_nLife, c.lifeAfter) << c.name;
    }
}

TEST(CharaDamage, GaugesOfLifeAndSp) {
    StageHarness stage({"a"});
    cStageChara& a = stage.Chara('a');
    a.m_Def.m_nMaxHp = 40;
    a.m_nLife = 40;
    EXPECT_FALSE(a.ChangeLife(-10, 0, 1));
    EXPECT_EQ(a.m_LifeGauge.nRemain, 120);
    EXPECT_EQ(a.m_LifeGauge.nFill, 30 * 50 / 40);
    EXPECT_DOUBLE_EQ(a.m_LifeGauge.dTrail, -500.0 / 40);
    EXPECT_DOUBLE_EQ(a.m_LifeGauge.dTrailStep, -500.0 / 40 / 60);
    // SP on a character without SP shows no gauge.
    a.m_Def.m_nMaxSp = 0;
    a.ChangeSP(5, 1);
    EXPECT_EQ(a.m_nSP, 0);
    EXPECT_EQ(a.m_SpGauge.nRemain, 0);
    a.m_Def.m_nMaxSp = 10;
    a.ChangeSP(25, 1);
    EXPECT_EQ(a.m_nSP, 10);
    EXPECT_EQ(a.m_SpGauge.nFill, 50);
    // Forced: a damage mode does not protect.
    a.m_Def.m_cInvincible = 1;
    EXPECT_FALSE(a.ChangeLife(-10, 0, 0));
    EXPECT_EQ(a.m_nLife, 30);
    EXPECT_TRUE(a.ChangeLife(-100, 1, 1));
    EXPECT_EQ(a.m_nLife, 0);
}

TEST(CharaDamage, InvincibilityAndPerAttackerCooldown) {
    StageHarness stage({"Ha"}, {.hitCheckLevel = 2});
    LoadedStage.m_nCooldownHero = 3;
    LoadedStage.m_nInvincibleHero = 1;
    LoadedStage.m_nCooldownOther = 30;
    LoadedStage.m_nInvincibleOther = 0;
    cChara& hero = stage.Hero();
    hero.StartHitCooldown(7);
    EXPECT_EQ(hero.m_nInvincible, 2) << "one frame of two sub-steps";
    EXPECT_TRUE(hero.IsInvincibleTo(8));
    hero.CountDownInvincibility();
    hero.CountDownInvincibility();
    EXPECT_FALSE(hero.IsInvincible());
    EXPECT_TRUE(hero.IsInvincibleTo(7));
    EXPECT_FALSE(hero.IsInvincibleTo(8)) << "another attacker can hit";
    for (int i = 0; i < 4; ++i) hero.CountDownInvincibility();
    EXPECT_FALSE(hero.IsInvincibleTo(7));
    EXPECT_TRUE(hero.m_lstCooldown.empty());
    EXPECT_EQ(hero.m_nInvincible, 0) << "never below 0";
    cChara& a = stage.Chara('a');
    a.StartHitCooldown(0);
    EXPECT_EQ(a.m_lstCooldown.front().nSteps, 60);
}

}  // namespace
