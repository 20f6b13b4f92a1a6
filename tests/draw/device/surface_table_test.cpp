#include <set>
#include <string>
#include <vector>

#include "draw/blit.h"
#include "draw/device/surface_table.h"
#include "draw/draw_fixture.h"
#include "platform/message_box.h"

namespace {

std::vector<int> StageSet() {
    std::vector<int> set;
    for (int i = 2; i <= 44; ++i) set.push_back(i);
    for (int i : {46, 47, 48, 50, 52}) set.push_back(i);
    for (int i = 56; i <= 71; ++i) set.push_back(i);
    return set;
}

class SurfaceTableTest : public DrawTest {
protected:
    void WriteStandardPictures(const std::string& skip = "") {
        for (const char* name : {"Block", "Character1", "Shot", "Item", "Item_Mini", "Mark", "Window", "StatusWindow",
                                 "Title", "Accessory", "Word"}) {
            if (skip == name) continue;
            std::vector<std::uint32_t> rgb(64 * 32);
            for (int i = 0; i < 64 * 32; ++i)
                rgb[static_cast<std::size_t>(i)] = 0x010000u | static_cast<std::uint32_t>(i % 64);
            dir.WriteHostFile(std::string("bmp/") + name + ".bmp", Bmp24(64, 32, rgb));
        }
    }
    void TearDown() override {
        for (DDSURFACEDATA& sd : SurfaceArray) {
            DDReleaseSurface(&sd);
            sd = DDSURFACEDATA();
        }
        platform::ClearMessageBoxes();
        DrawTest::TearDown();
    }
};

TEST_F(SurfaceTableTest, TableRowsMatchTheirRoles) {
    EXPECT_STREQ(SurfaceTable[0].fileName, "bmp\\plt\\Palette.bmp");
    EXPECT_STREQ(SurfaceTable[56].fileName, "背景その1.bmp");
    EXPECT_EQ(SurfaceTable[23].nMirrorWidth, 32);
    EXPECT_EQ(SurfaceTable[21].nMirrorWidth, 16);
    EXPECT_EQ(SurfaceShareSource(23), 4);
    EXPECT_EQ(SurfaceShareSource(69), 68);
    EXPECT_EQ(SurfaceShareSource(4), -1);
    EXPECT_EQ(SurfaceTable[70].nMemoryType, DTMEMORYTYPE_VIDEO_NORT);
    EXPECT_EQ(SurfaceTable[71].nWidth, 1024);
    int shared = 0;
    for (const auto& e : SurfaceTable) shared += e.nShare;
    EXPECT_EQ(shared, 31);
}

TEST_F(SurfaceTableTest, StageSetLoadsWithoutOptionalPictures) {
    for (const DrawMode* m : {&kD3D32, &kDD32}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        DDLinkSurfaceTable();
        WriteStandardPictures();
        const std::vector<int> set = StageSet();
        EXPECT_TRUE(DDLoadSurfaceTable(SurfaceArray, set.data(), static_cast<int>(set.size())));
        EXPECT_TRUE(platform::RecordedMessageBoxes().empty());
        EXPECT_EQ(SurfaceArray[2].nWidth, 64);
        EXPECT_EQ(SurfaceArray[64].nHeight, 960);
        EXPECT_EQ(SurfaceArray[12].Pixels(), nullptr) << "Character5 is optional and missing";
        DDRelease();
    }
}

TEST_F(SurfaceTableTest, MissingRequiredPictureStopsWithABox) {
    Start(kD3D32);
    WriteStandardPictures("Block");
    const std::vector<int> set = StageSet();
    EXPECT_FALSE(DDLoadSurfaceTable(SurfaceArray, set.data(), static_cast<int>(set.size())));
    const auto boxes = platform::RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "bmp\\Block.bmp の読み込みに失敗！");
    EXPECT_EQ(boxes[0].caption, "エラー");
    EXPECT_EQ(SurfaceArray[4].Pixels(), nullptr) << "loading stopped at the failed index";
}

TEST_F(SurfaceTableTest, MirroredCopySharesTheSheetTexture) {
    Start(kD3D32);
    DDLinkSurfaceTable();
    WriteStandardPictures();
    const int list[] = {4, 23};
    ASSERT_TRUE(DDLoadSurfaceTable(SurfaceArray, list, 2));
    EXPECT_EQ(SurfaceArray[23].Pixels(), nullptr) << "no texture of its own";
    DDFillSurfaceColor(&BackBuffer, 0xFF000000u);
    EXPECT_EQ(DDBlt(&BackBuffer, 0, 0, 32, 1, &SurfaceArray[23], 0, 0, 1), 1);
    EXPECT_EQ(PixelAt(BackBuffer, 0, 0), 0xFF010000u | 31u) << "cell 0 of entry 4, mirrored";
    DDReleaseSurface(&SurfaceArray[23]);
    EXPECT_NE(SurfaceArray[4].Pixels(), nullptr);
}

TEST_F(SurfaceTableTest, LoadingTwiceListsEachTextureOnce) {
    Start(kD3D32);
    DDLinkSurfaceTable();
    WriteStandardPictures();
    const std::size_t before = SurfaceList.size();
    const std::vector<int> set = StageSet();
    ASSERT_TRUE(DDLoadSurfaceTable(SurfaceArray, set.data(), static_cast<int>(set.size())));
    const std::size_t once = SurfaceList.size();
    ASSERT_TRUE(DDLoadSurfaceTable(SurfaceArray, set.data(), static_cast<int>(set.size())));
    EXPECT_EQ(SurfaceList.size(), once);
    std::set<int> ids;
    for (const DDTEXTUREDATA* t : SurfaceList) ids.insert(t->nTextureId);
    EXPECT_EQ(ids.size(), SurfaceList.size());
    EXPECT_GT(once, before);
}

TEST_F(SurfaceTableTest, DirectDrawCopiesCarryTheirOwnMirroredPixels) {
    Start(kDD32);
    WriteStandardPictures();
    const int list[] = {4, 23};
    ASSERT_TRUE(DDLoadSurfaceTable(SurfaceArray, list, 2));
    EXPECT_EQ(SurfaceArray[23].nDDMemory, 1);
    EXPECT_EQ(PixelAt(SurfaceArray[23], 0, 0) & 0xFFFFFF, 0x010000u | 31u);
    EXPECT_EQ(PixelAt(SurfaceArray[4], 0, 0) & 0xFFFFFF, 0x010000u);
}

}  // namespace
