#include "stage/core/item_commands.h"

#include <gtest/gtest.h>

#include <vector>

#include "gamedata/flows/arrangeable_params.h"
#include "gamedata/flows/cmd_kinds.h"
#include "stage/core/flow_cmd_dispatch.h"
#include "stage/core/flow_inst.h"
#include "stage/flow/status_operator.h"
#include "stage/objects/engine_hooks.h"
#include "support/stage/command_fixtures.h"
#include "support/stage/flow_builder.h"
#include "support/stage/stage_harness.h"

namespace {

constexpr int kStageClear = 2, kGameWait = 3, kMessage = 4, kScreenColour = 18, kArrange = 23;

// What the executors were asked: the flow kind, the first parameter and
// the item-message flag at the time.
struct Ran {
    int kind, param0, itemMessage;
    bool operator==(const Ran&) const = default;
};
std::vector<Ran> g_ran;
int g_lifeAfter = -1;

struct AddCall {
    int mode, position, flows;
    bool operator==(const AddCall&) const = default;
};
std::vector<AddCall> g_added;
std::vector<int> g_removed;

class ItemCommands : public ::testing::Test {
protected:
    void SetUp() override {
        BuildCommandParamTable();
        g_ran.clear();
        g_added.clear();
        g_removed.clear();
        g_lifeAfter = -1;
        for (int kind : kRecordedKinds) m_Executors.Install(kind, Record);
        Hooks().addFlows = [](cChara&, const cVector<cFlow>& flows, int mode, int position) {
            g_added.push_back({mode, position, flows.Count()});
        };
        Hooks().removeFlowsById = [](cChara&, int id) {
            g_removed.push_back(id);
            return id == 4 ? 2 : -1;
        };
    }
    void TearDown() override { Hooks() = EngineHooks(); }
    // Stands for the executors of the flow kinds an item's list reaches.
    static int Record(cChara& c, cCmdInst& inst) {
        const cFlowCmd& cmd = *inst.m_lpCmd;
        const int kind = cmd.FlowKindNumber();
        g_ran.push_back({kind, cmd.m_vParam.Count() ? cmd.m_vParam[0] : 0, StageState().m_bItemMessage});
        // The arrangement executor collects its record for the next command
        // of the hero's list.
        if (kind == FlowKind::Arrange) static_cast<cPlayer&>(c).m_listItemArrange.push_back(cmd.m_vParam);
        if (g_lifeAfter >= 0 && kind == FlowKind::ChangeScreenColor) c.m_nLife = g_lifeAfter;
        return 0;
    }
    static constexpr int kRecordedKinds[] = {FlowKind::StageClear, kGameWait + kItemToFlowKind, FlowKind::Message,
                                             FlowKind::ChangeScreenColor, FlowKind::Arrange};
    ExecutorSwap m_Executors;
};

TEST_F(ItemCommands, ListResults) {
    struct Case {
        const char* name;
        std::vector<cFlowCmd> list;
        int lifeAfter;
        int result;
        std::vector<int> kindsRun;
    };
    const std::vector<Case> cases = {
        {"a plain list", {ItemCommandOf(kGameWait), ItemCommandOf(kScreenColour)}, -1, 0, {18, 33}},
        {"a stage clear stops the list",
         {ItemCommandOf(kGameWait), ItemCommandOf(kStageClear), ItemCommandOf(kScreenColour)},
         -1,
         1,
         {18, 17}},
        {"a command that takes the hero's life stops the list",
         {ItemCommandOf(kScreenColour), ItemCommandOf(kGameWait)},
         0,
         2,
         {33}},
        {"the empty command, an unknown kind and a loop run nothing",
         {ItemCommandOf(0), ItemCommandOf(24), ItemCommandOf(77), ItemCommandOf(kGameWait)},
         -1,
         0,
         {18}},
    };
    for (const Case& c : cases) {
        StageHarness stage({"H."});
        g_ran.clear();
        g_lifeAfter = c.lifeAfter;
        cVector<cFlowCmd> list;
        for (const cFlowCmd& cmd : c.list) list.push_back(cmd);
        EXPECT_EQ(ExecItemCmds(stage.Hero(), list), c.result) << c.name;
        std::vector<int> kinds;
        for (const Ran& r : g_ran) kinds.push_back(r.kind);
        EXPECT_EQ(kinds, c.kindsRun) << c.name;
    }
}

TEST_F(ItemCommands, MessagesOfOneListContinueTheFirst) {
    StageHarness stage({"H."});
    stage.State().m_bItemMessage = 1;
    const cVector<cFlowCmd> list = {ItemCommandOf(kMessage), ItemCommandOf(kMessage)};
    EXPECT_EQ(ExecItemCmds(stage.Hero(), list), 0);
    EXPECT_EQ(g_ran, (std::vector<Ran>{{19, 0, 0}, {19, 0, 1}}));
}

TEST_F(ItemCommands, AnArrangementChangesOnlyThePreparedCopyOfTheNextCommand) {
    StageHarness stage({"H."});
    cPlayer& hero = stage.Hero();
    hero.m_vecVar[0] = 77;
    // Set parameter 0 ("R") of the next screen-colour command to the
    // hero's variable 0.
    const cVector<cFlowCmd> list = {
        ItemCommandOf(kArrange, {FlowKind::ChangeScreenColor, 0, StatusOp::Set, 2, 0}),
        ItemCommandOf(kScreenColour, {5}),
        ItemCommandOf(kScreenColour, {5}),
    };
    const cVector<cFlowCmd> before = list;
    EXPECT_EQ(ExecItemCmds(hero, list), 0);
    ASSERT_EQ(g_ran.size(), 3u);
    EXPECT_EQ(g_ran[1].param0, 77);
    EXPECT_EQ(g_ran[2].param0, 5) << "only the first command after the arrangement";
    EXPECT_TRUE(hero.m_listItemArrange.empty());
    ASSERT_EQ(list.Count(), before.Count());
    EXPECT_EQ(list[1].m_vParam, before[1].m_vParam) << "the item's own list is left as it was";
    // Taken again, the same list starts from its unchanged commands.
    g_ran.clear();
    hero.m_vecVar[0] = 9;
    ExecItemCmds(hero, list);
    EXPECT_EQ(g_ran[1].param0, 9);
}

TEST_F(ItemCommands, ChangingFlows) {
    StageHarness stage({"H."});
    cPlayer& hero = stage.Hero();
    cFlowCmd change = ItemCommandOf(ItemKind::ChangeFlows, {0, 4});
    change.m_vFlow.resize(2);
    struct Case {
        int how;
        std::vector<AddCall> added;
        std::vector<int> removed;
    };
    const std::vector<Case> cases = {
        {0, {{FlowAddMode::Add, -1, 2}}, {}},
        {1, {{FlowAddMode::Add, 2, 2}}, {4}},  // at the first removed flow
        {2, {}, {4}},
        {3, {}, {}},
    };
    for (const Case& c : cases) {
        g_added.clear();
        g_removed.clear();
        change.m_vParam[0] = c.how;
        ChangeFlowCommand(hero, change, 0);
        EXPECT_EQ(g_added, c.added) << c.how;
        EXPECT_EQ(g_removed, c.removed) << c.how;
    }
    // While the hero's own flows are being stepped the change waits.
    g_added.clear();
    change.m_vParam[0] = 0;
    stage.State().m_lpCurChara = &hero;
    const cVector<cFlowCmd> list = {change};
    ExecItemCmds(hero, list);
    EXPECT_TRUE(g_added.empty());
    ASSERT_EQ(hero.m_vecDeferredCmd.Count(), 1);
    ChangeFlowCommand(hero, hero.m_vecDeferredCmd[0], 1);
    EXPECT_EQ(g_added, (std::vector<AddCall>{{FlowAddMode::Add, -1, 2}}));
    stage.State().m_lpCurChara = nullptr;
}

}  // namespace
