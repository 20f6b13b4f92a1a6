#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "outcome_fixture.h"

namespace {

using LifeCheck = OutcomeTest;
using KillRules = OutcomeTest;

int GroupSize(OutcomeStage& o) {
    int n = 0;
    for (const auto& group : o.stage.State().m_vecForce) n += static_cast<int>(group.size());
    return n;
}

}  // namespace

TEST_F(LifeCheck, RemovesDefeatedCharactersAtOnceOrKeepsThemForTheirDeath) {
    struct Case {
        const char* name;
        int keepDead;
        std::string remaining;
        std::vector<int> sounds;
    };
    const Case cases[] = {
        {"not kept: gone in the same sub-step", 0, "c", {}},
        {"kept: stays dead, with sound 9", 1, "ac", {9}},
    };
    for (const Case& c : cases) {
        OutcomeStage o;
        SystemData.m_bKeepDeadCharas = c.keepDead;
        o.Chara('a').m_nLife = 0;
        o.Chara('b').m_bVanish = 1;
        const int grouped = GroupSize(o);
        EXPECT_EQ(o.scene.CheckLives(), 0) << c.name;
        EXPECT_EQ(o.Remaining(), c.remaining) << c.name;
        EXPECT_EQ(o.stage.Sounds(), c.sounds) << c.name;
        EXPECT_EQ(GroupSize(o), grouped - (3 - static_cast<int>(c.remaining.size())))
            << c.name << ": an erased character leaves its group";
        EXPECT_FALSE(o.InResult());
        if (!c.keepDead) continue;
        EXPECT_EQ(o.Chara('a').m_bDead, 1);
        EXPECT_EQ(o.scene.CheckLives(), 0);
        EXPECT_EQ(o.stage.Sounds(), c.sounds) << "a kept dead character is not killed again";
        EXPECT_EQ(o.Remaining(), "ac");
    }
}

TEST_F(LifeCheck, AHeroWithoutLifeMissesAndStopsTheFrame) {
    OutcomeStage o;
    o.stage.Hero().m_nLife = 0;
    o.Chara('a').m_nLife = 0;
    EXPECT_EQ(o.scene.CheckLives(), 1);
    EXPECT_EQ(o.stage.Hero().m_bDead, 1);
    EXPECT_EQ(o.stage.Sounds(), std::vector<int>{8});
    EXPECT_EQ(o.Remaining(), "abc") << "the characters wait for the next check";
    EXPECT_FALSE(o.InResult()) << "a plain miss is no result";
    EXPECT_EQ(o.scene.CheckLives(), 1);
    EXPECT_EQ(o.stage.Sounds(), std::vector<int>{8}) << "a dead hero does not die twice";
}

TEST_F(LifeCheck, AKillThatEndsTheStageStopsTheCheckWithTheResult) {
    OutcomeStage o;
    SystemData.m_bKeepDeadCharas = 1;
    o.stage.State().m_nEndRequest = EndRequest::StageClear;
    o.Chara('a').m_nLife = 0;
    o.Chara('b').m_nLife = 0;
    EXPECT_EQ(o.scene.CheckLives(), 1);
    EXPECT_EQ(o.Remaining(), "bc") << "erased even though dead ones are kept; b is not reached";
    EXPECT_TRUE(o.InResult());
    EXPECT_EQ(o.stage.Sounds(), std::vector<int>{14}) << "the tally's sound";
}

TEST_F(LifeCheck, TheWalkedCharacterIsLeftForTheWalkToErase) {
    OutcomeStage o;
    o.Chara('a').m_nLife = 0;
    o.Chara('b').m_nLife = 0;
    bool gone = false;
    EXPECT_EQ(o.scene.CheckLives(&o.Chara('b'), &gone), 0);
    EXPECT_TRUE(gone);
    EXPECT_EQ(o.Remaining(), "bc") << "a is erased; b, which the caller stands on, is not";
    EXPECT_EQ(o.Chara('b').m_bDead, 1);
}

TEST_F(KillRules, TheResultSaysWhetherTheCharacterDiedTheStageEndedOrTheHeroMissed) {
    struct Case {
        const char* name;
        int heroKind, dead, endRequest;
        int result;
        int dies, heroDies, showsResult;
        std::vector<int> sounds;
    };
    const Case cases[] = {
        {"dies", 0, 0, 0, 0, 1, 0, 0, {}},
        {"already dead: nothing", 0, 1, 0, 0, 1, 0, 0, {}},
        {"a pending clear ends the stage", 0, 0, EndRequest::StageClear, 1, 0, 0, 1, {14}},
        {"of the hero's kind: the hero misses", 1, 0, 0, 2, 0, 1, 0, {8}},
        {"hero's kind with a pending clear: tallied", 1, 0, EndRequest::StageClear, 2, 0, 0, 1, {8, 14}},
    };
    for (const Case& c : cases) {
        OutcomeStage o;
        cStageChara& a = o.Chara('a');
        if (c.heroKind) a.m_nCharaKind = 0;
        a.m_bDead = c.dead;
        o.stage.State().m_nEndRequest = c.endRequest;
        EXPECT_EQ(o.scene.KillCharaAndEnd(a, CharaList), c.result) << c.name;
        EXPECT_EQ(a.m_bDead, c.dies) << c.name;
        EXPECT_EQ(o.stage.Hero().m_bDead, c.heroDies) << c.name;
        EXPECT_EQ(o.InResult(), c.showsResult == 1) << c.name;
        EXPECT_EQ(o.stage.Sounds(), c.sounds) << c.name;
    }
}

TEST_F(KillRules, TheWalkErasesAKilledCharacterAsTheProjectKeepsTheDead) {
    struct Case {
        const char* name;
        bool contact;
        int keepDead, endRequest;
        cSceneStage::KillOutcome outcome;
        std::vector<int> sounds;
    };
    const Case cases[] = {
        {"flow, not kept", false, 0, 0, {true, false}, {}},
        {"flow, kept", false, 1, 0, {false, false}, {9}},
        {"flow, ends the stage", false, 1, EndRequest::StageClear, {true, true}, {14}},
        {"contact, not kept: gone in its sub-step", true, 0, 0, {true, false}, {9}},
        {"contact, kept", true, 1, 0, {false, false}, {9}},
        {"contact, ends the stage", true, 0, EndRequest::StageClear, {true, true}, {9, 14}},
    };
    for (const Case& c : cases) {
        OutcomeStage o;
        SystemData.m_bKeepDeadCharas = c.keepDead;
        o.stage.State().m_nEndRequest = c.endRequest;
        cStageChara& a = o.Chara('a');
        const cSceneStage::KillOutcome got = c.contact ? o.scene.KillAfterContact(a) : o.scene.KillAfterFlow(a);
        EXPECT_EQ(got, c.outcome) << c.name;
        EXPECT_EQ(o.stage.Sounds(), c.sounds) << c.name;
    }
}
