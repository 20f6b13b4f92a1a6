// A character with a patrol, a condition-gated jump and an attack that its
// landing starts, run for 600 frames in the play frame's order.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gamedata/flows/cond.h"
#include "support/stage/flow_builder.h"
#include "support/stage/stage_harness.h"

namespace {

constexpr int kSubSteps = 2;
constexpr int kFrames = 600;

// Character variables the flows keep.
constexpr int kPatrols = 1;  // patrols ended
constexpr int kJumped = 3;   // 1 after the jump, 2 after the attack

cFlowCmd AddToVar(int var, int op, int value) {
    cFlowCmd cmd = MakeCmd({"op", FlowKind::StatusOperation, 0});
    cmd.m_vParam[2] = var;
    cmd.m_vParam[4] = 0;  // character variable
    cmd.m_vParam[5] = op;
    cmd.m_vParam[7] = value;
    return cmd;
}

cCond VarIs(int var, int value) {
    cCond c;
    c.m_cKind = CondKind::CharaVar;
    c.m_sIndex = static_cast<std::int16_t>(var);
    c.m_nValue = value;
    return c;
}

cCharaDef ThreeFlows() {
    cCharaDef def;
    // Patrol: a second of walking each way, counted at its end.
    cFlow patrol = MakeFlow(0, {{"left", FlowKind::StraightMove, 5}, {"right", FlowKind::StraightMove, 5}});
    for (cFlowCmd& walk : patrol.m_vCmd) {
        walk.m_spMove = std::make_shared<cEdMove>();
        walk.m_spMove->m_cDirection = walk.m_strText == "left" ? 2 : 3;
    }
    patrol.m_vCmd.push_back(AddToVar(kPatrols, 1, 1));
    patrol.m_cGroup = 1;
    // Jump: once, after the third patrol, while standing.
    cFlow jump = MakeFlow(0, {{"jump", FlowKind::Jump, 0}});
    jump.m_vCmd[0].m_vParam[2] = 3;
    jump.m_vCmd.push_back(AddToVar(kJumped, 0, 1));
    cCond standing;
    standing.m_cKind = CondKind::Status3;
    standing.m_cStatus = 2;
    jump.m_vCond = {VarIs(kPatrols, 3), VarIs(kJumped, 0), standing};
    // Attack: started by the landing that follows the jump.
    cFlow attack = MakeFlow(17, {{"strike", FlowKind::Wait, 5}});
    attack.m_vCmd.push_back(AddToVar(kJumped, 0, 2));
    attack.m_vCond = {VarIs(kJumped, 1)};
    def.m_vFlow = {patrol, jump, attack};
    return def;
}

struct Event {
    int frame;
    std::string what;
};

// A frame the physics of the jump decides.
constexpr int kAnyFrame = -1;

TEST(ThreeFlows, SixHundredFramesStartAndEndFlowsInOrder) {
    FlowEngineScope engine;
    StageOptions options;
    options.hitCheckLevel = kSubSteps;
    options.charas['a'] = ThreeFlows();
    StageHarness stage({"..........", "..........", "....a.....", "##########"}, options);
    cStageChara& a = stage.Chara('a');
    const char* names[] = {"patrol", "jump", "attack"};

    std::vector<Event> events;
    std::vector<int> starts(3, 0);
    std::vector<int> running(3, 0);
    const double ground = a.m_dY;
    double highest = ground;
    for (int frame = 0; frame < kFrames; ++frame) {
        a.ResetFlowOnceFlags();
        for (int sub = 0; sub < kSubSteps; ++sub) {
            a.FireTrigger(0);
            ASSERT_EQ(a.StepCharaFlows(0), 0);
            stage.MoveOneSubStep();
            highest = std::min(highest, a.m_dY);
            for (int f = 0; f < 3; ++f) {
                const cFlowInst& inst = a.m_vecFlowInst[f];
                if (inst.m_nStarts != starts[f] && running[f])
                    events.push_back({frame, std::string(names[f]) + " end"});
                if (inst.m_nStarts != starts[f]) events.push_back({frame, std::string(names[f]) + " start"});
                if (inst.m_nStarts == starts[f] && running[f] && !inst.m_bRunning)
                    events.push_back({frame, std::string(names[f]) + " end"});
                starts[f] = inst.m_nStarts;
                running[f] = inst.m_bRunning;
            }
        }
    }

    // The patrol takes 2 x 60 sub-steps of walking and one for its count,
    // so it ends every 60 1/2 frames and starts again in the next sub-step,
    // once its group lock has been released at the end of the step that
    // ended it. The third end makes the jump's condition hold in the same
    // frame; the attack waits for the landing after the jump and lasts 60
    // sub-steps and one.
    const std::vector<Event> want = {
        {0, "patrol start"},       {60, "patrol end"},          {60, "patrol start"},  {120, "patrol end"},
        {121, "patrol start"},     {181, "patrol end"},         {181, "patrol start"}, {181, "jump start"},
        {kAnyFrame, "jump end"},   {kAnyFrame, "attack start"}, {241, "patrol end"},   {242, "patrol start"},
        {kAnyFrame, "attack end"}, {302, "patrol end"},         {302, "patrol start"}, {362, "patrol end"},
        {363, "patrol start"},     {423, "patrol end"},         {423, "patrol start"}, {483, "patrol end"},
        {484, "patrol start"},     {544, "patrol end"},         {544, "patrol start"},
    };
    ASSERT_EQ(events.size(), want.size());
    int attackStart = 0;
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(events[i].what, want[i].what) << "event " << i;
        if (want[i].frame != kAnyFrame) {
            EXPECT_EQ(events[i].frame, want[i].frame) << want[i].what << ", event " << i;
        }
        if (events[i].what == "attack start") attackStart = events[i].frame;
        if (events[i].what == "attack end") { EXPECT_EQ(events[i].frame - attackStart, 31); }
    }
    EXPECT_LT(highest, ground - 32.0) << "the jump left the ground";
    EXPECT_TRUE(a.IsOnGround()) << "and came back to it";
    EXPECT_EQ(a.m_vecVar[kJumped], 2);
    EXPECT_EQ(a.m_vecVar[kPatrols], 9);
}

}  // namespace
