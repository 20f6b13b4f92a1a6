#include <vector>

#include "draw/blit.h"
#include "draw/device/surface_table.h"
#include "draw_fixture.h"

namespace {

class RestoreTest : public DrawTest {
protected:
    void WritePicture() {
        std::vector<std::uint32_t> rgb(64 * 2);
        for (int i = 0; i < 128; ++i) rgb[static_cast<std::size_t>(i)] = 0x200000u + static_cast<std::uint32_t>(i % 64);
        dir.WriteHostFile("pic.bmp", Bmp24(64, 2, rgb));
    }
};

TEST_F(RestoreTest, LostDeviceFailsQuietlyUntilTheRestore) {
    Start(kD3D32);
    WritePicture();
    DDSURFACEDATA pic, mirrored, work, sys;
    ASSERT_EQ(DDCreateSurfaceFromFile(&pic, "pic.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    ASSERT_EQ(DDCreateSurfaceFromFile(&mirrored, "pic.bmp", 1, 32, 0, 0, 0, 0, 32, 0, 0), 0);
    ASSERT_TRUE(DDCreateSurface(&work, 8, 8, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&sys, 8, 8, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
    DDFillRectColor(&work, 0, 0, 8, 8, 0xFF112233u);
    DDFillRectColor(&sys, 0, 0, 8, 8, 0xFF445566u);
    const std::size_t listed = SurfaceList.size();

    DDSimulateDeviceLost(false);
    EXPECT_EQ(DDFlip(60, 0, 0), 0);
    EXPECT_EQ(DDBlt(&BackBuffer, 0, 0, 8, 8, &pic, 0, 0, 1), 0) << "no scene on a lost device";
    EXPECT_EQ(DDRestoreSurface(), 0) << "not resettable yet";

    DDSetDeviceResettable(true);
    EXPECT_EQ(DDRestoreSurface(), 1);
    EXPECT_EQ(SurfaceList.size(), listed);
    EXPECT_EQ(PixelAt(pic, 5, 1), 0xFF200005u) << "pictures load again";
    EXPECT_EQ(PixelAt(mirrored, 0, 0), 0xFF20001Fu) << "with their mirrored cells";
    EXPECT_EQ(work.bLost, 1) << "empty surfaces tell their owner to redraw";
    EXPECT_EQ(PixelAt(work, 0, 0), 0xFF000000u) << "cleared to the transparent colour";
    EXPECT_EQ(PixelAt(sys, 0, 0), 0xFF445566u) << "system memory survives";
    EXPECT_EQ(DDBlt(&BackBuffer, 0, 0, 8, 2, &pic, 0, 0, 1), 1);
    EXPECT_EQ(DDFlip(60, 0, 0), 1);
    for (DDSURFACEDATA* sd : {&pic, &mirrored, &work, &sys}) DDReleaseSurface(sd);
}

TEST_F(RestoreTest, MovedRecordsAreStillRebuilt) {
    Start(kD3D32);
    WritePicture();
    cVector<DDSURFACEDATA> surfaces;
    surfaces.resize(1);
    ASSERT_EQ(DDCreateSurfaceFromFile(&surfaces[0], "pic.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    surfaces.resize(50);  // moves the record
    DDSimulateDeviceLost(true);
    EXPECT_EQ(DDRestoreSurface(), 1);
    EXPECT_EQ(PixelAt(surfaces[0], 5, 1), 0xFF200005u);
    DDReleaseSurfaceVector(surfaces);
}

TEST_F(RestoreTest, DirectDrawReloadsVideoSurfacesOfTheArray) {
    WritePicture();
    std::vector<DDSURFACEDATA> array(3);
    ASSERT_TRUE(DDInit(0, nullptr, 640, 480, 32, 1, 1, 1, 60, 0, array.data(), SurfaceTable, 3, 0));
    ASSERT_EQ(DDCreateSurfaceFromFile(&array[0], "pic.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    ASSERT_TRUE(DDCreateSurface(&array[1], 8, 8, 1, 0, 0, 0, 0));
    ASSERT_EQ(DDCreateSurfaceFromFile(&array[2], "pic.bmp", 1, 32, 1, 0, 0, 0, 0, 0, 0), 0);
    EXPECT_TRUE(DDRestore()) << "nothing lost: nothing to do";
    DDSimulateDeviceLost(false);
    EXPECT_NE(PixelAt(array[0], 5, 1) & 0xFFFFFF, 0x200005u);
    EXPECT_TRUE(DDRestore());
    EXPECT_EQ(PixelAt(array[0], 5, 1) & 0xFFFFFF, 0x200005u);
    EXPECT_EQ(array[1].bLost, 1);
    EXPECT_EQ(array[2].bLost, 0);
    EXPECT_EQ(PixelAt(array[2], 5, 1) & 0xFFFFFF, 0x200005u) << "system memory was never lost";
    DDRelease();
    EXPECT_EQ(array[0].Pixels(), nullptr) << "the release frees the array's surfaces";
}

}  // namespace
