#include <gtest/gtest.h>

#include "gamedata/fixtures/field_access.h"
#include "gamedata/fixtures/record_io.h"
#include "gamedata/flows/cond.h"

namespace {

TEST(Cond, NewConditionIsAllZero) {
    cCond c;
    Values zero;
    for (const auto& [name, get] : CondFields()) zero[name] = 0;
    EXPECT_TRUE(FieldsAre(c, CondFields(), zero));
}

TEST(Cond, CurrentFileRoundTripsByteExactly) {
    Values v = DistinctValues(kCondLayout);
    v.erase("old16");
    v.erase("old16b");
    ExpectRoundTrip(kCondLayout, CondFields(), v);
}

const UpgradeCase kCondUpgrades[] = {
    {"kind 5 of 150 is the distance kind", 150, {{"m_cKind", 5}}, {{"m_cKind", 7}}},
    {"kind 6 of 159 becomes 8", 159, {{"m_cKind", 6}}, {{"m_cKind", 8}}},
    {"kind 4 stays below the insertion", 150, {{"m_cKind", 4}}, {{"m_cKind", 4}}},
    {"stand-on test of 160 is negated", 160, {{"m_cKind", 6}, {"m_cStatus", 2}, {"m_cOp", 0}}, {{"m_cOp", 1}}},
    {"other tests of 160 keep the operator", 160, {{"m_cKind", 6}, {"m_cStatus", 1}, {"m_cOp", 0}}, {{"m_cOp", 0}}},
    {"status 12 of 160 walks 168, 203 and 883",
     160,
     {{"m_cKind", 4}, {"m_cLeftKind", 0}, {"m_cOwner", 0}, {"m_cStatus", 12}},
     {{"m_cStatus", 16}}},
    {"right status of 167 moves at 168, 203 and 883",
     167,
     {{"m_cKind", 4}, {"m_cRightKind", 2}, {"m_cRightOwner", 1}, {"m_cRightStatus", 10}},
     {{"m_cRightStatus", 14}, {"m_cRightOwner", 1}}},
    {"system statuses of 167 keep their numbers",
     167,
     {{"m_cKind", 4}, {"m_cOwner", 2}, {"m_cStatus", 3}},
     {{"m_cStatus", 3}, {"m_cOwner", 5}}},
    {"a variable on the left is not a status",
     167,
     {{"m_cKind", 4}, {"m_cLeftKind", 1}, {"m_cStatus", 12}},
     {{"m_cStatus", 12}}},
    {"status 5 of 202 moves at 203 and 883", 202, {{"m_cKind", 4}, {"m_cStatus", 5}}, {{"m_cStatus", 8}}},
    {"state 6 of 209 moves up", 209, {{"m_cKind", 5}, {"m_cStatus", 6}}, {{"m_cStatus", 7}}},
    {"state 6 of the old system owner stays",
     209,
     {{"m_cKind", 5}, {"m_cOwner", 2}, {"m_cStatus", 6}},
     {{"m_cStatus", 6}, {"m_cOwner", 5}}},
    {"distance of 600: hero, no display, both options",
     600,
     {{"m_cKind", 7}, {"m_cOwner", 3}, {"m_cLeftKind", 2}, {"m_cRightKind", 0}, {"m_cRightOwner", 0}},
     {{"m_cOwner", 0}, {"m_cLeftKind", 0}, {"m_cRightKind", 1}, {"m_cRightOwner", 1}}},
    {"distance of 744 keeps its object",
     744,
     {{"m_cKind", 7}, {"m_cOwner", 3}, {"m_cLeftKind", 2}},
     {{"m_cOwner", 3}, {"m_cLeftKind", 0}, {"m_cRightKind", 1}}},
    {"distance of 745 keeps its display",
     745,
     {{"m_cKind", 7}, {"m_cLeftKind", 2}, {"m_cRightOwner", 0}},
     {{"m_cLeftKind", 2}, {"m_cRightOwner", 1}}},
    {"old system owner 2 of 700 is 5",
     700,
     {{"m_cKind", 4}, {"m_cOwner", 2}, {"m_cRightOwner", 2}},
     {{"m_cOwner", 5}, {"m_cRightOwner", 5}}},
    {"owner 1 of 766 stays", 766, {{"m_cKind", 5}, {"m_cOwner", 1}}, {{"m_cOwner", 1}}},
    {"X and Y inserted at 883",
     882,
     {{"m_cKind", 4}, {"m_cStatus", 6}, {"m_cRightKind", 2}, {"m_cRightStatus", 5}},
     {{"m_cStatus", 8}, {"m_cRightStatus", 5}, {"m_cLeftCoord", 0}}},
    {"system owner of 882 keeps its status",
     882,
     {{"m_cKind", 4}, {"m_cOwner", 5}, {"m_cStatus", 6}},
     {{"m_cStatus", 6}}},
    {"883 already has X and Y",
     883,
     {{"m_cKind", 4}, {"m_cStatus", 6}, {"m_cLeftCoord", 2}},
     {{"m_cStatus", 6}, {"m_cLeftCoord", 2}}},
    {"points of 891 are cleared", 891, {{"m_cKind", 4}}, {{"m_cLeftPoint", 0}, {"m_cRightPoint", 0}}},
    {"a current condition is taken as stored",
     kDataVersion,
     {{"m_cKind", 5}, {"m_cOwner", 2}, {"m_cStatus", 9}},
     {{"m_cKind", 5}, {"m_cOwner", 2}, {"m_cStatus", 9}}},
};

TEST(Cond, UpgradeStepsFromOlderFiles) { CheckUpgradeCases(kCondUpgrades, kCondLayout, CondFields()); }

TEST(Cond, Version109DropsTheTwoOldValuesAndKeepsMembers) {
    cCond c;
    c.m_nRandMin = 7;
    c.m_nRandMax = 8;
    c.m_cOwner = 3;
    c.m_cStatus = 4;
    ByteBuilder in = RecordBytes(
        kCondLayout, 109,
        {{"m_cKind", 1}, {"m_nValue", 55}, {"old16", 0x1234}, {"old16b", 0x5678}, {"m_cOp", 2}, {"m_cDirection", 5}});
    std::size_t left = 1;
    ASSERT_TRUE(LoadBytes(c, 109, in, &left));
    EXPECT_EQ(left, 0u) << "every stored member is read";
    EXPECT_TRUE(FieldsAre(c, CondFields(),
                          {{"m_cKind", 1},
                           {"m_nValue", 55},
                           {"m_cOp", 2},
                           {"m_cDirection", 5},
                           {"m_nRandMin", 7},
                           {"m_nRandMax", 8},
                           {"m_cOwner", 3},
                           {"m_cStatus", 4}}));
}

TEST(CondList, Version765StoresOnlyTheTwoBytes) {
    ByteBuilder in = CondListBytes(765, 1, 1);
    in.I32(0x7777);  // the next record follows at once
    cCondList l;
    std::size_t left = 0;
    ASSERT_TRUE(LoadBytes(l, 765, in, &left));
    EXPECT_EQ(left, 4u);
    EXPECT_EQ(l.m_bEnabled, 1);
    EXPECT_EQ(l.m_cMode, 1);
    EXPECT_TRUE(l.m_vCond.empty());
}

TEST(CondList, CurrentListRoundTripsWithItsConditions) {
    ByteBuilder c1 = RecordBytes(kCondLayout, kDataVersion, {{"m_cKind", 3}, {"m_sIndex", 4}, {"m_nValue", -9}});
    ByteBuilder c2 = RecordBytes(kCondLayout, kDataVersion, {{"m_cKind", 7}, {"m_cDirection", 6}});
    ByteBuilder in = CondListBytes(kDataVersion, 1, 0, {c1, c2});
    cCondList l;
    ASSERT_TRUE(LoadBytes(l, kDataVersion, in));
    ASSERT_EQ(l.m_vCond.Count(), 2);
    EXPECT_EQ(l.m_vCond[0].m_nValue, -9);
    EXPECT_EQ(l.m_vCond[1].m_cDirection, 6);
    EXPECT_EQ(SaveBytes(l), in.Data());
}

TEST(CondList, NewListIsDisabledModeAllAndEmpty) {
    cCondList l;
    EXPECT_EQ(l.m_bEnabled, 0);
    EXPECT_EQ(l.m_cMode, 0);
    EXPECT_TRUE(l.m_vCond.empty());
}

}  // namespace
