#include <gtest/gtest.h>

#include "gamedata/definitions/common_palette.h"
#include "gamedata/fixtures/definition_fixtures.h"
#include "gamedata/fixtures/record_io.h"
#include "support/temp_dir.h"
#include "support/test_env.h"

namespace {

using CommonPaletteFile = GameDataTest;

struct PaletteBytes {
    std::vector<DefFixture> blocks, charas, items;
};

ByteBuilder PaletteFile(int version, const PaletteBytes& p) {
    ByteBuilder b;
    b.I32(version).I32(0).I32(0);
    struct List {
        DefKind kind;
        const std::vector<DefFixture>* defs;
    };
    for (auto l : {List{DefKind::Block, &p.blocks}, List{DefKind::Chara, &p.charas}, List{DefKind::Item, &p.items}}) {
        b.I32(static_cast<std::int32_t>(l.defs->size()));
        for (const auto& d : *l.defs) b.Append(DefBytes(l.kind, version, d));
    }
    return b;
}

int LoadPalette(const TempDir& dir, const ByteBuilder& file) {
    dir.WriteHostFile("CommonPalette.cplt4", file.Str());
    return CommonPalette.LoadFile("CommonPalette.cplt4");
}

DefFixture Named(const char* name, Values fields = {}) {
    DefFixture d;
    d.name = name;
    d.fields = std::move(fields);
    d.fields.emplace("m_cScale", 1);
    return d;
}

TEST_F(CommonPaletteFile, NoItemsGiveTwoDefaultItems) {
    TempDir dir;
    PaletteBytes p;
    p.blocks = {Named("b0"), Named("b1")};
    p.charas = {Named("c0"), Named("c1")};
    ASSERT_EQ(LoadPalette(dir, PaletteFile(kDataVersion, p)), 1);
    ASSERT_EQ(CommonPalette.m_vPaletteItems.Count(), 2);
    for (const auto& it : CommonPalette.m_vPaletteItems) {
        EXPECT_EQ(it.m_strName, "");
        EXPECT_EQ(it.m_cZ, 6);
    }
    EXPECT_EQ(CommonPalette.m_vPaletteBlocks[1].m_strName, "b1");
}

TEST_F(CommonPaletteFile, EntryZeroIsAlwaysTheDefault) {
    TempDir dir;
    PaletteBytes p;
    p.blocks = {Named("first", {{"m_sCell", 5}, {"m_cContact", 2}, {"m_cDrawPass", 1}})};
    p.blocks[0].flags = {1, 1, 1};
    ASSERT_EQ(LoadPalette(dir, PaletteFile(kDataVersion, p)), 1);
    const cBlockDef& b = CommonPalette.m_vPaletteBlocks[0];
    EXPECT_EQ(b.m_strName, "");
    EXPECT_EQ(b.m_sCell, 0);
    EXPECT_EQ(b.m_cContact, 0);  // an empty block is passable
    EXPECT_EQ(b.m_cDrawPass, 0);
    EXPECT_EQ(std::vector<std::uint8_t>(b.m_vbInherit.begin(), b.m_vbInherit.end()), std::vector<std::uint8_t>(11, 0));
    EXPECT_EQ(CommonPalette.m_vPaletteBlocks.Count(), 2);
}

TEST_F(CommonPaletteFile, EntriesInheritFromEarlierEntriesAndKeepNoFlags) {
    TempDir dir;
    PaletteBytes p;
    DefFixture base = Named(
        "base",
        {{"m_nMaxHp", 55}, {"m_cSide", 4}, {"m_sCell", 9}, {"m_cZ", 7}, {"m_cCharaProp35", 0}, {"m_cOperation", 1}});
    base.tail = {FlowBytes(kDataVersion, [] {
        FlowFixture f;
        f.fields = {{"m_cId", 3}, {"m_cKeyWindow", 3}};
        return f;
    }())};
    DefFixture heir = Named("heir", {{"m_cBaseSource", 1}, {"m_sBaseIndex", 1}, {"m_nMaxHp", 1}});
    heir.flags.assign(37, 1);
    p.charas = {Named("c0"), base, heir};
    ASSERT_EQ(LoadPalette(dir, PaletteFile(kDataVersion, p)), 1);
    const cCharaDef& h = CommonPalette.m_vPaletteCharas[2];
    EXPECT_EQ(h.m_strName, "base");
    EXPECT_EQ(h.m_nMaxHp, 55);
    EXPECT_EQ(h.m_cSide, 4);
    EXPECT_EQ(h.m_sCell, 9);
    EXPECT_EQ(h.m_cZ, 7);
    EXPECT_EQ(h.m_cCharaProp35, 0);
    ASSERT_EQ(h.m_vFlow.Count(), 1);
    EXPECT_EQ(h.m_vFlow[0].m_cId, 3);
    for (int i = 0; i < h.m_vbInherit.Count(); ++i) EXPECT_EQ(h.m_vbInherit[i], 0) << i;
    EXPECT_EQ(h.m_cBaseSource, 1);  // resolved; the reference itself stays

    // Saved back, the flags are all 0 and a reload gives the same palette.
    cDataFile out("mem", cDataFile::Mode::Write);
    CommonPalette.Save(out);
    const auto saved = out.Bytes();
    dir.WriteHostFile("again.cplt4",
                      ByteBuilder().I32(kDataVersion).Bytes(std::string(saved.begin(), saved.end())).Str());
    ASSERT_EQ(CommonPalette.LoadFile("again.cplt4"), 1);
    cDataFile out2("mem", cDataFile::Mode::Write);
    CommonPalette.Save(out2);
    EXPECT_EQ(out2.Bytes(), saved);
}

TEST_F(CommonPaletteFile, StagePaletteReferencesAreLostAtStartUp) {
    TempDir dir;
    PaletteBytes p;
    DefFixture far = Named("far", {{"m_cBaseSource", 2}, {"m_sBaseIndex", 3}});
    far.flags.assign(11, 1);
    DefFixture zero = Named("zero", {{"m_cBaseSource", 2}, {"m_sBaseIndex", 0}});
    p.blocks = {Named("b0"), far, zero};
    ASSERT_EQ(LoadPalette(dir, PaletteFile(kDataVersion, p)), 1);
    EXPECT_EQ(CommonPalette.m_vPaletteBlocks[1].m_cBaseSource, 0);
    EXPECT_EQ(CommonPalette.m_vPaletteBlocks[1].m_strName, "far");
    // Index 0 names the stage palette's single default entry, which exists.
    EXPECT_EQ(CommonPalette.m_vPaletteBlocks[2].m_cBaseSource, 2);
}

TEST_F(CommonPaletteFile, BadFilesLeaveTheConstructedPalette) {
    TempDir dir;
    PaletteBytes p;
    p.blocks = {Named("b0"), Named("b1"), Named("b2")};
    const ByteBuilder good = PaletteFile(kDataVersion, p);
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"truncated", good.Truncated(good.Size() - 3)},
        {"newer", PaletteFile(921, p).Str()},
        {"huge count", ByteBuilder().I32(kDataVersion).I32(0).I32(0).I32(0x7FFFFFFF).Str()},
        {"negative count", ByteBuilder().I32(kDataVersion).I32(0).I32(0).I32(-5).Str()},
    };
    for (const auto& c : cases) {
        CommonPalette = cCommonPalette();
        CommonPalette.m_vPaletteBlocks[0].m_strName = "marker";
        dir.WriteHostFile("bad.cplt4", c.bytes);
        EXPECT_EQ(CommonPalette.LoadFile("bad.cplt4"), 0) << c.what;
        EXPECT_EQ(CommonPalette.m_vPaletteBlocks.Count(), 1) << c.what;
        EXPECT_EQ(CommonPalette.m_vPaletteCharas.Count(), 1) << c.what;
    }
    EXPECT_EQ(CommonPalette.LoadFile("missing.cplt4"), 0);
}

// Entries stored in their least 8 bytes cost over a hundred times that in
// memory. The count alone refuses a file full of them, before any entry is
// made.
TEST_F(CommonPaletteFile, ACountOverTheFilesMemoryBudgetIsRefusedWithAReportLine) {
    TestEnv env;
    // A count of characters, the largest definitions, at the 8 bytes each
    // that the list asks at the least, in a file just large enough for the
    // count to ask for more memory than the file's budget.
    const std::size_t cost = ElementMemoryCost<cCharaDef>();
    ASSERT_GT(cost / 8, kLoadMemoryPerFileByte);
    const std::size_t size = 2 * kLoadMemoryFloor / (cost / 8 - kLoadMemoryPerFileByte);
    const auto entries = static_cast<std::int32_t>((size - 20) / 8);
    ASSERT_GT(entries * cost, kLoadMemoryFloor + kLoadMemoryPerFileByte * size);
    ByteBuilder crafted;
    crafted.I32(kDataVersion).I32(0).I32(0).I32(0).I32(entries).Bytes(std::string(size - 20, '\0'));
    CommonPalette = cCommonPalette();
    const std::size_t reported = env.Report().size();
    env.Dir().WriteHostFile("crafted.cplt4", crafted.Str());
    EXPECT_EQ(CommonPalette.LoadFile("crafted.cplt4"), 0);
    EXPECT_EQ(CommonPalette.m_vPaletteBlocks.Count(), 1);
    const std::string line = env.Report().substr(reported);
    EXPECT_NE(line.find("bytes of memory"), std::string::npos) << line;

    // Real entries take far less memory per stored byte.
    PaletteBytes p;
    for (int i = 0; i < 300; ++i) p.blocks.push_back(Named("b"));
    EXPECT_EQ(LoadPalette(env.Dir(), PaletteFile(kDataVersion, p)), 1);
    EXPECT_EQ(CommonPalette.m_vPaletteBlocks.Count(), 300);
}

}  // namespace
