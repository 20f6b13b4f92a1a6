// An attempt played from a key script and recorded, saved as a replay file,
// loaded again and played back by a new scene gives the same stage state
// after every frame, on its first pass and on the pass after the replay
// starts over.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/random.h"
#include "stage/objects/state_hash.h"
#include "stage_scene_fixture.h"
#include "support/stage/flow_builder.h"

namespace {

const std::vector<std::string> kField = {
    "....................",
    "..H.......a.....a...",
    "....................",
    "####################",
};

class StageReplayDeterminism : public StageSceneTest {
protected:
    void SetUp() override {
        StageSceneTest::SetUp();
        m_steps.Install(kStepKind, KeyStep);
        SystemData.m_bReplay = 1;
        StoryData.m_nStartLives = 3;
        SetStageFilePlayer([](const std::string&, int) { return 1; });
    }
    void Build() {
        StageOptions options;
        options.hero.m_sCell = 1;
        options.hero.m_vFlow = {MakeFlow(0, {{"step", kStepKind, 0, 0}})};
        cCharaDef wanderer;
        wanderer.m_vFlow = {MakeFlow(0, {{"step", kStepKind, 0, 0}})};
        options.charas['a'] = wanderer;
        StartScene(kField, options);
    }
    // Frames of the scene with the keys of a toggle script; the hash of the
    // stage after each play frame, by the frame's number in its attempt.
    std::vector<std::uint64_t> Play(int frames, const KeyScript& toggles) {
        std::vector<std::uint64_t> hashes;
        for (int frame = 0; frame < frames; ++frame) {
            const int before = m_scene->m_nPlayFrame;
            RunFrame(toggles);
            if (m_scene->m_nPlayFrame != before) hashes.push_back(StageStateHash(*m_scene));
        }
        return hashes;
    }

    ExecutorSwap m_steps;
    FlowEngineScope m_engine;
    platform::TestClock m_clock{123456};
};

TEST_F(StageReplayDeterminism, APlaybackRepeatsEveryFrameOfTheRecordedAttempt) {
    Build();
    const KeyScript script = {{5, VK_RIGHT}, {40, VK_RIGHT}, {50, 'Z'}, {52, 'Z'}, {60, VK_RIGHT}};
    const std::vector<std::uint64_t> recorded = Play(100, script);
    ASSERT_GT(recorded.size(), 80u);
    ASSERT_NE(recorded.front(), recorded.back()) << "the attempt changes the stage";
    ASSERT_EQ(KeyLog.SaveReplayFile("attempt.rpl4_920", LoadedStage, PlayStage, StoryStart), 1);

    // A new scene plays the file back, as the title's replay does.
    Build();
    Game.PlayType = 4;
    KeyLog.Clear();
    ASSERT_EQ(KeyLog.LoadReplayFile("attempt.rpl4_920", LoadedStage, PlayStage, StoryData), 1);
    LoadedStage.m_strPath = "attempt.rpl4_920";
    platform::srand(999);  // nothing of the process before may leak in
    m_clock.Advance(777);
    const int frames = static_cast<int>(recorded.size());
    // The fade, the replay banner (79 frames) and the attempt; then the log
    // ends, the replay starts over from its banner and plays it once more.
    std::vector<std::uint64_t> played = Play(2 + 80 + frames, {});
    ASSERT_EQ(played.size(), recorded.size());
    for (int i = 0; i < frames; ++i) ASSERT_EQ(played[i], recorded[i]) << "pass 1, play frame " << i + 1;

    played = Play(1 + 80 + frames, {});
    ASSERT_EQ(played.size(), recorded.size() + 1) << "the frame that found the log's end, then a new pass";
    for (int i = 0; i < frames; ++i) ASSERT_EQ(played[i + 1], recorded[i]) << "pass 2, play frame " << i + 1;
}

}  // namespace
