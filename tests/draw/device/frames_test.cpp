#include "draw/device/frames.h"
#include "draw/draw_fixture.h"

namespace {

class FramesTest : public DrawTest {};

// A framed box: the picture fills the inside, the frame of two pixels lies
// outside it, and nothing is drawn beyond the frame.
TEST_F(FramesTest, FramedBoxPutsThePictureInsideAFrameOutside) {
    for (const DrawMode* m : {&kDD32, &kD3D32}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        Palette[7] = PALETTEENTRY{0x10, 0x20, 0x30, 0};
        Palette[9] = PALETTEENTRY{0xF0, 0xE0, 0xD0, 0};
        DDSURFACEDATA picture;
        ASSERT_TRUE(DDCreateSurface(&picture, 64, 64, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        PalNumToRGB(&picture, 0, 0, 64, 64, 9);
        PalNumToRGB(&BackBuffer, 0, 0, 640, 480, 0);
        const std::uint32_t background = PixelAt(BackBuffer, 0, 0);
        DDFramedBox(&BackBuffer, 100, 50, 20, 10, &picture, 2, 7);
        const struct {
            int x, y;
            std::uint32_t want;
        } probes[] = {
            {100, 50, 0xFFF0E0D0u}, {119, 59, 0xFFF0E0D0u}, {98, 48, 0xFF102030u}, {99, 60, 0xFF102030u},
            {121, 61, 0xFF102030u}, {120, 55, 0xFF102030u}, {97, 47, background},  {122, 62, background},
            {110, 61, 0xFF102030u}, {110, 62, background},
        };
        for (const auto& p : probes) EXPECT_EQ(PixelAt(BackBuffer, p.x, p.y), p.want) << p.x << "," << p.y;
        DDReleaseSurface(&picture);
        DDRelease();
    }
}

}  // namespace
