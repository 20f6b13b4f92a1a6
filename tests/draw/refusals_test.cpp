// Calls with sizes or positions no surface can have are refused with a
// report line and leave every buffer as it was.
#include <climits>

#include "draw/blit.h"
#include "effect_fixture.h"
#include "foundation/report.h"

namespace {

class RefusalTest : public DrawTest {
protected:
    void SetUp() override { ASSERT_EQ(CreateReport("Report_Game.txt"), 1); }
    bool Reported(const char* text) { return dir.ReadHostFile("Report_Game.txt").find(text) != std::string::npos; }
};

TEST_F(RefusalTest, BlitNearTheIntLimitDrawsNothing) {
    for (const DrawMode* m : {&kDD32, &kDD8, &kD3D32}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        DDSURFACEDATA pic;
        ASSERT_TRUE(MakeRawSurface(pic, 32, 32, 1));
        EXPECT_EQ(DDBlt(&BackBuffer, INT_MAX - 10, 0, 32, 32, &pic, 0, 0, 0), 0);
        EXPECT_EQ(DDBlt(&BackBuffer, 0, INT_MAX - 10, 32, 32, &pic, 0, 0, 0), 0);
        EXPECT_EQ(DDBltStretch(&BackBuffer, INT_MIN + 5, 0, 64, 64, &pic, 0, 0, 32, 32, 0), 0);
        EXPECT_EQ(RawAt(BackBuffer, 0, 0), 0u);
        EXPECT_TRUE(Reported("DDClipBlt Err"));
        DDReleaseSurface(&pic);
        DDRelease();
    }
}

TEST_F(RefusalTest, NegativeMirrorCellsAreRefused) {
    dir.WriteHostFile("m.bmp", Bmp24(64, 8, std::vector<std::uint32_t>(64 * 8, 0x102030u)));
    for (const DrawMode* m : {&kDD32, &kD3D32}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        DDSURFACEDATA sd;
        EXPECT_EQ(DDCreateSurfaceFromFile(&sd, "m.bmp", 0, 32, 0, 0, 0, 0, -32, 0, 0), 1);
        EXPECT_EQ(DDCreateSurfaceFromFile(&sd, "m.bmp", 0, 32, 0, 0, 0, 0, 0, -8, 0), 1);
        DDReleaseSurface(&sd);
        DDRelease();
    }
    Start(kDD32);
    DDSURFACEDATA sd;
    ASSERT_TRUE(DDCreateSurface(&sd, 64, 8, 0, 0, 0, 0, 0));
    EXPECT_FALSE(CopyBitmap(&sd, "m.bmp", 32, 0, -32, 0));
    EXPECT_EQ(RawAt(sd, 0, 0), RawAt(sd, 63, 7)) << "nothing copied";
    EXPECT_TRUE(Reported("CreateMirror Err"));
    DDReleaseSurface(&sd);
}

TEST_F(RefusalTest, SurfaceSizesNoDeviceHasAreRefused) {
    const struct {
        const DrawMode* mode;
        int w, h;
    } cases[] = {
        {&kDD32, -5, 10}, {&kDD32, 1 << 20, 1 << 20}, {&kD3D32, -5, 10}, {&kD3D32, 10, 0}, {&kD3D32, 1 << 20, 1 << 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.w);
        Start(*c.mode);
        DDSURFACEDATA sd;
        EXPECT_FALSE(DDCreateSurface(&sd, c.w, c.h, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        EXPECT_EQ(sd.Pixels(), nullptr);
        DDReleaseSurface(&sd);
        DDRelease();
    }
    // A texture beyond the device's limit is refused before any allocation.
    Start(kD3D32);
    lpDTCon->nMaxTextureWidth = 256;
    DDSURFACEDATA sd;
    EXPECT_FALSE(DDCreateSurface(&sd, 512, 16, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    EXPECT_EQ(sd.Pixels(), nullptr);
    dir.WriteHostFile("wide.bmp", Bmp24(300, 1, std::vector<std::uint32_t>(300, 0x102030u)));
    EXPECT_EQ(DDCreateSurfaceFromFile(&sd, "wide.bmp", 0, 32, 0, 0, 0, 0, 0, 0, 0), 4);
    EXPECT_EQ(sd.Pixels(), nullptr);
    EXPECT_TRUE(Reported("横幅256を超える"));
    DDReleaseSurface(&sd);
}

TEST_F(RefusalTest, VirtualBackBufferSwitchSetsTheRenderTargetField) {
    Start(kD3D32);
    DDSetVirBackBuffer(1);
    EXPECT_EQ(lpDTCon->lpRenderTarget, &BackBuffer);
    DDSetVirBackBuffer(0);
    EXPECT_EQ(lpDTCon->lpRenderTarget, &VirBackBuffer);
}

}  // namespace
