#include <gtest/gtest.h>

#include "outcome_fixture.h"
#include "platform/keyboard.h"

namespace {

using StageTimers = OutcomeTest;

// Calls CountDownTime `frames` times; the frames on which it reported the
// time running out, 1-based.
std::vector<int> RunOutFrames(cSceneStage& scene, int frames, int delta) {
    std::vector<int> out;
    for (int f = 1; f <= frames; ++f) {
        if (scene.CountDownTime(delta)) out.push_back(f);
    }
    return out;
}

}  // namespace

TEST_F(StageTimers, TheTimeLimitMovesOncePerSixtyFramesWithinItsRange) {
    struct Case {
        const char* name;
        int noLimit, time, delta, frames;
        int timeAfter;
        std::vector<int> runOut;
    };
    const Case cases[] = {
        {"a second every 60 frames", 0, 100, -1, 179, 98, {}},
        {"runs out on the 60th frame of its last second", 0, 2, -1, 150, 0, {120}},
        {"stays out and keeps reporting it", 0, 1, -1, 180, 0, {60, 120, 180}},
        {"a limit of 0 is out at the first step", 0, 0, -1, 60, 0, {60}},
        {"a rise stops at 999", 0, 998, 5, 60, 999, {}},
        {"below 0 clamps to 0", 0, 3, -10, 60, 0, {60}},
        {"no time limit: nothing moves", 1, 5, -1, 600, 5, {}},
    };
    OutcomeStage o;
    for (const Case& c : cases) {
        EveryNth(0, 0);
        o.stage.State().m_bNoTimeLimit = c.noLimit;
        o.stage.State().m_nTime = c.time;
        EXPECT_EQ(RunOutFrames(o.scene, c.frames, c.delta), c.runOut) << c.name;
        EXPECT_EQ(o.stage.State().m_nTime, c.timeAfter) << c.name;
    }
}

TEST_F(StageTimers, TheClearTimeCountsHundredthsAndStopsAt99Minutes) {
    OutcomeStage o;
    cStageState& s = o.stage.State();
    for (int f = 0; f < 61; ++f) o.scene.CountClearTime();
    EXPECT_EQ(s.m_nFrames, 61);
    EXPECT_EQ(s.m_nClearTime, 101) << "61 frames are 1.01 s, truncated";
    s.m_nFrames = 359998;
    s.m_nClearTime = 599996;
    o.scene.CountClearTime();
    EXPECT_EQ(s.m_nClearTime, 599998);
    o.scene.CountClearTime();
    EXPECT_EQ(s.m_nClearTime, 599999) << "99:59.99";
    o.scene.CountClearTime();
    EXPECT_EQ(s.m_nFrames, 360000) << "the frames stop with the clock";
    EXPECT_EQ(s.m_nClearTime, 599999);
}

TEST_F(StageTimers, SpaceOpensThePauseMenuOnlyWhereTheProjectAllowsIt) {
    OutcomeStage o;
    cStageState& s = o.stage.State();
    platform::SetKeyDown(VK_SPACE, true);
    SystemData.m_bSpacePause = 0;
    o.scene.m_nState = cSceneStage::kStatePlay;
    o.scene.m_nSubStep = 5;
    EXPECT_EQ(o.scene.CheckPauseKey(), 0);
    EXPECT_TRUE(o.stage.Sounds().empty());
    SystemData.m_bSpacePause = 1;
    EXPECT_EQ(o.scene.CheckPauseKey(), 1);
    EXPECT_EQ(s.m_nResumeState, 2);
    EXPECT_EQ(s.m_nResumeSubStep, 5);
    EXPECT_EQ(o.stage.Sounds(), std::vector<int>{4});
    platform::SetKeyDown(VK_SPACE, false);
    o.scene.m_nState = cSceneStage::kStateResult;
    EXPECT_EQ(o.scene.CheckPauseKey(), 0) << "only while the key is held";
    EXPECT_EQ(s.m_nResumeState, 2);
}
