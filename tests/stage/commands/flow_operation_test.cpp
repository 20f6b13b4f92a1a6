#include <gtest/gtest.h>

#include <vector>

#include "gamedata/flows/cmd_kinds.h"
#include "stage/commands/stage_commands.h"
#include "support/stage/command_fixtures.h"
#include "support/stage/flow_builder.h"
#include "support/stage/stage_harness.h"

namespace {

// What a flow instance looks like after an operation.
struct FlowLook {
    int running, paused, stopped, deleted, broken;
    bool operator==(const FlowLook&) const = default;
};

FlowLook LookOf(const cFlowInst& f) { return {f.m_bRunning, f.m_bPaused, f.m_bStopped, f.m_bDelete, f.m_bBreak}; }

class FlowOperation : public ::testing::Test {
protected:
    FlowOperation() : stage({"..........", "...a..b...", "##########"}) {}

    // Three running flows of IDs 5, 5 and 7; the first is the current one.
    void GiveFlows(cChara& c) {
        cVector<cFlow> flows;
        for (int id : {5, 5, 7}) {
            cFlow f = MakeFlow(0, {{"w", FlowKind::Wait, 10, 0}});
            f.m_cId = static_cast<std::int8_t>(id);
            flows.push_back(f);
        }
        c.m_Def.m_vFlow = flows;
        c.AddFlows(c.m_Def.m_vFlow, 0, -1);
        stage.State().m_lpCurChara = &c;
        for (cFlowInst& f : c.m_vecFlowInst) f.Start();
        stage.State().m_lpCurChara = nullptr;
    }

    void Run(cChara& c, int op, int scope, int id, int whose) {
        cFlowCmd cmd = CommandOfKind(FlowKind::FlowOperation);
        cmd.m_vParam = {op, scope, id, whose};
        cCmdInst inst = InstanceOf(cmd);
        stage.State().m_lpCurFlow = &c.m_vecFlowInst[0];
        CmdFlowOperation(c, inst);
        stage.State().m_lpCurFlow = nullptr;
    }

    StageHarness stage;
};

TEST_F(FlowOperation, EachOperationOnEachScope) {
    const FlowLook untouched{1, 0, 0, 0, 0};
    struct Case {
        int op, scope, id;
        std::vector<FlowLook> expected;
    };
    const std::vector<Case> cases = {
        // start: ended and started again
        {0, 0, 0, {{1, 0, 0, 0, 1}, untouched, untouched}},
        {1, 0, 0, {{0, 0, 0, 0, 1}, untouched, untouched}},
        {1, 1, 0, {untouched, {0, 0, 0, 0, 1}, {0, 0, 0, 0, 1}}},
        {2, 2, 5, {{1, 1, 0, 0, 1}, {1, 1, 0, 0, 1}, untouched}},
        {3, 2, 7, {untouched, untouched, untouched}},
        {4, 2, 7, {untouched, untouched, {1, 0, 0, 1, 1}}},
        {5, 0, 0, {{1, 0, 1, 0, 1}, untouched, untouched}},
        // a flow ID of 0 names no flow
        {1, 2, 0, {untouched, untouched, untouched}},
    };
    for (const Case& c : cases) {
        cStageChara& a = stage.Chara('a');
        GiveFlows(a);
        Run(a, c.op, c.scope, c.id, 0);
        std::vector<FlowLook> looks;
        for (const cFlowInst& f : a.m_vecFlowInst) looks.push_back(LookOf(f));
        EXPECT_EQ(looks, c.expected) << "operation " << c.op << " scope " << c.scope;
        if (c.op == 4) { EXPECT_EQ(a.m_bFlowDeletePending, 1) << "its own flows go after the step"; }
    }
}

TEST_F(FlowOperation, PausedFlowResumesAndAnotherCharactersFlowsGoAtOnce) {
    cStageChara& a = stage.Chara('a');
    cStageChara& b = stage.Chara('b');
    GiveFlows(a);
    GiveFlows(b);
    Run(a, 2, 0, 0, 0);
    Run(a, 3, 0, 0, 0);
    EXPECT_EQ(a.m_vecFlowInst[0].m_bPaused, 0);

    SetTarget(a, 1, &b, 1);
    Run(a, 4, 2, 5, 2);
    ASSERT_EQ(b.m_vecFlowInst.Count(), 1) << "both consecutive flows of the ID are removed";
    EXPECT_EQ(b.m_vecFlowInst[0].m_lpFlow->m_cId, 7);

    // An empty target slot does nothing.
    Run(a, 1, 2, 7, 3);
    EXPECT_EQ(b.m_vecFlowInst[0].m_bRunning, 1);
    Run(a, 1, 2, 7, 2);
    EXPECT_EQ(b.m_vecFlowInst[0].m_bRunning, 0);
}

TEST_F(FlowOperation, ASwitchedOnConditionListThatFailsStopsTheOperation) {
    cStageChara& a = stage.Chara('a');
    GiveFlows(a);
    cFlowCmd cmd = CommandOfKind(FlowKind::FlowOperation);
    cmd.m_vParam = {1, 1, 0, 0};
    cmd.m_spCondList = std::make_shared<cCondList>();
    cmd.m_spCondList->m_bEnabled = 1;
    cmd.m_spCondList->m_cMode = 1;  // "any" of an empty list never holds
    cCmdInst inst = InstanceOf(cmd);
    CmdFlowOperation(a, inst);
    EXPECT_EQ(a.m_vecFlowInst[1].m_bRunning, 1);
    cmd.m_spCondList->m_bEnabled = 0;
    CmdFlowOperation(a, inst);
    EXPECT_EQ(a.m_vecFlowInst[1].m_bRunning, 0);
}

}  // namespace
