#include "scenes/fading_scene.h"

#include <gtest/gtest.h>

#include "foundation/abort.h"
#include "scenes/scene_registry.h"
#include "shell/loop/game.h"

namespace {

class FadingSceneTest : public ::testing::Test {
protected:
    // The fade timing of the base, on plain fading scenes in the two modes
    // the test walks (the real title and options scenes load pictures).
    void SetUp() override {
        for (int mode : {kSceneTitle, kSceneOption}) {
            RegisterSceneFactory(mode, [mode] { return std::make_unique<cFadingScene>(mode); });
        }
        Game.DeleteScenes();
        Game.CurrentScene = Game.RequestedScene = kSceneTitle;
        Game.FrameRate = 0;
    }
    void TearDown() override {
        Game.DeleteScenes();
        Game.CurrentScene = Game.RequestedScene = Game.PreviousScene = 0;
        Game.FadeLength = 10;
        RegisterScenes();
    }
    // Ticks until the condition holds; the count of ticks, or -1 after 200.
    template <class Done>
    static int TicksUntil(Done done) {
        for (int n = 1; n <= 200; ++n) {
            Game.Tick();
            if (done()) return n;
        }
        return -1;
    }
};

}  // namespace

TEST_F(FadingSceneTest, EachFadeLastsNinetyDegreesOverTheStepPlusOneFrame) {
    struct Case {
        int step;
        int frames;
    };
    const Case cases[] = {{10, 10}, {30, 4}, {7, 14}, {45, 3}, {90, 2}, {200, 2}};
    for (const Case& c : cases) {
        SetUp();
        Game.FadeLength = c.step;
        Game.Tick();
        auto* title = dynamic_cast<cFadingScene*>(Game.Scene(kSceneTitle));
        ASSERT_NE(title, nullptr);
        ASSERT_EQ(title->State(), cFadingScene::kStateFadeIn) << "the first Run ran Init";
        EXPECT_EQ(TicksUntil([&] { return title->State() == cFadingScene::kStateRun; }), c.frames)
            << "fade-in at step " << c.step;
        Game.Tick();
        EXPECT_EQ(title->State(), cFadingScene::kStateRun) << "runs until another mode is wanted";
        Game.RequestedScene = kSceneOption;
        Game.Tick();
        ASSERT_EQ(title->State(), cFadingScene::kStateFadeOut);
        EXPECT_EQ(TicksUntil([] { return Game.CurrentScene == kSceneOption; }), c.frames)
            << "fade-out at step " << c.step;
        EXPECT_EQ(Game.PreviousScene, kSceneTitle);
        Game.Tick();
        EXPECT_EQ(Game.Scene(kSceneTitle), nullptr);
        EXPECT_NE(dynamic_cast<cFadingScene*>(Game.Scene(kSceneOption)), nullptr);
        TearDown();
    }
}

TEST_F(FadingSceneTest, AStepOfZeroOrLessSkipsTheFade) {
    Game.FadeLength = 0;
    Game.Tick();
    auto* title = dynamic_cast<cFadingScene*>(Game.Scene(kSceneTitle));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(TicksUntil([&] { return title->State() == cFadingScene::kStateRun; }), 1);
}

TEST(FadingScene, ScenesStandStillWhileAbortFlagIsSet) {
    cFadingScene scene(kSceneWorldMap);
    AbortFlag.store(1);
    scene.Run();
    EXPECT_EQ(scene.State(), -1);
    AbortFlag.store(0);
    scene.Run();
    EXPECT_EQ(scene.State(), cFadingScene::kStateFadeIn);
}
