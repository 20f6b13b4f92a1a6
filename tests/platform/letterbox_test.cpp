#include "platform/letterbox.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    int width, height;
    RECT expected;
};

// Wider areas get bars left and right, taller ones above and below; an area
// of the frame's own shape is filled.
const Case kCases[] = {
    {640, 480, {0, 0, 640, 480}},     {1280, 960, {0, 0, 1280, 960}},
    {1000, 900, {0, 75, 1000, 825}},  {1920, 1080, {240, 0, 1680, 1080}},
    {1280, 1024, {0, 32, 1280, 992}}, {300, 1000, {0, 387, 300, 612}},
    {0, 480, {0, 0, 0, 0}},           {640, -1, {0, 0, 0, 0}},
};

}  // namespace

TEST(LetterboxRect, KeepsTheFrameWholeAndCentred) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        const RECT r = platform::LetterboxRect(c.width, c.height);
        EXPECT_EQ(r.left, c.expected.left);
        EXPECT_EQ(r.top, c.expected.top);
        EXPECT_EQ(r.right, c.expected.right);
        EXPECT_EQ(r.bottom, c.expected.bottom);
        if (r.right > r.left) {
            const int w = r.right - r.left;
            const int h = r.bottom - r.top;
            EXPECT_LE(w * 3 - h * 4, 4) << "4:3 within a pixel";
            EXPECT_GE(w * 3 - h * 4, -4) << "4:3 within a pixel";
        }
    }
}
