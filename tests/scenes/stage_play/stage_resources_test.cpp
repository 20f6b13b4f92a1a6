#include "scenes/stage_play/stage_resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw/device/surface_table.h"
#include "draw/draw_fixture.h"
#include "gamedata/global_data.h"
#include "stage/drawing/stage_surfaces.h"

namespace {

// A 64 x 32 picture whose pixel x of row 0 is colour x + 1.
std::string CountingPicture() {
    std::vector<std::uint32_t> rgb(64 * 32, 0x00FF00FFu);
    for (int x = 0; x < 64; ++x) rgb[static_cast<std::size_t>(x)] = static_cast<std::uint32_t>(x + 1) << 8;
    return Bmp24(64, 32, rgb);
}

class StageResources : public DrawTest, public ::testing::WithParamInterface<DrawMode> {
protected:
    void SetUp() override {
        Start(GetParam());
        dir.WriteHostFile("bmp/a.bmp", CountingPicture());
        dir.WriteHostFile("bmp/b.bmp", Bmp24(32, 16, std::vector<std::uint32_t>(32 * 16, 0x123456u)));
        Database.BmpCharaExc.resize(3);
        Database.BmpCharaExc[1].m_strFile = "bmp\\a.bmp";
        Database.BmpCharaExc[2].m_strFile = "bmp\\a.bmp";
        Database.BmpCharaExc[2].m_nSizeFlag = 1;
        Database.BmpCharaExc[2].m_nCellSize = 2;
        Database.SwordType.resize(2);
        Database.SwordType[0].m_strLeftFile = "bmp\\a.bmp";
        Database.SwordType[0].m_strRightFile = "bmp\\b.bmp";
        Database.SwordType[1].m_strLeftFile = "bmp\\missing.bmp";
        Database.SwordType[1].m_strRightFile = "bmp\\b.bmp";
        Database.Effect.resize(2);
        Database.Effect[1].m_strFile = "bmp\\b.bmp";
    }
    void TearDown() override {
        ReleaseStageBitmaps();
        Database = cDatabase();
        DrawTest::TearDown();
    }
};

}  // namespace

TEST_P(StageResources, EachEntryGetsItsSurfacesMirroredAndShared) {
    LoadStageBitmaps();
    LoadSwordBitmaps();
    LoadEffectBitmaps();
    // Entry 0 of the dedicated pictures and the effects has none; sword 0 has.
    ASSERT_EQ(StageBmpSurfaces.Count(), 8);
    ASSERT_EQ(StageBmpEntries.Count(), 8);
    ASSERT_EQ(SwordSurfaces.Count(), 8);
    ASSERT_EQ(EffectSurfaces.Count(), 2);

    // Without the custom-cell flag the mirror cells are 32 wide, with it the
    // entry's cell size in blocks; only surfaces 1 and 3 are mirrored.
    const std::vector<int> mirrors = {0, 32, 0, 32, 0, 64, 0, 64};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(StageBmpEntries[i].nMirrorWidth, mirrors[static_cast<std::size_t>(i)]) << i;
    for (int base : {0, 4}) {
        EXPECT_EQ(StageBmpSurfaces[base].lpShareSD, nullptr);
        for (int s = 1; s < 4; ++s) EXPECT_EQ(StageBmpSurfaces[base + s].lpShareSD, &StageBmpSurfaces[base]) << s;
        for (int s = 0; s < 4; ++s) EXPECT_EQ(StageBmpSurfaces[base + s].nWidth, 64) << s;
    }
    EXPECT_EQ(SwordSurfaces[1].lpShareSD, nullptr);
    EXPECT_EQ(SwordSurfaces[2].lpShareSD, &SwordSurfaces[0]);
    EXPECT_EQ(SwordSurfaces[3].lpShareSD, &SwordSurfaces[1]);
    EXPECT_EQ(SwordSurfaces[0].nWidth, 64);
    EXPECT_EQ(SwordSurfaces[1].nWidth, 32);
    EXPECT_EQ(EffectSurfaces[1].lpShareSD, &EffectSurfaces[0]);
    EXPECT_EQ(EffectSurfaces[0].nHeight, 16);

    // A picture that cannot be read leaves its surfaces empty; the rest load.
    EXPECT_EQ(SwordSurfaces[4].nWidth, 0);
    EXPECT_EQ(SwordSurfaces[4].Pixels(), nullptr);
    EXPECT_EQ(SwordSurfaces[5].nWidth, 32);
}

TEST_P(StageResources, TheProcessorsMirrorFlipsEachCell) {
    if (GetParam().bD3D) GTEST_SKIP() << "the device mirrors while it draws";
    LoadStageBitmaps();
    // Row 0 counts 1 to 64: a 32-pixel cell reads 32 .. 1 then 64 .. 33,
    // a 64-pixel cell 64 .. 1.
    auto green = [](DDSURFACEDATA& sd, int x) { return (PixelAt(sd, x, 0) >> 8) & 255; };
    EXPECT_EQ(green(StageBmpSurfaces[1], 0), 32u);
    EXPECT_EQ(green(StageBmpSurfaces[1], 32), 64u);
    EXPECT_EQ(green(StageBmpSurfaces[5], 0), 64u);
    EXPECT_EQ(green(StageBmpSurfaces[7], 63), 1u);
    EXPECT_EQ(green(StageBmpSurfaces[0], 0), 1u);
}

INSTANTIATE_TEST_SUITE_P(Modes, StageResources, ::testing::Values(kD3D32, kDD32),
                         [](const auto& info) { return std::string(info.param.name); });

class ShotCells : public DrawTest {};

TEST_F(ShotCells, EachCellPairIsCentredInItsSlot) {
    Start(kDD32);
    for (int k : {20, 21}) ASSERT_TRUE(DDCreateSurface(&SurfaceArray[k], 128, 480, 0, 0, 0, 0, 0));
    for (int k : {64, 65}) ASSERT_TRUE(DDCreateSurface(&SurfaceArray[k], 256, 960, 0, 0, 0, 0, 0));
    for (int k : {20, 21, 64, 65})
        DDFillRectColor(&SurfaceArray[k], 0, 0, SurfaceArray[k].nWidth, SurfaceArray[k].nHeight, 0x101010);
    // Cell (d 1, row 2) of picture 20, its left and its right half, and the
    // last right cell of picture 21.
    DDFillRectColor(&SurfaceArray[20], 32 + 3, 32 + 5, 1, 1, 0xAA0000);
    DDFillRectColor(&SurfaceArray[20], 48 + 15, 32 + 15, 1, 1, 0x00BB00);
    DDFillRectColor(&SurfaceArray[21], 96 + 16, 29 * 16, 1, 1, 0x0000CC);
    BuildShotCells();
    EXPECT_EQ(PixelAt(SurfaceArray[64], 64 + 8 + 3, 64 + 8 + 5) & 0xFFFFFF, 0xAA0000u);
    EXPECT_EQ(PixelAt(SurfaceArray[64], 64 + 40 + 15, 64 + 8 + 15) & 0xFFFFFF, 0x00BB00u);
    EXPECT_EQ(PixelAt(SurfaceArray[65], 192 + 40, 29 * 32 + 8) & 0xFFFFFF, 0x0000CCu);
    // The rest of each slot is cleared to colour 0, the margins included.
    EXPECT_EQ(PixelAt(SurfaceArray[64], 0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(PixelAt(SurfaceArray[64], 64 + 7, 64 + 8) & 0xFFFFFF, 0u);
    EXPECT_EQ(PixelAt(SurfaceArray[65], 255, 959) & 0xFFFFFF, 0u);
    EXPECT_EQ(PixelAt(SurfaceArray[64], 64 + 8 + 4, 64 + 8 + 5) & 0xFFFFFF, 0x101010u);
    for (int k : {20, 21, 64, 65}) DDReleaseSurface(&SurfaceArray[k]);
}

namespace {

class NextStageName : public ::testing::Test {
protected:
    void TearDown() override { StoryData = cStorySave(); }
    TempDir dir;
};

}  // namespace

TEST_F(NextStageName, IsTheNewestNumberedFileOfThePathOrThePart) {
    for (const char* f : {"data/stg4/castle-2.stg4_000", "data/stg4/castle-2.stg4_003", "data/stg4/boss.stg4_001"}) {
        dir.WriteHostFile(f, "");
    }
    struct Case {
        const char* name;
        int numbered, next;
        const char* path;
        int number, quiet;
        int result;
        const char* out;
    };
    const Case cases[] = {
        {"part 2", 1, 2, "", 2, 0, 1, "data\\stg4\\castle-2.stg4_003"},
        {"by path", 1, 2, "data\\stg4\\boss.", 9, 0, 1, "data\\stg4\\boss.stg4_001"},
        {"no next stage", 1, 0, "", 2, 0, 0, ""},
        {"not numbered", 0, 2, "", 2, 0, 0, ""},
        {"missing part", 1, 3, "", 3, 0, 0, ""},
        {"missing part, quiet", 1, 3, "", 3, 1, 0, "data\\stg4\\castle-3.stg4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StoryData.m_strStage = "data\\stg4\\castle.";
        StoryData.m_bMultiPart = c.numbered;
        StoryData.m_nNextPart = c.next;
        StoryData.m_strNextStage = c.path;
        std::string out = "stale";
        EXPECT_EQ(StageFileName(out, c.number, c.quiet), c.result);
        EXPECT_EQ(out, c.out);
    }
}
