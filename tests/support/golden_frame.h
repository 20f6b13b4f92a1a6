#pragma once
// Pixel goldens of whole frames: a surface compared, pixel for pixel, with a
// PNG kept beside the tests. With PLAYER_WRITE_GOLDENS set in the
// environment the surface is written as the new golden instead (look at it
// before committing it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "draw/device.h"
#include "draw/frame_conversion.h"
#include "platform/present.h"
#include "support/png_reader.h"

inline platform::Frame FrameOf(DDSURFACEDATA& surface) {
    platform::Frame frame;
    DDPIXELS* px = surface.Pixels();
    if (!px) return frame;
    frame.width = px->nWidth;
    frame.height = px->nHeight;
    frame.pixels.resize(static_cast<std::size_t>(frame.width) * frame.height);
    if (!ConvertToFrame(*px, DDPaletteColors, frame.pixels.data())) frame.pixels.clear();
    return frame;
}

inline void ExpectGoldenFrame(DDSURFACEDATA& surface, const std::string& goldenPath) {
    SCOPED_TRACE(goldenPath);
    const platform::Frame frame = FrameOf(surface);
    ASSERT_FALSE(frame.pixels.empty());
    if (std::getenv("PLAYER_WRITE_GOLDENS")) {
        ASSERT_TRUE(platform::WritePng(goldenPath, frame));
        GTEST_SKIP() << "golden written: " << goldenPath;
    }
    PngPicture expected;
    std::string why;
    ASSERT_TRUE(ReadPngFile(goldenPath, expected, why)) << why;
    ASSERT_EQ(expected.nWidth, frame.width);
    ASSERT_EQ(expected.nHeight, frame.height);
    int differing = 0, first = -1;
    for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
        if ((expected.argb[i] & 0xFFFFFFu) == frame.pixels[i]) continue;
        if (first < 0) first = static_cast<int>(i);
        ++differing;
    }
    EXPECT_EQ(differing, 0) << "first at x=" << first % frame.width << " y=" << first / frame.width;
}
