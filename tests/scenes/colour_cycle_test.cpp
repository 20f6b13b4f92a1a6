// The menus step the game's colours once per drawn frame: in 8-bit
// DirectDraw with the project's colour cycling on, the palette entries 208
// to 239 turn by one in each group of four every sixth frame.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "draw/palette.h"
#include "gamedata/story/story_save.h"
#include "menu/scene_fixture.h"
#include "scenes/title/title_scene.h"
#include "scenes/world_map/map_menu_scene.h"
#include "shell/app_state.h"
#include "shell/direct_play.h"

namespace {

class MenuColourCycle : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        SystemData.m_bColourCycle = 1;
        Game.FlashState = FlashColourState();
        Game.PlayType = 0;
        ReturnToTitleAfterStage = 0;
        DirectStart = 0;
        StoryData.Reset(0);
    }
    void TearDown() override {
        Game.FlashState = FlashColourState();
        Game.PlayType = 0;
        StoryData.Reset(0);
        SceneTest::TearDown();
    }
    int Depth() const override { return 8; }

    // Six frames of the scene as it stands, from distinct colours in the
    // cycled entries: the shown palette turns once, on the sixth.
    void ExpectOneTurnInSixFrames(cScene& scene) {
        const int state = scene.State();
        for (int i = 208; i <= 239; ++i) PaletteWork[i] = {static_cast<BYTE>(i), 0, 0, 0};
        DDPaletteColors[208] = DDPaletteColors[211] = DDPaletteColors[239] = {0, 0, 0, 0};
        Game.FlashState.cycleCount = 0;
        for (int frame = 0; frame < 5; ++frame) Frame(scene);
        EXPECT_EQ(DDPaletteColors[208].peRed, 0) << "nothing turns before the sixth frame";
        Frame(scene);
        EXPECT_EQ(scene.State(), state) << "the frames stayed in the state";
        EXPECT_EQ(DDPaletteColors[208].peRed, 209);
        EXPECT_EQ(DDPaletteColors[211].peRed, 208);
        EXPECT_EQ(DDPaletteColors[239].peRed, 236);
    }
};

TEST_F(MenuColourCycle, TheTitleMenuAndItsSlotListTurnThePalette) {
    cSceneTitle title;
    ASSERT_TRUE(RunTo(title, cSceneTitle::kStateMenu));
    Frame(title);
    {
        SCOPED_TRACE("the title menu");
        ExpectOneTurnInSixFrames(title);
    }
    Frame(title, 0, kButton1);  // new story: the slot list
    ASSERT_EQ(title.State(), cSceneTitle::kStateNewStory);
    SCOPED_TRACE("the slot list");
    ExpectOneTurnInSixFrames(title);
}

TEST_F(MenuColourCycle, TheMapMenuTurnsThePalette) {
    cSceneMenu2 menu;
    ASSERT_TRUE(RunTo(menu, cSceneMenu2::kStateMenu));
    ExpectOneTurnInSixFrames(menu);
}

TEST_F(MenuColourCycle, WithoutTheProjectSwitchNothingTurns) {
    SystemData.m_bColourCycle = 0;
    cSceneTitle title;
    ASSERT_TRUE(RunTo(title, cSceneTitle::kStateMenu));
    for (int i = 208; i <= 239; ++i) PaletteWork[i] = {static_cast<BYTE>(i), 0, 0, 0};
    DDPaletteColors[208] = {0, 0, 0, 0};
    for (int frame = 0; frame < 12; ++frame) Frame(title);
    EXPECT_EQ(PaletteWork[208].peRed, 208);
    EXPECT_EQ(DDPaletteColors[208].peRed, 0);
}

}  // namespace
