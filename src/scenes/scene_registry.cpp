#include "scenes/scene_registry.h"

#include <memory>

#include "scenes/stage_play/presentation/screen_effect_run.h"
#include "scenes/stage_play/replay_requests.h"
#include "shell/direct_play.h"
#include "shell/loop/blend_palette.h"
#include "stage/core/chara_effect_run.h"

namespace {
template <class T>
std::unique_ptr<cScene> Make() {
    return std::make_unique<T>();
}
}  // namespace

void RegisterScenes() {
    SetStageFilePlayer(PlayFreeStageFile);
    RegisterSceneFactory(kSceneTitle, Make<cSceneTitle>);
    RegisterSceneFactory(kSceneWorldMap, Make<cSceneWorldMap>);
    RegisterSceneFactory(kSceneMenu2, Make<cSceneMenu2>);
    RegisterSceneFactory(kSceneStageSelect, Make<cSceneStageSelect>);
    RegisterSceneFactory(kSceneStage, Make<cSceneStage>);
    RegisterSceneFactory(kSceneOption, Make<cSceneOption>);
    InstallReplayFileServices();
    SetPaletteLoader(LoadHbtPalette);
    RegisterCharaEffectStartup();
    AddScreenEffectTemplateStep();
}
