#include "shell/game.h"

#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

#include "draw/blit.h"
#include "draw/device.h"
#include "draw/font.h"
#include "draw/surface_sets.h"
#include "draw/surface_table.h"
#include "draw/surfaces.h"
#include "foundation/frame_timer.h"
#include "foundation/report.h"
#include "gamedata/project/global_data.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "shell/game_loop.h"
#include "shell/input/input_poll.h"
#include "shell/main_window.h"

cGame Game;
cMode* CurStageScene = nullptr;

namespace {

std::array<SceneFactory, kModeCount> g_factories;

// The picture sets a lost DirectDraw display takes with it, in the order
// they come back.
constexpr std::array<DDSURFACESET, 6> kRestoreOrder = {DDSET_STAGEBMP, DDSET_EFFECT, DDSET_SWORD,
                                                       DDSET_PICTURE,  DDSET_SCENE,  DDSET_MESSAGE};

// Deletion order of a mode switch.
constexpr std::array<int, kModeCount> kSwitchDeleteOrder = {kModeTitle,       kModeMenu2, kModeWorldMap,
                                                            kModeStageSelect, kModeStage, kModeOption};
// Deletion order of DeleteModes: member order.
constexpr std::array<int, kModeCount> kMemberOrder = {kModeTitle,       kModeWorldMap, kModeMenu2,
                                                      kModeStageSelect, kModeOption,   kModeStage};

}  // namespace

void RegisterSceneFactory(int mode, SceneFactory factory) {
    if (mode < 0 || mode >= kModeCount) return;
    g_factories[static_cast<std::size_t>(mode)] = std::move(factory);
}

cGame::~cGame() { DeleteModes(); }

std::unique_ptr<cMode>& cGame::Slot(int mode) {
    switch (mode) {
        case kModeTitle: return m_pTitle;
        case kModeWorldMap: return m_pWorldMap;
        case kModeMenu2: return m_pMenu2;
        case kModeStageSelect: return m_pStageSelect;
        case kModeStage: return m_pStage;
        default: return m_pOption;
    }
}

cMode* cGame::Scene(int mode) const {
    if (mode < 0 || mode >= kModeCount) return nullptr;
    return const_cast<cGame*>(this)->Slot(mode).get();
}

void cGame::DeleteScene(int mode) {
    auto& slot = Slot(mode);
    if (!slot) return;
    // Nothing may read a deleted stage scene through the global pointer.
    if (mode == kModeStage && CurStageScene == slot.get()) CurStageScene = nullptr;
    slot.reset();
}

void cGame::SwitchMode(int mode) {
    if (!KeepScenes) {
        for (int m : kSwitchDeleteOrder) {
            if (m != mode) DeleteScene(m);
        }
    }
    if (mode < 0 || mode >= kModeCount) return;
    auto& slot = Slot(mode);
    if (slot) return;
    const auto& factory = g_factories[static_cast<std::size_t>(mode)];
    if (!factory) return;
    try {
        slot = factory();
    } catch (const std::bad_alloc&) {
        OutOfMemoryExit();
        return;
    }
    if (mode == kModeStage) CurStageScene = slot.get();
}

void cGame::DeleteModes() {
    for (int m : kMemberOrder) DeleteScene(m);
}

void cGame::WaitFrame() {
    // A headless run's clock moves exactly one frame period a frame, so the
    // run goes as fast as the machine allows and reads the same times.
    platform::AdvanceVirtualFrame(FrameRate);
    // The Direct3D path is paced by its present.
    if (lpDTCon || !lpDDCon) return;
    while (!LimitFps(FrameRate)) Sleep(1);
}

bool cGame::StageAbove60() const { return m_pStage != nullptr && LoadedStage.m_nFps > 60; }

void cGame::Present() {
    // A headless run shows nothing past its last frame.
    if (FrameLimitReached()) return;
    if (lpDTCon) {
        if (!DDFlip(FrameRate, 0, 0) && lpDTCon && DDSetting.nWindowMode) {
            SendMessageA(MainWindowHandle.load(), kWmRestoreDevice, 0, 0);
        }
        return;
    }
    if (!lpDDCon) return;
    // A stage faster than the display's refresh must never wait for it.
    if (DDSetting.nWindowMode) {
        if (!StageAbove60()) DDWaitForVerticalBlank();
        DDPresent();
        return;
    }
    if (UseBlitPresent == 0 && !StageAbove60()) DDPresentFlip();
    else DDPresent();
}

void DrawAndPresent() {
    DDSURFACEDATA& loading = SurfaceArray[kLoadingPicture];
    const bool made = lpDTCon ? loading.lpDT != nullptr : loading.lpDD != nullptr;
    if (!made) return;
    DDBlt(&BackBuffer, 0, 0, kScreenWidth, kScreenHeight, &loading, 0, 0, 1);
    Game.Present();
}

bool cGame::RestoreSurface(DDSURFACESET set) {
    return DDWalkSurfaceSet(set, [](DDSURFACEDATA& sd) {
        if (!sd.lpDD || !sd.lpDD->bSurfaceLost) return true;
        sd.lpDD->bSurfaceLost = 0;
        if (sd.nDDMemory != 0) return true;
        // The owner draws an empty surface again; a picture comes back from
        // its file.
        sd.bLost = 1;
        const bool fromFile = sd.fileName[0] && std::strcmp(sd.fileName, "E") != 0;
        return !fromFile || DDReloadBitmap(&sd, DDSetting.nBpp);
    });
}

int cGame::RestoreSurfaces() {
    if (lpDTCon || !lpDDCon) return 1;
    if (!DDPrimarySD.lpDD || !DDPrimarySD.lpDD->bSurfaceLost) return 1;
    // The built-in pictures of the surface array, the fonts and their digit
    // strips come back with the device.
    if (!DDRestore()) return 0;
    for (DDSURFACESET set : kRestoreOrder) {
        if (!RestoreSurface(set)) return 0;
    }
    if (const DDSURFACEDATA* first = DDFirstOfSurfaceSet(DDSET_MESSAGE)) {
        WriteLogF("if ( !RestoreSurface(Off_Msg) ) Off_Msg[0].bLost = %d", first->bLost);
    }
    return 1;
}

void cGame::PollInput(cVector<cKeyState>& states) {
    cKeyState& s = states[0];
    if (KeyConfig.inUse != 0) PollConfiguredKeys(s, 1, 60);
    else PollDefaultKeys(s, 0, kPollJoystick | kPollKeyboard, 60);
}

void cGame::RequestBgm(int id, char keep, int slot) {
    if (id != 0 && keep != 0 && id == LastBgmId && LastBgmKeep != 0) return;
    LastBgmId = id;
    LastBgmKeep = keep;
    SendMessageA(MainWindowHandle.load(), WM_USER + 6, static_cast<WPARAM>(slot), 0);
}

void cGame::StoreFrameDuration(int ms) {
    FpsRing[static_cast<std::size_t>(FpsRingIndex)] = ms;
    if (++FpsRingIndex < 16) return;
    FpsRingIndex = 0;
    int sum = 0;
    for (int d : FpsRing) sum += d;
    FpsAverage = sum >> 4;
}

void cGame::DrawFrameRate() {
    constexpr const char* kFormat = "FPS%2d(%2d)";
    if (SystemIni.ShowFps == 2) {
        Fonts[0].DrawTextF(&BackBuffer, 549, 469, kFormat, ShownFps, FpsAverage);
        return;
    }
    Fonts[1].DrawTextBoxF(&BackBuffer, 495, 463, 0, 0, kFormat, ShownFps, FpsAverage);
}

int cGame::Tick() {
    WaitFrame();
    SetStartTime();
    if (!RestoreSurfaces()) return 0;
    PollInput(KeyStates);
    try {
        SwitchMode(CurrentMode);
    } catch (const char* text) { FatalLogF(MainWindowHandle.load(), "%s", text); } catch (const std::string& text) {
        FatalLogF(MainWindowHandle.load(), "%s", text.c_str());
    }
    if (cMode* scene = Scene(CurrentMode)) scene->Run();
    ShownFps = static_cast<int>(CountFps(true));
    int duration = static_cast<int>(GetLastElapsed(true));
    if (cMode* stage = Scene(kModeStage)) stage->StoreShownFps(ShownFps);
    if (SystemIni.ShowFps != 0) {
        StoreFrameDuration(duration);
        DrawFrameRate();
    }
    Present();
    ++TickCount;
    return 1;
}
