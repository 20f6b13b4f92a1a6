#pragma once
// Stage play: the scene that plays one stage. It is also the stage state its
// objects run in, from its construction to its destruction, and the ranking
// result of the stage.
#include <functional>
#include <string>

#include "foundation/checked_containers.h"
#include "gamedata/project/menu_cmd.h"
#include "scenes/rankings/ranking_registration.h"
#include "scenes/stage_play/presentation/message.h"
#include "scenes/stage_play/presentation/screen_effect_run.h"
#include "scenes/stage_play/presentation/screen_tone.h"
#include "shell/loop/game.h"
#include "shell/loop/scene.h"
#include "stage/objects/stage_chara.h"
#include "stage/objects/stage_state.h"

class cChara;
class cStageChara;
class cPlayer;
class cStorySave;

class cSceneStage : public cScene, public cStageState, public cRankResult {
public:
    cSceneStage();
    ~cSceneStage() override;

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

    // One frame: Init on the first, then the current state's.
    void Run() override;
    // The start of the scene, before its first state: the stage loaded when
    // the progress asks for it, the pictures, the first attempt's life and
    // the stage built.
    void Init() override;
    void FadeIn() override;
    void FadeOut() override;
    void StartBanner();
    void PlayFrame();
    void PauseMenu();
    void Result();
    void RetryPrompt();
    void GameOver();

    // Set by the close handler while the pause loop runs.
    void RequestQuit() override { m_bQuit = 1; }
    bool QuitRequested() const override { return m_bQuit != 0; }
    // The name the ranking registration types into.
    std::string* RegistrationName() override { return &m_strRankName; }
    void StoreShownFps(int fps) override { m_nShownFps = fps; }
    int ShownFps() const { return m_nShownFps; }
    int SubStep() const { return m_nSubStep; }
    void SetState(int state, int subStep) {
        m_nState = state;
        m_nSubStep = subStep;
    }

    // The start of a play from another scene: the progress's counters, the
    // logs and the stage's rankings.
    void BeginPlay();
    // The stage frozen or live (live only from the play frame; frozen
    // stops every animation; showTime counts the time display's warning;
    // showHint draws the test play's hint line).
    void Draw(int live, int frozen, int showTime, int showHint);
    // What the ranking display draws under its table: the frozen stage.
    std::function<void()> RankingBackdrop() {
        return [this] { Draw(0, 1, 0, 1); };
    }
    // The hero's step of the draw; a dead hero's death sequence that ends
    // in this (unfrozen) draw ends the attempt here (then 1). A frozen draw
    // never ends it, so an attempt ends once whatever draws the stage after.
    int DrawHero(int frozen);
    // A stage character's step of the draw; 1 when its death has been
    // shown to the end (the draw then removes it).
    int DrawChara(cStageChara& chara, int frozen);
    // The nested frame loop of a held command, on thPause: the frozen stage
    // until the wait request is met; 0 when entered with the quit flag set.
    static unsigned WaitFrames(void* scene);
    // Starts WaitFrames and holds the calling (game) thread until it ends.
    void RunNestedWait();

    // ---- stage outcome: declarations of the outcome rules (pause key,
    // time, lives, kills, the end tally, the next stage). Keep other
    // members out of this block. ----
    // 1 when the Space key asks for the pause menu (where the project lets
    // it); the current state and sub-step become where the menu returns to.
    int CheckPauseKey();
    // Once per play frame: every 60th call moves the time by delta within
    // 0 .. 999; 1 when it has just run out.
    int CountDownTime(int delta);
    // Once per play frame: the clear time in hundredths, up to 99:59.99.
    void CountClearTime();
    // Removes the characters whose removal was asked for and kills those
    // whose life ran out; 1 when the play frame must stop. `walked` is the
    // character the caller's walk stands on: when it must go, it is left in
    // the list and *walkedGone set, for the walk to erase it.
    int CheckLives(const cStageChara* walked = nullptr, bool* walkedGone = nullptr);
    // 0 the character died (or was dead), 1 the stage has ended meanwhile,
    // 2 it is of the hero's kind and nothing was done.
    int KillChara(cChara& chara);
    // The kill with its consequences: an ended stage is tallied and shows
    // its result; a character of the hero's kind makes the hero miss.
    int KillCharaAndEnd(cChara& chara, cList<cStageChara>& list);
    // What becomes of a stage character the play frame's walk has killed,
    // after a flow result or after a contact (blocks, a fall, a crush).
    struct KillOutcome {
        bool bErase = false;     // the walk erases it and goes on with the next
        bool bEndFrame = false;  // the frame stops here
        bool operator==(const KillOutcome&) const = default;
    };
    KillOutcome KillAfterFlow(cStageChara& chara);
    KillOutcome KillAfterContact(cStageChara& chara);
    // The hero's miss; a miss that ends the stage at once is tallied.
    void Miss();
    // The end tally followed by the result state.
    void EndStage();
    // Whenever a stage ends: the totals, extra lives, and the ranking places
    // of the result.
    void EndStageTally();
    void AddStageTotals();
    // 1 when no stage file of that number follows the current one.
    static int IsLastStage(int number);
    // The mode that follows the result: 4 the stage scene again (the next
    // stage of a numbered series, or the same stage), 0 title, 1 world map,
    // 3 stage select.
    int NextStage();
    // ---- end of stage outcome ----

    std::string m_strRankName;
    // The rate the game loop measured last frame.
    int m_nShownFps = 0;
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

private:
    void InstallSceneServices();
    void UninstallSceneServices();
    bool LoadBuiltInPictures();
    bool LoadLayerPictures();
    void ChoosePauseCommands();
    void EndAttemptAfterDeath();
    // The play frame's steps; those giving bool give false when the frame
    // ends there.
    bool ReadFrameInput();
    bool RunSubStep(int k);
    void CountDownLifeTimes();
    void SaveSubStepStart();
    bool StepCharas(bool blockCharas);
    bool StepHero();
    int MoveChara(cStageChara& chara, bool ordinary);
    bool KillAfterFlow(cList<cStageChara>::iterator& it);
    bool KillAfterContact(cList<cStageChara>::iterator& it);
    bool ApplyKill(const KillOutcome& kill, cList<cStageChara>::iterator& it);
    void RemoveOutOfRange();
    bool MissHero();
    bool EndWithClear();
    bool HeroRuleGoesOn(int result);
    // The drawing layers (bit n: layer n) that hold items, stage characters
    // and shots. Eight passes over long lists cost more than drawing what
    // they hold, so the layered draw walks a list only for its layers.
    struct HeldLayers {
        unsigned items = ~0u, charas = ~0u, shots = ~0u;
        // Whether m_vecShotsOnScreen was taken with these layers.
        bool bShotsListed = false;
    };
    // Also lists the shots on screen, so that the layer passes read that
    // short list instead of walking every shot again.
    HeldLayers LayersOfObjects();
    // The objects of one drawing layer (-1: every layer). The ended death of
    // a dead hero resets the stage, which fills the lists afresh; `held` is
    // then taken again and `frozen` becomes 1 for the rest of the frame.
    void DrawObjectLayer(int layer, int& frozen, HeldLayers& held);
    void DrawShotLayer(int layer, int frozen, const HeldLayers& held);

    // The shots on screen in list order with their drawing layer, as
    // LayersOfObjects found them; kept between frames for its capacity.
    struct ShotOnScreen {
        cShot* lpShot;
        int nLayer;
    };
    cVector<ShotOnScreen> m_vecShotsOnScreen;

    double m_dFadeAngle = 0.0;
    bool m_bPicturesLoaded = false;
};

// Takes a life of the progress: 1 when the attempt may begin (a direct
// start, unlimited lives, or a life taken), 0 when no life is left.
int UseLife(cStorySave& progress);
