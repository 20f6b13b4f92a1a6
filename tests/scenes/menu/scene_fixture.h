#pragma once
// A menu scene on its own: the sample game's pictures in a temporary game
// folder, the drawing device and fonts, sounds heard through the menu sink,
// and one frame per call with the keys of that frame pressed afresh.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "draw/device/surfaces.h"
#include "draw/text/font.h"
#include "foundation/abort.h"
#include "game_folder.h"
#include "gamedata/global_data.h"
#include "gamedata/project/player_files.h"
#include "platform/message_box.h"
#include "sample_game.h"
#include "scenes/menu/cursor_stack.h"
#include "scenes/menu/menu_sounds.h"
#include "shell/input/key_state.h"
#include "shell/loop/game.h"
#include "sound/sound_effects.h"
#include "support/scene_release.h"
#include "support/test_env.h"

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        GameFolder folder(m_env.Dir().HostPath());
        WritePictures(folder);
        ASSERT_TRUE(folder.Ok()) << folder.Error();
        CreateWorkingFolders();
        platform::ClearMessageBoxes();
        SystemData.SetDefaults();
        ASSERT_TRUE(DDInit(Direct3D(), nullptr, 640, 480, Depth(), 1, 1, 1, 60, 0, nullptr, nullptr, 0, 0));
        const int fontPictures[] = {46, 51};
        ASSERT_TRUE(DDLoadSurfaceTable(SurfaceArray, fontPictures, 2));
        ASSERT_TRUE(CreateFonts(Fonts, FontTable, kDefaultFontCount));
        if (SoundEffects.Count() < cSystemData::kSystemSoundCount) SoundEffects.resize(cSystemData::kSystemSoundCount);
        SetMenuSoundSink([this](int n) { m_sounds.push_back(n); });
        Game.DeleteScenes();
        Game.CurrentScene = Game.RequestedScene = Game.PreviousScene = 0;
        Game.FadeLength = 90;  // two frames a fade
        Game.RankingsOn = 0;
        CursorStack.Reset();
        KeyStates[0] = cKeyState();
    }
    void TearDown() override {
        ReleaseSceneResources();
        Game.FadeLength = 10;
        Game.CurrentScene = Game.RequestedScene = Game.PreviousScene = 0;
        AbortFlag.store(0);
    }
    virtual int Depth() const { return 32; }
    // 1 draws in the device path, 0 in DirectDraw.
    virtual int Direct3D() const { return 0; }

    // One frame with a fresh press of these directions and buttons.
    static void Frame(cScene& scene, std::uint16_t keys = 0, std::uint16_t buttons = 0) {
        cKeyState& k = KeyStates[0];
        k.m_wDirection = keys;
        k.m_wButtons = buttons;
        k.m_wRepeat = 0;
        k.m_nRepeatCountX = k.m_nRepeatCountY = 0;
        k.m_bLatch = 0;
        scene.Run();
    }
    // Frames without input until the scene is in the state; false after 20.
    static bool RunTo(cScene& scene, int state) {
        for (int i = 0; i < 20 && scene.State() != state; ++i) Frame(scene);
        return scene.State() == state;
    }
    std::vector<int> TakeSounds() { return std::exchange(m_sounds, {}); }

    TestEnv m_env;
    std::vector<int> m_sounds;
};

constexpr std::uint16_t kButton1 = 1, kButton2 = 2, kButton3 = 4, kButton4 = 8;
