#pragma once
// A harness stage played by the stage scene as the game loop runs it: the
// keys of a toggle script pressed and let go on their frames, the input
// polled, one frame of the scene. The play state that the scene tests set
// is put back afterwards.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../menu/scene_fixture.h"
#include "gamedata/stage_file/stage_data.h"
#include "platform/keyboard.h"
#include "platform/random.h"
#include "scenes/stage_play/key_log.h"
#include "scenes/stage_play/stage_play_scene.h"
#include "shell/app_state.h"
#include "shell/direct_play.h"
#include "shell/input/key_state.h"
#include "stage/objects/chara.h"
#include "stage/objects/player.h"
#include "support/stage/flow_builder.h"
#include "support/stage/stage_harness.h"

// Key toggles by frame: at frame f, key k changes between up and down.
using KeyScript = std::multimap<int, int>;

// The command kind a test gives to KeyStep.
constexpr int kStepKind = 1;

// A flow command for scripted play: the hero steps right while Right is
// held and jumps while button 1 is; the other characters wander by the
// random numbers of the attempt.
inline int KeyStep(cChara& c, cCmdInst&) {
    if (c.m_nCharaKind == 0) {
        if (KeyStates[0].m_wDirection & KeyBit::Right) c.m_dX += 1.5;
        if (KeyStates[0].m_wButtons & 1) c.m_dSpeedY = -3.0;
    } else {
        c.m_dX += (platform::rand() % 5 - 2) * 0.5;
    }
    return 0;
}

// The stage settings of the banners the scene shows.
struct SceneBanners {
    int start1 = 0;
    int start2 = 0;
    int gameOver = 0;
};

class StageSceneTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        Game.PlayType = 3;  // free play: the pause menu offers retry
        Game.GameKind = 2;
        Game.FrameRate = 0;
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

    // A new scene on a harness stage of the picture, about to enter from
    // another scene; the frame count starts again. The old scene goes
    // first: a scene's end takes down the services it installed, which the
    // new one's would otherwise lose.
    void StartScene(const std::vector<std::string>& picture, const StageOptions& options, SceneBanners banners = {}) {
        m_stage.reset();
        m_scene.reset();
        m_scene = std::make_unique<cSceneStage>();
        m_stage = std::make_unique<StageHarness>(*m_scene, picture, options);
        LoadedStage.m_bStartBanner1 = banners.start1;
        LoadedStage.m_bStartBanner2 = banners.start2;
        LoadedStage.m_bGameOverBanner = banners.gameOver;
        PlayStage.CopySettingsFrom(LoadedStage);
        HeroDef = LoadedStage.m_vPlacedCharas[LoadedStage.FindHero()];
        Game.CurrentScene = Game.RequestedScene = kSceneStage;
        Game.PreviousScene = kSceneTitle;
        m_frame = 0;
    }

    // One frame as the game loop runs it: the key toggles of the frame,
    // the input polled, the scene's frame.
    void RunFrame(const KeyScript& toggles) {
        auto [first, last] = toggles.equal_range(m_frame);
        for (auto it = first; it != last; ++it) {
            const bool down = !m_down[it->second];
            m_down[it->second] = down;
            platform::SetKeyDown(it->second, down);
        }
        Game.PollInput(KeyStates);
        m_scene->Run();
        ++m_frame;
    }

    std::unique_ptr<cSceneStage> m_scene;
    std::unique_ptr<StageHarness> m_stage;
    std::map<int, bool> m_down;  // keys held, by virtual key
    int m_frame = 0;             // frames since the scene started
};
