#include <gtest/gtest.h>

#include "gamedata/definitions/chara_def.h"
#include "gamedata/fixtures/definition_fixtures.h"
#include "gamedata/fixtures/record_io.h"

namespace {

using CharaDefs = GameDataTest;

ByteBuilder FlowWithId(int id, int testOnly = 0) {
    FlowFixture f;
    f.fields = {{"m_cId", id}, {"m_bTestOnly", testOnly}, {"m_cKeyWindow", 3}};
    return FlowBytes(kDataVersion, f);
}

cCharaDef LoadChara(int version, const DefFixture& d) {
    cCharaDef c;
    EXPECT_TRUE(LoadBytes(c, version, DefBytes(DefKind::Chara, version, d)));
    return c;
}

TEST_F(CharaDefs, InheritGroupsInsertedByOldVersionsAreInherited) {
    DefFixture d;
    for (int i = 0; i < 34; ++i) d.flags.push_back(static_cast<std::uint8_t>(i % 2 ? 0 : 2));
    cCharaDef c = LoadChara(167, d);
    std::vector<std::uint8_t> expected;
    auto stored = [&](int from, int to) {
        for (int i = from; i <= to; ++i) expected.push_back(d.flags[static_cast<std::size_t>(i)]);
    };
    stored(0, 20);
    expected.push_back(1);
    stored(21, 23);
    expected.push_back(1);
    stored(24, 26);
    expected.push_back(1);
    stored(27, 33);
    EXPECT_EQ(std::vector<std::uint8_t>(c.m_vbInherit.begin(), c.m_vbInherit.end()), expected);
}

TEST_F(CharaDefs, UpgradesOfOldVersions) {
    struct Case {
        const char* what;
        int version;
        Values stored;
        Values expected;
    };
    const Case cases[] = {
        {"hit kind 2 of 203 is the new 3", 203, {{"m_cHitKind", 2}}, {{"m_cHitKind", 3}}},
        {"files before 201 store no hit kind: 0", 200, {}, {{"m_cHitKind", 0}}},
        {"hit kind 1 of 205 stays", 205, {{"m_cHitKind", 1}}, {{"m_cHitKind", 1}}},
        {"hit kind 2 of 210 stays", 210, {{"m_cHitKind", 2}}, {{"m_cHitKind", 2}}},
        {"flash colour before 285 is 1", 284, {}, {{"m_cFlashColour", 1}}},
        {"flash colour of 285 as stored", 285, {{"m_cFlashColour", 4}}, {{"m_cFlashColour", 4}}},
        {"defence before 168 is 0", 167, {}, {{"m_nDefence", 0}}},
        {"effect modes before 196 are 0", 195, {}, {{"m_cAppearEffectMode", 0}, {"m_cDeathEffectMode", 0}}},
    };
    for (const auto& c : cases) {
        DefFixture d;
        d.fields = c.stored;
        d.fields["m_cScale"] = 1;
        cCharaDef before;
        before.m_cFlashColour = 7;
        before.m_nDefence = 9;
        before.m_cAppearEffectMode = before.m_cDeathEffectMode = 2;
        before.m_cHitKind = 2;
        ASSERT_TRUE(LoadBytes(before, c.version, DefBytes(DefKind::Chara, c.version, d))) << c.what;
        for (const auto& [name, want] : c.expected) {
            double got = name == "m_cHitKind"            ? before.m_cHitKind
                         : name == "m_cFlashColour"      ? before.m_cFlashColour
                         : name == "m_nDefence"          ? before.m_nDefence
                         : name == "m_cAppearEffectMode" ? before.m_cAppearEffectMode
                                                         : before.m_cDeathEffectMode;
            EXPECT_EQ(got, want) << c.what << ": " << name;
        }
    }
}

TEST_F(CharaDefs, SummonOffsets) {
    cCharaDef c;
    c.m_sOffsetX = 10;
    c.m_sOffsetXStep = -4;
    c.m_sOffsetY = 3;
    c.m_sOffsetYStep = 2;
    c.m_bOffsetXMirror = 1;
    EXPECT_DOUBLE_EQ(c.GetSummonOffsetX(3, 1), 2.0);
    EXPECT_DOUBLE_EQ(c.GetSummonOffsetX(3, 0), -2.0);
    EXPECT_DOUBLE_EQ(c.GetSummonOffsetY(2, 1), 7.0);
    c.m_bOffsetXMirror = 0;
    EXPECT_DOUBLE_EQ(c.GetSummonOffsetX(3, 1), -2.0);
    c.m_bOffsetYMirror = 1;
    EXPECT_DOUBLE_EQ(c.GetSummonOffsetY(2, 1), -7.0);
}

TEST_F(CharaDefs, EmptyFlowsAreRemovedOnLoad) {
    DefFixture d;
    d.fields = {{"m_cScale", 1}};
    d.tail = {FlowWithId(1), FlowBytes(kDataVersion, FlowFixture{}), FlowBytes(kDataVersion, FlowFixture{}),
              FlowWithId(2), FlowBytes(kDataVersion, FlowFixture{})};
    cCharaDef c = LoadChara(kDataVersion, d);
    ASSERT_EQ(c.m_vFlow.Count(), 2);
    EXPECT_EQ(c.m_vFlow[0].m_cId, 1);
    EXPECT_EQ(c.m_vFlow[1].m_cId, 2);
}

TEST_F(CharaDefs, TestOnlyFlowsStayOnlyInATestPlay) {
    DefFixture d;
    d.fields = {{"m_cScale", 1}};
    d.tail = {FlowWithId(1), FlowWithId(2, 1), FlowWithId(3)};
    EXPECT_EQ(LoadChara(kDataVersion, d).m_vFlow.Count(), 2);
    DataLimits limits = GetDataLimits();
    limits.testPlay = 1;
    SetDataLimits(limits);
    cCharaDef c = LoadChara(kDataVersion, d);
    ASSERT_EQ(c.m_vFlow.Count(), 3);
    EXPECT_EQ(c.m_vFlow[2].m_cId, 3);
}

TEST_F(CharaDefs, NormalisationRepairs) {
    SetTableSize(DbTable::BmpCharaExc, 6);
    SetTableSize(DbTable::AnimeSet, 3);
    SetTableSize(DbTable::CharaEffect, 4);
    SetTableSize(DbTable::Effect, 2);
    DefFixture d;
    d.fields = {{"m_cOperation", 0},   {"m_bNoBox", 1},  {"m_cCloneCount", 5}, {"m_cSheet", 4},
                {"m_sCell", 6},        {"m_cScale", -1}, {"m_sAnimeSet", 3},   {"m_sAppearEffect", -1},
                {"m_sDeathEffect", 3}, {"m_sEffect", 2}};
    cCharaDef c = LoadChara(kDataVersion, d);
    EXPECT_EQ(c.m_bNoBox, 0);
    EXPECT_EQ(c.m_cCloneCount, 0);
    EXPECT_EQ(c.m_sCell, 1);  // the first real picture, not 0
    EXPECT_EQ(c.m_cScale, 1);
    EXPECT_EQ(c.m_sAnimeSet, 0);
    EXPECT_EQ(c.m_sAppearEffect, 0);
    EXPECT_EQ(c.m_sDeathEffect, 3);
    EXPECT_EQ(c.m_sEffect, 0);

    // A computer character keeps its clones; a table without entry 1 gives 0.
    SetTableSize(DbTable::BmpCharaExc, 1);
    d.fields["m_cOperation"] = 1;
    cCharaDef e = LoadChara(kDataVersion, d);
    EXPECT_EQ(e.m_bNoBox, 1);
    EXPECT_EQ(e.m_cCloneCount, 5);
    EXPECT_EQ(e.m_sCell, 0);
}

TEST_F(CharaDefs, AssignCopiesFlowsDeeply) {
    cCharaDef a;
    a.m_vFlow.resize(1);
    a.m_vFlow[0].m_vCmd.resize(1);
    a.m_vFlow[0].m_vCmd[0].m_spMove = std::make_shared<cEdMove>();
    a.m_nHeldItem = 7;
    a.m_sCellX = 4;
    cCharaDef b;
    b.Assign(a);
    EXPECT_EQ(b.m_nHeldItem, 7);
    EXPECT_EQ(b.m_sCellX, 4);
    ASSERT_EQ(b.m_vFlow.Count(), 1);
    ASSERT_TRUE(b.m_vFlow[0].m_vCmd[0].m_spMove);
    EXPECT_NE(b.m_vFlow[0].m_vCmd[0].m_spMove.get(), a.m_vFlow[0].m_vCmd[0].m_spMove.get());
    // The copy describes its own members.
    b.m_nMaxHp = 99;
    EXPECT_EQ(a.m_nMaxHp, 10);
    EXPECT_NE(SaveBytes(a), SaveBytes(b));
}

}  // namespace
