// What the stage scene installs for the engine while it lives: the flow
// engine, the reset's steps, the nested wait, the screen effect and tone,
// the hit effects and the block graphics. Rules built beside the scene
// install theirs from the same place.
#include <array>

#include "draw/device/surface_table.h"
#include "draw/surface_sets.h"
#include "gamedata/global_data.h"
#include "scenes/menu/cursor_stack.h"
#include "scenes/stage_play/light_mask.h"
#include "scenes/stage_play/map_blocks.h"
#include "scenes/stage_play/presentation/screen_effects.h"
#include "scenes/stage_play/rules/contact_hooks.h"
#include "scenes/stage_play/stage_play_scene.h"
#include "scenes/stage_play/stage_reset.h"
#include "stage/commands/int_param.h"
#include "stage/commands/presentation_commands.h"
#include "stage/commands/stage_commands.h"
#include "stage/core/effect_inst.h"
#include "stage/drawing/chara_graphic.h"
#include "stage/drawing/stage_surfaces.h"
#include "stage/flow/flow_engine.h"
#include "stage/objects/engine_hooks.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_spawning.h"

namespace {

constexpr int kToneValues = 8;

// Blocks of every graphic kind draw from the pictures objects of that
// graphic use, without facing.
bool ObjectGraphicOfBlock(int kind, int number, int column, BlockGraphic& out) {
    GraphicSource source;
    SelectGraphicSource(source, FacingMode::None, kind, number, column, nullptr, 0);
    if (!source.lpPrimary) return false;
    out.picture = source.lpPrimary;
    out.sx = source.sx;
    out.sy = source.sy;
    return true;
}

// Lends a container of surfaces to the restore of a lost display.
template <class Surfaces>
DDSurfaceSetWalk WalkOf(Surfaces& surfaces) {
    return [&surfaces](const DDSurfaceVisit& visit) {
        for (DDSURFACEDATA& sd : surfaces) {
            if (!visit(sd)) return false;
        }
        return true;
    };
}

constexpr DDSURFACESET kLentSets[] = {DDSET_STAGEBMP, DDSET_EFFECT, DDSET_SWORD, DDSET_PICTURE, DDSET_MESSAGE};

void RebuildLightMask() {
    if (PlayerList.Count() == 0) return;
    DrawLightMask(&SurfaceArray[kLightMaskPicture], &SurfaceArray[kLightHolePicture], PlayerList[0]);
}

}  // namespace

void cSceneStage::InstallSceneServices() {
    InstallFlowEngine();
    StageResetHooks& reset = ResetHooks();
    reset.killCharaAndEnd = [this](cStageChara& chara) { KillCharaAndEnd(chara, CharaList); };
    reset.clearPresentation = [this] {
        m_Messages.ClearMessagePictures();
        m_ScrEffect = cScreenEffectRun();
        m_ScreenTone = cScreenTone();
    };
    reset.resetCursorStack = [] { CursorStack.Reset(); };
    reset.rebuildLightMask = RebuildLightMask;
    // The presence update, the placement test and the item pick-up.
    InstallContactRules();
    ContactHooks().killChara = [this](cChara& chara) { return KillChara(chara); };
    Hooks().hitEffect = AddHitEffect;
    SetNestedWaitLoop([this](cStageState&) { RunNestedWait(); });
    ScenePresentation().runScreenEffect = [this](int number, int mode, int loop) {
        RunScreenEffectCommand(m_ScrEffect, number, mode, loop);
    };
    ScenePresentation().setScreenTone = [this](const cFlowCmd& command) {
        cScreenTone::Request request{};
        int n = 0;
        for (int& value : request) value = Param(command, n++);
        static_assert(std::tuple_size_v<cScreenTone::Request> == kToneValues);
        m_ScreenTone.Set(request);
    };
    m_Messages.m_fnDrawIcon = DrawStatusIcon;
    SetBlockGraphicSource(ObjectGraphicOfBlock);
    DDRegisterSurfaceSet(DDSET_STAGEBMP, WalkOf(StageBmpSurfaces));
    DDRegisterSurfaceSet(DDSET_EFFECT, WalkOf(EffectSurfaces));
    DDRegisterSurfaceSet(DDSET_SWORD, WalkOf(SwordSurfaces));
    DDRegisterSurfaceSet(DDSET_PICTURE, WalkOf(m_lstPictureSurface));
    DDRegisterSurfaceSet(DDSET_MESSAGE, WalkOf(m_Messages.m_lstPicture));
}

void cSceneStage::UninstallSceneServices() {
    ResetHooks() = StageResetHooks();
    ContactHooks() = ContactRuleHooks();
    SetPlaceBlockedTest(nullptr);
    Hooks().hitEffect = nullptr;
    Hooks().touchEvent = nullptr;
    SetNestedWaitLoop(nullptr);
    ScenePresentation() = ScenePresentationHooks();
    SetBlockGraphicSource(nullptr);
    for (DDSURFACESET set : kLentSets) DDRegisterSurfaceSet(set, nullptr);
}
