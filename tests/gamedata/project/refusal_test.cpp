// Truncated, inflated and over-nested files of every record are refused
// cleanly.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "foundation/report.h"
#include "gamedata/base/data_limits.h"
#include "gamedata/fixtures/record_fixtures.h"
#include "gamedata/fixtures/record_io.h"
#include "gamedata/flows/flow.h"
#include "support/temp_dir.h"

namespace {

struct RecordKind {
    const char* name;
    std::function<std::unique_ptr<cDataRecord>()> make;
    ByteBuilder body;  // a valid body at the current data version
};

ByteBuilder FullCmdBody() {
    static const ByteBuilder move = RecordBytes(kMoveLayout, kDataVersion, {{"m_sSpeed", 4}});
    static const ByteBuilder shot = RecordBytes(kShotLayout, kDataVersion, {{"m_cScale", 1}});
    static const ByteBuilder cond =
        CondListBytes(kDataVersion, 1, 0, {RecordBytes(kCondLayout, kDataVersion, {{"m_cKind", 1}})});
    CmdFixture inner;
    inner.fields = {{"m_cKind", 9}, {"m_bSoundInView", 1}};
    inner.params = {1};
    ByteBuilder key = KeyCondBytes({}, std::vector<std::int8_t>(19, 1));
    FlowFixture flow{{{"m_cKeyWindow", 3}},
                     "",
                     {RecordBytes(kCondLayout, kDataVersion, {{"m_cKind", 2}})},
                     {key},
                     {CmdBytes(kDataVersion, inner)}};
    CmdFixture c;
    c.fields = {{"m_cKind", 16}, {"m_bSoundInView", 1}};
    c.text = "x";
    c.move = &move;
    c.shot = &shot;
    c.cond = &cond;
    c.flows = {FlowBytes(kDataVersion, flow)};
    c.params = {1, 2, 3, 4};
    return CmdBytes(kDataVersion, c);
}

std::vector<RecordKind> Kinds() {
    ByteBuilder cmd = FullCmdBody();
    return {
        {"cond", [] { return std::make_unique<cCond>(); }, RecordBytes(kCondLayout, kDataVersion, {{"m_cKind", 4}})},
        {"cond list", [] { return std::make_unique<cCondList>(); },
         CondListBytes(kDataVersion, 1, 1,
                       {RecordBytes(kCondLayout, kDataVersion, {}), RecordBytes(kCondLayout, kDataVersion, {})})},
        {"move", [] { return std::make_unique<cEdMove>(); }, RecordBytes(kMoveLayout, kDataVersion, {})},
        {"shot", [] { return std::make_unique<cEdShot>(); }, RecordBytes(kShotLayout, kDataVersion, {{"m_cScale", 1}})},
        {"key condition", [] { return std::make_unique<cKeyCond>(); },
         KeyCondBytes({}, std::vector<std::int8_t>(19, 2))},
        {"command", [] { return std::make_unique<cFlowCmd>(); }, cmd},
        {"flow", [] { return std::make_unique<cFlow>(); },
         FlowBytes(kDataVersion, {{{"m_cKeyWindow", 3}}, "", {}, {}, {cmd}})},
    };
}

TEST(Refusal, EveryTruncationOfEveryRecordIsRefused) {
    for (const auto& k : Kinds()) {
        SCOPED_TRACE(k.name);
        auto whole = k.make();
        ASSERT_TRUE(LoadBytes(*whole, kDataVersion, k.body));
        const auto& bytes = k.body.Data();
        for (std::size_t n = 0; n < bytes.size(); ++n) {
            auto r = k.make();
            std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
            EXPECT_FALSE(LoadBytes(*r, kDataVersion, cut)) << "cut at " << n << " of " << bytes.size();
        }
    }
}

TEST(Refusal, InflatedCountsAreRefusedWithoutAllocating) {
    const std::int32_t huge = 0x7FFFFFF0;
    std::vector<std::pair<const char*, std::function<bool()>>> cases = {
        {"condition count",
         [&] {
             ByteBuilder b;
             b.I32(2).I8(1).I8(0).I32(0).I32(huge);
             cCondList l;
             return LoadBytes(l, kDataVersion, b);
         }},
        {"key count",
         [&] {
             ByteBuilder b = RecordBytes(kKeyCondLayout, kDataVersion, {});
             b.I32(huge);
             cKeyCond k;
             return LoadBytes(k, kDataVersion, b);
         }},
        {"parameter count",
         [&] {
             ByteBuilder b = RecordBytes(kCmdLayout, kDataVersion, {}, {""});
             b.I32(0).I32(0).I32(0).I32(0).I32(huge).I32(1);
             cFlowCmd c;
             return LoadBytes(c, kDataVersion, b);
         }},
        {"carried flow count",
         [&] {
             ByteBuilder b = RecordBytes(kCmdLayout, kDataVersion, {}, {""});
             b.I32(0).I32(0).I32(0).I32(huge);
             cFlowCmd c;
             return LoadBytes(c, kDataVersion, b);
         }},
        {"negative carried flow count",
         [&] {
             ByteBuilder b = RecordBytes(kCmdLayout, kDataVersion, {}, {""});
             b.I32(0).I32(0).I32(0).I32(-1).I32(0);
             cFlowCmd c;
             return LoadBytes(c, kDataVersion, b);
         }},
        {"command count of a flow",
         [&] {
             ByteBuilder b = RecordBytes(kFlowLayout, kDataVersion, {}, {""});
             b.I32(0).I32(0).I32(huge);
             cFlow f;
             return LoadBytes(f, kDataVersion, b);
         }},
        {"member count of a condition",
         [&] {
             ByteBuilder b;
             b.I32(200).I32(0);
             cCond c;
             return LoadBytes(c, kDataVersion, b);
         }},
        {"string count of a command",
         [&] {
             ByteBuilder b = RecordBytes(kCmdLayout, kDataVersion, {}, {"a", "b"});
             b.I32(0).I32(0).I32(0).I32(0).I32(0);
             cFlowCmd c;
             return LoadBytes(c, kDataVersion, b);
         }},
    };
    for (auto& [what, load] : cases) EXPECT_FALSE(load()) << what;
}

// An item command carrying a flow whose command carries a flow, and so on.
ByteBuilder NestedCommand(int depth) {
    CmdFixture c;
    c.fields = {{"m_cTable", 1}, {"m_cKind", 1}};
    if (depth > 0) c.flows = {FlowBytes(kDataVersion, {{}, "", {}, {}, {NestedCommand(depth - 1)}})};
    return CmdBytes(kDataVersion, c);
}

TEST(Refusal, CarriedFlowsNestedTooDeeplyAreRefused) {
    cFlowCmd ok;
    EXPECT_TRUE(LoadBytes(ok, kDataVersion, NestedCommand(kMaxCarriedFlowDepth - 1)));
    cFlowCmd deep;
    EXPECT_FALSE(LoadBytes(deep, kDataVersion, NestedCommand(kMaxCarriedFlowDepth)));
    // The depth count is back at zero for the next load.
    cFlowCmd again;
    EXPECT_TRUE(LoadBytes(again, kDataVersion, NestedCommand(2)));
}

TEST(Refusal, LoadFileReportsAndLeavesANewRecord) {
    TempDir dir;
    CreateReport("Report_Game.txt");
    ByteBuilder file;
    file.I32(kDataVersion);
    std::string body = FullCmdBody().Str();
    file.Bytes(body.substr(0, body.size() - 6));
    dir.WriteHostFile("cmd.dat", file.Str());
    cFlowCmd c;
    c.m_vParam = {5};
    c.m_spMove = std::make_shared<cEdMove>();
    EXPECT_EQ(c.LoadFile("cmd.dat"), 0);
    EXPECT_FALSE(c.m_spMove || c.m_spShot || c.m_spCondList);
    EXPECT_TRUE(c.m_vParam.empty());
    EXPECT_TRUE(c.m_vFlow.empty());
    EXPECT_NE(dir.ReadHostFile("Report_Game.txt").find("cmd.dat"), std::string::npos);

    dir.WriteHostFile("flow.dat", ByteBuilder()
                                      .I32(kDataVersion)
                                      .Bytes(FlowBytes(kDataVersion, {{{"m_cId", 4}}, "", {}, {}, {}}).Truncated(12))
                                      .Str());
    cFlow f;
    f.m_cKeyWindow = 9;
    EXPECT_EQ(f.LoadFile("flow.dat"), 0);
    EXPECT_EQ(f.m_cKeyWindow, 3);
    EXPECT_EQ(f.m_cId, 0);
}

TEST(Refusal, NewerFilesAreRefused) {
    TempDir dir;
    dir.WriteHostFile("new.dat", ByteBuilder().I32(921).Bytes(FullCmdBody().Str()).Str());
    cFlowCmd c;
    EXPECT_EQ(c.LoadFile("new.dat"), 0);
    EXPECT_EQ(c.m_cKind, 0);
}

}  // namespace
