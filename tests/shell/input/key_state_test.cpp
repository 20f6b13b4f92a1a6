#include "shell/input/key_state.h"

#include <gtest/gtest.h>

#include <vector>

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

namespace {

constexpr std::uint16_t kLeft = 1, kRight = 2, kUp = 4;

cKeyState Menu() {
    cKeyState s;
    s.SetRepeat(18, 6);
    return s;
}

// Frames (1-based) on which the direction word passes the auto-repeat.
std::vector<int> PassingFrames(cKeyState& s, const std::vector<std::uint16_t>& raw) {
    std::vector<int> passed;
    int frame = 0;
    for (std::uint16_t word : raw) {
        ++frame;
        s.m_wDirection = word;
        s.ApplyRepeat();
        if (s.m_wDirection != 0) passed.push_back(frame);
    }
    return passed;
}

}  // namespace

TEST(KeyRepeat, AHeldDirectionPassesFirstThenFromTheDelayEveryInterval) {
    cKeyState s = Menu();
    EXPECT_EQ(PassingFrames(s, std::vector<std::uint16_t>(31, kRight)), (std::vector<int>{1, 19, 25, 31}));
}

TEST(KeyRepeat, AChangeOnOneAxisPassesAtOnceWhileTheOtherAxisKeepsItsCount) {
    cKeyState s = Menu();
    std::vector<std::uint16_t> raw(20, kUp);
    // From frame 11 left is added: the horizontal axis changed, the
    // vertical one did not.
    for (std::size_t i = 10; i < raw.size(); ++i) raw[i] = kUp | kLeft;
    std::vector<std::uint16_t> seen;
    for (std::uint16_t w : raw) {
        s.m_wDirection = w;
        s.ApplyRepeat();
        seen.push_back(s.m_wDirection);
    }
    EXPECT_EQ(seen[0], kUp);
    EXPECT_EQ(seen[10], kLeft) << "left passes at once, up is held back";
    EXPECT_EQ(seen[11], 0);
    EXPECT_EQ(seen[18], kUp) << "the 19th frame of up";
    // Releasing and pressing again restarts the count.
    s.m_wDirection = 0;
    s.ApplyRepeat();
    s.m_wDirection = kUp;
    s.ApplyRepeat();
    EXPECT_EQ(s.m_wDirection, kUp);
}

struct LatchCase {
    const char* name;
    int mask;
    std::vector<std::uint16_t> raw;
    std::vector<std::uint16_t> passed;
};

class Latch : public ::testing::TestWithParam<LatchCase> {};

TEST_P(Latch, TurnsHeldButtonsIntoOnePress) {
    const LatchCase& c = GetParam();
    cKeyState s;
    std::vector<std::uint16_t> passed;
    for (std::uint16_t w : c.raw) {
        s.m_wButtons = w;
        s.LatchButtons(c.mask);
        passed.push_back(s.m_wButtons);
    }
    EXPECT_EQ(passed, c.passed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Latch,
    ::testing::Values(LatchCase{"HeldButtonOnce", 0, {1, 1, 1, 0, 1}, {1, 0, 0, 0, 1}},
                      LatchCase{"TwoInOneFramePassTogether", 0, {3, 3, 0}, {3, 0, 0}},
                      LatchCase{"SecondButtonWhileFirstHeldIsSwallowed", 0, {1, 3, 2, 0, 2}, {1, 0, 0, 0, 2}},
                      LatchCase{"ButtonsOutsideTheMaskPassUntouched", 1, {5, 5, 4, 0}, {5, 4, 4, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeyHistory, TellsWhatEachChannelHeldFramesAgo) {
    cKeyState s;
    const std::uint16_t buttons[] = {0, 0, 1, 1, 1, 2, 0};
    for (std::uint16_t b : buttons) {
        s.m_wButtons = b;
        s.RecordHistory();
        EXPECT_EQ(s.HistoryValue(1, 0), b) << "the current word";
    }
    EXPECT_EQ(s.HistoryValue(1, 1), 2);
    EXPECT_EQ(s.HistoryValue(1, 2), 1);
    EXPECT_EQ(s.HistoryValue(1, 4), 1);
    EXPECT_EQ(s.HistoryValue(1, 5), 0);
    EXPECT_EQ(s.HistoryValue(0, 3), 0) << "the direction channel never moved";
    // Further back than the ring holds: the walk passes every entry and
    // answers with the one it started from.
    EXPECT_EQ(s.HistoryValue(1, 1000), 0);
    s.ClearHistory();
    s.m_wButtons = 4;
    s.RecordHistory();
    EXPECT_EQ(s.HistoryValue(1, 0), 4);
}

TEST(KeyRuns, ListsKeepTheirLengthAndCountHowLongEachStateLasted) {
    cKeyState s;
    s.ResetRuns();
    for (const auto* lists : {&s.m_vDirectionRuns, &s.m_vButtonRuns}) {
        for (const auto& list : *lists) {
            ASSERT_EQ(list.size(), 32u);
            for (const cKeyRun& r : list) EXPECT_TRUE(r.nState == 0 && r.nFrames == 0);
        }
    }
    s.UpdateRuns();
    EXPECT_EQ(s.m_vDirectionRuns[0][0].nState, 1);
    EXPECT_EQ(s.m_vDirectionRuns[0][0].nFrames, 1);
    EXPECT_EQ(s.m_vButtonRuns[0][0].nState, 1);
    EXPECT_EQ(s.m_vDirectionRuns[1][0].nFrames, 1) << "left-only: its 'off' run grows";
    s.m_wDirection = kLeft | kUp;
    s.m_wButtons = 0x80;
    s.UpdateRuns();
    s.UpdateRuns();
    const auto& upLeft = s.m_vDirectionRuns[5];
    EXPECT_EQ(upLeft[0].nState, 1);
    EXPECT_EQ(upLeft[0].nFrames, 2);
    EXPECT_EQ(s.m_vDirectionRuns[1][0].nState, 0) << "left alone is an exact match only";
    EXPECT_EQ(s.m_vDirectionRuns[9][0].nState, 1) << "any direction";
    EXPECT_EQ(s.m_vButtonRuns[8][0].nState, 1) << "button 8";
    EXPECT_EQ(s.m_vButtonRuns[0][0].nState, 0);
    EXPECT_EQ(s.m_vButtonRuns[0][1].nFrames, 1) << "the earlier 'no button' run is kept behind it";
    for (const auto& list : s.m_vButtonRuns) EXPECT_EQ(list.size(), 32u);
    // A copy is independent (the pause loop works on one).
    cKeyState copy = s;
    copy.UpdateRuns();
    EXPECT_EQ(s.m_vDirectionRuns[5][0].nFrames, 2);
    EXPECT_EQ(copy.m_vDirectionRuns[5][0].nFrames, 3);
}

TEST(KeyNumpad, LeftWinsOverRightAndUpOverDown) {
    const std::pair<std::uint16_t, int> cases[] = {{0, 5}, {1, 4}, {2, 6}, {3, 4}, {4, 2}, {8, 8}, {12, 2}, {9, 7}};
    for (auto [word, digit] : cases) EXPECT_EQ(NumpadDirection(&word), digit) << word;
}
