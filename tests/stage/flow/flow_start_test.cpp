#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gamedata/flows/cond.h"
#include "gamedata/project/system_data.h"
#include "support/stage/flow_builder.h"
#include "support/stage/stage_harness.h"

namespace {

using Names = std::vector<std::string>;
constexpr int kRec = FlowKind::PlaySound;

class FlowStart : public ::testing::Test {
protected:
    FlowStart() : stage({".a.b.", "#####"}, {.hitCheckLevel = 3}) {
        swap.Install(kRec, CommandLog::Recorder);
        CommandLog::Take();
    }
    void Give(cChara& c, cVector<cFlow> flows) {
        c.m_Def.m_vFlow = std::move(flows);
        c.AddFlows(c.m_Def.m_vFlow, 0, -1);
    }
    // One frame of three sub-steps as the play frame runs them: the
    // once-per-frame flags cleared, then trigger 0 and the flow step in
    // every sub-step. The names run in each sub-step.
    std::vector<Names> Frame(cChara& c) {
        std::vector<Names> out;
        c.ResetFlowOnceFlags();
        for (int sub = 0; sub < 3; ++sub) {
            c.FireTrigger(0);
            c.StepCharaFlows(0);
            out.push_back(CommandLog::Take());
        }
        return out;
    }

    FlowEngineScope engine;
    StageHarness stage;
    ExecutorSwap swap;
};

TEST_F(FlowStart, AnAlwaysFlowStartsAtMostOncePerFrame) {
    cStageChara& a = stage.Chara('a');
    Give(a, {MakeFlow(0, {{"x", kRec, 0}})});
    EXPECT_EQ(Frame(a), (std::vector<Names>{{"x"}, {}, {}}));
    EXPECT_EQ(Frame(a), (std::vector<Names>{{"x"}, {}, {}})) << "it restarts in the next frame";
}

TEST_F(FlowStart, AGroupRunsOneFlowAndItsNextNotInTheSameFrame) {
    cStageChara& a = stage.Chara('a');
    cFlow first = MakeFlow(0, {{"1", kRec, 0}, {"1", kRec, 0}});
    cFlow second = MakeFlow(0, {{"2", kRec, 0}});
    first.m_cGroup = second.m_cGroup = 4;
    Give(a, {first, second});
    EXPECT_EQ(Frame(a), (std::vector<Names>{{"1"}, {"1"}, {}})) << "the group stays shut for the frame";
    EXPECT_EQ(Frame(a), (std::vector<Names>{{"1"}, {"1"}, {}})) << "the first in list order wins again";
    a.m_vecFlowInst[0].m_bStopped = 1;
    EXPECT_EQ(Frame(a), (std::vector<Names>{{"2"}, {}, {}}));
}

TEST_F(FlowStart, FiltersStatesAndTheBeforeStageTrigger) {
    cStageChara& a = stage.Chara('a');
    cFlow id3 = MakeFlow(24, {{"id3", kRec, 1}});
    id3.m_cId = 3;
    cFlow id5 = MakeFlow(24, {{"id5", kRec, 1}});
    id5.m_cId = 5;
    Give(a, {id3, id5, MakeFlow(26, {{"never", kRec, 1}})});
    a.StartFlowsByTrigger(24, nullptr, 3);
    EXPECT_EQ(a.m_vecFlowInst[0].m_bRunning, 1);
    EXPECT_EQ(a.m_vecFlowInst[1].m_bRunning, 0);
    a.ResetFlowOnceFlags();
    a.m_vecFlowInst[0].End(a);
    a.m_vecFlowInst[0].Pause();
    a.StartFlowsByTrigger(24, nullptr, 0);
    EXPECT_EQ(a.m_vecFlowInst[0].m_bRunning, 0) << "a paused flow is not started";
    EXPECT_EQ(a.m_vecFlowInst[1].m_bRunning, 1) << "filter 0 takes any ID";
    for (int kind = 0; kind < 26; ++kind) a.FireTrigger(kind);
    EXPECT_EQ(a.m_vecFlowInst[2].m_bRunning, 0) << "only a flow operation starts trigger 26";
    EXPECT_EQ(StageState().m_lpCurChara, nullptr);

    // Before the stage: the no-wait commands from the flow operation on
    // run at once, once, and the flow ends.
    Give(a, {MakeFlow(25, {{"move", 2, 0, 1}, {"wait", kRec, 5}, {"now", kRec, 5, 1}, {"also", kRec, 0, 1}})});
    a.FireTrigger(25);
    EXPECT_EQ(CommandLog::Take(), (Names{"now", "also"}));
    EXPECT_EQ(a.m_vecFlowInst[0].m_bRunning, 0);
}

TEST_F(FlowStart, APartnerStaysInItsSlotOnlyWhenTheFlowStarts) {
    cStageChara& a = stage.Chara('a');
    cStageChara& b = stage.Chara('b');
    // Starts only while the partner (target 2) faces right.
    cFlow flow = MakeFlow(6, {{"touch", kRec, 1}});
    flow.m_bPartnerTarget = 1;
    flow.m_cPartnerSlot = 1;
    cCond facing;
    facing.m_cKind = CondKind::Status3;
    facing.m_cOwner = 2;
    facing.m_cStatus = 1;
    flow.m_vCond = {facing};
    Give(a, {flow});
    b.m_nDirection = 0;
    a.StartFlowsByTrigger(6, &b, 0);
    EXPECT_EQ(a.m_vecTarget[1], nullptr) << "the slot is put back";
    EXPECT_EQ(a.m_vecFlowInst[0].m_bRunning, 0);
    b.m_nDirection = 1;
    a.StartFlowsByTrigger(6, &b, 0);
    EXPECT_EQ(a.m_vecTarget[1], &b);
    EXPECT_EQ(a.m_vecFlowInst[0].m_bRunning, 1);
}

TEST_F(FlowStart, OlderProjectsTakeTheOnceFlagEarlier) {
    // A flow whose condition fails at the first try of a frame and holds at
    // the second: whether it starts in that frame depends on when the
    // once-per-frame flag is taken.
    struct Case {
        const char* what;
        int noOnce, onceOnMatch, onceBeforeCond;
        bool startsOnSecondTry;
    };
    const Case cases[] = {
        {"current rule", 0, 0, 0, true},
        {"flag taken on the match", 0, 1, 0, false},
        {"flag taken before the conditions", 0, 0, 1, false},
        {"no flag", 1, 1, 0, true},
    };
    cStageChara& a = stage.Chara('a');
    cCond var;
    var.m_cKind = CondKind::StageVar;
    var.m_sIndex = 1;
    var.m_nValue = 1;
    cFlow flow = MakeFlow(24, {{"f", kRec, 1}});
    flow.m_vCond = {var};
    for (const Case& c : cases) {
        SystemData.m_bCompatNoOnceFlag = c.noOnce;
        SystemData.m_bCompatOnceOnMatch = c.onceOnMatch;
        SystemData.m_bCompatOnceBeforeCond = c.onceBeforeCond;
        Give(a, {flow});
        a.ResetFlowOnceFlags();
        stage.State().m_vecStageVar[1] = 0;
        a.StartFlowsByTrigger(24, nullptr, 0);
        stage.State().m_vecStageVar[1] = 1;
        a.StartFlowsByTrigger(24, nullptr, 0);
        EXPECT_EQ(a.m_vecFlowInst[0].m_bRunning == 1, c.startsOnSecondTry) << c.what;
    }
    SystemData.m_bCompatNoOnceFlag = SystemData.m_bCompatOnceOnMatch = SystemData.m_bCompatOnceBeforeCond = 0;
}

TEST_F(FlowStart, BlockContactsStartTheirFlows) {
    cStageChara& a = stage.Chara('a');
    Give(a, {MakeFlow(17, {{"landed", kRec, 1}})});
    a.m_dY -= 40.0;
    for (int i = 0; i < 200 && a.m_vecFlowInst[0].m_bRunning == 0; ++i) stage.MoveOneSubStep();
    EXPECT_EQ(a.m_vecFlowInst[0].m_bRunning, 1);
}

}  // namespace
