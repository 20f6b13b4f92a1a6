#include <gtest/gtest.h>

#include "shell/dialogs/mem_dc.h"

namespace {

struct CreateCase {
    const char* name;
    int width;
    int height;
    bool made;
};

class MemDcCreate : public ::testing::TestWithParam<CreateCase> {};

TEST_P(MemDcCreate, ThreePicturesOfTheSizeInTheBrushOrNone) {
    const CreateCase& c = GetParam();
    cMemDc dc;
    dc.m_nBrush = 0x102030;
    ASSERT_TRUE(dc.Create(3, 3));
    EXPECT_EQ(dc.Create(c.width, c.height), c.made);
    EXPECT_EQ(dc.Ready(), c.made);
    for (DDPIXELS* p : {&dc.First(), &dc.Second(), &dc.Extra()}) {
        EXPECT_EQ(p->Empty(), !c.made);
        if (!c.made) continue;
        EXPECT_EQ(p->nWidth, c.width);
        EXPECT_EQ(p->nHeight, c.height);
        EXPECT_EQ(p->Row<std::uint32_t>(c.height - 1)[c.width - 1] & 0xFFFFFFu, 0x102030u);
    }
    dc.Release();
    EXPECT_FALSE(dc.Ready());
    EXPECT_TRUE(dc.Extra().Empty());
    EXPECT_TRUE(dc.Second().Empty());
    // The brush outlives a release.
    EXPECT_EQ(dc.m_nBrush, 0x102030u);
}

INSTANTIATE_TEST_SUITE_P(Cases, MemDcCreate,
                         ::testing::Values(CreateCase{"Wide", 8, 4, true}, CreateCase{"OnePixel", 1, 1, true},
                                           CreateCase{"NoWidth", 0, 4, false},
                                           CreateCase{"NegativeHeight", 4, -1, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
