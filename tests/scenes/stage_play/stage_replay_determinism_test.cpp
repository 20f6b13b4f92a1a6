// An attempt played from a key script and recorded, saved as a replay file,
// loaded again and played back by a new scene gives the same stage state
// after every frame, on its first pass and on the pass after the replay
// starts over.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "../menu/scene_fixture.h"
#include "gamedata/stage_file/stage_data.h"
#include "platform/clock.h"
#include "platform/keyboard.h"
#include "platform/random.h"
#include "scenes/stage_play/key_log.h"
#include "scenes/stage_play/mode_stage.h"
#include "shell/app_state.h"
#include "shell/direct_play.h"
#include "stage/objects/player.h"
#include "stage/objects/state_hash.h"
#include "support/stage/flow_builder.h"
#include "support/stage/stage_harness.h"

namespace {

const std::vector<std::string> kField = {
    "....................",
    "..H.......a.....a...",
    "....................",
    "####################",
};

constexpr int kStepKind = 1;

// The hero steps right while Right is held; the characters wander by the
// random numbers of the attempt.
int Step(cChara& c, cCmdInst&) {
    if (c.m_nCharaKind == 0) {
        if (KeyStates[0].m_wDirection & KeyBit::Right) c.m_dX += 1.5;
        if (KeyStates[0].m_wButtons & 1) c.m_dSpeedY = -3.0;
    } else {
        c.m_dX += (platform::rand() % 5 - 2) * 0.5;
    }
    return 0;
}

class StageReplayDeterminism : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        m_steps.Install(kStepKind, Step);
        Game.PlayType = 3;
        Game.GameKind = 2;
        Game.FrameRate = 0;
        SystemData.m_bReplay = 1;
        StoryData.m_nStartLives = 3;
        SetStageFilePlayer([](const std::string&, int) { return 1; });
        AppActive.store(1);
    }
    void TearDown() override {
        platform::ReleaseAllKeys();
        m_stage.reset();
        m_scene.reset();
        SetStageFilePlayer(nullptr);
        Game.PlayType = Game.GameKind = 0;
        StoryData = cStorySave();
        SystemData.m_bReplay = 0;
        KeyLog.Clear();
        KeyLog2.Clear();
        SceneTest::TearDown();
    }
    void Build() {
        m_stage.reset();
        m_scene = std::make_unique<cModeStage>();
        StageOptions options;
        options.hero.m_sCell = 1;
        options.hero.m_vFlow = {MakeFlow(0, {{"step", kStepKind, 0, 0}})};
        cCharaDef wanderer;
        wanderer.m_vFlow = {MakeFlow(0, {{"step", kStepKind, 0, 0}})};
        options.charas['a'] = wanderer;
        m_stage = std::make_unique<StageHarness>(*m_scene, kField, options);
        LoadedStage.m_bStartBanner1 = LoadedStage.m_bStartBanner2 = 0;
        PlayStage.CopySettingsFrom(LoadedStage);
        HeroDef = LoadedStage.m_vPlacedCharas[LoadedStage.FindHero()];
        Game.CurrentMode = Game.RequestedMode = kModeStage;
        Game.PreviousMode = kModeTitle;
    }
    // Frames of the scene with the keys of a toggle script; the hash of the
    // stage after each play frame, by the frame's number in its attempt.
    std::vector<std::uint64_t> Play(int frames, const std::multimap<int, int>& toggles) {
        std::vector<std::uint64_t> hashes;
        std::map<int, bool> down;
        for (int frame = 0; frame < frames; ++frame) {
            auto [first, last] = toggles.equal_range(frame);
            for (auto it = first; it != last; ++it) {
                down[it->second] = !down[it->second];
                platform::SetKeyDown(it->second, down[it->second]);
            }
            Game.PollInput(KeyStates);
            const int before = m_scene->m_nPlayFrame;
            m_scene->Run();
            if (m_scene->m_nPlayFrame != before) hashes.push_back(StageStateHash(*m_scene));
        }
        return hashes;
    }

    ExecutorSwap m_steps;
    FlowEngineScope m_engine;
    platform::TestClock m_clock{123456};
    std::unique_ptr<cModeStage> m_scene;
    std::unique_ptr<StageHarness> m_stage;
};

TEST_F(StageReplayDeterminism, APlaybackRepeatsEveryFrameOfTheRecordedAttempt) {
    Build();
    const std::multimap<int, int> script = {{5, VK_RIGHT}, {40, VK_RIGHT}, {50, 'Z'}, {52, 'Z'}, {60, VK_RIGHT}};
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
