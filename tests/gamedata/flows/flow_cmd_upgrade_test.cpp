// Every upgrade step of commands, from byte fixtures of the version just
// below the step. A case runs every later step that tests the same kind as
// well, so the expected values follow the whole chain.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <optional>

#include "gamedata/base/data_limits.h"
#include "gamedata/fixtures/field_access.h"
#include "gamedata/fixtures/record_io.h"
#include "gamedata/flows/flow_cmd.h"

namespace {

using P = std::vector<std::int32_t>;

struct UpgradeCase {
    const char* what;
    int version;
    int table;
    int kind;
    P params;
    int expectKind;
    P expectParams;
    std::optional<Values> move = std::nullopt;  // stored movement part
    std::optional<Values> shot = std::nullopt;  // stored shot part
    std::function<void(const cFlowCmd&)> check = nullptr;
};

P With(P p, std::initializer_list<std::pair<int, int>> set) {
    for (auto [i, v] : set) p[static_cast<std::size_t>(i)] = v;
    return p;
}

// A stored number at the top of the range: a step that moves it up keeps it
// there.
constexpr std::int32_t kTop = std::numeric_limits<std::int32_t>::max();

P Zeros(int n) { return P(static_cast<std::size_t>(n), 0); }

P Seq(int n) {
    P p;
    for (int i = 1; i <= n; ++i) p.push_back(i);
    return p;
}

// A message of 545 or older as it ends up once every message step ran.
P OldMessage(int p0, int p10) { return With(Zeros(19), {{0, p0}, {10, p10}, {14, 1}, {16, 1}}); }

const UpgradeCase kCases[] = {
    {"145 stage clear sized to 10, path inserted at 722", 144, 0, 17, {2}, 17, With(Zeros(10), {{0, 3}})},
    {"722 stage clear: world clear moves from 2 to 3", 721, 0, 17, {2, 5}, 17, With(Zeros(10), {{0, 3}, {1, 5}})},
    {"722 already has the path choice", 722, 0, 17, {2}, 17, With(Zeros(10), {{0, 2}})},
    {"915 stage clear sized to 10", 914, 0, 17, {1, 2}, 17, With(Zeros(10), {{0, 1}, {1, 2}})},
    {"166 music loops; renumbered at 734", 165, 0, 35, {4}, 36, {4, 1}},
    {"166 item music loops; renumbered at 734", 165, 1, 20, {4}, 21, {4, 1}},
    {"168 and 203 status shifts, then 882", 167, 0, 22,
     With(Zeros(14), {{4, 10}, {6, 2}, {13, 12}}), 22, With(Zeros(22), {{4, 14}, {6, 2}, {13, 16}, {20, 2}})},
    {"168 old system owner keeps its status", 167, 0, 22, With(Zeros(14), {{3, 2}, {4, 10}}), 22,
     With(Zeros(22), {{3, 5}, {4, 10}, {20, 2}})},
    {"203 status shift with 4", 202, 0, 22, With(Zeros(14), {{4, 5}}), 22, With(Zeros(22), {{4, 8}, {20, 2}})},
    {"189 target: 0 inserted at 2, then 747 and 767", 188, 0, 21, Seq(15), 21,
     {0, 1, 2, 0, 3, 4, 5, 6, 7, 8, 9, 0, 1, 12, 13, 0}},
    {"194 picture: 1 inserted at 6, later steps, renumbered", 193, 0, 31, {7, 4, 0, 0, 0, 0, 9, 8}, 32,
     {7, 5, 0, 0, 0, 0, 1, 9, 8, 0, 0, 0, 0, 0, 0, 0}},
    {"195 character effect: 0 inserted at 1", 194, 0, 29, {5, 1}, 30, {5, 0, 1}},
    {"195 screen effect: 0 inserted at 1", 194, 0, 30, {5, 1}, 31, {5, 0, 1}},
    {"203 character summon loses its parameters", 202, 0, 14, {1, 2, 3}, 14, {}},
    {"203 item summon loses its parameters", 202, 0, 15, {1}, 15, {}},
    {"203 flow operation sized to 4, 760 and 764", 202, 0, 16, {1, 2, 3, 4, 5}, 16, {1, 2, 3, 0}, {}, {},
     [](const cFlowCmd& c) {
         ASSERT_TRUE(c.m_spCondList);
         EXPECT_EQ(c.m_spCondList->m_bEnabled, 0);
     }},
    {"210 status operation 2: state inserted at 6", 209, 0, 23, {0, 6}, 23, {0, 7, 0, 0, 0}},
    {"210 old system owner: states stay, owner 5 at 767", 209, 0, 23, {2, 6}, 23, {5, 6, 0, 0, 0}},
    {"219 graphic change: sheet 3 cell + 1", 218, 0, 25, {3, 5}, 26, {3, 6, 0}},
    {"219 graphic change: cell at most 119", 218, 0, 25, {3, 119}, 26, {3, 119, 0}},
    {"219 other sheets keep their cell", 218, 0, 25, {2, 5}, 26, {2, 5, 0}},
    {"220 shot graphic + 1", 219, 0, 11, {}, 11, {}, std::nullopt, Values{{"m_sGraphic", 5}, {"m_cScale", 1}},
     [](const cFlowCmd& c) { EXPECT_EQ(c.m_spShot->m_sGraphic, 6); }},
    {"220 shot graphic at most 119", 219, 0, 11, {}, 11, {}, std::nullopt, Values{{"m_sGraphic", 119}},
     [](const cFlowCmd& c) { EXPECT_EQ(c.m_spShot->m_sGraphic, 119); }},
    {"220 shot without a shot part is left alone", 219, 0, 11, {}, 11, {}, std::nullopt, std::nullopt,
     [](const cFlowCmd& c) { EXPECT_FALSE(c.m_spShot); }},
    {"514 charge move: angle cleared, mirror set", 513, 0, 5, {}, 5, {},
     Values{{"m_sAngle", 30}, {"m_sAngleStep", 2}, {"m_bMirrorAngle", 0}}, std::nullopt,
     [](const cFlowCmd& c) {
         EXPECT_EQ(c.m_spMove->m_sAngle, 0);
         EXPECT_EQ(c.m_spMove->m_sAngleStep, 0);
         EXPECT_EQ(c.m_spMove->m_bMirrorAngle, 1);
     }},
    {"514 straight move keeps its angle", 513, 0, 2, {}, 2, {}, Values{{"m_sAngle", 30}}, std::nullopt,
     [](const cFlowCmd& c) { EXPECT_EQ(c.m_spMove->m_sAngle, 30); }},
    {"545 message at the centre waits", 544, 0, 19, {0}, 19, OldMessage(0, 1)},
    {"546 message below the character does not", 544, 0, 19, {2}, 19, OldMessage(2, 0)},
    {"546 message at screen position 7 waits", 545, 0, 19, With(Zeros(19), {{0, 7}}), 19, OldMessage(7, 1)},
    {"547 and 556 message defaults", 546, 0, 19, With(Zeros(19), {{0, 3}, {10, 1}, {11, 4}, {16, 0}}), 19,
     With(Zeros(19), {{0, 3}, {10, 1}, {14, 1}, {16, 1}})},
    {"556 message: p[16] := 1", 555, 0, 19, With(Zeros(19), {{14, 5}}), 19, With(Zeros(19), {{14, 5}, {16, 1}})},
    {"545 picture: p[11] := 0 and later", 544, 0, 31, With(Zeros(16), {{11, 3}, {12, 3}, {14, 3}, {15, 3}}), 32,
     With(Zeros(16), {{15, 3}})},
    {"547 picture: p[12], p[13] := 0", 546, 0, 31, With(Zeros(16), {{11, 3}, {12, 3}, {13, 3}}), 32,
     With(Zeros(16), {{11, 3}})},
    {"723 message p[17] and picture p[14]", 722, 0, 19, With(Zeros(19), {{17, 5}, {18, 6}}), 19,
     With(Zeros(19), {{18, 6}})},
    {"723 picture p[14] := 0", 722, 0, 31, With(Zeros(16), {{14, 5}}), 32, Zeros(16)},
    {"726 arrangement of kind 11, 727 shifts", 725, 0, 37, {3, 4}, 38, {11, 7, 0, 0, 0}},
    {"727 shifts past every inserted index, then 899", 726, 0, 37, {11, 14}, 38, {11, 22, 0, 0, 0}},
    {"727 other arranged kinds keep their index", 726, 0, 37, {12, 14}, 38, {12, 14, 0, 0, 0}},
    {"734 vanish inserted: 24 becomes 25", 733, 0, 24, {1, 3}, 25, {1, 3}},
    {"734 item 9 becomes 10", 733, 1, 9, {0, 3}, 10, {0, 3}},
    {"734 flow 23 stays", 733, 0, 23, {0, 1}, 23, {0, 1, 0, 0, 0}},
    {"734 item 8 stays", 733, 1, 8, {2, 1}, 8, {5, 1, 0, 0, 0}},
    {"734 arranged kinds above 23 move", 733, 0, 37, {24, 0}, 38, {25, 0, 0, 0, 0}},
    {"734 item arrangement too", 733, 1, 22, {24, 0}, 23, {25, 0, 0, 0, 0}},
    {"734 kinds up to 23 keep their number", 733, 0, 37, {23, 0}, 38, {23, 0, 0, 0, 0}},
    {"747 target defaults", 746, 0, 21, Seq(16), 21, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 1, 13, 14, 0}},
    {"760 flow operation p[3] := 0", 759, 0, 16, {1, 2, 3, 4}, 16, {1, 2, 3, 0}},
    {"764 flow operation gets a disabled condition part", 763, 0, 16, {1, 2, 3, 0}, 16, {1, 2, 3, 0}, {}, {},
     [](const cFlowCmd& c) {
         ASSERT_TRUE(c.m_spCondList);
         EXPECT_EQ(c.m_spCondList->m_bEnabled, 0);
         EXPECT_TRUE(c.m_spCondList->m_vCond.empty());
     }},
    {"764 item flow change has no condition part", 763, 1, 1, {1, 2}, 1, {1, 2}, {}, {},
     [](const cFlowCmd& c) { EXPECT_FALSE(c.m_spCondList); }},
    {"767 facing of the last block moves to 10", 766, 0, 9, {4}, 9, {10}},
    {"767 facing toward target 1 stays", 766, 0, 9, {3}, 9, {3}},
    {"767 warp from the old system modes", 766, 0, 20, {}, 20, {}, Values{{"m_cMode", 2}, {"m_bUseX", 0}}, {},
     [](const cFlowCmd& c) {
         EXPECT_EQ(c.m_spMove->m_cMode, 5);
         EXPECT_EQ(c.m_spMove->m_bUseX, 1);
         EXPECT_EQ(c.m_spMove->m_cPoint, 2);
     }},
    {"767 warp mode 1 stays", 766, 0, 20, {}, 20, {}, Values{{"m_cMode", 1}}, {},
     [](const cFlowCmd& c) { EXPECT_EQ(c.m_spMove->m_cMode, 1); }},
    {"767 warp without a movement part is left alone", 766, 0, 20, {}, 20, {}, std::nullopt, std::nullopt,
     [](const cFlowCmd& c) { EXPECT_FALSE(c.m_spMove); }},
    {"767 target: slot inserted at 0", 766, 0, 21, Seq(16), 21, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
    {"767 status owners: system 2 becomes 5", 766, 0, 22, With(Zeros(22), {{3, 2}, {4, 7}, {6, 2}, {12, 3}}), 22,
     With(Zeros(22), {{3, 5}, {4, 7}, {6, 2}, {12, 6}, {20, 2}})},
    {"767 status operation 2 owner", 766, 0, 23, {2, 1}, 23, {5, 1, 0, 0, 0}},
    {"820 status operation 2 sized to 5", 819, 0, 23, Seq(7), 23, {1, 2, 3, 4, 5}},
    {"879 animation: p[1] := 0", 878, 0, 28, {3, 1}, 28, {3, 0}},
    {"882 warp uses both axes", 881, 0, 20, {}, 20, {}, Values{{"m_bUseX", 0}, {"m_bUseY", 0}}, {},
     [](const cFlowCmd& c) {
         EXPECT_EQ(c.m_spMove->m_bUseX, 1);
         EXPECT_EQ(c.m_spMove->m_bUseY, 1);
     }},
    {"882 status: X and Y inserted, coordinates cleared", 881, 0, 22,
     With(Zeros(20), {{4, 6}, {6, 2}, {12, 5}, {13, 6}, {18, 3}}), 22,
     With(Zeros(22), {{4, 8}, {6, 2}, {12, 5}, {13, 6}, {20, 2}})},
    {"891 message position 8 becomes 9", 890, 0, 19, {8}, 19, With(Zeros(19), {{0, 9}})},
    {"891 effect position 4 becomes 5", 890, 0, 29, {1, 4}, 29, With(Zeros(9), {{0, 1}, {1, 5}})},
    {"891 picture position 4 becomes 5", 890, 0, 32, {1, 4}, 32, With(Zeros(16), {{0, 1}, {1, 5}, {6, 0}})},
    {"892 warp point", 891, 0, 20, {}, 20, {}, Values{{"m_cUnit", 1}}, {},
     [](const cFlowCmd& c) {
         EXPECT_EQ(c.m_spMove->m_cPoint, 2);
         EXPECT_EQ(c.m_spMove->m_cUnit, 1);
     }},
    {"892 status points", 891, 0, 22, With(Zeros(22), {{20, 1}, {21, 1}}), 22, With(Zeros(22), {{20, 2}})},
    {"898 arranged picture index", 897, 0, 38, {32, 0}, 38, {32, 1, 0, 0, 0}},
    {"898 negative index stays", 897, 0, 38, {32, -1}, 38, {32, -1, 0, 0, 0}},
    {"899 arrangement of kind 11 above 13", 898, 0, 38, {11, 14}, 38, {11, 15, 0, 0, 0}},
    {"899 arrangement of kind 11 at 13", 898, 0, 38, {11, 13}, 38, {11, 13, 0, 0, 0}},
    {"899 arrangement of kind 13", 898, 0, 38, {13, 0}, 38, {13, 1, 0, 0, 0}},
    {"899 arrangement of kind 29", 898, 0, 38, {29, 5}, 38, {29, 6, 0, 0, 0}},
    {"899 arrangement of kind 22 moves twice", 898, 0, 38, {22, 0}, 38, {22, 2, 0, 0, 0}},
    {"899 arrangement of kind 22, negative", 898, 0, 38, {22, -1}, 38, {22, -1, 0, 0, 0}},
    {"899 item arrangement", 898, 1, 23, {14, 0}, 23, {14, 1, 0, 0, 0}},
    {"722 stage clear at the top stays", 721, 0, 17, {kTop}, 17, With(Zeros(10), {{0, kTop}})},
    {"168, 203 and 882 status shifts at the top stay", 167, 0, 22, With(Zeros(14), {{4, kTop}, {6, 2}, {13, kTop}}),
     22, With(Zeros(22), {{4, kTop}, {6, 2}, {13, kTop}, {20, 2}})},
    {"210 state at the top stays", 209, 0, 23, {0, kTop}, 23, {0, kTop, 0, 0, 0}},
    {"219 graphic cell at the top becomes 119", 218, 0, 25, {3, kTop}, 26, {3, 119, 0}},
    {"727 and 899 arranged index at the top stays", 726, 0, 37, {11, kTop}, 38, {11, kTop, 0, 0, 0}},
    {"734 arranged kind at the top stays", 733, 0, 37, {kTop, 0}, 38, {kTop, 0, 0, 0, 0}},
    {"767 facing at the top stays", 766, 0, 9, {kTop}, 9, {kTop}},
    {"767 status owners at the top stay", 766, 0, 22, With(Zeros(22), {{3, kTop}, {6, 2}, {12, kTop}}), 22,
     With(Zeros(22), {{3, kTop}, {6, 2}, {12, kTop}, {20, 2}})},
    {"767 status operation 2 owner at the top stays", 766, 0, 23, {kTop, 1}, 23, {kTop, 1, 0, 0, 0}},
    {"898 arranged picture index at the top stays", 897, 0, 38, {32, kTop}, 38, {32, kTop, 0, 0, 0}},
    {"899 arrangement of kind 22 at the top stays", 898, 0, 38, {22, kTop}, 38, {22, kTop, 0, 0, 0}},
    {"a current file runs no step", kDataVersion, 0, 17, {2}, 17, With(Zeros(10), {{0, 2}})},
    {"a message with 3 parameters loads with 19", kDataVersion, 0, 19, {1, 2, 3}, 19, With(Zeros(19), {{0, 1}, {1, 2}, {2, 3}})},
};

TEST(FlowCmdUpgrade, EveryStepFromOlderFiles) {
    DataLimits lim;
    lim.dbCount.fill(1000);
    SetDataLimits(lim);
    for (const auto& tc : kCases) {
        SCOPED_TRACE(tc.what);
        CmdFixture f;
        f.fields = {{"m_cTable", tc.table}, {"m_cKind", tc.kind}, {"m_bSoundInView", 1}};
        f.params = tc.params;
        ByteBuilder move, shot;
        if (tc.move) {
            move = RecordBytes(kMoveLayout, tc.version, *tc.move);
            f.move = &move;
        }
        if (tc.shot) {
            shot = RecordBytes(kShotLayout, tc.version, *tc.shot);
            f.shot = &shot;
        }
        cFlowCmd c;
        std::size_t left = 99;
        ASSERT_TRUE(LoadBytes(c, tc.version, CmdBytes(tc.version, f), &left));
        EXPECT_EQ(left, 0u);
        EXPECT_EQ(c.m_cKind, tc.expectKind);
        EXPECT_EQ(P(c.m_vParam.begin(), c.m_vParam.end()), tc.expectParams);
        if (tc.check) tc.check(c);
    }
    SetDataLimits(DataLimits{});
}

}  // namespace
