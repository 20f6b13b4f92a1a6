#pragma once
// A harness stage built into the stage scene, the nested wait loop
// recorded, and the messages recorded by the harness; and a fixture that puts back the project
// switches, the game's state and the progress the rules read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/abort.h"
#include "foundation/frame_timer.h"
#include "gamedata/global_data.h"
#include "scenes/stage_play/stage_play_scene.h"
#include "shell/app_state.h"
#include "shell/loop/game.h"
#include "stage/commands/stage_commands.h"
#include "stage/objects/stage_chara.h"
#include "support/stage/stage_harness.h"

// The hero, three characters a, b, c, all with 5 life.
inline const std::vector<std::string> kOutcomeStage = {"H.a.b.c", "#######"};

struct OutcomeStage {
    explicit OutcomeStage(const std::vector<std::string>& picture = kOutcomeStage) : stage(scene, picture) {
        scene.m_nState = cSceneStage::kStatePlay;
        SetNestedWaitLoop([this](cStageState& s) {
            waits.emplace_back(s.m_Wait.begin(), s.m_Wait.end());
            heldDuringWait.push_back(stage.HeldMessages().size());
        });
        for (cStageChara& c : CharaList) c.m_nLife = 5;
        stage.Hero().m_nLife = 5;
        EveryNth(0, 0);
    }
    ~OutcomeStage() { SetNestedWaitLoop(nullptr); }
    OutcomeStage(const OutcomeStage&) = delete;
    OutcomeStage& operator=(const OutcomeStage&) = delete;

    cStageChara& Chara(char letter) { return stage.Chara(letter); }
    bool InResult() const { return scene.State() == cSceneStage::kStateResult; }
    // The letters of the characters still in the list, in list order.
    std::string Remaining() {
        std::string out;
        for (const cStageChara& c : CharaList) {
            for (char letter : std::string("abc")) {
                if (&c == &stage.Chara(letter)) out += letter;
            }
        }
        return out;
    }

    // The scene's states within reach; it leaves its messages to the
    // harness, which records them.
    struct Scene : cSceneStage {
        Scene() { m_lpMessageSink = nullptr; }
        using cSceneStage::m_nState;
        using cSceneStage::m_nSubStep;
    } scene;
    StageHarness stage;
    std::vector<std::vector<int>> waits;
    std::vector<std::size_t> heldDuringWait;
};

class OutcomeTest : public ::testing::Test {
protected:
    void SetUp() override {
        AppActive.store(1);
        StoryData = cStorySave();
    }
    void TearDown() override {
        SystemData.m_bKeepDeadCharas = 0;
        SystemData.m_bExtraLife = 0;
        SystemData.m_nExtraLifeScore = 0;
        SystemData.m_bSpacePause = 0;
        StoryData = cStorySave();
        Game.PlayType = 0;
        Game.GameKind = 0;
        Game.RankingsOn = 0;
        DirectStart = 0;
        TestPlay = 0;
        AppActive.store(0);
        EXPECT_EQ(AbortFlag.load(), 0) << "no fatal close";
        AbortFlag.store(0);
    }
};
