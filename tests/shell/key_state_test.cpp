#include "shell/key_state.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyStateRuns, NewestRunFirstAndTheLengthKept) {
    cKeyState keys;
    const std::uint16_t words[] = {1, 1, 1, 0, 0, 3};
    for (std::uint16_t w : words) {
        keys.m_wDirection = w;
        keys.m_wButtons = w;
        keys.UpdateRuns();
    }
    const KeyRunList& left = keys.m_vDirectionRuns[1];
    ASSERT_EQ(left.Count(), kKeyRunLength);
    // Newest first: not held 3 frames (0, 0, 3), held 3 frames, the initial run.
    EXPECT_EQ(left[0].nState, 0);
    EXPECT_EQ(left[0].nFrames, 3);
    EXPECT_EQ(left[1].nState, 1);
    EXPECT_EQ(left[1].nFrames, 3);
    EXPECT_EQ(keys.m_vDirectionRuns[9][0].nState, 1) << "any direction";
    EXPECT_EQ(keys.m_vButtonRuns[2][0].nState, 1) << "button 2 of word 3";
    EXPECT_EQ(keys.m_vButtonRuns[0][0].nState, 0);
    EXPECT_EQ(keys.m_vButtonRuns[0][1].nFrames, 2) << "no button for the two frames of word 0";
    keys.ResetRuns();
    EXPECT_EQ(keys.m_vDirectionRuns[1][0].nFrames, 0);
    EXPECT_EQ(keys.m_vButtonRuns.Count(), kButtonStates);
}

}  // namespace
