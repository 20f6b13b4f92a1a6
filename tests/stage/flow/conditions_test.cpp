#include "stage/flow/conditions.h"

#include <gtest/gtest.h>

#include <vector>

#include "gamedata/flows/cond.h"
#include "gamedata/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "shell/input/key_state.h"
#include "stage/flow/flow_engine.h"
#include "support/stage/flow_builder.h"
#include "support/stage/stage_harness.h"

namespace {

enum Op : int { Eq = 0, Ne, Ge, Le, Gt, Lt, Divisible, NotDivisible };

cCond Cond(int kind, int owner, int leftKind, int status, int index, int value, int op) {
    cCond c;
    c.m_cKind = static_cast<std::int8_t>(kind);
    c.m_cOwner = static_cast<std::int8_t>(owner);
    c.m_cLeftKind = static_cast<std::int8_t>(leftKind);
    c.m_cStatus = static_cast<std::int8_t>(status);
    c.m_sIndex = static_cast<std::int16_t>(index);
    c.m_nValue = value;
    c.m_cOp = static_cast<std::int8_t>(op);
    return c;
}

TEST(Conditions, VariablesStatesAndPresence) {
    cCharaDef def;
    def.m_bTransparent = -1;  // stored as 255
    def.m_cScale = 2;
    StageOptions options;
    options.charas['a'] = def;
    StageHarness stage({"H.a.b", "#####"}, options);
    cStageChara& a = stage.Chara('a');
    cStageChara& b = stage.Chara('b');
    StoryData.m_vVar[7] = -14;
    stage.State().m_vecStageVar[2] = 5;
    a.m_vecVar[3] = 9;
    LoadedStage.m_nScrollKindY = 1;
    SetTarget(a, 1, &b, 0);
    b.m_nDirection = 1;
    b.m_bDead = 1;

    struct Case {
        const char* what;
        cCond cond;
        bool want;
    };
    const Case cases[] = {
        {"common ==", Cond(CondKind::CommonVar, 0, 0, 0, 7, -14, Eq), true},
        {"common: -14 divisible by 7", Cond(CondKind::CommonVar, 0, 0, 0, 7, 7, Divisible), true},
        {"common: divisible by 0 always", Cond(CondKind::CommonVar, 0, 0, 0, 7, 0, Divisible), true},
        {"common: not divisible by 0 never", Cond(CondKind::CommonVar, 0, 0, 0, 7, 0, NotDivisible), false},
        {"common: not divisible by 3", Cond(CondKind::CommonVar, 0, 0, 0, 7, 3, NotDivisible), true},
        {"common index outside the variables", Cond(CondKind::CommonVar, 0, 0, 0, 5000, 0, Eq), false},
        {"stage >=", Cond(CondKind::StageVar, 0, 0, 0, 2, 5, Ge), true},
        {"stage >", Cond(CondKind::StageVar, 0, 0, 0, 2, 5, Gt), false},
        {"stage <=", Cond(CondKind::StageVar, 0, 0, 0, 2, 4, Le), false},
        {"stage <", Cond(CondKind::StageVar, 0, 0, 0, 2, 6, Lt), true},
        {"stage !=", Cond(CondKind::StageVar, 0, 0, 0, 2, 6, Ne), true},
        {"character variable", Cond(CondKind::CharaVar, 0, 0, 0, 3, 9, Eq), true},
        {"character variable past its nine", Cond(CondKind::CharaVar, 0, 0, 0, 9, 0, Eq), false},
        {"operator 8 never holds", Cond(CondKind::StageVar, 0, 0, 0, 2, 5, 8), false},
        {"unknown kind", Cond(9, 0, 0, 0, 2, 5, Eq), false},
        {"transparent read unsigned", Cond(CondKind::Status2, 0, 1, 0, 255, 0, Eq), true},
        {"scale", Cond(CondKind::Status2, 0, 5, 0, 2, 0, Eq), true},
        {"a target's fixed facing", Cond(CondKind::Status2, 2, 2, 0, 1, 0, Eq), true},
        {"empty slot", Cond(CondKind::Status2, 3, 2, 0, 1, 0, Eq), false},
        {"vertical auto-scroll switch", Cond(CondKind::Status2, 5, 1, 0, 1, 0, Eq), true},
        {"system value kind 2", Cond(CondKind::Status2, 5, 2, 0, 0, 0, Eq), false},
        {"unknown switch", Cond(CondKind::Status2, 0, 9, 0, 0, 0, Eq), false},
        {"facing left", Cond(CondKind::Status3, 0, 0, 0, 0, 0, 0), true},
        {"target faces right", Cond(CondKind::Status3, 2, 0, 1, 0, 0, 0), true},
        {"target faces right, negated", Cond(CondKind::Status3, 2, 0, 1, 0, 0, 1), false},
        {"empty slot is false even negated", Cond(CondKind::Status3, 3, 0, 0, 0, 0, 1), false},
        {"self exists", Cond(CondKind::Status3, 0, 0, 4, 0, 0, 0), true},
        {"empty slot does not exist", Cond(CondKind::Status3, 3, 0, 4, 0, 0, 0), false},
        {"empty slot: not existing holds", Cond(CondKind::Status3, 3, 0, 4, 0, 0, 1), true},
        {"a dead target does not exist", Cond(CondKind::Status3, 2, 0, 4, 0, 0, 0), false},
        {"unknown test, negated", Cond(CondKind::Status3, 0, 0, 9, 0, 0, 1), true},
    };
    for (const Case& c : cases) EXPECT_EQ(CheckCondition(c.cond, a), c.want) << c.what;
    LoadedStage.m_nScrollKindY = 0;
}

TEST(Conditions, ListsAndTheFlowLatch) {
    StageHarness stage({"a."});
    cStageChara& a = stage.Chara('a');
    const cCond yes = Cond(CondKind::StageVar, 0, 0, 0, 1, 0, Eq);
    const cCond no = Cond(CondKind::StageVar, 0, 0, 0, 1, 1, Eq);
    EXPECT_TRUE(CheckCondList({}, CondListMode::All, a));
    EXPECT_FALSE(CheckCondList({}, CondListMode::Any, a));
    EXPECT_FALSE(CheckCondList({yes}, 2, a));
    EXPECT_FALSE(CheckCondList({yes, no}, CondListMode::All, a));
    EXPECT_TRUE(CheckCondList({no, yes}, CondListMode::Any, a));

    cFlow flow;
    flow.m_cCondMode = 1;  // an empty list holds in any mode
    cFlowInst inst;
    inst.m_lpFlow = &flow;
    EXPECT_TRUE(CheckFlowConditions(inst, a));
    flow.m_vCond = {yes};
    flow.m_bCondLatch = 1;
    EXPECT_TRUE(CheckFlowConditions(inst, a));
    EXPECT_EQ(inst.m_bCondLatched, 1);
    stage.State().m_vecStageVar[1] = 3;
    EXPECT_TRUE(CheckFlowConditions(inst, a)) << "latched";
    flow.m_bCondLatch = 0;
    EXPECT_FALSE(CheckFlowConditions(inst, a));
}

TEST(Conditions, DistanceShapes) {
    // The hero stands 3 blocks to the right of a.
    StageHarness stage({".......", ".a..H..", "#######"}, {.hitCheckLevel = 1});
    cStageChara& a = stage.Chara('a');
    cPlayer& hero = stage.Hero();
    struct Case {
        const char* what;
        int shape, hbl, px, op, facing;
        bool want;
    };
    const Case cases[] = {
        {"beside, 3 blocks away, reach 6 hbl", 0, 6, 0, 0, 0, true},
        {"beside, reach 3 hbl", 0, 3, 0, 0, 0, false},
        {"beside, reach 3 hbl and 32 px", 0, 3, 32, 0, 0, true},
        {"beside, outside", 0, 3, 0, 1, 0, true},
        {"front facing right", 1, 6, 0, 0, 1, true},
        {"front facing left", 1, 6, 0, 0, 0, false},
        {"back facing left", 2, 6, 0, 0, 0, true},
        {"vertical, same row", 3, 0, 0, 0, 0, true},
        {"circle of 6 blocks", 6, 12, 0, 0, 0, true},
        {"circle of 2.5 blocks", 6, 5, 0, 0, 0, false},
        {"operator 2 never holds", 0, 6, 0, 2, 0, false},
    };
    for (const Case& c : cases) {
        cCond cond = Cond(CondKind::Distance, 0, 0, 0, c.px, c.hbl, c.op);
        cond.m_sRightIndex = static_cast<std::int16_t>(c.px);
        cond.m_cDirection = static_cast<std::int8_t>(c.shape);
        a.m_nDirection = c.facing;
        EXPECT_EQ(CheckCondition(cond, a), c.want) << c.what;
    }
    cCond toTarget = Cond(CondKind::Distance, 3, 0, 0, 0, 100, 0);
    EXPECT_FALSE(CheckCondition(toTarget, a)) << "an empty target slot is never near";
    cCond self = Cond(CondKind::Distance, 0, 0, 0, 0, 0, 0);
    self.m_cDirection = 6;
    EXPECT_TRUE(CheckCondition(self, hero)) << "the hero measures to itself";
}

// A key sequence of steps, each a key entry held (1) or released (2) for a
// number of frames.
struct KeyStep {
    int entry, want, min, max;
};

cFlow KeyFlow(std::vector<KeyStep> steps, int allowance, int hold) {
    cFlow flow = MakeFlow(26, {{"k", 1, 0}});
    flow.m_cKeyWindow = static_cast<std::int8_t>(allowance);
    flow.m_bKeyHold = static_cast<std::int8_t>(hold);
    for (const KeyStep& s : steps) {
        cKeyCond key;
        key.m_vKeyState.assign(kKeyCondKeys, 0);
        key.m_vKeyState[s.entry] = static_cast<std::int8_t>(s.want);
        key.m_sMinFrames = static_cast<std::int16_t>(s.min);
        key.m_sMaxFrames = static_cast<std::int16_t>(s.max);
        flow.m_vKeyCond.push_back(key);
    }
    return flow;
}

class KeyConditions : public ::testing::Test {
protected:
    KeyConditions() : stage({"a."}) { KeyStates[0] = cKeyState(); }
    ~KeyConditions() override { KeyStates[0] = cKeyState(); }
    // One frame of input: the direction and button words.
    void Frame(std::uint16_t direction, std::uint16_t buttons) {
        KeyStates[0].m_wDirection = direction;
        KeyStates[0].m_wButtons = buttons;
        KeyStates[0].UpdateRuns();
    }
    bool Test(cFlow flow) {
        cStageChara& a = stage.Chara('a');
        a.m_Def.m_vFlow = cVector<cFlow>{flow};
        a.AddFlows(a.m_Def.m_vFlow, 0, -1);
        return a.CheckKeyConds(a.m_vecFlowInst[0]);
    }
    StageHarness stage;
};

constexpr int kButton1 = 11, kLeftKey = 1, kRightKey = 2, kNoDir = 0;

TEST_F(KeyConditions, AHoldTimeWindow) {
    const cFlow flow = KeyFlow({{kButton1, 1, 1, 5}}, 0, 1);
    std::vector<bool> seen;
    Frame(0, 0);
    for (int frame = 0; frame < 7; ++frame) {
        Frame(0, 1);
        seen.push_back(Test(flow));
    }
    EXPECT_EQ(seen, (std::vector<bool>{true, true, true, true, true, false, false}));
}

TEST_F(KeyConditions, PressModeMatchesOnceUntilItFailed) {
    cFlow flow = KeyFlow({{kButton1, 1, 1, 100}}, 0, 0);
    cStageChara& a = stage.Chara('a');
    a.m_Def.m_vFlow = cVector<cFlow>{flow};
    a.AddFlows(a.m_Def.m_vFlow, 0, -1);
    cFlowInst& inst = a.m_vecFlowInst[0];
    std::vector<bool> seen;
    for (std::uint16_t b : {0, 1, 1, 1, 0, 1}) {
        Frame(0, b);
        seen.push_back(a.CheckKeyConds(inst));
    }
    EXPECT_EQ(seen, (std::vector<bool>{false, true, false, false, false, true}));
}

TEST_F(KeyConditions, TwoStepsMeetExactlyWithoutAllowance) {
    // Left released (no direction) then right: with allowance 0 the first
    // step must end exactly where the second begins.
    const cFlow exact = KeyFlow({{kLeftKey, 1, 1, 10}, {kRightKey, 1, 1, 10}}, 0, 0);
    Frame(1, 0);
    Frame(1, 0);
    Frame(2, 0);
    EXPECT_TRUE(Test(exact));
    KeyStates[0] = cKeyState();
    Frame(1, 0);
    Frame(0, 0);
    Frame(2, 0);
    EXPECT_FALSE(Test(exact)) << "a frame of no direction between them";
    const cFlow loose = KeyFlow({{kLeftKey, 1, 1, 10}, {kRightKey, 1, 1, 10}}, 2, 0);
    EXPECT_TRUE(Test(loose)) << "within an allowance of 2 frames";
    const cFlow gap = KeyFlow({{kLeftKey, 1, 1, 10}, {kNoDir, 1, 1, 1}, {kRightKey, 1, 1, 10}}, 0, 0);
    EXPECT_TRUE(Test(gap));
}

}  // namespace
