#include "scenes/menu/menu_scene.h"

#include <string>

#include "draw/blit.h"
#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "draw/device/surfaces.h"
#include "draw/effects/fades.h"
#include "draw/palette.h"
#include "foundation/abort.h"
#include "foundation/report.h"
#include "scenes/menu/cursor_stack.h"
#include "shell/app_state.h"
#include "shell/input/key_state.h"
#include "shell/loop/game.h"

namespace {
constexpr int kBlack = 16;
}

cMenuScene::~cMenuScene() {
    for (int k : m_vPictures) DDReleaseSurface(&SurfaceArray[k]);
}

void cMenuScene::Run() {
    if (AbortFlag.load() != 0) return;
    cKeyState& keys = KeyStates[0];
    keys.ApplyRepeat();
    keys.LatchButtons(m_nButtonMask);
    if (m_nState == -1) {
        try {
            Init();
        } catch (const char* text) { FatalLogF(MainWindowHandle.load(), "%s", text); } catch (const std::string& text) {
            FatalLogF(MainWindowHandle.load(), "%s", text.c_str());
        }
        m_nState = 0;
    }
    if (AbortFlag.load() == 0) RunState(m_nState);
}

std::uint16_t cMenuScene::Keys() const { return KeyStates[0].m_wDirection; }

bool cMenuScene::Button(int n) const { return (KeyStates[0].m_wButtons & (1u << (n - 1))) != 0; }

bool cMenuScene::StepFadeIn() {
    return ScreenFadeFromBlack(PaletteWork, 0, 255, 0, 0, 0, static_cast<double>(Game.FadeLength), Palette, 0);
}

bool cMenuScene::StepFadeOut() {
    return ScreenFadeToBlack(PaletteWork, 0, 255, 0, 0, 0, static_cast<double>(Game.FadeLength), Palette, 0);
}

void cMenuScene::EndFadeOut(bool keepCursors) {
    DDFillSurface(&BackBuffer, kBlack);
    if (!keepCursors) CursorStack.Reset();
    Game.CurrentScene = Game.RequestedScene;
    Game.PreviousScene = m_nScene;
}

void cMenuScene::Leave(int scene, int fadeOutState) {
    Game.RequestedScene = scene;
    m_nState = fadeOutState;
}

bool cMenuScene::LoadPictures(std::initializer_list<int> pictures) {
    for (int k : pictures) {
        m_vPictures.push_back(k);
        if (!DDLoadSurfaceTable(SurfaceArray, &k, 1)) {
            FatalClose();
            return false;
        }
    }
    return true;
}

void DrawPicture(int picture, int x, int y, int sx, int sy, int w, int h) {
    DDBlt(&BackBuffer, x, y, w, h, &SurfaceArray[picture], sx, sy, 1);
}
