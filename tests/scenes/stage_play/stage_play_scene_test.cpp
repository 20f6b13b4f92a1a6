#include "scenes/stage_play/stage_play_scene.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "stage/objects/player.h"
#include "support/stage/stage_harness.h"

namespace {

const std::vector<std::string> kFloor = {
    "......",
    "..H...",
    "######",
};

// The stage objects of a harness built into the scene run in the scene, and
// the scene keeps its own message list.
TEST(StageScene, TheHarnessBuildsItsStageIntoTheScene) {
    cSceneStage scene;
    cMessageSink* sceneMessages = scene.m_lpMessageSink;
    {
        StageHarness stage(scene, kFloor);
        EXPECT_EQ(&StageState(), static_cast<cStageState*>(&scene));
        EXPECT_EQ(&stage.State(), static_cast<cStageState*>(&scene));
        EXPECT_EQ(scene.m_lpMessageSink, sceneMessages);
        EXPECT_EQ(scene.m_nNextCharaId, 1) << "the hero's id was numbered by the scene";
        const cList<cChara*>& group = scene.m_vecForce[stage.Hero().m_nBlockGroup];
        EXPECT_EQ(group.size(), 1u) << "the hero is in the scene's group list";
        EXPECT_EQ(stage.MoveOneSubStep(), std::vector<int>{0}) << "the hero stands on the floor";
    }
}

// Nothing is left pointing at a scene that is gone.
TEST(StageScene, ItsDestructorClearsTheGlobalStagePointer) {
    auto scene = std::make_unique<cSceneStage>();
    EXPECT_EQ(&StageState(), static_cast<cStageState*>(scene.get()));
    cStageState* gone = scene.get();
    scene.reset();
    EXPECT_NE(&StageState(), gone);
}

}  // namespace
