#include "scenes/modes.h"

#include <memory>

#include "scenes/stage_play/presentation/screen_effect_run.h"
#include "scenes/stage_play/replay_requests.h"
#include "shell/blend_palette.h"
#include "shell/direct_play.h"
#include "stage/drawing/chara_effect_run.h"

namespace {
template <class T>
std::unique_ptr<cMode> Make() {
    return std::make_unique<T>();
}
}  // namespace

void RegisterScenes() {
    SetStageFilePlayer(PlayFreeStageFile);
    RegisterSceneFactory(kModeTitle, Make<cModeTitle>);
    RegisterSceneFactory(kModeWorldMap, Make<cModeWorldMap>);
    RegisterSceneFactory(kModeMenu2, Make<cModeMenu2>);
    RegisterSceneFactory(kModeStageSelect, Make<cModeStageSelect>);
    RegisterSceneFactory(kModeStage, Make<cModeStage>);
    RegisterSceneFactory(kModeOption, Make<cModeOption>);
    InstallReplayFileServices();
    SetPaletteLoader(LoadHbtPalette);
    RegisterCharaEffectStartup();
    AddScreenEffectTemplateStep();
}
