#include "stage/flow/arrangements.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "foundation/abort.h"
#include "foundation/report.h"
#include "gamedata/database/database.h"
#include "gamedata/flows/arrangeable_params.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/flows/flow_cmd.h"
#include "gamedata/global_data.h"
#include "stage/core/flow_inst.h"
#include "stage/flow/status_operator.h"
#include "stage/objects/chara.h"
#include "stage/objects/stage_state.h"
#include "support/temp_dir.h"

namespace {

// A command of `kind` with every part and parameter its kind can carry.
cFlowCmd CommandOf(int kind, int table = 0) {
    cFlowCmd cmd;
    cmd.m_cTable = static_cast<std::int8_t>(table);
    cmd.m_cKind = static_cast<std::int8_t>(kind);
    cmd.SizeParams(cmd.ParamCount());
    cmd.m_spMove = std::make_shared<cEdMove>();
    cmd.m_spShot = std::make_shared<cEdShot>();
    return cmd;
}

cVector<int> Record(int kind, int param, int op, int source, int variable) {
    return cVector<int>{kind, param, op, source, variable};
}

class Arrangements : public ::testing::Test {
protected:
    void SetUp() override {
        BuildCommandParamTable();
        StoryData.m_vVar.assign(kCommonVariableCount, 0);
        Database.Sound.assign(10, cSound());
        Database.Effect.assign(5, cEffect());
        AbortFlag.store(0);
    }
    void TearDown() override {
        Database.Sound.clear();
        Database.Effect.clear();
        AbortFlag.store(0);
    }
    cChara chara;
};

TEST_F(Arrangements, EveryDescriptorOfEveryKindIsWrittenAndReadBack) {
    ASSERT_EQ(CommandParamTable.Count(), kFlowCommandKindCount);
    int descriptors = 0;
    for (int kind = 0; kind < kFlowCommandKindCount; ++kind) {
        for (const CommandParamDesc& desc : CommandParamTable[kind]) {
            cFlowCmd cmd = CommandOf(kind);
            // A value inside both the descriptor's range and every field width.
            const int value = desc.lowest < 0 ? -5 : desc.lowest + 3;
            WriteCommandParam(cmd, desc, value);
            EXPECT_EQ(ReadCommandParam(cmd, desc), value) << "kind " << kind << " " << desc.name;
            // Another descriptor of the same kind never shares the field.
            for (const CommandParamDesc& other : CommandParamTable[kind]) {
                if (&other == &desc) continue;
                EXPECT_EQ(ReadCommandParam(cmd, other), ReadCommandParam(CommandOf(kind), other))
                    << "kind " << kind << ": writing " << desc.name << " changed " << other.name;
            }
            ++descriptors;
        }
    }
    EXPECT_EQ(descriptors,
              6 + 6 + 6 + 1 + 1 + 32 + 7 + 8 + 10 + 9 + 5 + 5 + 6 + 3 + 5 + 1 + 1 + 2 + 6 + 1 + 1 + 7 + 4 + 1 + 1 + 1);
    for (int kind : {0, 1, 3, 4, 7, 8, 16, 18, 23, 27, 28, 37, 38, 39}) EXPECT_TRUE(CommandParamTable[kind].empty());
}

TEST_F(Arrangements, FieldsKeepTheirWidthSignExtendedOnRead) {
    struct Case {
        int kind, descriptor, written, read;
    };
    const Case cases[] = {
        {FlowKind::Shot, 5, 200, -56},               // 発射数, 8 bits
        {FlowKind::Shot, 19, 70000, 70000 - 65536},  // 速度, 16 bits
        {FlowKind::Shot, 28, 3000000, 3000000},      // 威力, 32 bits
        {FlowKind::StraightMove, 0, 40000, -25536},  // target x, 16 bits
        {FlowKind::Jump, 0, 65535, -1},              // sound, 16 bits
        {FlowKind::StageClear, 1, 123456, 123456},   // int parameter
    };
    for (const Case& c : cases) {
        cFlowCmd cmd = CommandOf(c.kind);
        const CommandParamDesc& desc = CommandParamTable[c.kind][c.descriptor];
        WriteCommandParam(cmd, desc, c.written);
        EXPECT_EQ(ReadCommandParam(cmd, desc), c.read) << desc.name;
    }
    // A command without its shot part reads 0 and is left alone.
    cFlowCmd bare;
    bare.m_cKind = FlowKind::Shot;
    WriteCommandParam(bare, CommandParamTable[FlowKind::Shot][19], 5);
    EXPECT_EQ(ReadCommandParam(bare, CommandParamTable[FlowKind::Shot][19]), 0);
}

TEST_F(Arrangements, ApplyOnlyToTheirKindWithTheOperandClampedToTheRange) {
    StoryData.m_vVar[3] = 50;
    StageState().m_vecStageVar[4] = 7;
    chara.m_vecVar[0] = 1000;
    cFlowCmd shot = CommandOf(FlowKind::Shot);
    shot.m_spShot->m_sSpeed = 10;
    ApplyArrangements(shot, Record(FlowKind::Shot, 19, StatusOp::Add, 0, 3), chara);
    EXPECT_EQ(shot.m_spShot->m_sSpeed, 60);
    // Two on one descriptor apply in order, each clamped (speed -200..200).
    cFlowInst flow;
    flow.m_listArrange.push_back(Record(FlowKind::Shot, 19, StatusOp::Set, 2, 0));
    flow.m_listArrange.push_back(Record(FlowKind::Shot, 19, StatusOp::Subtract, 1, 4));
    ApplyArrangeOps(shot, chara, &flow);
    EXPECT_EQ(shot.m_spShot->m_sSpeed, 193);
    // Another kind, an operand outside its table or an unknown source: nothing.
    for (const cVector<int>& r :
         {Record(FlowKind::Sword, 0, 0, 0, 3), Record(FlowKind::Shot, 19, 0, 0, 0),
          Record(FlowKind::Shot, 19, 0, 0, kCommonVariableCount), Record(FlowKind::Shot, 19, 0, 2, kCharaVarCount),
          Record(FlowKind::Shot, 19, 0, 3, 1)}) {
        ApplyArrangements(shot, r, chara);
    }
    EXPECT_EQ(shot.m_spShot->m_sSpeed, 193);
    ApplyArrangeOps(shot, chara, nullptr);
    EXPECT_EQ(shot.m_spShot->m_sSpeed, 193);
    EXPECT_EQ(AbortFlag.load(), 0);
}

TEST_F(Arrangements, ResultsNamingNoTableEntryLeaveTheCommand) {
    StoryData.m_vVar[1] = 9;
    StoryData.m_vVar[2] = 10;  // one past the ten sounds
    cFlowCmd jump = CommandOf(FlowKind::Jump);
    jump.m_sSound = 4;
    ApplyArrangements(jump, Record(FlowKind::Jump, 0, StatusOp::Set, 0, 2), chara);
    EXPECT_EQ(jump.m_sSound, 4);
    ApplyArrangements(jump, Record(FlowKind::Jump, 0, StatusOp::Set, 0, 1), chara);
    EXPECT_EQ(jump.m_sSound, 9);
    // A shot's item with no item source takes no arrangement at all.
    cFlowCmd shot = CommandOf(FlowKind::Shot);
    shot.m_spShot->m_cItemPalette = 0;
    ApplyArrangements(shot, Record(FlowKind::Shot, 31, StatusOp::Set, 0, 1), chara);
    EXPECT_EQ(shot.m_spShot->m_sItem, 0);
    // A graphic change of a sheet graphic stops at 119.
    cFlowCmd graphic = CommandOf(FlowKind::ChangeGraphic);
    StoryData.m_vVar[5] = 120;
    ApplyArrangements(graphic, Record(FlowKind::ChangeGraphic, 0, StatusOp::Set, 0, 5), chara);
    EXPECT_EQ(graphic.m_vParam[1], 0);
    StoryData.m_vVar[5] = 119;
    ApplyArrangements(graphic, Record(FlowKind::ChangeGraphic, 0, StatusOp::Set, 0, 5), chara);
    EXPECT_EQ(graphic.m_vParam[1], 119);
}

TEST_F(Arrangements, FormationAndMovementParametersTakeTheRangeOfTheirType) {
    StoryData.m_vVar[1] = 500;
    cFlowCmd shot = CommandOf(FlowKind::Shot);
    shot.m_spShot->m_cFormation = 2;  // 拡散: angle 0..180
    shot.m_spShot->m_cMoveKind = 4;   // 主人公へ誘導: end 0..999
    ApplyArrangements(shot, Record(FlowKind::Shot, 2, StatusOp::Set, 0, 1), chara);
    ApplyArrangements(shot, Record(FlowKind::Shot, 17, StatusOp::Set, 0, 1), chara);
    EXPECT_EQ(shot.m_spShot->m_sFormParam[0], 180);
    EXPECT_EQ(shot.m_spShot->m_sMoveParam[1], 500);
}

TEST_F(Arrangements, AnItemCommandCountsAsItsKindPlusFifteen) {
    StoryData.m_vVar[1] = 3;
    cFlowCmd effect = CommandOf(FlowKind::RunEffect - kItemToFlowKind, 1);
    ArrangeList pending;
    pending.push_back(Record(FlowKind::RunEffect, 0, StatusOp::Set, 0, 1));
    ApplyArrangeOpsChara(effect, chara, pending);
    EXPECT_EQ(effect.m_vParam[0], 3);
}

TEST_F(Arrangements, KindsWithNothingToChangeLogOnceAndADescriptorOutsideTheKindIsFatal) {
    TempDir dir;
    CreateReport("Report_Game.txt");
    cFlowCmd circle = CommandOf(FlowKind::CircleMove);
    const cFlowCmd before = CommandOf(FlowKind::CircleMove);
    StoryData.m_vVar[1] = 77;
    for (int i = 0; i < 3; ++i) ApplyArrangements(circle, Record(FlowKind::CircleMove, 0, 0, 0, 1), chara);
    EXPECT_EQ(circle.m_spMove->m_sAngle, before.m_spMove->m_sAngle);
    EXPECT_EQ(circle.m_spMove->m_sSpeed, before.m_spMove->m_sSpeed);
    const std::string report = dir.ReadHostFile("Report_Game.txt");
    const std::string line = "kind 4";
    ASSERT_NE(report.find(line), std::string::npos);
    EXPECT_EQ(report.find(line, report.find(line) + 1), std::string::npos) << report;
    EXPECT_EQ(AbortFlag.load(), 0);

    cFlowCmd jump = CommandOf(FlowKind::Jump);
    ApplyArrangements(jump, Record(FlowKind::Jump, 1, 0, 0, 1), chara);
    EXPECT_NE(AbortFlag.load(), 0);
    EXPECT_NE(dir.ReadHostFile("Report_Game.txt").find("err V[1] ( 1 ,"), std::string::npos);
}

}  // namespace
