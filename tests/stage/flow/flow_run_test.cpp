#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/report.h"
#include "gamedata/database/database.h"
#include "gamedata/flows/arrangeable_params.h"
#include "gamedata/project/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/flow/flow_prep.h"
#include "support/stage/flow_builder.h"
#include "support/stage/stage_harness.h"
#include "support/temp_dir.h"

namespace {

using Names = std::vector<std::string>;

constexpr int kRec = FlowKind::PlaySound;     // a command that records its name
constexpr int kOp = FlowKind::FlowOperation;  // a command with a test's own action

// One sub-step per frame, so a time of t tenths lasts 6 t steps.
StageOptions OneSubStep() {
    StageOptions options;
    options.hitCheckLevel = 1;
    return options;
}

class FlowRun : public ::testing::Test {
protected:
    FlowRun() : stage({"..........", "...a..b...", "##########"}, OneSubStep()) {
        swap.Install(kRec, CommandLog::Recorder);
        CommandLog::Take();
    }

    // Gives the character these flows and starts the ones listed in `start`.
    void Give(cChara& c, cVector<cFlow> flows, std::initializer_list<int> start) {
        c.m_Def.m_vFlow = std::move(flows);
        c.AddFlows(c.m_Def.m_vFlow, 0, -1);
        StageState().m_lpCurChara = &c;
        for (int i : start) c.m_vecFlowInst[i].Start();
        StageState().m_lpCurChara = nullptr;
    }
    // Steps until the flow has ended; the number of steps taken.
    int StepsUntilEnd(cChara& c, int flow, int limit = 1000) {
        int steps = 0;
        while (c.m_vecFlowInst[flow].m_bRunning && steps < limit) {
            c.StepCharaFlows(0);
            ++steps;
        }
        return steps;
    }

    StageHarness stage;
    ExecutorSwap swap;
};

TEST_F(FlowRun, CommandsRunInStepsByTheirWaitFlags) {
    struct Case {
        const char* what;
        cFlow flow;
        std::vector<Names> perStep;  // what the first steps run
        int steps;                   // steps until the flow has ended
    };
    const Case cases[] = {
        {"no-wait commands of time 0 and 0 run with the next in the first step",
         MakeFlow(26, {{"a", kRec, 0, 1}, {"b", kRec, 0, 1}, {"c", kRec, 5, 1}}),
         {{"a", "b", "c"}, {"c"}},
         30},
        {"a waiting command of time 0 runs once, the next starts a step later",
         MakeFlow(26, {{"a", kRec, 0}, {"b", kRec, 0}}),
         {{"a"}, {"b"}},
         2},
        {"a no-wait command runs beside later ones and stops with the last",
         MakeFlow(26, {{"a", kRec, 5, 1}, {"b", kRec, 0}, {"c", kRec, 0}}),
         {{"a", "b"}, {"a", "c"}},
         2},
        {"a wait holds the flow at its index", MakeFlow(26, {{"w", 1, 1}, {"b", kRec, 0}}), {{}, {}, {}}, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cStageChara& a = stage.Chara('a');
        Give(a, {c.flow}, {0});
        for (const Names& want : c.perStep) {
            a.StepCharaFlows(0);
            EXPECT_EQ(CommandLog::Take(), want);
        }
        EXPECT_EQ(StepsUntilEnd(a, 0) + static_cast<int>(c.perStep.size()), c.steps);
        for (const cCmdInst& cmd : a.m_vecFlowInst[0].m_vecCmdInst) EXPECT_EQ(cmd.m_nCount, 0);
        CommandLog::Take();
    }
}

TEST_F(FlowRun, CurrentObjectsAreSetDuringAStepAndGivenBackAfterIt) {
    static cChara* s_other;
    static bool s_sawOwn;
    // The command steps another character's flows in the middle of its own.
    swap.Install(kOp, [](cChara& self, cCmdInst& cmd) {
        cStageState& st = StageState();
        cFlowInst* flow = st.m_lpCurFlow;
        s_other->StepCharaFlows(0);
        s_sawOwn = st.m_lpCurChara == &self && st.m_lpCurFlow == flow && st.m_lpCurCmd == &cmd;
        return 0;
    });
    cStageChara& a = stage.Chara('a');
    cStageChara& b = stage.Chara('b');
    s_other = &b;
    s_sawOwn = false;
    Give(a, {MakeFlow(26, {{"op", kOp, 1}})}, {0});
    Give(b, {MakeFlow(26, {{"b", kRec, 1}})}, {0});
    a.StepCharaFlows(0);
    EXPECT_TRUE(s_sawOwn);
    EXPECT_EQ(CommandLog::Take(), Names{"b"});
    EXPECT_EQ(StageState().m_lpCurChara, nullptr);
    EXPECT_EQ(StageState().m_lpCurFlow, nullptr);
    EXPECT_EQ(StageState().m_lpCurCmd, nullptr);

    // The early return of a character whose life ran out gives them back too.
    b.m_nLife = 0;
    EXPECT_EQ(b.StepCharaFlows(0), 1);
    EXPECT_EQ(StageState().m_lpCurChara, nullptr);
    EXPECT_EQ(StageState().m_lpCurCmd, nullptr);
}

TEST_F(FlowRun, AFlowDeletedWhileItRunsGoesAfterTheStep) {
    static int s_commandsSeen;
    // Deletes its own flow (as a flow operation through a target slot that
    // holds the character itself), then reads its instance again.
    swap.Install(kOp, [](cChara& self, cCmdInst& cmd) {
        self.DeleteFlow(StageState().m_lpCurFlow->m_nIndex);
        s_commandsSeen = StageState().m_lpCurFlow->m_vecCmdInst.Count();
        return cmd.m_nCount;
    });
    cStageChara& a = stage.Chara('a');
    Give(a, {MakeFlow(26, {{"x", kRec, 0}}), MakeFlow(26, {{"del", kOp, 1}, {"y", kRec, 0}}), MakeFlow(26, {})}, {1});
    a.StepCharaFlows(0);
    EXPECT_EQ(s_commandsSeen, 2) << "the instance lived through its step";
    ASSERT_EQ(a.m_vecFlowInst.Count(), 2);
    EXPECT_EQ(a.m_Def.m_vFlow.Count(), 2);
    EXPECT_EQ(a.m_vecFlowInst[1].m_nIndex, 1);
    EXPECT_EQ(a.m_vecFlowInst[1].m_lpFlow, &a.m_Def.m_vFlow[1]);
    EXPECT_EQ(a.m_bFlowDeletePending, 0);

    // Outside a step the removal is at once.
    a.DeleteFlow(0);
    EXPECT_EQ(a.m_vecFlowInst.Count(), 1);
}

TEST_F(FlowRun, AFlowRestartedByItsOwnCommandBeginsAgainAtItsFirstCommand) {
    // The flow operation "start" on the current flow.
    swap.Install(kOp, [](cChara& self, cCmdInst&) {
        cFlowInst& flow = *StageState().m_lpCurFlow;
        flow.End(self);
        flow.Start();
        flow.m_bBreak = 1;
        return 0;
    });
    cStageChara& a = stage.Chara('a');
    Give(a, {MakeFlow(26, {{"a", kRec, 0}, {"again", kOp, 0}, {"b", kRec, 0}})}, {0});
    std::vector<std::string> ran;
    for (int step = 0; step < 5; ++step) {
        a.StepCharaFlows(0);
        for (const std::string& n : CommandLog::Take()) ran.push_back(n);
    }
    EXPECT_EQ(ran, (Names{"a", "a", "a"})) << "b never runs, a runs on every second step";
    EXPECT_EQ(a.m_vecFlowInst[0].m_bRunning, 1);
}

TEST_F(FlowRun, LifeOutStopsTheOtherFlowsAndTheDeathStepRunsOnlyDeathFlows) {
    swap.Install(kOp, [](cChara& self, cCmdInst&) {
        self.m_nLife = 0;
        return 0;
    });
    cStageChara& a = stage.Chara('a');
    Give(a, {MakeFlow(26, {{"kill", kOp, 1}}), MakeFlow(26, {{"later", kRec, 1}}), MakeFlow(5, {{"death", kRec, 1}})},
         {0, 1, 2});
    EXPECT_EQ(a.StepCharaFlows(0), 1);
    EXPECT_EQ(CommandLog::Take(), Names{}) << "the flows after the killing one are not stepped";
    EXPECT_EQ(a.StepCharaFlows(1), 1);
    EXPECT_EQ(CommandLog::Take(), Names{"death"});
}

TEST_F(FlowRun, PendingArrangementsGoToTheNextCommandOrAreDroppedAtTheEnd) {
    BuildCommandParamTable();
    Database.Sound.assign(10, cSound());
    StoryData.m_vVar[1] = 3;
    // Each arrangement adds common variable 1 to the sound of the next
    // sound command.
    swap.Install(FlowKind::Arrange, [](cChara&, cCmdInst&) {
        StageState().m_lpCurFlow->m_listArrange.push_back(cVector<int>{FlowKind::PlaySound, 0, 1, 0, 1});
        return 0;
    });
    cStageChara& a = stage.Chara('a');
    Give(a,
         {MakeFlow(26, {{"arr", FlowKind::Arrange, 0}, {"arr", FlowKind::Arrange, 0}, {"sound", kRec, 0}}),
          MakeFlow(26, {{"arr", FlowKind::Arrange, 0}})},
         {0, 1});
    StepsUntilEnd(a, 0);
    Database.Sound.clear();
    EXPECT_EQ(a.m_Def.m_vFlow[0].m_vCmd[2].m_vParam[0], 6) << "an arrangement does not take the pending ones itself";
    EXPECT_TRUE(a.m_vecFlowInst[0].m_listArrange.empty());
    EXPECT_TRUE(a.m_vecFlowInst[1].m_listArrange.empty()) << "dropped when the flow ended";
}

TEST_F(FlowRun, GroupLocksHoldUntilTheStepInWhichTheirFlowEnded) {
    cStageChara& a = stage.Chara('a');
    cFlow locked = MakeFlow(0, {{"g", kRec, 0}});
    locked.m_cGroup = 3;
    Give(a, {locked}, {0});
    EXPECT_EQ(a.m_vecGroupLock[3], 1);
    EXPECT_EQ(a.m_vecGroupStarted[3], 1);
    a.StepCharaFlows(0);
    EXPECT_EQ(a.m_vecFlowInst[0].m_bRunning, 0);
    EXPECT_EQ(a.m_vecGroupLock[3], 0) << "released at the end of the step that ended the flow";
    EXPECT_EQ(a.m_bGroupReleasePending, 0);
}

TEST_F(FlowRun, RemovingFlowsById) {
    cStageChara& a = stage.Chara('a');
    cVector<cFlow> flows{MakeFlow(26, {}), MakeFlow(26, {}), MakeFlow(26, {}), MakeFlow(26, {})};
    flows[1].m_cId = flows[2].m_cId = 7;
    Give(a, flows, {});
    a.m_listAnimLayer.emplace_front(1, 1, 0, 0, a.m_vecFlowInst[1].m_nSerial);
    a.m_listAnimLayer.emplace_front(1, 1, 0, 0, a.m_vecFlowInst[3].m_nSerial);
    EXPECT_EQ(a.RemoveFlowsById(7), 1);
    EXPECT_EQ(a.m_vecFlowInst.Count(), 2);
    EXPECT_EQ(a.m_listAnimLayer.size(), 1u) << "the layers of the removed flows go with them";
    EXPECT_EQ(a.RemoveFlowsById(9), -1);
    EXPECT_EQ(a.RemoveFlowsById(0), 0);
    EXPECT_TRUE(a.m_vecFlowInst.empty());
    EXPECT_TRUE(a.m_Def.m_vFlow.empty());
    EXPECT_TRUE(a.m_listAnimLayer.empty());
}

TEST_F(FlowRun, AddModeInsertsAtAPositionAndTakesNewSerials) {
    cStageChara& a = stage.Chara('a');
    Give(a, {MakeFlow(26, {{"a", kRec, 0}}), MakeFlow(26, {{"b", kRec, 0}})}, {});
    cVector<cFlow> extra{MakeFlow(26, {{"x", kRec, 0}})};
    extra[0].m_bKeyHold = 0;
    a.AddFlows(extra, 1, 1);
    ASSERT_EQ(a.m_vecFlowInst.Count(), 3);
    EXPECT_EQ(a.m_vecFlowInst[1].m_vecCmdInst[0].m_lpCmd->m_strText, "x");
    EXPECT_EQ(a.m_vecFlowInst[2].m_vecCmdInst[0].m_lpCmd->m_strText, "b");
    EXPECT_EQ(a.m_vecFlowInst[1].m_nSerial, 2);
    EXPECT_EQ(a.m_vecFlowInst[1].m_bKeyWasMet, 1);
    a.AddFlows(extra, 1, 99);
    EXPECT_EQ(a.m_vecFlowInst[3].m_vecCmdInst[0].m_lpCmd->m_strText, "x");
}

TEST_F(FlowRun, AKindWithoutExecutorTakesItsTimeAndIsLoggedOnce) {
    TempDir dir;
    SetDebugLog(1, dir.HostPath() + "/debug.txt");
    swap.Install(FlowKind::ChangeBackground, nullptr);
    cStageChara& a = stage.Chara('a');
    Give(a, {MakeFlow(26, {{"bg", FlowKind::ChangeBackground, 1}, {"bg", FlowKind::ChangeBackground, 0}})}, {0});
    EXPECT_EQ(StepsUntilEnd(a, 0), 7);
    SetDebugLog(0, "");
    const std::string log = dir.ReadHostFile("debug.txt");
    const std::string line = "command kind 34 has no executor";
    ASSERT_NE(log.find(line), std::string::npos);
    EXPECT_EQ(log.find(line, log.find(line) + 1), std::string::npos);
}

}  // namespace
