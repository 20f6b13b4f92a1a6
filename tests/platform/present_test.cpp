#include "platform/present.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

platform::Frame Filled(int width, int height, std::uint32_t value) {
    return platform::Frame{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, value)};
}

}  // namespace

TEST(PresentFrameBuffer, HandsOverTheFrameAndReturnsTheOneBefore) {
    platform::Frame a = Filled(4, 3, 0x0000AAu);
    const long long before = platform::PresentedFrameSerial();
    platform::PresentFrameBuffer(a);
    EXPECT_EQ(platform::PresentedFrameSerial(), before + 1);
    EXPECT_EQ(platform::LastPresentedFrame().pixels, std::vector<std::uint32_t>(12, 0x0000AAu));

    // What comes back is the buffer before, refilled by the caller: the frame
    // presented is never touched by the refill.
    platform::Frame b = Filled(4, 3, 0x00BB00u);
    const std::uint32_t* handedOver = b.pixels.data();
    platform::PresentFrameBuffer(b);
    b.pixels.assign(b.pixels.size(), 0x123456u);
    platform::ShowLastPresentedFrame([&](const platform::Frame& f) {
        EXPECT_EQ(f.pixels.data(), handedOver) << "taken without a copy";
        EXPECT_EQ(f.width, 4);
        EXPECT_EQ(f.pixels, std::vector<std::uint32_t>(12, 0x00BB00u));
    });
    EXPECT_EQ(platform::PresentedFrameSerial(), before + 2);
}

TEST(PresentFrameBuffer, FrameWhoseSizesDisagreeIsIgnored) {
    platform::Frame shown = Filled(2, 2, 0x010203u);
    platform::PresentFrameBuffer(shown);
    const long long before = platform::PresentedFrameSerial();
    const platform::Frame bad[] = {Filled(0, 0, 1), {3, 2, std::vector<std::uint32_t>(5, 1)}, {-1, -4, {1, 2, 3, 4}}};
    for (platform::Frame f : bad) {
        platform::PresentFrameBuffer(f);
        EXPECT_EQ(platform::PresentedFrameSerial(), before);
    }
    EXPECT_EQ(platform::LastPresentedFrame().pixels, std::vector<std::uint32_t>(4, 0x010203u));
}

TEST(PresentFrame, CopiesRowsOfAPitchAndDropsTheAlpha) {
    const std::uint32_t rows[] = {0xFF112233u, 0xFF445566u, 0xDEADBEEFu,  // pitch 3, width 2
                                  0x80778899u, 0x01AABBCCu, 0xDEADBEEFu};
    platform::PresentFrame(rows, 2, 2, 3);
    const platform::Frame f = platform::LastPresentedFrame();
    EXPECT_EQ(f.width, 2);
    EXPECT_EQ(f.pixels, (std::vector<std::uint32_t>{0x112233u, 0x445566u, 0x778899u, 0xAABBCCu}));
}
