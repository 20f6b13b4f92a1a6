#pragma once
// Stage play: the scene that plays one stage. It is also the stage state its
// objects run in, from its construction to its destruction, and the ranking
// result of the stage.
#include <string>

#include "foundation/checked_containers.h"
#include "gamedata/project/menu_cmd.h"
#include "scenes/fading_scene.h"
#include "scenes/rankings/ranking_registration.h"
#include "scenes/stage_play/presentation/message.h"
#include "scenes/stage_play/presentation/screen_effect_run.h"
#include "scenes/stage_play/presentation/screen_tone.h"
#include "shell/game.h"
#include "stage/objects/stage_state.h"

class cChara;
class cStageChara;
class cPlayer;

class cModeStage : public cFadingScene, public cStageState, public cRankResult {
public:
    cModeStage() : cFadingScene(kModeStage) {
        SetStageState(this);
        m_lpMessageSink = &m_Messages;
    }
    // Set by the close handler while the pause loop runs.
    void RequestQuit() override { m_bQuit = 1; }
    // The name the ranking registration types into.
    std::string* RegistrationName() override { return &m_strRankName; }

    // States in table order.
    enum : int {
        kStateFadeIn = 0,
        kStateStartBanner,
        kStatePlay,
        kStatePauseMenu,
        kStateResult,
        kStateRetryPrompt,
        kStateGameOver,
        kStateFadeOut,
    };

    // ---- stage outcome: declarations of the outcome rules (pause key,
    // time, lives, kills, the end tally, the next stage). Keep other
    // members out of this block. ----
    // ---- end of stage outcome ----

    std::string m_strRankName;
    // The shown messages (where stage code's messages arrive), the screen
    // effect and the screen colour.
    cMessageList m_Messages;
    cScreenEffectRun m_ScrEffect;
    cScreenTone m_ScreenTone;

    // ---- contact rules: declarations of the rules between objects
    // (presence, block characters, riders, shots, items). Keep other
    // members out of this block. ----
    // ---- end of contact rules ----

    // The pause menu's four commands: quit, continue, retry, back to map.
    cVector<cCmd> m_vecPauseCmd = cVector<cCmd>(4);

    // ---- terrain and view-edge rules: declarations of the rules between
    // the hero and the map and the view (tiles, ground, view edges). Keep
    // other members out of this block. ----
    // ---- end of terrain and view-edge rules ----
};
