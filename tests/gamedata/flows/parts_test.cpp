// Movement and shot parts of commands.
#include <gtest/gtest.h>

#include "gamedata/base/data_limits.h"
#include "gamedata/fixtures/field_access.h"
#include "gamedata/fixtures/record_io.h"
#include "gamedata/flows/ed_move.h"
#include "gamedata/flows/ed_shot.h"

namespace {

class PartsTest : public ::testing::Test {
protected:
    void SetUp() override {
        DataLimits lim;
        lim.dbCount[static_cast<std::size_t>(DbTable::Effect)] = 100;
        SetDataLimits(lim);
    }
    void TearDown() override { SetDataLimits(DataLimits{}); }
};

Values AllZeroExcept(const FieldMap<cEdMove>& m, Values except) {
    Values v;
    for (const auto& [name, get] : m) v[name] = 0;
    for (const auto& [name, val] : except) v[name] = val;
    return v;
}

TEST_F(PartsTest, NewMovePartHasItsDefaults) {
    cEdMove m;
    EXPECT_TRUE(FieldsAre(m, MoveFields(),
                          AllZeroExcept(MoveFields(), {{"m_sSpeed", 10},
                                                       {"m_bUseX", 1},
                                                       {"m_bUseY", 1},
                                                       {"m_bMirrorAngle", 1},
                                                       {"m_bArriveTime", 1},
                                                       {"m_bMirrorX", 1},
                                                       {"m_bTurnReverse", 1},
                                                       {"m_dTurnFactor", 1.0}})));
}

TEST_F(PartsTest, NewShotPartHasItsDefaults) {
    cEdShot s;
    Values want;
    for (const auto& [name, get] : ShotFields()) want[name] = 0;
    want["m_bMirrorAngle"] = 1;
    want["m_bMirrorOffsetX"] = 1;
    want["m_bShooterSide"] = 1;
    want["m_cScale"] = 1;
    EXPECT_TRUE(FieldsAre(s, ShotFields(), want));
}

TEST_F(PartsTest, CurrentPartsRoundTripByteExactly) {
    ExpectRoundTrip(kMoveLayout, MoveFields(), DistinctValues(kMoveLayout));
    ExpectRoundTrip(kShotLayout, ShotFields(), DistinctValues(kShotLayout));
}

const UpgradeCase kMoveUpgrades[] = {
    {"157 has no mirror angle and gets 0", 157, {}, {{"m_bMirrorAngle", 0}, {"m_sSpeed", 0}}},
    {"158 stores the mirror angle", 158, {{"m_bMirrorAngle", 1}}, {{"m_bMirrorAngle", 1}}},
    {"158 has no distance unit", 158, {}, {{"m_cDistanceUnit", 0}}},
    {"161 has no facing or animation",
     161,
     {{"m_sMaxSpeed", 5}},
     {{"m_bKeepFacing", 0}, {"m_cAnime", 0}, {"m_sMaxSpeed", 5}}},
    {"829 animation 1 is the command's own", 829, {{"m_cAnime", 1}}, {{"m_cAnime", 2}}},
    {"829 animation 0 stays", 829, {{"m_cAnime", 0}}, {{"m_cAnime", 0}}},
    {"830 animation 1 is the standing one", 830, {{"m_cAnime", 1}}, {{"m_cAnime", 1}}},
    {"890 has no unit or point: the next member lands right",
     890,
     {{"m_cCoord", 3}, {"m_bArriveTime", 1}},
     {{"m_cCoord", 3}, {"m_cUnit", 0}, {"m_cPoint", 0}, {"m_bArriveTime", 1}}},
    {"891 stores the unit but no point",
     891,
     {{"m_cUnit", 1}, {"m_bArriveTime", 0}},
     {{"m_cUnit", 1}, {"m_cPoint", 0}, {"m_bArriveTime", 0}}},
    {"766 has no target slot", 766, {{"m_cAnime", 2}}, {{"m_cAnime", 2}, {"m_cTarget", 0}}},
    {"the double lands in order",
     700,
     {{"m_dTurnFactor", 0.5}, {"m_cAnime", 2}},
     {{"m_dTurnFactor", 0.5}, {"m_cAnime", 2}}},
};

TEST_F(PartsTest, MoveUpgradeStepsFromOlderFiles) { CheckUpgradeCases(kMoveUpgrades, kMoveLayout, MoveFields()); }

const UpgradeCase kShotUpgrades[] = {
    {"157 has no mirror angle and gets 0", 157, {{"m_cScale", 1}}, {{"m_bMirrorAngle", 0}}},
    {"196 copies the restore switch", 196, {{"m_bRestoreBlock", 1}, {"m_cScale", 1}}, {{"m_bRestoreBlock2", 1}}},
    {"197 stores both switches", 197, {{"m_bRestoreBlock", 1}, {"m_bRestoreBlock2", 0}}, {{"m_bRestoreBlock2", 0}}},
    {"210 homing kind 5 aims directly", 210, {{"m_cMoveKind", 5}}, {{"m_bDirectAim", 1}}},
    {"210 kind 2 leads its target", 210, {{"m_cMoveKind", 2}}, {{"m_bDirectAim", 0}}},
    {"211 stored aim is overruled below 212", 211, {{"m_cMoveKind", 7}, {"m_bDirectAim", 0}}, {{"m_bDirectAim", 1}}},
    {"212 keeps the stored aim", 212, {{"m_cMoveKind", 7}, {"m_bDirectAim", 0}}, {{"m_bDirectAim", 0}}},
    {"212 has no acceleration", 212, {{"m_sRange", 9}}, {{"m_bAccel", 0}, {"m_sAccel", 0}, {"m_sRange", 9}}},
    {"635 copies the pass-through switch", 635, {{"m_cPierceChara", 1}}, {{"m_cPierceBlockChara", 1}}},
    {"636 stores both pass-through switches",
     636,
     {{"m_cPierceChara", 1}, {"m_cPierceBlockChara", 0}},
     {{"m_cPierceBlockChara", 0}}},
    {"670 has no origin", 670, {{"m_cCount", 3}}, {{"m_cOrigin", 0}, {"m_cCount", 3}}},
    {"761 has no attack flows", 761, {{"m_bReverseFacing", 1}}, {{"m_bAttackFlows", 0}, {"m_bReverseFacing", 1}}},
    {"766 has no target slots", 766, {{"m_bAim", 1}, {"m_sAngle", 40}}, {{"m_cFormTarget", 0}, {"m_sAngle", 40}}},
    {"a scale of -3 is 1", kDataVersion, {{"m_cScale", -3}}, {{"m_cScale", 1}}},
    {"effect 300 of 100 effects is 0",
     kDataVersion,
     {{"m_sEffect", 300}, {"m_cScale", 2}},
     {{"m_sEffect", 0}, {"m_cScale", 2}}},
    {"effect 99 of 100 effects stays", kDataVersion, {{"m_sEffect", 99}}, {{"m_sEffect", 99}}},
};

TEST_F(PartsTest, ShotUpgradeStepsAndFixFromOlderFiles) { CheckUpgradeCases(kShotUpgrades, kShotLayout, ShotFields()); }

TEST_F(PartsTest, SaveFixesScaleAndEffect) {
    cEdShot s;
    s.m_cScale = 0;
    s.m_sEffect = -1;
    SaveBytes(s);
    EXPECT_EQ(s.m_cScale, 1);
    EXPECT_EQ(s.m_sEffect, 0);
}

TEST_F(PartsTest, CloneOffsetsMirrorForRightFacing) {
    struct Case {
        int index, facing, mirrorX, mirrorY;
        double x, y;
    } cases[] = {
        {2, 1, 1, 0, -11, 8},
        {2, 0, 1, 0, 11, 8},
        {2, 1, 0, 1, 11, -8},
        {0, 1, 1, 1, -5, -2},
    };
    cEdShot s;
    s.m_sOffsetX = 5;
    s.m_sOffsetStepX = 3;
    s.m_sOffsetY = 2;
    s.m_sOffsetStepY = 3;
    for (const auto& c : cases) {
        s.m_bMirrorOffsetX = static_cast<std::int8_t>(c.mirrorX);
        s.m_bMirrorOffsetY = static_cast<std::int8_t>(c.mirrorY);
        EXPECT_EQ(s.GetCloneOffsetX(c.index, c.facing), c.x) << c.index << "," << c.facing;
        EXPECT_EQ(s.GetCloneOffsetY(c.index, c.facing), c.y) << c.index << "," << c.facing;
    }
}

}  // namespace
