#pragma once
// The game object: the six scene objects, the mode numbers, and one frame of
// the game loop per Tick.
#include <array>
#include <atomic>
#include <functional>
#include <memory>

#include "draw/surface_sets.h"
#include "foundation/checked_containers.h"
#include "shell/flash_colours.h"
#include "shell/mode.h"

class cKeyState;

// Mode numbers.
enum : int {
    kModeTitle = 0,
    kModeWorldMap = 1,
    kModeMenu2 = 2,
    kModeStageSelect = 3,
    kModeStage = 4,
    kModeOption = 5,
    kModeCount = 6,
};

// Scene classes live above the shell; they register how each mode's scene
// is made, so the shell never links against them.
using SceneFactory = std::function<std::unique_ptr<cMode>()>;
void RegisterSceneFactory(int mode, SceneFactory factory);

class cGame {
public:
    cGame() = default;
    ~cGame();
    cGame(const cGame&) = delete;
    cGame& operator=(const cGame&) = delete;

    // One frame: 1 when done, 0 when the game must stop.
    int Tick();
    void SwitchMode(int mode);
    void DeleteModes();
    void WaitFrame();
    void Present();
    // DirectDraw: brings the lost display back, then every picture set
    // beside the surface array; 0 when a restore failed.
    int RestoreSurfaces();
    // Restores the lost surfaces of one set; false when a picture could not
    // be read again.
    static bool RestoreSurface(DDSURFACESET set);
    // Polls the configured keys, or the fixed layout, into element 0.
    void PollInput(cVector<cKeyState>& states);
    void RequestBgm(int id, char keep, int slot);
    // Once per drawn frame, after the scene's drawing: the flash colours of
    // the device path, or the palette cycling of 8-bit DirectDraw.
    void StepFlashColours();

    // The scene object of a mode, or nullptr.
    cMode* Scene(int mode) const;

    int CurrentMode = 0;
    int RequestedMode = 0;
    int PreviousMode = 0;
    int PlayType = 0;
    int GameKind = 0;
    int KeepScenes = 0;
    int SelectCursor = 0;
    int SelectPage = 0;
    int RankingsOn = 0;
    int FrameRate = 0;
    int FadeLength = 0;
    int LastBgmId = 0;
    int LastBgmKeep = 0;

    int ShownFps = 0;
    // The frame-rate display's ring of frame durations.
    std::array<int, 16> FpsRing{};
    int FpsRingIndex = 0;
    int FpsAverage = 0;
    FlashColourState FlashState;
    // Ticks run since start; headless runs and the window thread's tests
    // read it while thGame ticks.
    std::atomic<long long> TickCount{0};

private:
    // Stage play runs a stage whose frame rate is above the display's 60 Hz.
    bool StageAbove60() const;
    void DeleteScene(int mode);
    void StoreFrameDuration(int ms);
    // The shown rate and the average of the last 16 frame durations, over
    // the finished frame.
    void DrawFrameRate();

    // In member order: title, world map, world-map menu, stage select,
    // options, stage play.
    std::unique_ptr<cMode> m_pTitle, m_pWorldMap, m_pMenu2, m_pStageSelect, m_pOption, m_pStage;
    std::unique_ptr<cMode>& Slot(int mode);
};

extern cGame Game;

// The surface-table entry of the loading picture.
constexpr int kLoadingPicture = 45;
// Shows the loading picture, once it has been made, as a frame of its own
// (start-up, and stage play before a stage loads).
void DrawAndPresent();
// The stage-play scene while it exists; cleared when it is deleted.
extern cMode* CurStageScene;
