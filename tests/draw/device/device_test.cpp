#include <string>

#include "draw/blit.h"
#include "draw/draw_fixture.h"
#include "draw/primitives.h"
#include "foundation/report.h"
#include "platform/message_box.h"

namespace {

class DeviceTest : public DrawTest {};

TEST_F(DeviceTest, FormatsAndChannelsPerMode) {
    const struct {
        const DrawMode* mode;
        DWORD backFormat;
        DWORD surfaceFormat;  // texture format, or the display format
        int redShift, greenMax;
    } cases[] = {
        {&kD3D32, D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, 16, 255},
        {&kD3D16Window, D3DFMT_A1R5G5B5, D3DFMT_A1R5G5B5, 10, 31},
        {&kD3D16Full, D3DFMT_R5G6B5, D3DFMT_A1R5G5B5, 10, 31},
        {&kDD32, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, 16, 255},
        {&kDD16, D3DFMT_R5G6B5, D3DFMT_R5G6B5, 11, 63},
        {&kDD8, D3DFMT_P8, D3DFMT_P8, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode->name);
        Start(*c.mode);
        EXPECT_EQ(lpDTCon != nullptr, c.mode->bD3D == 1);
        EXPECT_EQ(lpDDCon != nullptr, c.mode->bD3D == 0);
        EXPECT_EQ(BackBuffer.Pixels()->fmt, c.backFormat);
        DDSURFACEDATA sd;
        ASSERT_TRUE(DDCreateSurface(&sd, 2, 2, 0, 0, 0, 0, 0));
        EXPECT_EQ(sd.Pixels()->fmt, c.surfaceFormat);
        if (c.redShift >= 0) {
            EXPECT_EQ(TexChannels.nShift[0], c.redShift);
            EXPECT_EQ(TexChannels.nMax[1], c.greenMax);
        }
        if (c.mode == &kD3D16Full) { EXPECT_EQ(BackChannels.nMax[1], 63); }
        DDReleaseSurface(&sd);
        DDRelease();
    }
}

TEST_F(DeviceTest, FailedDeviceStartFallsBackToDirectDraw) {
    EXPECT_FALSE(DDInit(1, nullptr, 640, 480, 24, 1, 1, 1, 60, 0, nullptr, nullptr, 0, 0));
    DDRelease();
    EXPECT_EQ(lpDTCon, nullptr);
    ASSERT_TRUE(DDInit(0, nullptr, 640, 480, 32, 1, 1, 1, 60, 0, nullptr, nullptr, 0, 0));
    EXPECT_NE(lpDDCon, nullptr);
    DDSURFACEDATA sd;
    ASSERT_TRUE(DDCreateSurface(&sd, 2, 2, 0, 0, 0, 0, 0));
    EXPECT_EQ(sd.lpDT, nullptr);
    DDFillSurfaceColor(&sd, 0x445566u);
    EXPECT_EQ(DDBlt(&BackBuffer, 0, 0, 2, 2, &sd, 0, 0, 0), 1);
    EXPECT_EQ(BackBuffer.Pixels()->Get(1, 1), 0x445566u);
    EXPECT_EQ(DDFlip(60, 0, 0), 1);
    DDReleaseSurface(&sd);
}

TEST_F(DeviceTest, WindowedVSyncNeedsSixtyHertz) {
    ASSERT_EQ(CreateReport("Report_Game.txt"), 1);
    const struct {
        int rate;
        int vsync;
    } cases[] = {{60, 1}, {75, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        AbortFlag = 0;
        DDSoftwareCaps = DDSOFTWARECAPS();
        DDSoftwareCaps.nDisplayRefreshRate = c.rate;
        ASSERT_TRUE(DDInit(1, nullptr, 640, 480, 32, 1, 1, 1, 60, 1, nullptr, nullptr, 0, 0));
        EXPECT_EQ(DDSetting.bVSync, c.vsync);
        DDRelease();
    }
    DDSoftwareCaps = DDSOFTWARECAPS();
    EXPECT_NE(dir.ReadHostFile("Report_Game.txt").find("RefreshRate : 75"), std::string::npos);
}

TEST_F(DeviceTest, SceneBracketAndStageDefaults) {
    Start(kD3D32);
    EXPECT_EQ(BackBuffer.lpDT->nTextureId, 0);
    EXPECT_EQ(VirBackBuffer.lpDT->nTextureId, 1);
    EXPECT_EQ(WorkSD.lpDT->nTextureId, 2);
    EXPECT_EQ(lpDTCon->dwColorOp, D3DTOP_MODULATE);
    EXPECT_EQ(lpDTCon->dwAlphaOp, D3DTOP_SELECTARG1);
    EXPECT_EQ(DDBeginScene(), 1);
    EXPECT_EQ(lpDTCon->bInScene, 1);
    EXPECT_EQ(DDBeginScene(), 1);
    EXPECT_EQ(DDFlip(60, 0, 0), 1);
    EXPECT_EQ(lpDTCon->bInScene, 0);
    EXPECT_EQ(DDSetRenderTarget(0, &BackBuffer), 1);
    DDSURFACEDATA sys;
    ASSERT_TRUE(DDCreateSurface(&sys, 2, 2, 0, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
    EXPECT_EQ(DDSetRenderTarget(0, &sys), 0);
    DDReleaseSurface(&sys);
}

TEST_F(DeviceTest, DirectDrawLockHandsOutThePixels) {
    Start(kDD16);
    DDSURFACEDESC2 desc;
    void* bits = nullptr;
    ASSERT_TRUE(DDLock(&BackBuffer, &desc, &bits, 16));
    EXPECT_EQ(desc.lPitch, 1280);
    EXPECT_EQ(desc.nBitCount, 16);
    static_cast<std::uint16_t*>(bits)[641] = 0xABCD;
    DDUnlock(&BackBuffer);
    EXPECT_EQ(BackBuffer.Pixels()->Get(1, 1), 0xABCDu);
    EXPECT_EQ(DDPalToRGB16(&Palette[0]), DDPalNumToPixel(0));
    DDRelease();
    Start(kD3D32);
    EXPECT_TRUE(DDLock(&BackBuffer, &desc, &bits, 32)) << "the device path answers true without locking";
    EXPECT_EQ(DDPalToRGB16(&Palette[0]), 0u);
}

TEST_F(DeviceTest, FullScreenBoxesGoThroughTheFrame) {
    platform::ClearMessageBoxes();
    ASSERT_TRUE(StartMode(kD3D16Full));
    ErrorBox("テスト");
    const auto boxes = platform::RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "エラー");
    EXPECT_EQ(DDMesBox("a", "b", MB_OK), 1);
    platform::ClearMessageBoxes();
}

}  // namespace
