#include "stage/commands/shot_placement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "foundation/abort.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/flow/current_input.h"
#include "stage/objects/item.h"
#include "support/stage/command_fixtures.h"
#include "support/stage/stage_harness.h"

namespace {

const std::vector<std::string> kOpenField = {
    "........................................", "........................................",
    "........................................", "........................................",
    "........................................", "........................................",
    "..........H.........a...................", "........................................",
    "........................................", "........................................",
};

StageOptions OneSubStep() {
    StageOptions o;
    o.hitCheckLevel = 11;  // one sub-step per frame: own speeds are per frame
    return o;
}

// Every shot of the stage in creation order.
std::vector<const cShot*> Shots(StageHarness& stage) {
    std::vector<const cShot*> shots;
    for (const cShot& s : stage.State().m_lstShot) shots.push_back(&s);
    return shots;
}

// The flight angle of a shot (0 left, 90 up, 180 right, 270 down) in whole
// degrees 0..359.
int AngleOf(const cShot& s) {
    double a = std::atan2(-s.m_dOwnSpeedY, -s.m_dOwnSpeedX) * 180.0 / std::numbers::pi;
    if (a < 0) a += 360.0;
    return static_cast<int>(std::lround(a)) % 360;
}

double CentreX(const cObject& o) { return static_cast<int>(o.m_dX) + o.m_nWidth / 2; }
double CentreY(const cObject& o) { return static_cast<int>(o.m_dY) + o.m_nHeight / 2; }

class Formations : public ::testing::Test {
protected:
    Formations() : stage(kOpenField, OneSubStep()), cmd(CommandOfKind(FlowKind::Shot)), inst(InstanceOf(cmd)) {}
    void Fire() { PlaceShotSeries(stage.State(), shooter(), inst, *cmd.m_spShot); }
    cStageChara& shooter() { return stage.Chara('a'); }

    StageHarness stage;
    cFlowCmd cmd;
    cCmdInst inst;
};

TEST_F(Formations, StraightARowIsCentredAcrossTheFlightAndTouchesTheShooter) {
    cEdShot& s = StraightShots(cmd, 3, 40);
    s.m_sFormParam[0] = 1;
    shooter().m_nDirection = 0;
    Fire();
    const auto shots = Shots(stage);
    ASSERT_EQ(shots.size(), 3u);
    for (int j = 0; j < 3; ++j) {
        EXPECT_EQ(shots[j]->m_dX + 15, static_cast<int>(shooter().m_dX)) << "shares the leftmost column";
        EXPECT_EQ(CentreY(*shots[j]), CentreY(shooter()) + (j - 1) * 32) << j;
        EXPECT_DOUBLE_EQ(shots[j]->m_dOwnSpeedX, -4.0);
        EXPECT_DOUBLE_EQ(shots[j]->m_dOwnSpeedY, 0.0);
        EXPECT_EQ(shots[j]->m_nId, j);
    }
    EXPECT_EQ(stage.State().m_nNextShotId, 3);
}

TEST_F(Formations, AnglesOfEachFormation) {
    struct Case {
        const char* what;
        int formation, count, param0, dir, angle, facing;
        std::vector<int> angles;
    };
    const Case cases[] = {
        {"spread of two, fired right", Formation::Spread, 2, 30, 0, 0, 1, {165, 195}},
        {"spread of three, fired up", Formation::Spread, 3, 20, 6, 0, 0, {70, 90, 110}},
        {"explosion of four, fired left", Formation::Explosion, 4, 0, 0, 0, 0, {0, 90, 180, 270}},
        {"mirrored angle 30 facing right", Formation::StraightA, 1, 0, 2, 30, 1, {330}},
        {"angle 30 facing left", Formation::StraightA, 1, 0, 2, 30, 0, {30}},
        {"diagonal down-right", Formation::StraightB, 2, 0, 11, 0, 0, {225, 225}},
    };
    for (const Case& c : cases) {
        stage.State().m_lstShot.clear();
        for (auto& group : stage.State().m_vecForceShot) group.clear();
        cEdShot& s = StraightShots(cmd, c.count, 50);
        s.m_cFormation = static_cast<std::int8_t>(c.formation);
        s.m_sFormParam[0] = static_cast<std::int16_t>(c.param0);
        s.m_cAnimeSel = static_cast<std::int8_t>(c.dir);
        s.m_sAngle = static_cast<std::int16_t>(c.angle);
        shooter().m_nDirection = c.facing;
        Fire();
        std::vector<int> angles;
        for (const cShot* shot : Shots(stage)) angles.push_back(AngleOf(*shot));
        EXPECT_EQ(angles, c.angles) << c.what;
    }
}

TEST_F(Formations, EncircleConvergesOnTheBaseObject) {
    cEdShot& s = StraightShots(cmd, 4, 30);
    s.m_cFormation = Formation::Encircle;
    s.m_sFormParam[0] = 6;
    s.m_cOrigin = 1;  // the hero
    s.m_cAnimeSel = 2;
    Fire();
    const auto shots = Shots(stage);
    ASSERT_EQ(shots.size(), 4u);
    const double hx = CentreX(stage.Hero()), hy = CentreY(stage.Hero());
    const double expected[4][2] = {{96, 0}, {0, 96}, {-96, 0}, {0, -96}};
    for (int j = 0; j < 4; ++j) {
        EXPECT_NEAR(CentreX(*shots[j]) - hx, expected[j][0], 1.0) << j;
        EXPECT_NEAR(CentreY(*shots[j]) - hy, expected[j][1], 1.0) << j;
        // Flying toward the hero.
        EXPECT_LT(shots[j]->m_dOwnSpeedX * expected[j][0] + shots[j]->m_dOwnSpeedY * expected[j][1], 0) << j;
    }
}

TEST_F(Formations, LightningComesFromTheOppositeScreenEdgeInRowsAndColumns) {
    for (int noGap : {0, 1}) {
        SystemData.m_bCompatLightningNoGap = noGap;
        stage.State().m_lstShot.clear();
        for (auto& group : stage.State().m_vecForceShot) group.clear();
        cEdShot& s = StraightShots(cmd, 3, 30);
        s.m_cFormation = Formation::Lightning;
        s.m_sFormParam = {1, 2, 2};  // gap 1 hbl, two columns 2 hbl apart
        s.m_cOrigin = 1;
        s.m_cAnimeSel = 2;
        Fire();
        const auto shots = Shots(stage);
        ASSERT_EQ(shots.size(), 6u);
        const int sx = static_cast<int>(stage.State().m_ScrollX.m_dPos);
        const int rowStep = 16 + (noGap ? 0 : 16);
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 2; ++column) {
                const cShot& shot = *shots[static_cast<std::size_t>(row * 2 + column)];
                EXPECT_EQ(shot.m_dX, sx + 640 - 16 - row * rowStep) << row << column;
                // Two columns 32 apart, centred on the hero's line.
                EXPECT_EQ(CentreY(shot), CentreY(stage.Hero()) - 16 + column * 32) << row << column;
                EXPECT_DOUBLE_EQ(shot.m_dOwnSpeedX, -3.0);
            }
        }
    }
    SystemData.m_bCompatLightningNoGap = 0;
}

TEST_F(Formations, AimedShotsFlyAtTheTargetAndEmptySlotsFallBack) {
    cEdShot& s = StraightShots(cmd, 1, 30);
    s.m_bAim = 1;
    s.m_cFormTarget = 0;              // the hero, in slot 1
    shooter().m_nDirection = 1;       // facing away from the hero
    stage.Hero().UpdateScreenRect();  // as every frame's drawing leaves it
    Fire();
    ASSERT_EQ(Shots(stage).size(), 1u);
    EXPECT_EQ(AngleOf(*Shots(stage)[0]), 0) << "the hero stands level to the left";
    // No target: straight ahead by the facing; the base-object formations
    // place nothing.
    shooter().m_vecTarget[0] = nullptr;
    Fire();
    EXPECT_EQ(AngleOf(*Shots(stage)[1]), 180);
    s.m_cFormation = Formation::Encircle;
    s.m_cOrigin = 0;
    Fire();
    EXPECT_EQ(Shots(stage).size(), 2u);
}

TEST_F(Formations, SeriesPassesAdvanceSpeedAngleAndCloneOffsets) {
    cEdShot& s = StraightShots(cmd, 1, 20);
    s.m_cCopies = 2;
    s.m_sSpeedStep = 10;
    s.m_sOffsetStepY = -20;
    s.m_bMirrorOffsetX = 0;
    s.m_cScale = 0;
    shooter().m_nDirection = 0;
    Fire();
    EXPECT_EQ(s.m_cScale, 1) << "a size of 0 is corrected in the command's record";
    const auto shots = Shots(stage);
    ASSERT_EQ(shots.size(), 3u);
    EXPECT_EQ(shots[0]->m_nWidth, 16);
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(shots[i]->m_dOwnSpeedX, -(2.0 + i)) << i;
        EXPECT_EQ(shots[i]->m_dY - shots[0]->m_dY, -20 * i) << i;
        EXPECT_EQ(shots[i]->m_nClone, i);
    }
}

TEST_F(Formations, OwnerAndTargetKeepTheirLinksAndABadFormationIsReported) {
    cEdShot& s = StraightShots(cmd, 2, 20);
    s.m_cMoveKind = 3;  // aims at its target
    s.m_cMoveTarget = 0;
    Fire();
    EXPECT_EQ(shooter().m_vecShotLink.Count(), 2);
    EXPECT_EQ(stage.Hero().m_vecShotLink.Count(), 2);
    stage.State().m_lstShot.clear();  // the shots take their pairs with them
    for (auto& group : stage.State().m_vecForceShot) group.clear();
    EXPECT_TRUE(shooter().m_vecShotLink.empty());
    EXPECT_TRUE(stage.Hero().m_vecShotLink.empty());

    s.m_cFormation = 6;
    AbortFlag.store(0);
    Fire();
    EXPECT_NE(AbortFlag.load(), 0) << "a formation outside the table is the checked access's fatal close";
    AbortFlag.store(0);
}

TEST(ShotPlacement, DirectionSelectorsFollowTheFacing) {
    cChara shooter;
    cEdShot s;
    struct Case {
        int selector, facing, code;
    };
    for (const Case& c : {Case{0, 0, DirCode::Left}, Case{0, 1, DirCode::Right}, Case{1, 1, DirCode::Left},
                          Case{4, 0, DirCode::Up}, Case{4, 1, DirCode::Down}, Case{5, 1, DirCode::Up},
                          Case{9, 1, DirCode::DownLeft}, Case{12, 1, DirCode::Right}}) {
        s.m_cAnimeSel = static_cast<std::int8_t>(c.selector);
        shooter.m_nDirection = c.facing;
        EXPECT_EQ(PlacementDirection(shooter, s), c.code) << c.selector << " facing " << c.facing;
    }
}

}  // namespace

namespace {

TEST(Summons, PlaceCharactersAndItemsOfThePaletteAndNothingOutsideIt) {
    StageHarness stage(kOpenField, OneSubStep());
    cCharaDef minion;
    minion.m_cOperation = CharaOperation::Computer;
    minion.m_cFlying = 1;
    cCharaDef heroKind;
    heroKind.m_cOperation = CharaOperation::Player;
    LoadedStage.m_vPaletteCharas = {cCharaDef(), minion, heroKind};
    LoadedStage.m_vPaletteItems = {cItemDef(), cItemDef()};
    cStageChara& a = stage.Chara('a');
    a.UpdateScreenRect();

    cFlowCmd summon = CommandOfKind(FlowKind::SummonChara);
    cCmdInst inst = InstanceOf(summon);
    cEdShot& s = *summon.m_spShot;
    s.m_cCount = 2;
    s.m_sFormParam[0] = 1;
    s.m_cSummonPalette = 1;
    s.m_cSummonSide = 2;
    s.m_cSide = 5;
    s.m_bReverseFacing = 1;
    a.m_nDirection = 0;
    const std::size_t before = CharaList.size();
    for (int index : {1, 2, 3, -1}) {
        s.m_sSummon = static_cast<std::int16_t>(index);
        PlaceCharaSummon(a, inst, s);
    }
    ASSERT_EQ(CharaList.size(), before + 2) << "only the ordinary character of the palette, twice";
    for (auto it = std::next(CharaList.begin(), static_cast<long>(before)); it != CharaList.end(); ++it) {
        EXPECT_EQ(it->m_nBlockGroup, 5);
        EXPECT_EQ(it->m_lpParent, &a);
        EXPECT_LT(it->m_dX, a.m_dX) << "summoned on the side it faces";
    }

    cFlowCmd item = CommandOfKind(FlowKind::SummonItem);
    cCmdInst itemInst = InstanceOf(item);
    item.m_spShot->m_cCount = 1;
    item.m_spShot->m_cSummonPalette = 1;
    item.m_spShot->m_sSummon = 1;
    const std::size_t items = ItemList.size();
    PlaceItemSummon(a, itemInst, *item.m_spShot);
    EXPECT_EQ(ItemList.size(), items + 1);

    // A block summon that toggles starts a new set of toggled cells.
    stage.State().m_vecToggledCell = {7};
    cFlowCmd block = CommandOfKind(FlowKind::SummonBlock);
    cCmdInst blockInst = InstanceOf(block);
    block.m_spShot->m_cBlockMode = 2;
    LoadedStage.m_vPaletteBlocks = {cBlockDef()};
    block.m_spShot->m_cSummonPalette = 1;
    block.m_spShot->m_sSummon = 0;
    block.m_spShot->m_cCount = 0;
    PlaceBlockSummon(a, blockInst, *block.m_spShot);
    EXPECT_TRUE(stage.State().m_vecToggledCell.empty());
}

}  // namespace
