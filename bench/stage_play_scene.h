#pragma once
// The stage-play scene on its own, as the benchmarks run it: the sample
// game's pictures in a temporary game folder, the drawing device (its
// 32-bit device path) and the default fonts, and the shooting stage
// (characters firing every shot formation at the hero) built into the
// scene. Frames run the scene's whole frame, play and drawing, without
// pacing; the window thread's messages (sound and music requests) are
// taken and dropped after every frame.
//
// Record() plays an attempt from a key script and keeps it as a replay
// file; Replay() starts the scene on that file, which it plays over and
// over (a replay starts over from its banner when its log ends).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "draw/device/surfaces.h"
#include "draw/text/font.h"
#include "foundation/abort.h"
#include "game_folder.h"
#include "gamedata/global_data.h"
#include "gamedata/project/player_files.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "platform/clock.h"
#include "platform/keyboard.h"
#include "platform/message_box.h"
#include "platform/present.h"
#include "platform/random.h"
#include "platform/window.h"
#include "sample_game.h"
#include "scenes/menu/cursor_stack.h"
#include "scenes/menu/menu_sounds.h"
#include "scenes/stage_play/key_log.h"
#include "scenes/stage_play/stage_play_scene.h"
#include "shell/app_state.h"
#include "shell/direct_play.h"
#include "shell/input/key_state.h"
#include "shell/loop/game.h"
#include "sound/sound_effects.h"
#include "stage/objects/state_hash.h"
#include "support/scene_release.h"
#include "support/stage/flow_builder.h"
#include "support/stage/shooting_stage.h"
#include "support/test_env.h"

class StagePlayScene {
public:
    static constexpr const char* kReplayFile = "soak.rpl4_920";

    // With allAwake every shooter wakes with the first one in view (one wake
    // group) and stays awake out of view, so the whole stage plays each
    // frame; else only the characters in view play, as usual.
    explicit StagePlayScene(const ShootingStageOptions& options, bool allAwake = false)
        : m_Options(options), m_bAllAwake(allAwake) {
        GameFolder folder(m_Env.Dir().HostPath());
        WritePictures(folder);
        if (!folder.Ok()) Fail("sample pictures: " + folder.Error());
        CreateWorkingFolders();
        platform::ClearMessageBoxes();
        SystemData.SetDefaults();
        if (!DDInit(1, nullptr, 640, 480, 32, 1, 1, 1, 60, 0, nullptr, nullptr, 0, 0)) Fail("no drawing device");
        const int fontPictures[] = {46, 51};
        if (!DDLoadSurfaceTable(SurfaceArray, fontPictures, 2)) Fail("font pictures");
        if (!CreateFonts(Fonts, FontTable, kDefaultFontCount)) Fail("fonts");
        if (SoundEffects.Count() < cSystemData::kSystemSoundCount) SoundEffects.resize(cSystemData::kSystemSoundCount);
        SetMenuSoundSink([](int) {});
        Game.DeleteScenes();
        Game.FadeLength = 90;
        Game.RankingsOn = 0;
        CursorStack.Reset();
        KeyStates[0] = cKeyState();
        Game.PlayType = 3;
        Game.GameKind = 2;
        Game.FrameRate = 0;
        SystemData.m_bReplay = 1;
        SetStageFilePlayer([](const std::string&, int) { return 1; });
        AppActive.store(1);
    }
    ~StagePlayScene() {
        platform::ReleaseAllKeys();
        m_Stage.reset();
        m_Scene.reset();
        if (m_hSink) DestroyWindow(m_hSink);
        MainWindowHandle.store(nullptr);
        SetStageFilePlayer(nullptr);
        ReleaseSceneResources();
        KeyLog.Clear();
        KeyLog2.Clear();
        AbortFlag.store(0);
    }
    StagePlayScene(const StagePlayScene&) = delete;
    StagePlayScene& operator=(const StagePlayScene&) = delete;

    // A new attempt in a new scene.
    void Start() {
        Build();
        m_nScriptFrame = 0;
    }
    // One frame of the attempt with the keys of its script: the hero walks
    // two seconds each way and jumps now and then.
    void ScriptedFrame() {
        const int phase = m_nScriptFrame % 240;
        if (phase == 0 || phase == 120) {
            platform::SetKeyDown(VK_RIGHT, phase == 0);
            platform::SetKeyDown(VK_LEFT, phase == 120);
        }
        platform::SetKeyDown('Z', m_nScriptFrame % 90 < 10);
        ++m_nScriptFrame;
        Frame();
    }
    // Plays `frames` scripted frames of a new attempt and saves it as the
    // replay file.
    void Record(int frames) {
        Start();
        for (int frame = 0; frame < frames; ++frame) ScriptedFrame();
        platform::ReleaseAllKeys();
        if (KeyLog.SaveReplayFile(kReplayFile, LoadedStage, PlayStage, StoryStart) != 1) {
            Fail("the replay was not saved; run report:\n" + m_Env.Report());
        }
    }
    // A new scene playing the recorded replay.
    void Replay() {
        Build();
        Game.PlayType = 4;
        KeyLog.Clear();
        if (KeyLog.LoadReplayFile(kReplayFile, LoadedStage, PlayStage, StoryData) != 1) Fail("the replay did not load");
        LoadedStage.m_strPath = kReplayFile;
    }
    // One frame of the scene; the window thread's requests are dropped.
    void Frame() {
        Game.PollInput(KeyStates);
        m_Scene->Run();
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    }
    // Presents the frame drawn last and writes it as a PNG (host path).
    static bool WritePicture(const std::string& path) {
        DDFlip(60, 0, 0);
        return platform::WritePng(path, platform::LastPresentedFrame());
    }
    // False once the scene has asked for another scene.
    bool StillInStage() const { return Game.RequestedScene == kSceneStage; }
    cSceneStage& Scene() { return *m_Scene; }
    std::uint64_t Hash() const { return StageStateHash(*m_Scene); }

private:
    [[noreturn]] void Fail(const std::string& what) {
        std::fprintf(stderr, "stage play scene: %s\n", what.c_str());
        std::exit(1);
    }
    void Build() {
        m_Stage.reset();
        m_Scene = std::make_unique<cSceneStage>();
        StageOptions options = ShootingStageLetters(m_Options);
        // Nothing ends the attempt early: the hero outlives every hit.
        options.hero.m_nMaxHp = 1000000000;
        options.hero.m_sCell = 1;
        for (auto& [letter, def] : options.charas) {
            if (!m_bAllAwake) continue;
            def.m_bGroupOnActive = 1;
            def.m_sActiveGroup = 1;
            def.m_cActiveRule = 1;
        }
        m_Stage =
            std::make_unique<StageHarness>(*m_Scene, ShootingStagePicture(m_Options.shootersPerFormation), options);
        // The stage draws to the device, and the window thread's requests go
        // to a window that keeps none of them, as the player's does.
        SetStageDrawSink(nullptr);
        if (!m_hSink)
            m_hSink = CreateMainWindow("sink", 0, 0, 640, 480, [](HWND, UINT, WPARAM, LPARAM) { return LRESULT{0}; });
        MainWindowHandle.store(m_hSink);
        LoadedStage.m_bStartBanner1 = LoadedStage.m_bStartBanner2 = 0;
        PlayStage.CopySettingsFrom(LoadedStage);
        HeroDef = LoadedStage.m_vPlacedCharas[LoadedStage.FindHero()];
        Game.CurrentScene = Game.RequestedScene = kSceneStage;
        Game.PreviousScene = kSceneTitle;
    }

    ShootingStageOptions m_Options;
    bool m_bAllAwake = false;
    TestEnv m_Env;
    FlowEngineScope m_Engine;
    platform::TestClock m_Clock{123456};
    HWND m_hSink = nullptr;
    int m_nScriptFrame = 0;
    std::unique_ptr<cSceneStage> m_Scene;
    std::unique_ptr<StageHarness> m_Stage;
};
