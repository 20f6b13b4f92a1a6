#include <gtest/gtest.h>

#include <vector>

#include "foundation/abort.h"
#include "gamedata/database/database.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/commands/movement_commands.h"
#include "stage/objects/shot_update.h"
#include "support/stage/command_fixtures.h"
#include "support/stage/stage_harness.h"

namespace {

const std::vector<std::string> kField = {
    "....................", "....................", "....................",
    "......H.....a.......", "....................",
};

StageOptions Level(int level) {
    StageOptions o;
    o.hitCheckLevel = level;
    return o;
}

TEST(ShotCommands, AShotCommandFiresEveryTenthOfASecond) {
    StageHarness stage(kField, Level(3));
    cFlowCmd cmd = CommandOfKind(FlowKind::Shot);
    StraightShots(cmd, 1, 10);
    cmd.m_sSound = 2;
    cmd.m_bSoundInView = 1;
    cCmdInst inst = InstanceOf(cmd);
    cStageChara& a = stage.Chara('a');
    a.m_bOnScreen = 0;  // fires silently outside the view, and still fires
    std::vector<int> fired;
    for (int step = 0; step < 3 * 6 * 3; ++step) {
        const std::size_t before = stage.State().m_lstShot.size();
        CmdShot(a, inst);
        if (stage.State().m_lstShot.size() != before) fired.push_back(step);
    }
    EXPECT_EQ(fired, (std::vector<int>{0, 18, 36}));
    EXPECT_TRUE(stage.Sounds().empty());
}

TEST(ShotCommands, AFiredShotPushesAlongItsFacingNotItsFlight) {
    StageHarness stage(kField, Level(11));
    cFlowCmd cmd = CommandOfKind(FlowKind::Shot);
    cEdShot& s = StraightShots(cmd, 1, 30);
    s.m_cAnimeSel = 9;  // down-left
    s.m_cImpact = 4;
    cCmdInst inst = InstanceOf(cmd);
    CmdShot(stage.Chara('a'), inst);
    ASSERT_EQ(stage.State().m_lstShot.size(), 1u);
    StepShots(stage.State(), true);
    ASSERT_EQ(stage.State().m_lstShot.size(), 1u);
    const cShot& shot = stage.State().m_lstShot.front();
    EXPECT_LT(shot.m_dSpeedX, 0.0);
    EXPECT_GT(shot.m_dSpeedY, 0.0) << "flies down-left";
    cPlayer& hero = stage.Hero();
    int impact = 0;
    hero.ImpactFromShot(shot, impact);
    EXPECT_LT(hero.m_dImpactX, 0.0);
    EXPECT_EQ(hero.m_dImpactY, 0.0) << "no shot command makes the push follow the flight";
}

class SwordCommand : public ::testing::Test {
protected:
    SwordCommand() : stage(kField, Level(11)), cmd(CommandOfKind(FlowKind::Sword)), inst(InstanceOf(cmd)) {
        cSwordType sword;
        cSwordFrame frame;
        frame.m_nWidth = 24;
        frame.m_nHeight = 12;
        frame.m_nTime = 1;
        sword.m_vFrames.assign(2, frame);
        Database.SwordType.assign(1, sword);
        cmd.m_spShot->m_bShooterSide = 1;
    }
    ~SwordCommand() override { Database.SwordType.clear(); }

    StageHarness stage;
    cFlowCmd cmd;
    cCmdInst inst;
};

TEST_F(SwordCommand, SwingsOnceInFrontOfItsOwnerAndEndsAfterItsFrames) {
    cStageChara& a = stage.Chara('a');
    a.m_nDirection = 1;
    for (int i = 0; i < 5; ++i) CmdSword(a, inst);
    ASSERT_EQ(stage.State().m_lstShot.size(), 1u);
    cShot& slash = stage.State().m_lstShot.front();
    EXPECT_EQ(slash.m_bShot, 0);
    EXPECT_EQ(slash.m_nWidth, 24);
    StepShots(stage.State(), true);
    EXPECT_EQ(slash.m_dX, static_cast<int>(a.m_dX) + 32) << "right of its owner";
    EXPECT_EQ(slash.m_dY + 6, static_cast<int>(a.m_dY) + 16) << "centred on it";
    // Two frames of one tenth each at one sub-step a frame.
    int steps = 1;
    while (!stage.State().m_lstShot.empty() && steps < 50) {
        StepShots(stage.State(), true);
        ++steps;
    }
    EXPECT_EQ(steps, 14);
}

TEST_F(SwordCommand, VanishesWithItsOwnerAndNeedsFramesToExist) {
    cStageChara& a = stage.Chara('a');
    CmdSword(a, inst);
    ASSERT_EQ(stage.State().m_lstShot.size(), 1u);
    a.m_nId = 999;  // the owner's id no longer names a character
    StepShots(stage.State(), true);
    EXPECT_TRUE(stage.State().m_lstShot.empty());

    AbortFlag.store(0);
    Database.SwordType[0].m_vFrames.clear();
    inst.m_nWork = {};
    CmdSword(a, inst);
    Database.SwordType.clear();
    inst.m_nWork = {};
    CmdSword(a, inst);
    EXPECT_TRUE(stage.State().m_lstShot.empty());
    EXPECT_EQ(AbortFlag.load(), 0) << "no slash, and nothing read out of an empty list";
}

}  // namespace
