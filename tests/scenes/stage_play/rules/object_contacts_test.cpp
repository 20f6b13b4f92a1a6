#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "contact_fixture.h"
#include "gamedata/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "scenes/stage_play/rules/object_contacts.h"
#include "scenes/stage_play/rules/presence.h"
#include "stage/objects/stage_spawning.h"
#include "support/stage/stage_harness.h"

namespace {

// Characters of the letters' groups: s and v in 1 and 2, h in 1.
StageOptions Groups(std::map<char, int> groups) {
    StageOptions options;
    for (auto [letter, group] : groups) {
        cCharaDef def;
        def.m_cSide = static_cast<std::int8_t>(group);
        def.m_nMaxHp = 100;
        options.charas[letter] = def;
    }
    return options;
}

void Prepare(StageHarness& stage) {
    UpdatePresence(stage.State());
    for (cStageChara& c : CharaList) {
        c.m_nLife = c.m_Def.m_nMaxHp;
        FitBoxes(c);
    }
    FitBoxes(stage.Hero());
}

int Count(const std::vector<int>& kinds, int kind) {
    return static_cast<int>(std::count(kinds.begin(), kinds.end(), kind));
}

int Count(const std::vector<std::string>& events, const std::string& e) {
    return static_cast<int>(std::count(events.begin(), events.end(), e));
}

class ShotHits : public ContactRulesTest {};

TEST_F(ShotHits, APierceByteLetsTheShotThroughItsKindOfCharacterOnly) {
    struct Case {
        const char* name;
        bool slash, blockChara;
        int pierceChara, pierceBlock;
        bool vanishes;
    };
    const std::vector<Case> cases = {
        {"shot, ordinary character", false, false, 0, 0, true},
        {"piercing shot, ordinary character", false, false, 1, 0, false},
        {"block-piercing shot, ordinary character", false, false, 0, 1, true},
        {"block-piercing shot, block character", false, true, 0, 1, false},
        {"piercing shot, block character", false, true, 1, 0, true},
        {"sword slash", true, false, 0, 0, false},
    };
    for (const Case& c : cases) {
        StageHarness stage({"s.v"}, Groups({{'s', 1}, {'v', 2}}));
        cStageChara& v = stage.Chara('v');
        v.m_Def.m_bNoBox = c.blockChara;
        Prepare(stage);
        cShot& shot = AddShotOver(stage.State(), v, 1, &stage.Chara('s'));
        shot.m_bShot = !c.slash;
        shot.m_Param.m_cPierceChara = static_cast<std::int8_t>(c.pierceChara);
        shot.m_Param.m_cPierceBlockChara = static_cast<std::int8_t>(c.pierceBlock);
        Fired().clear();
        EXPECT_EQ(ResolveShotHits(stage.State()), 0) << c.name;
        EXPECT_EQ(ResolveShotHits(stage.State()), 0) << c.name;
        EXPECT_EQ(Count(KindsOn(v), 9), 1) << c.name << ": hit once";
        EXPECT_EQ(v.m_nLife, 99) << c.name;
        EXPECT_EQ(stage.State().m_lstShot.size(), c.vanishes ? 0u : 1u) << c.name;
        EXPECT_EQ(stage.State().m_vecForceShot[1].size(), c.vanishes ? 0u : 1u) << c.name;
    }
}

TEST_F(ShotHits, HarmlessShotsAndInvincibility) {
    struct Case {
        const char* name;
        int power, item;
        bool invincible;
        int compat;
        bool trigger, damageStep, startsInvincibility;
    };
    const std::vector<Case> cases = {
        {"harmful", 5, 0, false, 0, true, true, true},
        {"harmful on an invincible character", 5, 0, true, 0, false, false, false},
        {"an item makes a shot harmful", 0, 1, true, 0, false, false, false},
        {"harmless", 0, 0, false, 0, true, true, false},
        {"harmless on an invincible character", 0, 0, true, 0, true, true, false},
        {"harmless, older project", 0, 0, false, 1, true, false, false},
    };
    for (const Case& c : cases) {
        StageHarness stage({"s.v"}, Groups({{'s', 1}, {'v', 2}}));
        SystemData.m_bCompatHarmlessShot = c.compat;
        LoadedStage.m_nInvincibleOther = 3;
        cStageChara& v = stage.Chara('v');
        Prepare(stage);
        v.m_nInvincible = c.invincible ? 1 : 0;
        cShot& shot = AddShotOver(stage.State(), v, 1, nullptr);
        shot.m_Param.m_nPower = c.power;
        shot.m_Param.m_cItemPalette = static_cast<std::int8_t>(c.item);
        shot.m_Param.m_sItem = 99;  // no such item: it is skipped
        shot.m_Param.m_sEffect = 6;
        Events().clear();
        Fired().clear();
        EXPECT_EQ(ResolveShotHits(stage.State()), 0) << c.name;
        EXPECT_EQ(Count(KindsOn(v), 9), c.trigger ? 1 : 0) << c.name;
        EXPECT_EQ(Count(Events(), "effect 6"), c.damageStep ? 1 : 0) << c.name;
        const int invincible = c.startsInvincibility ? 3 * LoadedStage.m_nSubSteps : (c.invincible ? 1 : 0);
        EXPECT_EQ(v.m_nInvincible, invincible) << c.name;
        EXPECT_EQ(v.m_nLife, 100 - (c.damageStep ? c.power : 0)) << c.name;
    }
}

TEST_F(ShotHits, TheShooterHearsOfItsAttackWithTheFilter) {
    StageHarness stage({"s.v"}, Groups({{'s', 1}, {'v', 2}}));
    cStageChara& s = stage.Chara('s');
    cStageChara& v = stage.Chara('v');
    Prepare(stage);
    cShot& shot = AddShotOver(stage.State(), v, 1, &s);
    shot.m_nOpt1 = 1;
    shot.m_cOpt2 = 7;
    ResolveShotHits(stage.State());
    const std::vector<FiredTrigger> expected = {{&v, 9, &s, 0}, {&s, 24, &v, 7}};
    std::vector<FiredTrigger> contact;
    for (const FiredTrigger& f : Fired())
        if (f.kind == 9 || f.kind == 24) contact.push_back(f);
    EXPECT_EQ(contact, expected);
}

TEST_F(ShotHits, ObjectsOfOneGroupNeverMeet) {
    StageHarness stage({"Hv"}, Groups({{'v', 1}}));
    cStageChara& v = stage.Chara('v');
    Prepare(stage);
    // Every object on one spot, all of group 1.
    v.m_rcBodyBox = stage.Hero().m_rcBodyBox;
    v.m_Def.m_nPower = 5;
    AddShotOver(stage.State(), v, 1, nullptr).m_Param.m_bShotClash = 1;
    AddShotOver(stage.State(), v, 1, nullptr).m_Param.m_bShotClash = 1;
    stage.State().m_vecShotPass = ShotPassTable(LoadedStage.m_nSubSteps, 0);
    stage.State().m_nSubStepNo = 1;
    EXPECT_EQ(ResolveObjectContacts(stage.State()), 0);
    EXPECT_TRUE(Fired().empty());
    EXPECT_EQ(v.m_nLife, 100);
    EXPECT_EQ(stage.State().m_lstShot.size(), 2u);
}

TEST_F(ShotHits, TheShotPassRunsOnlyOnItsSubSteps) {
    StageHarness stage({"s.v"}, Groups({{'s', 1}, {'v', 2}}));
    LoadedStage.SetHitCheckLevel(14);
    cStageState& state = stage.State();
    state.m_vecShotPass = ShotPassTable(4, 2);
    cStageChara& v = stage.Chara('v');
    Prepare(stage);
    std::vector<int> hits;
    for (int k = 1; k <= 4; ++k) {
        state.m_nSubStepNo = k;
        AddShotOver(state, v, 1, nullptr);
        // A shot marked as hit goes whether or not the pass runs.
        state.MarkShotHit(AddShotOver(state, v, 1, nullptr));
        Fired().clear();
        EXPECT_EQ(ResolveObjectContacts(state), 0);
        EXPECT_EQ(state.m_bInShotPass, 0);
        hits.push_back(Count(KindsOn(v), 9));
        EXPECT_EQ(state.m_lstShot.size(), hits.back() ? 0u : 1u) << "sub-step " << k;
        state.m_lstShot.clear();
        state.m_vecForceShot[1].clear();
    }
    EXPECT_EQ(hits, (std::vector<int>{1, 0, 1, 0}));
}

TEST_F(ShotHits, TheRemovalWalkTakesEveryMarkedShotHoweverItWasMarked) {
    StageHarness stage({"s.v"}, Groups({{'s', 1}, {'v', 2}}));
    cStageState& state = stage.State();
    cStageChara& v = stage.Chara('v');
    Prepare(stage);
    struct Case {
        const char* name;
        void (*mark)(cStageState&, cShot& second);
        std::vector<int> left;  // the powers of the shots left, in order
    };
    const Case cases[] = {
        {"no mark", [](cStageState&, cShot&) {}, {1, 2, 3}},
        {"marked", [](cStageState& s, cShot& second) { s.MarkShotHit(second); }, {1, 3}},
        {"marked again after an empty walk",
         [](cStageState& s, cShot& second) {
             RemoveHitShots(s);
             s.MarkShotHit(second);
         },
         {1, 3}},
        {"added as a copy of a marked shot",
         [](cStageState& s, cShot& second) {
             cShot copy(second);
             copy.m_bHit = 1;
             copy.m_Param.m_nPower = 4;
             s.AddShot(copy);
         },
         {1, 2, 3}},
    };
    for (const Case& c : cases) {
        for (int power = 1; power <= 3; ++power) AddShotOver(state, v, 1, nullptr).m_Param.m_nPower = power;
        c.mark(state, *std::next(state.m_lstShot.begin()));
        RemoveHitShots(state);
        std::vector<int> left;
        for (const cShot& shot : state.m_lstShot) left.push_back(shot.m_Param.m_nPower);
        EXPECT_EQ(left, c.left) << c.name;
        EXPECT_EQ(state.m_vecForceShot[1].size(), c.left.size()) << c.name;
        state.m_lstShot.clear();
        state.m_vecForceShot[1].clear();
    }
}

TEST_F(ShotHits, ALastLifeLostGoesToTheKillWhoseEndStopsTheRule) {
    for (int killResult : {0, 1, 2}) {
        StageHarness stage({"s.v"}, Groups({{'s', 1}, {'v', 2}}));
        cStageState& state = stage.State();
        state.m_vecShotPass = ShotPassTable(LoadedStage.m_nSubSteps, 0);
        state.m_nSubStepNo = 1;
        cStageChara& v = stage.Chara('v');
        Prepare(stage);
        v.m_nLife = 1;
        AddShotOver(state, v, 1, nullptr).m_Param.m_nPower = 5;
        KillResult() = killResult;
        Killed().clear();
        EXPECT_EQ(ResolveObjectContacts(state), killResult);
        EXPECT_EQ(Killed(), std::vector<const cChara*>{&v});
        EXPECT_EQ(stage.Sounds(), std::vector<int>{9}) << "a computer character's defeat";
        // An ended rule leaves the shot-pass flag set and the lists as they are.
        EXPECT_EQ(state.m_bInShotPass, killResult ? 1 : 0);
        EXPECT_EQ(state.m_lstShot.size(), killResult ? 1u : 0u);
    }
}

TEST_F(ShotHits, AnItemCarriedByAShotActsOnTheHeroWhoeverItHits) {
    StageHarness stage({"H.e"}, Groups({{'e', 3}}));
    cItemDef item;
    item.m_sCell = 1;
    item.m_sPickSound = 4;
    LoadedStage.m_vPaletteItems.push_back(item);
    cStageChara& e = stage.Chara('e');
    Prepare(stage);
    cShot& shot = AddShotOver(stage.State(), e, 1, &stage.Hero());
    shot.m_Param.m_nPower = 0;
    shot.m_Param.m_cItemPalette = 2;
    shot.m_Param.m_sItem = static_cast<std::int16_t>(LoadedStage.m_vPaletteItems.Count() - 1);
    EXPECT_EQ(ResolveShotHits(stage.State()), 0);
    EXPECT_EQ(stage.Sounds(), (std::vector<int>{7, 4 + 16})) << "the hit, then the item's pick-up sound";
    ASSERT_EQ(stage.Messages().size(), 1u);
    EXPECT_EQ(stage.Messages()[0].nOwnerId, stage.Hero().m_nId) << "the pick-up icon over the hero";
}

class BodyContacts : public ContactRulesTest {
protected:
    // a and b of groups 1 and 2 on one spot.
    StageHarness& Stage() {
        m_Stage.reset();
        m_Stage =
            std::make_unique<StageHarness>(std::vector<std::string>{"abp"}, Groups({{'a', 1}, {'b', 2}, {'p', 2}}));
        Prepare(*m_Stage);
        m_Stage->Chara('b').m_rcBodyBox = m_Stage->Chara('a').m_rcBodyBox;
        return *m_Stage;
    }
    std::unique_ptr<StageHarness> m_Stage;
};

TEST_F(BodyContacts, TouchTriggersNameTheToucherOrTheParentOfAnAttack) {
    struct Case {
        const char* name;
        bool attack, aInvincible, bBlock;
        std::vector<FiredTrigger> (*expected)(cChara& a, cChara& b, cChara& p);
    };
    const std::vector<Case> cases = {
        {"both touched", false, false, false,
         [](cChara& a, cChara& b, cChara&) {
             return std::vector<FiredTrigger>{{&a, 6, &b, 0}, {&b, 6, &a, 0}};
         }},
        {"b is p's attack", true, false, false,
         [](cChara& a, cChara& b, cChara& p) {
             return std::vector<FiredTrigger>{{&a, 6, &p, 0}, {&p, 24, &a, 5}, {&b, 6, &a, 0}};
         }},
        {"a cannot be hit", false, true, false,
         [](cChara& a, cChara& b, cChara&) {
             return std::vector<FiredTrigger>{{&b, 6, &a, 0}};
         }},
        {"a block character touches no body", false, false, true,
         [](cChara&, cChara&, cChara&) { return std::vector<FiredTrigger>{}; }},
    };
    for (const Case& c : cases) {
        StageHarness& stage = Stage();
        cStageChara& a = stage.Chara('a');
        cStageChara& b = stage.Chara('b');
        cStageChara& p = stage.Chara('p');
        b.m_lpParent = &p;
        b.m_bParentAttack = c.attack;
        b.m_cAttackFilter = 5;
        b.m_Def.m_bNoBox = c.bBlock;
        a.m_nInvincible = c.aInvincible;
        Fired().clear();
        EXPECT_EQ(ResolveBodyContacts(stage.State()), 0) << c.name;
        EXPECT_EQ(Fired(), c.expected(a, b, p)) << c.name;
        b.m_lpParent = nullptr;
    }
}

TEST_F(BodyContacts, ADamagingTouchStartsACooldownAgainstTheToucher) {
    StageHarness& stage = Stage();
    cStageChara& a = stage.Chara('a');
    cStageChara& b = stage.Chara('b');
    a.m_Def.m_nPower = 2;
    EXPECT_EQ(ResolveBodyContacts(stage.State()), 0);
    EXPECT_EQ(b.m_nLife, 98);
    EXPECT_EQ(a.m_nLife, 100);
    EXPECT_EQ(stage.Sounds(), std::vector<int>{7});
    EXPECT_TRUE(b.IsInvincibleTo(a.m_nId));
    EXPECT_FALSE(a.IsInvincibleTo(b.m_nId)) << "a took no damage";
    Fired().clear();
    ResolveBodyContacts(stage.State());
    EXPECT_EQ(b.m_nLife, 98) << "no second hit while cooling down";
    EXPECT_EQ(KindsOn(b), std::vector<int>{}) << "nor a touch";
}

TEST_F(BodyContacts, OlderProjectsFollowEachDamageWithItsHitEventsAtOnce) {
    for (int compat : {0, 1}) {
        StageHarness& stage = Stage();
        SystemData.m_bCompatBodyHitAtOnce = compat;
        cStageChara& a = stage.Chara('a');
        cStageChara& b = stage.Chara('b');
        a.m_Def.m_nPower = b.m_Def.m_nPower = 1;
        a.m_Def.m_sEffect = 3;
        b.m_Def.m_sEffect = 4;
        Events().clear();
        ResolveBodyContacts(stage.State());
        std::vector<std::string> order;
        for (const std::string& e : Events())
            if (e != "trigger 6") order.push_back(e);
        // a's damage shows b's effect, and its hit events are triggers 1 and 2.
        const std::vector<std::string> later = {"effect 4",  "effect 3",  "trigger 1",
                                                "trigger 2", "trigger 1", "trigger 2"};
        const std::vector<std::string> atOnce = {"effect 4", "trigger 1", "trigger 2",
                                                 "effect 3", "trigger 1", "trigger 2"};
        EXPECT_EQ(order, compat ? atOnce : later) << "compat " << compat;
    }
}

TEST_F(BodyContacts, ALastLifeLostByATouchGoesToTheKill) {
    StageHarness& stage = Stage();
    cStageChara& a = stage.Chara('a');
    cStageChara& b = stage.Chara('b');
    a.m_Def.m_nPower = 5;
    b.m_nLife = 1;
    KillResult() = 1;
    EXPECT_EQ(ResolveBodyContacts(stage.State()), 1);
    EXPECT_EQ(Killed(), std::vector<const cChara*>{&b});
    EXPECT_EQ(stage.Sounds(), (std::vector<int>{7, 9}));
}

class ShotCancels : public ContactRulesTest {};

TEST_F(ShotCancels, TheWeakerOfTwoCancellingShotsGoesAndADrawTakesBoth) {
    struct Case {
        const char* name;
        int aCancel, aPower, bCancel, bPower;
        bool aStays, bStays;
    };
    const std::vector<Case> cases = {
        {"equal powers", 1, 3, 1, 3, false, false},  {"a stronger", 1, 5, 1, 3, true, false},
        {"b stronger", 1, 3, 1, 5, false, true},     {"only a cancels", 1, 3, 0, 9, false, true},
        {"only b cancels", 0, 9, 1, 3, true, false}, {"neither cancels", 0, 0, 0, 0, true, true},
    };
    for (const Case& c : cases) {
        StageHarness stage({"v"});
        const cStageChara& v = stage.Chara('v');
        cShot& a = AddShotOver(stage.State(), v, 1, nullptr);
        cShot& b = AddShotOver(stage.State(), v, 2, nullptr);
        a.m_Param.m_bShotClash = static_cast<std::int8_t>(c.aCancel);
        a.m_Param.m_cVanishValue = static_cast<std::int8_t>(c.aPower);
        b.m_Param.m_bShotClash = static_cast<std::int8_t>(c.bCancel);
        b.m_Param.m_cVanishValue = static_cast<std::int8_t>(c.bPower);
        ResolveShotCancels(stage.State());
        EXPECT_EQ(stage.State().m_vecForceShot[1].size(), c.aStays ? 1u : 0u) << c.name;
        EXPECT_EQ(stage.State().m_vecForceShot[2].size(), c.bStays ? 1u : 0u) << c.name;
        EXPECT_EQ(stage.State().m_lstShot.size(), (c.aStays ? 1u : 0u) + (c.bStays ? 1u : 0u)) << c.name;
    }
}

TEST_F(ShotCancels, ADoomedShotGoesOnCancellingTheRestOfTheGroup) {
    StageHarness stage({"v"});
    const cStageChara& v = stage.Chara('v');
    cShot& a = AddShotOver(stage.State(), v, 1, nullptr);
    a.m_Param.m_bShotClash = 1;
    a.m_Param.m_cVanishValue = 5;
    cShot& strong = AddShotOver(stage.State(), v, 2, nullptr);
    strong.m_Param.m_bShotClash = 1;
    strong.m_Param.m_cVanishValue = 9;
    AddShotOver(stage.State(), v, 2, nullptr).m_Param.m_bShotClash = 1;
    ResolveShotCancels(stage.State());
    ASSERT_EQ(stage.State().m_lstShot.size(), 1u);
    EXPECT_EQ(&stage.State().m_lstShot.front(), &strong);
}

}  // namespace
