#pragma once
// The six scene classes, by mode number.
#include <string>

#include "scenes/fading_scene.h"
#include "scenes/options/option_scene.h"
#include "scenes/stage_play/presentation/message.h"
#include "scenes/stage_play/presentation/screen_effect_run.h"
#include "scenes/stage_play/presentation/screen_tone.h"
#include "scenes/stage_select/stage_select_scene.h"
#include "scenes/title/title_scene.h"
#include "scenes/world_map/map_menu_scene.h"
#include "scenes/world_map/world_map_scene.h"
#include "shell/game.h"
#include "stage/objects/stage_state.h"

// Stage play: the scene is also the stage state its objects run in, from
// its construction to its destruction.
class cModeStage : public cFadingScene, public cStageState {
public:
    cModeStage() : cFadingScene(kModeStage) {
        SetStageState(this);
        m_lpMessageSink = &m_Messages;
    }
    // Set by the close handler while the pause loop runs.
    void RequestQuit() override { m_bQuit = 1; }
    // The name the ranking registration types into.
    std::string* RegistrationName() override { return &m_strRankName; }
    std::string m_strRankName;
    // The shown messages (where stage code's messages arrive), the screen
    // effect and the screen colour.
    cMessageList m_Messages;
    cScreenEffectRun m_ScrEffect;
    cScreenTone m_ScreenTone;
};

// Registers the six constructors with the game object, and the replay
// services of the main window's file requests.
void RegisterScenes();
