#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/commands/stage_commands.h"
#include "stage/objects/stage_spawning.h"
#include "support/stage/command_fixtures.h"
#include "support/stage/stage_harness.h"

namespace {

const std::vector<std::string> kField = {
    "..........", "..........", "...a..b...", "..........", "##########",
};

cFlowCmd Warp(int mode, int direction, int distance) {
    cFlowCmd cmd = CommandOfKind(FlowKind::Warp);
    cEdMove& m = *cmd.m_spMove;
    m.m_cMode = static_cast<std::int8_t>(mode);
    m.m_cDirection = static_cast<std::int8_t>(direction);
    m.m_sDistance = static_cast<std::int16_t>(distance);
    return cmd;
}

cFlowCmd WarpTo(int coord, int unit, int x, int y) {
    cFlowCmd cmd = Warp(5, 0, 0);
    cEdMove& m = *cmd.m_spMove;
    m.m_cCoord = static_cast<std::int8_t>(coord);
    m.m_cUnit = static_cast<std::int8_t>(unit);
    m.m_sTargetX = static_cast<std::int16_t>(x);
    m.m_sTargetY = static_cast<std::int16_t>(y);
    m.m_bMirrorX = 1;
    m.m_bUseX = m.m_bUseY = 1;
    return cmd;
}

TEST(WarpCommand, EachModeMovesByItsRule) {
    StageHarness stage(kField);
    cStageChara& a = stage.Chara('a');
    const double x0 = a.m_dX, y0 = a.m_dY;
    const double sx = stage.State().m_ScrollX.m_dPos, sy = stage.State().m_ScrollY.m_dPos;
    const int bx = stage.State().m_ScrollX.m_nBlockOffset, by = stage.State().m_ScrollY.m_nBlockOffset;
    struct Case {
        const char* what;
        cFlowCmd cmd;
        double x, y;
        int pinned;
    };
    const std::vector<Case> cases = {
        {"up by two half blocks, walking", Warp(0, 6, 2), x0, y0 - 32, 0},
        {"forward, facing right", Warp(0, 0, 1), x0 + 16, y0, 0},
        {"relative pixels, mirrored when facing right", WarpTo(0, 1, 10, 4), x0 - 10, y0 + 4, 0},
        {"absolute blocks: onto the cell", WarpTo(1, 0, 2, 1), (bx + 2) * 32.0, (by + 1) * 32.0, 0},
        {"screen pixels, centred, pinned", WarpTo(2, 1, 100, 50), 100 + sx - 16, 50 + sy - 16, 1},
        {"out of the stage: undone", WarpTo(0, 1, -5000, 0), x0, y0, 0},
    };
    for (const Case& c : cases) {
        a.m_dX = x0;
        a.m_dY = y0;
        a.ClampX(BoundMode::None);
        a.ClampY(BoundMode::None);
        a.m_nDirection = 1;
        cFlowCmd cmd = c.cmd;
        cCmdInst inst = InstanceOf(cmd);
        EXPECT_EQ(CmdWarp(a, inst), 1) << c.what;
        EXPECT_DOUBLE_EQ(a.m_dX, c.x) << c.what;
        EXPECT_DOUBLE_EQ(a.m_dY, c.y) << c.what;
        EXPECT_EQ(a.m_bPinScreenX, c.pinned) << c.what;
        EXPECT_EQ(a.m_nColLeft, BlockOf(a.m_dX)) << c.what << ": tile indices follow";
    }
}

TEST(WarpCommand, FromATargetCentresOnItAndABlockedSpotUndoesTheWarp) {
    StageHarness stage(kField);
    cStageChara& a = stage.Chara('a');
    cStageChara& b = stage.Chara('b');
    const double x0 = a.m_dX;
    cFlowCmd cmd = Warp(2, 7, 2);  // from target 2, down one block
    cCmdInst inst = InstanceOf(cmd);
    CmdWarp(a, inst);
    EXPECT_EQ(a.m_dX, x0) << "an empty slot does nothing";
    SetTarget(a, 1, &b, 1);
    CmdWarp(a, inst);
    EXPECT_EQ(a.m_dX, b.m_dX);
    EXPECT_EQ(a.m_dY, b.m_dY + 32);

    SetPlaceBlockedTest([](cChara&) { return true; });
    cFlowCmd up = Warp(0, 6, 2);
    cCmdInst upInst = InstanceOf(up);
    CmdWarp(a, upInst);
    SetPlaceBlockedTest(nullptr);
    EXPECT_EQ(a.m_dY, b.m_dY + 32);
}

cFlowCmd TargetCmd(int slot, int kind, int force, int whenNone) {
    cFlowCmd cmd = CommandOfKind(FlowKind::SetTarget);
    cmd.m_vParam[0] = slot;
    cmd.m_vParam[1] = kind;
    cmd.m_vParam[2] = force;
    cmd.m_vParam[4] = 1;  // anywhere
    cmd.m_vParam[15] = whenNone;
    return cmd;
}

TEST(SetTargetCommand, FindsEachKindAndKeepsOrEmptiesTheSlotWhenNothingIsFound) {
    StageHarness stage({"..........", ".H.a..b...", "##########"});
    cStageChara& a = stage.Chara('a');
    cStageChara& b = stage.Chara('b');
    b.LinkToHero(&a);
    a.m_bExists = b.m_bExists = 1;  // present this frame
    const int force = b.m_nBlockGroup;
    struct Case {
        int kind;
        cChara* expected;
    };
    const std::vector<Case> found = {
        {0, &stage.Hero()}, {1, &b}, {2, &a}, {4, &a}, {8, &a},
    };
    SetTarget(b, 1, &a, 1);
    for (const Case& c : found) {
        cFlowCmd cmd = TargetCmd(0, c.kind, force, 0);
        cmd.m_vParam[5] = 1;  // not itself
        cCmdInst inst = InstanceOf(cmd);
        CmdSetTarget(b, inst);
        EXPECT_EQ(b.m_vecTarget[0], c.expected) << "kind " << c.kind;
    }
    // No child: keep (1) or empty (0); other values do nothing.
    for (int whenNone : {1, 5, 0}) {
        SetTarget(b, 2, &a, 1);
        cFlowCmd cmd = TargetCmd(2, 5, force, whenNone);
        cCmdInst inst = InstanceOf(cmd);
        CmdSetTarget(b, inst);
        EXPECT_EQ(b.m_vecTarget[2], whenNone == 0 ? nullptr : &a) << whenNone;
    }
}

cFlowCmd Op2(int owner, int kind, int value) {
    cFlowCmd cmd = CommandOfKind(FlowKind::StatusOperation2);
    cmd.m_vParam[0] = owner;
    cmd.m_vParam[1] = kind;
    cmd.m_vParam[2] = value;
    return cmd;
}

TEST(StatusOperation2Command, ChangesTheCharacterOrTheStage) {
    StageHarness stage({"..........", ".H.a..b...", "##########"});
    cStageChara& a = stage.Chara('a');
    cStageChara& b = stage.Chara('b');
    auto run = [&](cChara& c, cFlowCmd cmd) {
        cCmdInst inst = InstanceOf(cmd);
        CmdStatusOperation2(c, inst);
    };
    const std::int8_t flying = a.m_Def.m_cFlying;
    run(a, Op2(0, 3, 2));
    EXPECT_EQ(a.m_Def.m_cFlying, flying) << "move kind is the hero's only";
    run(a, Op2(0, 1, 1));
    run(a, Op2(0, 2, 1));
    run(a, Op2(0, 4, 2));
    run(a, Op2(0, 6, 1));
    EXPECT_EQ((std::vector<int>{a.m_Def.m_bTransparent, a.m_Def.m_bFixedDirection, a.m_Def.m_cInvincible,
                                a.m_Def.m_bScrollSync, a.m_bScrollFollow}),
              (std::vector<int>{1, 1, 2, 1, 1}));

    run(a, Op2(1, 0, 0));
    EXPECT_EQ(b.m_bVanish, 0) << "an empty slot does nothing";
    SetTarget(a, 0, &b, 1);
    stage.State().m_bLifeCheck = 0;
    run(a, Op2(1, 0, 0));
    EXPECT_EQ(b.m_bVanish, 1);
    EXPECT_EQ(stage.State().m_bLifeCheck, 1);
    SetTarget(a, 0, &stage.Hero(), 1);
    stage.Hero().m_nLife = 3;
    run(a, Op2(1, 0, 0));
    EXPECT_EQ(stage.Hero().m_nLife, 0);

    LoadedStage.m_nScrollSpeedX = 10;
    run(a, Op2(5, 0, 1));
    EXPECT_EQ(LoadedStage.m_nScrollKindX, 1);
    EXPECT_NE(stage.State().m_ScrollX.m_dAutoSpeed, 0.0);
    run(a, Op2(5, 0, 0));
    EXPECT_EQ(stage.State().m_ScrollX.m_dAutoSpeed, 0.0);
}

TEST(VanishCommand, TakesTheForceInRangeAndTheChildrenWithTheirShots) {
    StageHarness stage({"..........", ".H.a.bc...", "##########"});
    cStageChara& a = stage.Chara('a');
    cStageChara& b = stage.Chara('b');
    cStageChara& c = stage.Chara('c');
    a.m_bExists = b.m_bExists = c.m_bExists = 1;  // present this frame
    b.m_bOnScreen = 1;
    c.m_bOnScreen = 0;
    cFlowCmd cmd = CommandOfKind(FlowKind::Vanish);
    cmd.m_vParam = {0, b.m_nBlockGroup, 0};
    cCmdInst inst = InstanceOf(cmd);
    CmdVanish(stage.Hero(), inst);
    EXPECT_EQ(b.m_bVanish, 1);
    EXPECT_EQ(c.m_bVanish, 0) << "off screen stays in range 0";

    // a's child c, whose own child is b; shots only with the children's.
    c.m_bVanish = b.m_bVanish = 0;
    c.LinkToHero(&a);
    b.LinkToHero(&c);
    cmd.m_vParam = {2, 0, 0};
    CmdVanish(a, inst);
    EXPECT_EQ((std::vector<int>{a.m_bVanish, c.m_bVanish, b.m_bVanish}), (std::vector<int>{0, 1, 1}));
}

}  // namespace
