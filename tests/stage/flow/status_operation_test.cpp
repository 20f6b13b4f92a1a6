#include "stage/flow/status_operation.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <vector>

#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/global_data.h"
#include "gamedata/project/system_data.h"
#include "stage/core/status_position.h"
#include "support/stage/flow_builder.h"
#include "support/stage/stage_harness.h"

namespace {

enum Op : int { Set = 0, Add, Sub, Mul, Div, Rem, Pct };

// A status operation: target class, scope or owner, index, kind, operator,
// then the operand as a constant unless `source` says otherwise.
cFlowCmd Operation(int targetClass, int owner, int index, int kind, int op, int operand) {
    cFlowCmd cmd = MakeCmd({"op", FlowKind::StatusOperation, 0});
    cmd.m_vParam[0] = targetClass;
    cmd.m_vParam[1] = owner;  // the variable scope of class 1
    cmd.m_vParam[2] = index;
    cmd.m_vParam[3] = owner;
    cmd.m_vParam[4] = kind;
    cmd.m_vParam[5] = op;
    cmd.m_vParam[7] = operand;
    return cmd;
}
cFlowCmd OnVar(int op, int operand) { return Operation(1, 1, 4, 0, op, operand); }

class StatusOperation : public ::testing::Test {
protected:
    StatusOperation() : stage({"H.a.b", "#####"}, Options()) {}
    static StageOptions Options() {
        StageOptions options;
        cCharaDef def;
        def.m_nMaxHp = 200;
        def.m_sStopEase = 10;
        options.charas['a'] = def;
        options.charas['b'] = def;
        return options;
    }
    int& Var() { return stage.State().m_vecStageVar[4]; }
    StageHarness stage;
};

TEST_F(StatusOperation, AssignmentOperatorsOnAVariable) {
    struct Case {
        int start, op, operand, want;
    };
    const Case cases[] = {
        {5, Set, 9, 9},
        {5, Add, 9, 14},
        {5, Sub, 9, -4},
        {5, Mul, 9, 45},
        {-7, Div, 2, -3},
        {7, Div, 0, 7},
        {-7, Rem, 3, -1},
        {7, Rem, 0, 7},
        {7, Pct, 50, 4},
        {-7, Pct, 50, -4},
        {1000, Mul, 1000, 999999},
        {-1000, Mul, 1000, -999999},
        {65536, Mul, 65536, 999999},
        {INT_MIN, Div, -1, 999999},
        {999999, Add, INT_MAX, 999999},
        {5, 7, 3, 5},
        {5000000, 9, 0, 999999},
    };
    cStageChara& a = stage.Chara('a');
    for (const Case& c : cases) {
        Var() = c.start;
        ExecStatusOperation(a, OnVar(c.op, c.operand));
        EXPECT_EQ(Var(), c.want) << c.start << " op" << c.op << " " << c.operand;
    }
}

TEST_F(StatusOperation, SystemValuesStayInTheirRanges) {
    cStageChara& a = stage.Chara('a');
    stage.State().m_nTime = 10;
    ExecStatusOperation(a, Operation(0, 5, 0, 0, Set, 1500));
    EXPECT_EQ(stage.State().m_nTime, 999);
    StoryData.m_nLives = 3;
    ExecStatusOperation(a, Operation(0, 5, 0, 4, Sub, 5));
    EXPECT_EQ(StoryData.m_nLives, 0);
    StoryData.m_nLives = kInfiniteLives;
    ExecStatusOperation(a, Operation(0, 5, 0, 4, Sub, 5));
    EXPECT_EQ(StoryData.m_nLives, kInfiniteLives) << "unlimited lives are left alone";
    ExecStatusOperation(a, Operation(0, 5, 0, 3, Add, INT_MAX));
    EXPECT_EQ(StoryData.m_nStageScore, 999999);
    StoryData.m_nLives = 3;
}

TEST_F(StatusOperation, CharacterValues) {
    cStageChara& a = stage.Chara('a');
    cStageChara& b = stage.Chara('b');
    SetTarget(a, 1, &b, 0);
    a.m_nLife = 50;
    ExecStatusOperation(a, Operation(0, 0, 0, 1, Add, 999999));
    EXPECT_EQ(a.m_nLife, 200) << "at most the maximum life";
    EXPECT_EQ(stage.State().m_bLifeCheck, 0);
    ExecStatusOperation(a, Operation(0, 2, 0, 1, Set, 0));
    EXPECT_EQ(b.m_nLife, 0);
    EXPECT_EQ(stage.State().m_bLifeCheck, 1) << "another character's life ran out";
    ExecStatusOperation(a, Operation(0, 3, 0, 1, Set, 0));
    EXPECT_EQ(a.m_nLife, 200) << "an empty target slot changes nothing";

    cFlowCmd half = Operation(0, 0, 0, 1, Set, 25);
    half.m_vParam[15] = 1;  // percent of the maximum
    ExecStatusOperation(a, half);
    EXPECT_EQ(a.m_nLife, 50);

    ExecStatusOperation(a, Operation(0, 0, 0, 3, Set, 30));
    EXPECT_EQ(a.m_Def.m_nMaxHp, 30);
    EXPECT_EQ(a.m_nLife, 30) << "life follows a lowered maximum";

    ExecStatusOperation(a, Operation(0, 0, 0, 10, Set, 5));
    EXPECT_EQ(a.m_Def.m_cSight, 0) << "a stage character has no sight to change";
    ExecStatusOperation(stage.Hero(), Operation(0, 0, 0, 10, Set, 50));
    EXPECT_EQ(stage.Hero().m_Def.m_cSight, 40);
    EXPECT_EQ(stage.Hero().m_nSightPx, 640);

    ExecStatusOperation(a, Operation(0, 0, 0, 15, Set, 150));
    EXPECT_EQ(a.m_Def.m_sStopEase, 150);
    EXPECT_DOUBLE_EQ(a.m_dAccelDecay, cChara::StopToDecay(150));

    ExecStatusOperation(a, Operation(0, 0, 0, 12, Sub, 50));
    EXPECT_EQ(a.m_Def.m_cImpact, -20);
    ExecStatusOperation(a, Operation(0, 0, 0, 5, Set, 300));
    EXPECT_EQ(a.m_Def.m_cCharaId, 99);

    cFlowCmd guarded = Operation(0, 2, 0, 13, Set, 77);
    guarded.m_vParam[17] = 1;
    b.m_Def.m_cInvincible = 1;
    ExecStatusOperation(a, guarded);
    EXPECT_NE(b.m_Def.m_nDefence, 77) << "invincible targets are skipped when asked";
}

TEST_F(StatusOperation, Operands) {
    cStageChara& a = stage.Chara('a');
    cFlowCmd random = OnVar(Set, 0);
    random.m_vParam[6] = 1;
    random.m_vParam[8] = 10;
    random.m_vParam[9] = 5;
    std::set<int> seen;
    for (int i = 0; i < 200; ++i) {
        ExecStatusOperation(a, random);
        seen.insert(Var());
    }
    EXPECT_EQ(seen, (std::set<int>{5, 6, 7, 8, 9, 10})) << "bounds in either order";

    a.m_vecVar[2] = 31;
    cFlowCmd fromStatus = OnVar(Set, 0);
    fromStatus.m_vParam[6] = 2;
    fromStatus.m_vParam[11] = 2;
    ExecStatusOperation(a, fromStatus);
    EXPECT_EQ(Var(), 31);
    fromStatus.m_vParam[12] = 4;  // an empty target slot: nothing happens
    Var() = 1;
    ExecStatusOperation(a, fromStatus);
    EXPECT_EQ(Var(), 1);
    fromStatus.m_vParam[12] = 0;
    fromStatus.m_vParam[13] = 10;  // the sight of a stage character
    ExecStatusOperation(a, fromStatus);
    EXPECT_EQ(Var(), 1);
}

TEST_F(StatusOperation, PositionsAreWrittenThroughTheWarp) {
    static std::vector<cEdMove> s_warps;
    s_warps.clear();
    SetWarpRunner([](cChara&, cFlowCmd& cmd, int mode) {
        EXPECT_EQ(mode, 1);
        s_warps.push_back(*cmd.m_spMove);
        return 0;
    });
    cStageChara& a = stage.Chara('a');
    cFlowCmd x = Operation(0, 0, 0, 6, Set, 99999);
    x.m_vParam[18] = 1;
    ExecStatusOperation(a, x);
    cFlowCmd y = Operation(0, 0, 0, 7, Set, 40);
    y.m_vParam[18] = 2;
    y.m_vParam[20] = 1;
    ExecStatusOperation(a, y);
    SystemData.m_bCompatStatusXY = 1;
    ExecStatusOperation(a, y);
    SystemData.m_bCompatStatusXY = 0;
    SetWarpRunner(nullptr);
    ASSERT_EQ(s_warps.size(), 3u);
    EXPECT_EQ(s_warps[0].m_sTargetX, 16384) << "limited";
    EXPECT_EQ(s_warps[0].m_bUseY, 0);
    EXPECT_EQ(s_warps[0].m_cCoord, 1);
    EXPECT_EQ(s_warps[1].m_sTargetY, 40);
    EXPECT_EQ(s_warps[1].m_cPoint, 1);
    EXPECT_EQ(s_warps[1].m_bUseX, 0);
    EXPECT_EQ(s_warps[2].m_sTargetDotY, 24) << "older projects: an offset 16 pixels off";
    EXPECT_EQ(s_warps[2].m_cUnit, 0);
}

TEST_F(StatusOperation, RunsAsItsCommandKind) {
    cStageChara& a = stage.Chara('a');
    a.m_Def.m_vFlow = cVector<cFlow>{MakeFlow(26, {{"op", FlowKind::StatusOperation, 1}})};
    a.m_Def.m_vFlow[0].m_vCmd[0] = OnVar(Add, 1);
    a.m_Def.m_vFlow[0].m_vCmd[0].m_sTime = 1;
    a.AddFlows(a.m_Def.m_vFlow, 0, -1);
    StageState().m_lpCurChara = &a;
    a.m_vecFlowInst[0].Start();
    StageState().m_lpCurChara = nullptr;
    Var() = 0;
    for (int i = 0; i < 100 && a.m_vecFlowInst[0].m_bRunning; ++i) a.StepCharaFlows(0);
    EXPECT_EQ(Var(), 6 * 10) << "a time of a tenth repeats it on each of its 6 x n sub-steps";
}

}  // namespace

namespace {

TEST(CodeCommand, AnErrorIsShownOncePerStartOfItsCommand) {
    StageOptions options;
    options.hitCheckLevel = 2;
    StageHarness stage({"a.", "##"}, options);
    cStageChara& a = stage.Chara('a');
    // One tenth of a second (12 steps) of a failing statement, then one of
    // a statement that places the character, started twice.
    a.m_Def.m_vFlow = cVector<cFlow>{
        MakeFlow(26, {{"S3 = 10 / 0", FlowKind::ExecCode, 1}, {"my.v2 = ( 5 + 1 ) * 7", FlowKind::ExecCode, 0}})};
    a.AddFlows(a.m_Def.m_vFlow, 0, -1);
    for (int run = 0; run < 2; ++run) {
        StageState().m_lpCurChara = &a;
        a.m_vecFlowInst[0].Start();
        StageState().m_lpCurChara = nullptr;
        for (int i = 0; i < 100 && a.m_vecFlowInst[0].m_bRunning; ++i) a.StepCharaFlows(0);
    }
    EXPECT_EQ(stage.Errors(), (std::vector<std::string>(2, "0除算が行われました！(S3 = 10 / 0)")));
    EXPECT_EQ(a.m_vecVar[2], 42);
}

}  // namespace
