#include "stage/flow/sight_range.h"

#include <gtest/gtest.h>

#include "gamedata/global_data.h"
#include "stage/objects/stage_chara.h"

namespace {

TEST(SightRange, Table) {
    struct Case {
        int position, size, before, after;
        bool whole;
        int low, high;
    };
    const std::vector<Case> cases = {
        {100, 33, 0, 0, false, 116, 116},  // the centre alone, integer halving
        {100, 33, 0, 0, true, 100, 132},   // the object itself
        {100, 33, 20, 0, true, 80, 116},   // before only: from the centre on
        {100, 33, 0, 20, false, 116, 152}, {100, 32, 10, 10, false, 90, 142},
    };
    for (const Case& c : cases) {
        const SightSpan span = SightRange(c.position, c.size, c.before, c.after, c.whole);
        EXPECT_EQ(span.low, c.low) << c.position << " " << c.before << " " << c.after;
        EXPECT_EQ(span.high, c.high) << c.position << " " << c.before << " " << c.after;
    }
}

TEST(SightRange, OverlapWithMarginsAndTheVerticalRule) {
    cStageChara other;
    other.m_nHeight = 20;
    other.m_rcGraphic.h = 32;
    // Sight 80..116 against an object at 60..85 with a margin of 6: 80 <= 79 fails.
    EXPECT_FALSE(RangeOverlap(100, 33, 60, 85, 6, 20, 0, false, false, other));
    EXPECT_TRUE(RangeOverlap(100, 33, 60, 86, 6, 20, 0, false, false, other));
    EXPECT_FALSE(RangeOverlap(100, 33, 60, 85, 6, 20, 0, false, true, other))
        << "hit box and margin short of the graphic";
    // A hit box that with the margin fills the graphic is reached down to its edge.
    other.m_nHeight = 26;
    EXPECT_TRUE(RangeOverlap(100, 33, 60, 85, 6, 20, 0, false, true, other));
    SystemData.m_bCompatRangeTest = 1;
    EXPECT_FALSE(RangeOverlap(100, 33, 60, 85, 6, 20, 0, false, true, other)) << "old projects keep the margin";
    SystemData.m_bCompatRangeTest = 0;
    // The high side: sight 116..152 against 150..200, margin 2: 152 <= 152.
    EXPECT_TRUE(RangeOverlap(100, 33, 150, 200, 2, 0, 20, false, false, other));
    EXPECT_FALSE(RangeOverlap(100, 33, 151, 200, 2, 0, 20, false, false, other));
}

}  // namespace
