#include <gtest/gtest.h>

#include "gamedata/flows/flow_cmd.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "shell/input/key_state.h"
#include "stage/core/flow_inst.h"
#include "stage/movement/jump_command.h"
#include "support/stage/stage_harness.h"

namespace {

constexpr int kButton1 = 10;  // key entry of the first button

// A hero standing on the floor of a small stage, one sub-step a frame,
// with a jump command of `mode` lasting `time` sub-steps.
class HeroJump : public ::testing::Test {
protected:
    void SetUp() override {
        m_Record.m_cKind = 10;
        m_Record.m_sSound = 4;
        m_Record.m_vParam = {0, 0, 0, 0, 0};
        m_Cmd.m_lpCmd = &m_Record;
        m_Cmd.m_nTime = 10;
        m_Cmd.m_nCount = 10;
        m_Cmd.m_dSpeed = -6.0;
        cKeyCond press;
        press.m_vKeyState.assign(19, 0);
        press.m_vKeyState[kButton1] = 1;
        m_Flow.m_vKeyCond.push_back(press);
        m_Inst.m_vecKeyCond.push_back(&m_Flow.m_vKeyCond[0]);
    }
    void TearDown() override { SetButton(false); }

    cPlayer& Ready(StageHarness& stage) {
        cPlayer& hero = stage.Hero();
        hero.m_lpKeyState = &KeyStates[0];
        hero.m_bAirLock = 0;
        hero.m_lpGroundBlock = &stage.Cell(1, 5);
        return hero;
    }
    void UseKey(StageHarness& stage) {
        m_Record.m_vParam[0] = 1;
        stage.State().m_lpCurFlow = &m_Inst;
    }
    static void SetButton(bool held) { KeyStates[0].m_vButtonRuns[0].front().nState = held ? 1 : 0; }
    // One frame: the jump, then the hero's moves.
    void Frame(StageHarness& stage, cPlayer& hero) {
        hero.m_bJumpDone = 0;
        hero.Jump(&m_Cmd);
        stage.MoveOneSubStep();
    }

    cFlowCmd m_Record;
    cCmdInst m_Cmd;
    cFlow m_Flow;
    cFlowInst m_Inst;
};

const std::vector<std::string> kRoom = {"....", "....", "....", "....", ".H..", "####"};

TEST_F(HeroJump, AHeldJumpRisesForTheCommandsTime) {
    StageHarness stage(kRoom, {.hitCheckLevel = 1});
    cPlayer& hero = Ready(stage);
    hero.m_bJumpDone = 0;
    hero.Jump(&m_Cmd);
    EXPECT_EQ(hero.m_bJumping, 1);
    EXPECT_EQ(hero.m_dSpeedY, -6.0);
    EXPECT_EQ(m_Cmd.m_nWork[JumpWork::Jumped], 1);
    EXPECT_EQ(stage.Sounds(), (std::vector<int>{4 + 16}));
    hero.m_dSpeedY = 0.0;
    hero.Jump(&m_Cmd);
    EXPECT_EQ(hero.m_dSpeedY, 0.0) << "once a frame";
    hero.m_dSpeedY = -6.0;
    stage.MoveOneSubStep();
    for (int frame = 2; frame < 10; ++frame) Frame(stage, hero);
    EXPECT_EQ(hero.m_bJumpEnd, 0) << "still rising after 9 frames";
    Frame(stage, hero);
    EXPECT_EQ(hero.m_nJumpFrames, 10);
    EXPECT_EQ(hero.m_bJumpEnd, 1) << "the hold is used up";
    EXPECT_EQ(hero.m_bJumpReady, 0);
    EXPECT_EQ(stage.Sounds().size(), 1u);
}

TEST_F(HeroJump, LettingGoEarlyCutsTheRise) {
    StageHarness stage(kRoom, {.hitCheckLevel = 1});
    cPlayer& hero = Ready(stage);
    UseKey(stage);
    SetButton(true);
    Frame(stage, hero);
    Frame(stage, hero);
    ASSERT_EQ(hero.m_bJumping, 1);
    const double rising = hero.m_dSpeedY;
    ASSERT_LT(rising, 0.0);
    SetButton(false);
    hero.m_bJumpDone = 0;
    hero.Jump(&m_Cmd);
    EXPECT_DOUBLE_EQ(hero.m_dSpeedY, rising * 0.3);
    EXPECT_EQ(hero.m_bJumpEnd, 1);
    EXPECT_EQ(hero.m_nJumpFrames, 0);
    EXPECT_EQ(hero.m_bJumpReady, 1);
    stage.State().m_lpCurFlow = nullptr;
}

TEST_F(HeroJump, WhatKeepsAJumpFromStarting) {
    struct Case {
        const char* name;
        void (*set)(cPlayer&, cCmdInst&);
        bool starts;
    };
    const std::vector<Case> cases = {
        {"ready on the ground", [](cPlayer&, cCmdInst&) {}, true},
        {"within the first frames of a fall", [](cPlayer& h, cCmdInst&) { h.m_lpGroundBlock = nullptr; }, true},
        {"air lock", [](cPlayer& h, cCmdInst&) { h.m_bAirLock = 1; }, false},
        {"impact", [](cPlayer& h, cCmdInst&) { h.m_bImpact = 1; }, false},
        {"ceiling", [](cPlayer& h, cCmdInst&) { h.m_bCeiling = 1; }, false},
        {"already jumping", [](cPlayer& h, cCmdInst&) { h.m_bJumping = 1; }, false},
        {"the key went down long ago", [](cPlayer& h, cCmdInst&) { h.m_nJumpFrames = 1; }, false},
        {"the command already jumped",
         [](cPlayer& h, cCmdInst& c) {
             c.m_nWork[JumpWork::Jumped] = 1;
             h.m_lpGroundBlock = nullptr;
         },
         false},
        {"flying", [](cPlayer& h, cCmdInst&) { h.SetMoveKind(2); }, false},
        {"no-jump ground", [](cPlayer& h, cCmdInst&) { h.m_bNoJumpGround = 1; }, false},
    };
    for (const Case& c : cases) {
        StageHarness stage(kRoom, {.hitCheckLevel = 1});
        cPlayer& hero = Ready(stage);
        cCmdInst cmd = m_Cmd;
        c.set(hero, cmd);
        hero.m_bJumpDone = 0;
        hero.Jump(&cmd);
        EXPECT_EQ(hero.m_dSpeedY < 0.0, c.starts) << c.name;
    }
}

TEST_F(HeroJump, FromARiddenCharacterOnTheFramesLastSubStep) {
    for (int compat : {0, 1}) {
        SystemData.m_bCompatRideJump = compat;
        StageHarness stage(kRoom, {.hitCheckLevel = 2});
        cPlayer& hero = Ready(stage);
        hero.m_lpGroundBlock = nullptr;
        hero.m_bRiding = 1;
        stage.State().m_nSubStepNo = 1;
        hero.m_bJumpDone = 0;
        hero.Jump(&m_Cmd);
        EXPECT_EQ(hero.m_dSpeedY, 0.0) << compat;
        EXPECT_EQ(hero.m_bRiding, 1) << compat;
        stage.State().m_nSubStepNo = 2;
        hero.m_bJumpDone = 0;
        hero.m_nJumpFrames = 0;
        hero.Jump(&m_Cmd);
        EXPECT_EQ(hero.m_dSpeedY, compat ? -6.0 * 1.0199999809265137 : -6.0) << compat;
        EXPECT_EQ(hero.m_bRiding, 0) << compat;
    }
    SystemData.m_bCompatRideJump = 0;
}

TEST_F(HeroJump, HeightByRunSpeed) {
    struct Case {
        double accel;
        int hbl;
    };
    // Two sub-steps: fast from 40 / 20 = 2.0, slow up to 10 / 20 = 0.5;
    // 6 half blocks when fast, 2 when slow, 2 + 4 x a / 2 in between.
    const std::vector<Case> cases = {{2.5, 6}, {-2.0, 6}, {0.5, 2}, {0.0, 2}, {1.0, 4}, {-1.5, 5}, {0.75, 3}};
    for (const Case& c : cases) {
        StageHarness stage(kRoom, {.hitCheckLevel = 2});
        cPlayer& hero = Ready(stage);
        cCmdInst cmd = m_Cmd;
        m_Record.m_vParam = {2, 40, 6, 10, 2};
        stage.State().m_lpCurFlow = &m_Inst;
        SetButton(true);
        hero.m_dAccelX = c.accel;
        hero.m_bJumpDone = 0;
        hero.Jump(&cmd);
        EXPECT_DOUBLE_EQ(cmd.m_dSpeed, hero.JumpSpeedForHbl(c.hbl)) << c.accel;
        EXPECT_DOUBLE_EQ(hero.m_dSpeedY, cmd.m_dSpeed) << c.accel;
        stage.State().m_lpCurFlow = nullptr;
    }
}

}  // namespace
