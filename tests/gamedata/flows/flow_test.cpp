#include <gtest/gtest.h>

#include "gamedata/base/data_limits.h"
#include "gamedata/fixtures/field_access.h"
#include "gamedata/fixtures/record_io.h"
#include "gamedata/flows/flow.h"

namespace {

class FlowTest : public ::testing::Test {
protected:
    void TearDown() override { SetDataLimits(DataLimits{}); }
};

TEST_F(FlowTest, NewFlowAndKeyCondition) {
    cFlow f;
    EXPECT_EQ(f.m_cKeyWindow, 3);
    EXPECT_EQ(f.m_cTrigger, 0);
    EXPECT_TRUE(f.m_vCond.empty() && f.m_vKeyCond.empty() && f.m_vCmd.empty());
    cKeyCond k;
    ASSERT_EQ(k.m_vKeyState.Count(), kKeyCondKeys);
    for (auto s : k.m_vKeyState) EXPECT_EQ(s, 0);
    EXPECT_EQ(k.m_cMode, 0);
}

// The trigger renumbering follows the steps in order, each seeing the
// result of the one before.
struct TriggerCase {
    int version;
    int trigger;
    int group;
    int expectTrigger;
    int expectGroup;
};

const TriggerCase kTriggerCases[] = {
    // 11 -> 12 (131 or older) -> 14 (below 164) -> 15, 16 (below 900: >= 2, then >= 4).
    {130, 11, 0, 16, 0},
    {131, 11, 0, 16, 0},
    {132, 11, 0, 15, 0},
    // Group cleared below 163 for every trigger but 0; 1 is below every insertion.
    {161, 1, 3, 1, 0},
    {161, 0, 3, 0, 3},
    {163, 1, 3, 1, 3},
    {163, 5, 0, 9, 0},
    {164, 5, 0, 7, 0},
    {761, 18, 0, 25, 0},
    {761, 17, 0, 19, 0},
    {762, 18, 0, 20, 0},
    {899, 2, 0, 3, 0},
    {899, 3, 0, 5, 0},
    {899, 19, 0, 22, 0},
    {899, 20, 0, 24, 0},
    {899, 21, 0, 25, 0},
    {900, 21, 0, 21, 0},
    {kDataVersion, 11, 4, 11, 4},
};

TEST_F(FlowTest, TriggerRenumbering) {
    for (const auto& tc : kTriggerCases) {
        SCOPED_TRACE(::testing::Message() << "version " << tc.version << " trigger " << tc.trigger);
        cFlow f;
        ByteBuilder in = FlowBytes(tc.version, {{{"m_cTrigger", tc.trigger}, {"m_cGroup", tc.group}}, "", {}, {}, {}});
        std::size_t left = 99;
        ASSERT_TRUE(LoadBytes(f, tc.version, in, &left));
        EXPECT_EQ(left, 0u);
        EXPECT_EQ(f.m_cTrigger, tc.expectTrigger);
        EXPECT_EQ(f.m_cGroup, tc.expectGroup);
    }
}

TEST_F(FlowTest, PartnerMembersOfOlderFilesKeepTheirValues) {
    struct Case {
        int version;
        int storedTarget, storedSlot;
        int expectTarget, expectSlot;
    } cases[] = {{761, 1, 2, 0, 0}, {766, 1, 2, 1, 0}, {767, 1, 2, 1, 2}};
    for (const auto& c : cases) {
        cFlow f;
        ByteBuilder in = FlowBytes(
            c.version, {{{"m_bPartnerTarget", c.storedTarget}, {"m_cPartnerSlot", c.storedSlot}, {"m_bKeyHold", 1}},
                        "",
                        {},
                        {},
                        {}});
        ASSERT_TRUE(LoadBytes(f, c.version, in)) << c.version;
        EXPECT_EQ(f.m_bPartnerTarget, c.expectTarget) << c.version;
        EXPECT_EQ(f.m_cPartnerSlot, c.expectSlot) << c.version;
        EXPECT_EQ(f.m_bKeyHold, 1) << c.version;
    }
}

TEST_F(FlowTest, NameIsEmptiedOnLoadAndSavedEmpty) {
    ByteBuilder in = FlowBytes(kDataVersion, {{{"m_cId", 3}}, "jump", {}, {}, {}});
    cFlow f;
    ASSERT_TRUE(LoadBytes(f, kDataVersion, in));
    EXPECT_EQ(f.m_strName, "");
    EXPECT_EQ(f.m_cId, 3);
    EXPECT_EQ(SaveBytes(f), FlowBytes(kDataVersion, {{{"m_cId", 3}}, "", {}, {}, {}}).Data());
    // A version without the name has no string at all.
    ByteBuilder old = FlowBytes(675, {{{"m_cId", 4}}, "", {}, {}, {}});
    ASSERT_TRUE(LoadBytes(f, 675, old));
    EXPECT_EQ(f.m_cId, 4);
}

TEST_F(FlowTest, FullFlowRoundTripsByteExactly) {
    ByteBuilder cond = RecordBytes(kCondLayout, kDataVersion, {{"m_cKind", 2}, {"m_nValue", 77}});
    std::vector<std::int8_t> keys(kKeyCondKeys, 0);
    keys[3] = 1;
    keys[12] = 2;
    ByteBuilder key = KeyCondBytes({{"m_sMinFrames", 2}, {"m_sMaxFrames", 9}, {"m_cMode", 2}}, keys);
    CmdFixture wait;
    wait.fields = {{"m_cKind", 1}, {"m_sTime", 30}, {"m_bSoundInView", 1}};
    CmdFixture turn;
    turn.fields = {{"m_cKind", 9}};
    turn.params = {4};
    FlowFixture ff{
        DistinctValues(kFlowLayout), "", {cond}, {key}, {CmdBytes(kDataVersion, wait), CmdBytes(kDataVersion, turn)}};
    ff.fields["m_bTestOnly"] = 0;
    ByteBuilder in = FlowBytes(kDataVersion, ff);
    cFlow f;
    ASSERT_TRUE(LoadBytes(f, kDataVersion, in));
    EXPECT_TRUE(FieldsAre(f, FlowFields(), ff.fields));
    ASSERT_EQ(f.m_vCmd.Count(), 2);
    EXPECT_EQ(f.m_vCmd[1].m_vParam[0], 4);
    EXPECT_EQ(f.m_vKeyCond[0].m_vKeyState[12], 2);
    EXPECT_EQ(SaveBytes(f), in.Data());
}

TEST_F(FlowTest, ShortKeyListIsPaddedTo19) {
    ByteBuilder in = KeyCondBytes({{"m_cMode", 1}}, {1, 2, 1});
    cKeyCond k;
    ASSERT_TRUE(LoadBytes(k, kDataVersion, in));
    ASSERT_EQ(k.m_vKeyState.Count(), kKeyCondKeys);
    EXPECT_EQ(k.m_vKeyState[1], 2);
    EXPECT_EQ(k.m_vKeyState[18], 0);
}

TEST_F(FlowTest, KeyCountOfZeroOrLessKeepsTheList) {
    for (int count : {0, -4}) {
        ByteBuilder in = RecordBytes(kKeyCondLayout, kDataVersion, {});
        in.I32(count);
        cKeyCond k;
        k.m_vKeyState[5] = 1;
        ASSERT_TRUE(LoadBytes(k, kDataVersion, in)) << count;
        EXPECT_EQ(k.m_vKeyState.Count(), kKeyCondKeys);
        EXPECT_EQ(k.m_vKeyState[5], 1);
    }
}

TEST_F(FlowTest, PurgeKeepsTheOrderOfTheOthers) {
    cVector<cFlow> flows(4);
    for (int i = 0; i < 4; ++i) flows[i].m_cId = static_cast<std::int8_t>(i + 1);
    flows[1].m_bTestOnly = 1;
    flows[3].m_bTestOnly = 1;
    PurgeTestFlows(flows);
    ASSERT_EQ(flows.Count(), 2);
    EXPECT_EQ(flows[0].m_cId, 1);
    EXPECT_EQ(flows[1].m_cId, 3);
}

TEST_F(FlowTest, CarriedTestFlowsArePurgedOnlyOutsideTestPlay) {
    FlowFixture normal{{{"m_cId", 1}}, "", {}, {}, {}};
    FlowFixture testOnly{{{"m_cId", 2}, {"m_bTestOnly", 1}}, "", {}, {}, {}};
    CmdFixture change;
    change.fields = {{"m_cTable", 1}, {"m_cKind", 1}};
    change.flows = {FlowBytes(kDataVersion, normal), FlowBytes(kDataVersion, testOnly),
                    FlowBytes(kDataVersion, normal)};
    change.params = {0, 0};
    ByteBuilder in = CmdBytes(kDataVersion, change);
    struct Case {
        int testPlay, testFlowSwitch, kept;
    } cases[] = {{0, 0, 2}, {1, 0, 3}, {0, 1, 3}};
    for (const auto& c : cases) {
        DataLimits lim;
        lim.testPlay = c.testPlay;
        lim.testFlowSwitch = c.testFlowSwitch;
        SetDataLimits(lim);
        cFlowCmd cmd;
        ASSERT_TRUE(LoadBytes(cmd, kDataVersion, in));
        ASSERT_EQ(cmd.m_vFlow.Count(), c.kept) << c.testPlay << c.testFlowSwitch;
        EXPECT_EQ(cmd.m_vFlow[1].m_cId, c.kept == 2 ? 1 : 2);
    }
}

TEST_F(FlowTest, AssignCopiesCommandsDeeply) {
    cFlow a;
    a.m_cId = 5;
    a.m_vCond.resize(1);
    a.m_vCmd.resize(1);
    a.m_vCmd[0].m_cKind = 2;
    a.m_vCmd[0].m_spMove = std::make_shared<cEdMove>();
    cFlow b;
    b.Assign(a);
    b.m_vCmd[0].m_spMove->m_sSpeed = 99;
    b.m_vCond[0].m_cKind = 3;
    EXPECT_EQ(b.m_cId, 5);
    EXPECT_EQ(a.m_vCmd[0].m_spMove->m_sSpeed, 10);
    EXPECT_EQ(a.m_vCond[0].m_cKind, 0);
}

}  // namespace
