#include <gtest/gtest.h>

#include "gamedata/base/data_limits.h"
#include "gamedata/fixtures/field_access.h"
#include "gamedata/fixtures/record_io.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/flows/flow.h"
#include "gamedata/flows/flow_cmd.h"

namespace {

using P = std::vector<std::int32_t>;

P Params(const cFlowCmd& c) { return P(c.m_vParam.begin(), c.m_vParam.end()); }

class FlowCmdTest : public ::testing::Test {
protected:
    void SetUp() override {
        lim.dbCount.fill(20);
        lim.common = {5, 6, 7};
        lim.stage = {2, 3, 4};
        SetDataLimits(lim);
    }
    void TearDown() override { SetDataLimits(DataLimits{}); }
    void Apply() { SetDataLimits(lim); }
    void SetCount(DbTable t, int n) {
        lim.dbCount[static_cast<std::size_t>(t)] = n;
        Apply();
    }
    DataLimits lim;
};

// A command carrying every part and a flow whose command has parts too.
cFlowCmd FullCommand() {
    cFlowCmd inner;
    inner.m_cKind = FlowKind::StraightMove;
    inner.m_spMove = std::make_shared<cEdMove>();
    cFlow flow;
    flow.m_cId = 2;
    flow.m_vCond.resize(1);
    flow.m_vKeyCond.resize(1);
    flow.m_vCmd.push_back(inner);
    cFlowCmd c;
    c.m_cTable = 0;
    c.m_cKind = FlowKind::FlowOperation;
    c.m_vParam = {1, 2, 3, 4};
    c.m_strText = "テキスト";
    c.m_spMove = std::make_shared<cEdMove>();
    c.m_spMove->m_sTargetX = 12;
    c.m_spShot = std::make_shared<cEdShot>();
    c.m_spShot->m_nPower = 250;
    c.m_spCondList = std::make_shared<cCondList>();
    c.m_spCondList->m_bEnabled = 1;
    c.m_spCondList->m_vCond.resize(2);
    c.m_spCondList->m_vCond[1].m_cKind = 7;
    c.m_sTime = 12;
    c.m_sTimeStep = -3;
    c.m_bNoWait = 1;
    c.m_sSound = 4;
    c.m_bSoundInView = 0;
    c.m_sAnime = 5;
    c.m_vFlow.push_back(flow);
    return c;
}

// An item command "フローの変更" carrying one flow with the given command.
cFlowCmd CarryingFlowWith(const cFlowCmd& inner) {
    cFlow flow;
    flow.m_vCmd.push_back(inner);
    cFlowCmd c;
    c.m_cTable = 1;
    c.m_cKind = ItemKind::ChangeFlows;
    c.m_vFlow.push_back(flow);
    return c;
}

TEST_F(FlowCmdTest, NewCommandIsTheEmptyKind) {
    cFlowCmd c;
    EXPECT_EQ(c.m_cTable, 0);
    EXPECT_EQ(c.m_cKind, 0);
    EXPECT_EQ(c.m_bSoundInView, 1);
    EXPECT_EQ(c.m_sTime + c.m_sTimeStep + c.m_bNoWait + c.m_sSound + c.m_sAnime, 0);
    EXPECT_TRUE(c.m_strText.empty() && c.m_vParam.empty() && c.m_vFlow.empty());
    EXPECT_FALSE(c.m_spMove || c.m_spShot || c.m_spCondList);
}

TEST_F(FlowCmdTest, ResetPartsKeepsParametersAndFlows) {
    cFlowCmd c = FullCommand();
    c.ResetParts();
    EXPECT_FALSE(c.m_spMove || c.m_spShot || c.m_spCondList);
    EXPECT_EQ(c.m_bSoundInView, 1);
    EXPECT_EQ(c.m_sTime, 0);
    EXPECT_TRUE(c.m_strText.empty());
    EXPECT_EQ(c.m_vParam.Count(), 4);
    EXPECT_EQ(c.m_vFlow.Count(), 1);
}

TEST_F(FlowCmdTest, CurrentCommandRoundTripsByteExactly) {
    cFlowCmd src = FullCommand();
    std::vector<std::uint8_t> first = SaveBytes(src);
    cFlowCmd c;
    std::size_t left = 99;
    ASSERT_TRUE(LoadBytes(c, kDataVersion, first, &left));
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(c.m_strText, "テキスト");
    EXPECT_EQ(c.m_spMove->m_sTargetX, 12);
    EXPECT_EQ(c.m_spShot->m_nPower, 250);
    EXPECT_EQ(c.m_spCondList->m_vCond[1].m_cKind, 7);
    ASSERT_EQ(c.m_vFlow.Count(), 1);
    EXPECT_TRUE(c.m_vFlow[0].m_vCmd[0].m_spMove);
    EXPECT_EQ(SaveBytes(c), first);
}

TEST_F(FlowCmdTest, CommandBytesFollowTheStoredLayout) {
    SetCount(DbTable::Effect, 1000);
    ByteBuilder move = RecordBytes(kMoveLayout, kDataVersion, DistinctValues(kMoveLayout));
    ByteBuilder shot = RecordBytes(kShotLayout, kDataVersion, DistinctValues(kShotLayout));
    ByteBuilder cond = CondListBytes(kDataVersion, 1, 1, {RecordBytes(kCondLayout, kDataVersion, {{"m_cKind", 2}})});
    CmdFixture f;
    f.fields = {{"m_cKind", FlowKind::FlowOperation},
                {"m_sTime", 300},
                {"m_sTimeStep", 2},
                {"m_bNoWait", 1},
                {"m_sSound", 3},
                {"m_bSoundInView", 0},
                {"m_sAnime", 4}};
    f.text = "abc";
    f.move = &move;
    f.shot = &shot;
    f.cond = &cond;
    f.flows = {FlowBytes(kDataVersion, {{{"m_cId", 1}, {"m_cKeyWindow", 3}}, "", {}, {}, {}})};
    f.params = {1, -2, 3, 4};
    ByteBuilder in = CmdBytes(kDataVersion, f);
    cFlowCmd c;
    ASSERT_TRUE(LoadBytes(c, kDataVersion, in));
    EXPECT_EQ(c.m_sTime, 300);
    EXPECT_EQ(c.m_sAnime, 4);
    EXPECT_EQ(Params(c), (P{1, -2, 3, 4}));
    EXPECT_EQ(SaveBytes(c), in.Data());
}

TEST_F(FlowCmdTest, Version763HasNoConditionFlag) {
    ByteBuilder shot = RecordBytes(kShotLayout, 763, {{"m_cScale", 2}});
    CmdFixture f;
    f.fields = {{"m_cKind", FlowKind::Shot}};
    f.shot = &shot;
    f.flows = {FlowBytes(763, {{{"m_cId", 6}}, "", {}, {}, {}})};
    f.params = {};
    std::size_t left = 99;
    cFlowCmd c;
    ASSERT_TRUE(LoadBytes(c, 763, CmdBytes(763, f), &left));
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(c.m_spShot->m_cScale, 2);
    ASSERT_EQ(c.m_vFlow.Count(), 1);
    EXPECT_EQ(c.m_vFlow[0].m_cId, 6);
    EXPECT_FALSE(c.m_spCondList);
}

TEST_F(FlowCmdTest, NonZeroPresentFlagCountsAsPresent) {
    ByteBuilder b = RecordBytes(kCmdLayout, kDataVersion, {{"m_cKind", FlowKind::StraightMove}}, {""});
    b.I32(7).Append(RecordBytes(kMoveLayout, kDataVersion, {{"m_sSpeed", 33}}));
    b.I32(0).I32(0).I32(0).I32(0);
    cFlowCmd c;
    ASSERT_TRUE(LoadBytes(c, kDataVersion, b));
    ASSERT_TRUE(c.m_spMove);
    EXPECT_EQ(c.m_spMove->m_sSpeed, 33);
}

TEST_F(FlowCmdTest, CopiesAndAssignmentsAreDeep) {
    cFlowCmd src = FullCommand();
    cFlowCmd copy(src);
    cFlowCmd assigned;
    assigned.m_spMove = std::make_shared<cEdMove>();
    auto keptMove = assigned.m_spMove;
    assigned = src;
    for (cFlowCmd* c : {&copy, &assigned}) {
        EXPECT_NE(c->m_spMove, src.m_spMove);
        EXPECT_NE(c->m_spShot, src.m_spShot);
        EXPECT_NE(c->m_spCondList, src.m_spCondList);
        c->m_spMove->m_sTargetX = 99;
        c->m_spShot->m_nPower = 1;
        c->m_spCondList->m_vCond[1].m_cKind = 1;
        c->m_vFlow[0].m_vCmd[0].m_spMove->m_sSpeed = 1;
    }
    // The destination's own part took the values.
    EXPECT_EQ(assigned.m_spMove, keptMove);
    EXPECT_EQ(src.m_spMove->m_sTargetX, 12);
    EXPECT_EQ(src.m_spShot->m_nPower, 250);
    EXPECT_EQ(src.m_spCondList->m_vCond[1].m_cKind, 7);
    EXPECT_EQ(src.m_vFlow[0].m_vCmd[0].m_spMove->m_sSpeed, 10);
    EXPECT_EQ(copy.m_strText, src.m_strText);
    EXPECT_EQ(Params(copy), Params(src));
    // A null part on the source releases the destination's.
    cFlowCmd empty;
    assigned = empty;
    EXPECT_FALSE(assigned.m_spMove || assigned.m_spShot || assigned.m_spCondList);
    // A copy saves the same bytes as its source.
    cFlowCmd again(src);
    EXPECT_EQ(SaveBytes(again), SaveBytes(src));
}

TEST_F(FlowCmdTest, NormalizeSizesEveryKindAndIsIdempotent) {
    for (int table : {0, 1}) {
        for (int kind = 0; kind < CommandKindCount(table); ++kind) {
            for (int start : {0, 3, 30}) {
                cFlowCmd c;
                c.m_cTable = static_cast<std::int8_t>(table);
                c.m_cKind = static_cast<std::int8_t>(kind);
                c.m_vParam.assign(static_cast<std::size_t>(start), 700);
                c.m_spShot = std::make_shared<cEdShot>();
                c.m_spShot->m_cMoveKind = 50;
                c.Normalize();
                EXPECT_EQ(c.m_vParam.Count(), KindParamCount(table, kind)) << table << "/" << kind;
                cFlowCmd once(c);
                c.Normalize();
                EXPECT_EQ(SaveBytes(c), SaveBytes(once)) << table << "/" << kind;
            }
        }
    }
}

TEST_F(FlowCmdTest, UnknownTablesAndKindsAreTheEmptyCommand) {
    struct Case {
        int table, kind, expectTable, expectKind;
    } cases[] = {{0, 40, 0, 0}, {0, -1, 0, 0}, {1, 25, 1, 0}, {1, 24, 1, 24}, {5, 3, 0, 3}, {-2, 45, 0, 0}};
    for (const auto& c : cases) {
        cFlowCmd cmd;
        cmd.m_cTable = static_cast<std::int8_t>(c.table);
        cmd.m_cKind = static_cast<std::int8_t>(c.kind);
        cmd.m_vParam = {1, 2, 3};
        cmd.Normalize();
        EXPECT_EQ(cmd.m_cTable, c.expectTable) << c.table << "/" << c.kind;
        EXPECT_EQ(cmd.m_cKind, c.expectKind) << c.table << "/" << c.kind;
        EXPECT_EQ(cmd.m_vParam.Count(), KindParamCount(c.expectTable, c.expectKind));
    }
}

TEST_F(FlowCmdTest, DatabaseReferencesAreRepaired) {
    struct Case {
        const char* what;
        int table, kind;
        P params;
        DbTable db;
        int count;
        P expect;
    } cases[] = {
        {"effect 500 of 20", 0, FlowKind::RunEffect, {500}, DbTable::Effect, 20, {1, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"effect 19 of 20 stays", 0, FlowKind::RunEffect, {19}, DbTable::Effect, 20, {19, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"effect of a one-entry table", 0, FlowKind::RunEffect, {5}, DbTable::Effect, 1, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"negative animation", 0, FlowKind::RunAnime, {-1}, DbTable::Anime, 20, {1, 0}},
        {"character effect", 0, FlowKind::RunCharaEffect, {20}, DbTable::CharaEffect, 20, {1, 0, 0}},
        {"screen effect", 0, FlowKind::RunScreenEffect, {20}, DbTable::ScrEffect, 20, {1, 0, 0}},
        {"picture",
         0,
         FlowKind::ShowPicture,
         {20},
         DbTable::Picture,
         20,
         {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"sound", 0, FlowKind::PlaySound, {20}, DbTable::Sound, 20, {1}},
        {"music of the item table", 1, FlowKind::PlayBgm - kItemToFlowKind, {20, 1}, DbTable::Bgm, 20, {1, 1}},
        {"music of an empty table", 0, FlowKind::PlayBgm, {3, 1}, DbTable::Bgm, 0, {0, 1}},
        {"animation set becomes 0", 0, FlowKind::ChangeAnimeSet, {20}, DbTable::AnimeSet, 20, {0}},
        {"dedicated picture", 0, FlowKind::ChangeGraphic, {4, 20}, DbTable::BmpCharaExc, 20, {4, 1, 0}},
        {"other sheets keep their cell", 0, FlowKind::ChangeGraphic, {3, 20}, DbTable::BmpCharaExc, 20, {3, 20, 0}},
        {"item graphic change",
         1,
         FlowKind::ChangeGraphic - kItemToFlowKind,
         {4, 25},
         DbTable::BmpCharaExc,
         2,
         {4, 1, 0}},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.what);
        SetUp();
        SetCount(tc.db, tc.count);
        cFlowCmd c;
        c.m_cTable = static_cast<std::int8_t>(tc.table);
        c.m_cKind = static_cast<std::int8_t>(tc.kind);
        c.m_vParam.assign(tc.params.begin(), tc.params.end());
        c.Normalize();
        EXPECT_EQ(Params(c), tc.expect);
    }
}

TEST_F(FlowCmdTest, SoundAndAnimationOfTheCommandAreRepaired) {
    cFlowCmd c;
    c.m_sSound = 500;
    c.m_sAnime = 20;
    c.Normalize();
    EXPECT_EQ(c.m_sSound, 0);
    EXPECT_EQ(c.m_sAnime, 0);
    c.m_sSound = 19;
    c.m_sAnime = 19;
    c.Normalize();
    EXPECT_EQ(c.m_sSound, 19);
    EXPECT_EQ(c.m_sAnime, 19);
}

TEST_F(FlowCmdTest, SwordTimeIsTheSumOfItsFramesCapped) {
    SetCount(DbTable::SwordType, 3);
    lim.swordFrameTimes = {{4, 5}, {5000, 6000}, {}};
    Apply();
    struct Case {
        int type, expectType, expectTime;
    } cases[] = {{0, 0, 9}, {1, 1, 9999}, {2, 2, 0}, {3, 0, 9}, {-1, 0, 9}};
    for (const auto& tc : cases) {
        cFlowCmd c;
        c.m_cKind = FlowKind::Sword;
        c.m_sTime = 77;
        c.m_spShot = std::make_shared<cEdShot>();
        c.m_spShot->m_cMoveKind = static_cast<std::int8_t>(tc.type);
        c.Normalize();
        EXPECT_EQ(c.m_spShot->m_cMoveKind, tc.expectType) << tc.type;
        EXPECT_EQ(c.m_sTime, tc.expectTime) << tc.type;
    }
    // Without a shot part, or without any sword type, the time stays.
    cFlowCmd bare;
    bare.m_cKind = FlowKind::Sword;
    bare.m_sTime = 77;
    bare.Normalize();
    EXPECT_EQ(bare.m_sTime, 77);
    SetCount(DbTable::SwordType, 0);
    cFlowCmd none;
    none.m_cKind = FlowKind::Sword;
    none.m_sTime = 77;
    none.m_spShot = std::make_shared<cEdShot>();
    none.m_spShot->m_cMoveKind = 1;
    none.Normalize();
    EXPECT_EQ(none.m_spShot->m_cMoveKind, 0);
    EXPECT_EQ(none.m_sTime, 77);
}

TEST_F(FlowCmdTest, CarriedFlowsAreNormalizedThroughTheCommand) {
    cFlowCmd inner;
    inner.m_cKind = FlowKind::Message;
    cFlowCmd c = CarryingFlowWith(inner);
    c.Normalize();
    EXPECT_EQ(c.m_vParam.Count(), 2);
    EXPECT_EQ(c.m_vFlow[0].m_vCmd[0].m_vParam.Count(), 19);
}

TEST_F(FlowCmdTest, PaletteReferencesAreRepaired) {
    // Common palette: 5 blocks, 6 characters, 7 items; stage: 2, 3, 4.
    struct Case {
        const char* what;
        int kind;
        int itemPalette, item, summonPalette, summon;
        int expectItemPalette, expectItem, expectSummon;
    } cases[] = {
        {"shot item of the common palette in range", FlowKind::Shot, 1, 6, 0, 0, 1, 6, 0},
        {"shot item of the common palette out of range", FlowKind::Shot, 1, 7, 0, 0, 0, 0, 0},
        {"sword item of the stage palette out of range", FlowKind::Sword, 2, 4, 0, 0, 0, 0, 0},
        {"negative item", FlowKind::Shot, 2, -1, 0, 0, 0, 0, 0},
        {"no item palette keeps the index", FlowKind::Shot, 0, 50, 0, 0, 0, 50, 0},
        {"block summon of the common palette", FlowKind::SummonBlock, 0, 0, 0, 5, 0, 0, 1},
        {"block summon in range", FlowKind::SummonBlock, 0, 0, 0, 4, 0, 0, 4},
        {"character summon of the stage palette", FlowKind::SummonChara, 0, 0, 1, 3, 0, 0, 1},
        {"item summon of the stage palette in range", FlowKind::SummonItem, 0, 0, 1, 3, 0, 0, 3},
        {"unknown summon palette changes nothing", FlowKind::SummonItem, 0, 0, 4, 99, 0, 0, 99},
        {"summons ignore the item palette", FlowKind::SummonChara, 1, 50, 0, 2, 1, 50, 2},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.what);
        cFlowCmd c;
        c.m_cKind = static_cast<std::int8_t>(tc.kind);
        c.m_spShot = std::make_shared<cEdShot>();
        c.m_spShot->m_cItemPalette = static_cast<std::int8_t>(tc.itemPalette);
        c.m_spShot->m_sItem = static_cast<std::int16_t>(tc.item);
        c.m_spShot->m_cSummonPalette = static_cast<std::int8_t>(tc.summonPalette);
        c.m_spShot->m_sSummon = static_cast<std::int16_t>(tc.summon);
        c.NormalizePaletteRefs();
        EXPECT_EQ(c.m_spShot->m_cItemPalette, tc.expectItemPalette);
        EXPECT_EQ(c.m_spShot->m_sItem, tc.expectItem);
        EXPECT_EQ(c.m_spShot->m_sSummon, tc.expectSummon);
    }
}

TEST_F(FlowCmdTest, ItemPickUpOfBothTablesAndOfCarriedFlows) {
    struct Case {
        int table, kind, palette, item, expect;
    } cases[] = {
        {0, FlowKind::GetItem, 0, 7, 1},   {0, FlowKind::GetItem, 0, 6, 6},
        {0, FlowKind::GetItem, 1, 4, 1},   {1, 10, 1, 9, 1},
        {0, FlowKind::GetItem, 2, 99, 99},
    };
    for (const auto& tc : cases) {
        cFlowCmd c;
        c.m_cTable = static_cast<std::int8_t>(tc.table);
        c.m_cKind = static_cast<std::int8_t>(tc.kind);
        c.m_vParam = {tc.palette, tc.item};
        cFlowCmd holder = CarryingFlowWith(c);
        holder.NormalizePaletteRefs();
        EXPECT_EQ(holder.m_vFlow[0].m_vCmd[0].m_vParam[1], tc.expect) << tc.table << "/" << tc.palette;
    }
    // With a one-entry stage palette the fallback is 0.
    lim.stage.items = 1;
    Apply();
    cFlowCmd c;
    c.m_cKind = FlowKind::GetItem;
    c.m_vParam = {1, 3};
    c.NormalizePaletteRefs();
    EXPECT_EQ(c.m_vParam[1], 0);
}

}  // namespace
