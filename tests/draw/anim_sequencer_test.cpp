#include <gtest/gtest.h>

#include <vector>

#include "draw/anim_sequencer.h"
#include "foundation/abort.h"

namespace {

std::vector<int> AdvanceN(cAnimSequencer& seq, int n) {
    std::vector<int> out;
    for (int i = 0; i < n; ++i) out.push_back(seq.Advance());
    return out;
}

const ANIMRECORD kLoop[] = {{5, 3, false}, {6, 3, false}, {ANIM_LOOP, 0, false}};
const ANIMRECORD kHold[] = {{1, 1, false}, {2, 2, false}, {ANIM_HOLD, 0, false}};
const ANIMRECORD kJump[] = {{7, 1, false}, {ANIM_JUMP, 2, false}};
const ANIMRECORD kTarget[] = {{9, 2, false}, {10, 2, false}, {ANIM_HOLD, 0, false}};
const ANIMRECORD kEnds[] = {{3, 2, false}, {ANIM_END, 0, false}};
const ANIMRECORD kLocked[] = {{4, 5, true}, {ANIM_HOLD, 0, false}};
const ANIMRECORD kOnlyHold[] = {{ANIM_HOLD, 0, false}};
const ANIMRECORD kOnlyEnd[] = {{ANIM_END, 0, false}};
const ANIMRECORD* const kTable[] = {kLoop, kHold, kTarget, kJump, kEnds, kLocked, kOnlyHold, kOnlyEnd, nullptr};

class AnimSequencerTest : public ::testing::Test {
protected:
    void SetUp() override {
        AbortFlag = 0;
        seq.Build(kTable);
    }
    void TearDown() override { EXPECT_EQ(AbortFlag.load(), 0) << "a checked access failed"; }
    cAnimSequencer seq;
};

struct SequenceCase {
    const char* name;
    int anim;
    std::vector<int> frames;
};

TEST_F(AnimSequencerTest, SequencesOfControlCodes) {
    const SequenceCase cases[] = {
        {"loop counts each entry from its first tick", 0, {5, 5, 6, 6, 6, 5, 5, 5, 6, 6}},
        {"hold repeats the last frame for ever", 1, {2, 2, 2, 2, 2, 2}},
        {"jump shows entry 0 of the target on the next tick", 3, {9, 9, 10, 10, 10}},
        {"end code comes back on the second advance", 4, {3, -4, -4}},
        {"a list of a hold code alone stays on it", 6, {-1, -1, -1}},
        {"a list of an end code alone stays on it", 7, {-4, -4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(seq.SetAnim(c.anim, 1), 1);
        EXPECT_EQ(AdvanceN(seq, static_cast<int>(c.frames.size())), c.frames);
    }
}

TEST_F(AnimSequencerTest, BuildCopiesListsUpToTheirCode) {
    EXPECT_EQ(seq.AnimCount(), 8);
    seq.SetAnim(6, 1);
    EXPECT_EQ(seq.GetFrame(), -1);
    seq.SetAnim(0, 1);
    EXPECT_EQ(seq.GetFrame(), 5);
}

TEST_F(AnimSequencerTest, NullTableChangesNothing) {
    seq.SetAnim(2, 1);
    seq.Build(nullptr);
    EXPECT_EQ(seq.AnimCount(), 8);
    EXPECT_EQ(seq.GetAnim(), 2);
}

TEST_F(AnimSequencerTest, ChangeAnimKeepsTheRunningAnimation) {
    seq.SetAnim(0, 1);
    AdvanceN(seq, 3);  // now on frame 6
    EXPECT_EQ(seq.ChangeAnim(0, 0), 1);
    EXPECT_EQ(seq.GetFrame(), 6);
    EXPECT_EQ(seq.SetAnim(0, 0), 1);
    EXPECT_EQ(seq.GetFrame(), 5);
    EXPECT_EQ(seq.ChangeAnim(1, 0), 1);
    EXPECT_EQ(seq.GetAnim(), 1);
}

TEST_F(AnimSequencerTest, LockedEntryRefusesOnlyUnforcedChanges) {
    seq.SetAnim(5, 1);
    seq.Advance();
    EXPECT_EQ(seq.SetAnim(0, 0), 0);
    EXPECT_EQ(seq.ChangeAnim(0, 0), 0);
    EXPECT_EQ(seq.GetAnim(), 5);
    EXPECT_EQ(seq.GetEntry(), 0);
    EXPECT_EQ(seq.SetAnim(0, 1), 1);
    EXPECT_EQ(seq.GetAnim(), 0);
}

TEST_F(AnimSequencerTest, HeldLockedEntryKeepsItsLock) {
    seq.SetAnim(5, 1);
    AdvanceN(seq, 12);
    EXPECT_EQ(seq.GetFrame(), 4);
    EXPECT_EQ(seq.SetAnim(0, 0), 0);
}

TEST_F(AnimSequencerTest, RebuildPlaysTheNewTableFromItsStart) {
    seq.SetAnim(0, 1);
    AdvanceN(seq, 3);  // now on frame 6
    const ANIMRECORD other[] = {{20, 2, false}, {21, 1, false}, {ANIM_LOOP, 0, false}};
    const ANIMRECORD* const otherTable[] = {other, nullptr};
    seq.Build(otherTable);
    EXPECT_EQ(seq.GetFrame(), 20);
    EXPECT_EQ(AdvanceN(seq, 5), (std::vector<int>{20, 21, 20, 20, 21}));
}

TEST_F(AnimSequencerTest, CopyGoesOnFromTheSameTickAndStepsApart) {
    seq.SetAnim(0, 1);
    AdvanceN(seq, 2);  // last tick of frame 5
    cAnimSequencer copy = seq;
    EXPECT_EQ(AdvanceN(copy, 4), (std::vector<int>{6, 6, 6, 5}));
    EXPECT_EQ(seq.GetFrame(), 5);
    seq.SetAnim(1, 1);
    EXPECT_EQ(AdvanceN(seq, 2), (std::vector<int>{2, 2}));
    EXPECT_EQ(AdvanceN(copy, 1), (std::vector<int>{5}));
}

TEST(AnimSequencerEmpty, NeverBuiltAdvancesToZero) {
    cAnimSequencer seq;
    EXPECT_EQ(seq.Advance(), 0);
    EXPECT_EQ(seq.GetFrame(), 0);
}

}  // namespace
