// The stage's picture of one frame, in drawing order: the background, the
// pictures and blocks behind, the objects by drawing layer, what lies in
// front, the effects, the messages, the screen effect, the panel, the hint
// line and the screen colour. Every state and both nested loops draw it.
#include <string>

#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "draw/device/surfaces.h"
#include "draw/text/font.h"
#include "foundation/strings.h"
#include "gamedata/global_data.h"
#include "gamedata/project/compat_switches.h"
#include "scenes/stage_play/light_mask.h"
#include "scenes/stage_play/map_blocks.h"
#include "scenes/stage_play/presentation/screen_effects.h"
#include "scenes/stage_play/stage_layers.h"
#include "scenes/stage_play/stage_play_scene.h"
#include "scenes/stage_play/stage_resources.h"
#include "scenes/stage_play/status_panel.h"
#include "scenes/stage_play/time_display.h"
#include "shell/app_state.h"
#include "stage/core/effect_inst.h"
#include "stage/core/picture_inst.h"
#include "stage/drawing/stage_surfaces.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_spawning.h"

namespace {

constexpr int kLayers = 8;
constexpr int kDirectHintText = 27;
constexpr int kTestPlayHintText = 26;
constexpr int kHintY = 456;
constexpr int kCentre = 320;
constexpr int kRow = 16;
constexpr int kShotCellSources[] = {20, 21};
constexpr int kToneWork = 68;

// Every layer takes part in the single pass of a stage without layers.
constexpr int kAnyLayer = -1;

bool OnLayer(int z, int layer) { return layer == kAnyLayer || z == layer; }
// An object of a layer outside 0 .. 7 is never drawn by the layered passes.
unsigned LayerBit(int z) { return z >= 0 && z < kLayers ? 1u << z : 0u; }
bool Holds(unsigned layers, int layer) { return layer == kAnyLayer || (layers >> layer & 1u) != 0; }

void DrawHintLine() {
    const int text = DirectStart ? kDirectHintText : TestPlay ? kTestPlayHintText : -1;
    if (text < 0 || text >= SystemData.SystemTexts.Count()) return;
    const std::string& line = SystemData.SystemTexts[text];
    Fonts[1].DrawText(&BackBuffer, kCentre - CountChars(line) * kRow / 2, kHintY, line.c_str());
}

// The shot cells are made from the shot pictures: made again when either
// source was lost.
void RebuildLostShotCells() {
    bool lost = false;
    for (int k : kShotCellSources) lost = lost || SurfaceArray[k].bLost;
    if (!lost) return;
    BuildShotCells();
    for (int k : kShotCellSources) SurfaceArray[k].bLost = 0;
}

}  // namespace

cSceneStage::HeldLayers cSceneStage::LayersOfObjects() {
    HeldLayers held{0u, 0u, 0u, true};
    for (const cItem& item : ItemList) held.items |= LayerBit(item.m_Def.m_cZ);
    for (const cStageChara& chara : CharaList) held.charas |= LayerBit(chara.m_Def.m_cZ);
    // Nothing the layer passes do before a shot's turn moves a shot or the
    // view, so the screen test can be made here; a reset takes the list
    // again.
    m_vecShotsOnScreen.clear();
    for (cShot& shot : m_lstShot) {
        const int z = shot.m_Param.m_cZ;
        held.shots |= LayerBit(z);
        if (shot.IsOnScreen()) m_vecShotsOnScreen.push_back({&shot, z});
    }
    return held;
}

void cSceneStage::DrawObjectLayer(int layer, int& frozen, HeldLayers& held) {
    cPlayer& hero = PlayerList[0];
    if (OnLayer(hero.m_Def.m_cZ, layer)) {
        const bool mayReset = hero.m_bDead && layer != kAnyLayer;
        // A hero whose death sequence ends here has the stage built anew:
        // the rest of the frame shows the new attempt as its banner does,
        // frozen, so that the attempt starts with the animations a replay of
        // it starts with.
        if (DrawHero(frozen)) frozen = 1;
        if (mayReset) held = LayersOfObjects();
    }
    if (Holds(held.items, layer)) {
        for (cItem& item : ItemList) {
            if (!OnLayer(item.m_Def.m_cZ, layer) || item.m_bHeld || !item.IsOnScreen()) continue;
            item.UpdateScreenRect();
            item.Draw(&BackBuffer, frozen);
        }
    }
    if (Holds(held.charas, layer)) {
        for (auto it = CharaList.begin(); it != CharaList.end();) {
            if (OnLayer(it->m_Def.m_cZ, layer) && DrawChara(*it, frozen)) {
                it = EraseStageChara(*this, CharaList, it);
            } else {
                ++it;
            }
        }
    }
    if (Holds(held.shots, layer)) DrawShotLayer(layer, frozen, held);
}

void cSceneStage::DrawShotLayer(int layer, int frozen, const HeldLayers& held) {
    if (held.bShotsListed) {
        for (const ShotOnScreen& listed : m_vecShotsOnScreen) {
            if (!OnLayer(listed.nLayer, layer)) continue;
            listed.lpShot->UpdateScreenRect();
            listed.lpShot->Draw(&BackBuffer, frozen);
        }
        return;
    }
    for (cShot& shot : m_lstShot) {
        if (!OnLayer(shot.m_Param.m_cZ, layer) || !shot.IsOnScreen()) continue;
        shot.UpdateScreenRect();
        shot.Draw(&BackBuffer, frozen);
    }
}

void cSceneStage::Draw(int live, int frozen, int showTime, int showHint) {
    RebuildLostShotCells();
    if (m_ScrEffect.nEffect != 0) BeginScreenEffectFrame(m_ScrEffect);
    ScrollLayers(LoadedStage, m_nState == kStatePauseMenu ? 1 : 0);
    DrawBackground(&BackBuffer, 0, *this, LoadedStage);
    if (!live && m_nState == kStatePauseMenu && SystemData.m_bStageDraw) {
        DrawBackground(&BackBuffer, 1, *this, LoadedStage);
        m_ScreenTone.Draw(&BackBuffer, &SurfaceArray[kToneWork], frozen);
        return;
    }
    const int follow = SwitchOn(Switch::PictureStart);
    DrawPictures(&BackBuffer, *this, 0, frozen, follow);
    DrawMapBlocks(&BackBuffer, 0, *this);
    if (PlayerList.Count() > 0) {
        if (LoadedStage.m_bLayeredDraw) {
            HeldLayers held = LayersOfObjects();
            for (int layer = 0; layer < kLayers; ++layer) DrawObjectLayer(layer, frozen, held);
        } else {
            HeldLayers every;
            DrawObjectLayer(kAnyLayer, frozen, every);
        }
    }
    DrawMapBlocks(&BackBuffer, 1, *this);
    DrawBackground(&BackBuffer, 1, *this, LoadedStage);
    cChara::DrawConditionAreas(&BackBuffer);
    if (PlayerList.Count() > 0) {
        DrawSpotlight(&BackBuffer, PlayerList[0], &SurfaceArray[kLightMaskPicture], &SurfaceArray[kLightHolePicture]);
    }
    DrawPictures(&BackBuffer, *this, 1, frozen, follow);
    UpdateEffects(&BackBuffer, *this, frozen, EffectSurfaces);
    m_Messages.Update(*this, &BackBuffer, frozen);
    ScreenEffectTarget target = StageScreenEffectTarget(&SurfaceArray[kToneWork]);
    target.drawBackground = [this](DDSURFACEDATA* frame) {
        DrawBackground(frame, 0, *this, LoadedStage);
        DrawBackground(frame, 1, *this, LoadedStage);
    };
    DrawScreenEffect(m_ScrEffect, target, frozen);
    DrawStatusPanel(&BackBuffer, *this);
    DrawTimeDisplay(&BackBuffer, *this, showTime);
    if (showHint) DrawHintLine();
    Game.StepFlashColours();
    m_ScreenTone.Draw(&BackBuffer, &SurfaceArray[kToneWork], frozen);
}
