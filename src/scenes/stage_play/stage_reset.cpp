#include "scenes/stage_play/stage_reset.h"

#include <algorithm>
#include <iterator>
#include <new>

#include "draw/device/device.h"
#include "draw/palette.h"
#include "foundation/abort.h"
#include "foundation/frame_timer.h"
#include "foundation/report.h"
#include "gamedata/global_data.h"
#include "gamedata/project/compat_switches.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "platform/window.h"
#include "scenes/stage_play/key_log.h"
#include "shell/app_state.h"
#include "shell/input/key_state.h"
#include "shell/loop/game.h"
#include "shell/requests/sound_requests.h"
#include "stage/core/picture_inst.h"
#include "stage/objects/block_map.h"
#include "stage/objects/engine_hooks.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_spawning.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kPlayTypeStoryLast = 1;
constexpr int kPlayTypeReplay = 4;
constexpr int kStageStartTrigger = 25;
constexpr int kNoTimeLimit = 999;
constexpr int kFlyingAnim = 2;
constexpr int kWalkingAnim = 0;

bool Replaying() { return Game.PlayType == kPlayTypeReplay; }

template <class F, class... Args>
void Run(const F& hook, Args&... args) {
    if (hook) hook(args...);
}

void EmptyLists(cStageState& s) {
    s.m_nPlayFrame = 0;
    s.m_bAutoSaveOnClear = 0;
    s.m_vecForceShot.assign(kGroupCount, {});
    s.m_vecForce.assign(kGroupCount, {});
    s.m_lstShot.clear();
    for (cStageChara& chara : CharaList) chara.ReleaseLinks();
    CharaList.clear();
    ItemList.clear();
}

void TakeBackStageData(int full) {
    if (!full) return;
    if (Replaying() && !KeyLog.LoadReplayFile(LoadedStage.m_strPath, LoadedStage, PlayStage, StoryData)) {
        FatalClose();
    }
    LoadedStage.CopySettingsFrom(PlayStage);
    const int hero = LoadedStage.FindHero();
    if (!Replaying() && !SwitchOn(Switch::StageReset) && hero >= 0) LoadedStage.m_vPlacedCharas[hero] = HeroDef;
}

// Each attempt has its own seed; while replays are recorded the attempt
// that just ended moves to the second log with the progress it began with.
void SeedAttempt(cStageState& s) {
    if (Replaying()) {
        KeyLog.RewindPlayback();
        s.m_nSeed = KeyLog.m_nSeed;
    } else {
        s.m_nSeed = static_cast<int>(timeGetTime());
        if (SystemData.m_bReplay) {
            StoryStartPrev = StoryStart;
            StoryStart = StoryData;
            KeyLog2 = KeyLog;
            KeyLog.Clear();
            KeyLog.m_nSeed = s.m_nSeed;
        }
    }
    platform::srand(static_cast<unsigned>(s.m_nSeed));
}

void SetUpScroll(cStageState& s) {
    const cStageData& stage = LoadedStage;
    s.m_ScrollX.SetGrid(0, stage.m_nWidth, kViewWidth, true);
    s.m_ScrollX.SetAutoScroll(stage.m_nScrollKindX, stage.m_nScrollSpeedX);
    s.m_ScrollX.SetInnerLimits(stage.m_nLimitLeft, stage.m_nLimitRight, stage.m_bLimitLeft, stage.m_bLimitRight);
    s.m_ScrollY.SetGrid(1, stage.m_nHeight, kViewHeight, false);
    s.m_ScrollY.SetAutoScroll(stage.m_nScrollKindY, stage.m_nScrollSpeedY);
    s.m_ScrollY.SetInnerLimits(stage.m_nLimitTop, stage.m_nLimitBottom, stage.m_bLimitTop, stage.m_bLimitBottom);
}

// The restart point of the progress: a flag, the cell and the facing.
bool HasRestartPoint() { return StoryData.m_nStageValue1 != 0; }

void PlaceHero(cStageState& s) {
    PlayerList.resize(1);
    cPlayer& hero = PlayerList[0];
    const int index = LoadedStage.FindHero();
    cCharaDef def = index >= 0 ? LoadedStage.m_vPlacedCharas[index] : HeroDef;
    if (HasRestartPoint()) def.m_cDirection = static_cast<std::int8_t>(StoryData.m_nStageValue4);
    const double px = (def.m_sCellX + kGridMarginBlocks) * kBlockPixels + kBlockPixels / 2;
    const double py = (def.m_sCellY + kGridMarginBlocks) * kBlockPixels + kBlockPixels / 2;
    hero.InitFromDef(s.m_nNextCharaId++, def, PackPlacement(px, py));
    if (HasRestartPoint()) {
        def.m_sCellX = static_cast<std::int16_t>(StoryData.m_nStageValue2);
        def.m_sCellY = static_cast<std::int16_t>(StoryData.m_nStageValue3);
    }
    hero.PlaceAtCell(def.m_sCellX, def.m_sCellY, 1);
    ShiftBox(hero, def.GetSummonOffsetX(0, def.m_cDirection), def.GetSummonOffsetY(0, def.m_cDirection));
    if (LoadedStage.m_bCarryStatus) StoryData.KeptLifeValues(0, hero.m_nLife, hero.m_nSP);
    hero.m_Anim.SetAnim(hero.m_bFly ? kFlyingAnim : kWalkingAnim, 1);
}

void PlaceCamera(cStageState& s) {
    cPlayer& hero = PlayerList[0];
    s.m_ScrollX.m_dPos = hero.m_dX - kViewWidth / 2 + hero.m_nWidth / 2;
    s.m_ScrollY.m_dPos = hero.m_dY - kViewHeight / 2 + hero.m_nHeight / 2;
    s.m_ScrollX.Clamp();
    s.m_ScrollY.Clamp();
    hero.UpdateScreenRect();
    Run(ResetHooks().rebuildLightMask);
}

void SpawnPlacedObjects(cStageState& s) {
    cVector<int> carried(static_cast<std::size_t>(LoadedStage.m_vPlacedItems.Count()), 0);
    for (const cCharaDef& def : LoadedStage.m_vPlacedCharas) {
        if (def.m_cOperation == CharaOperation::Player) continue;
        cItem item;
        const cItem* held = nullptr;
        const int index = def.m_nHeldItem;
        if (index >= 0 && index < LoadedStage.m_vPlacedItems.Count()) {
            item.CopyFromEntry(s.m_nNextItemId++, LoadedStage.m_vPlacedItems[index], 1);
            carried[index] = 1;
            held = &item;
        }
        SpawnPlacedChara(CharaList, def.m_sCellX, def.m_sCellY, s.m_nNextCharaId, def, held);
    }
    int index = 0;
    for (const cItemDef& def : LoadedStage.m_vPlacedItems) {
        if (!carried[index++]) SpawnPlacedItem(ItemList, def.m_sCellX, def.m_sCellY, s.m_nNextItemId, def);
    }
    s.AddToGroup(PlayerList[0]);
    for (cStageChara& chara : CharaList) s.AddToGroup(chara);
}

bool AnyMargin(const cStageSetting& range) {
    return range.m_nLeft != 0 || range.m_nTop != 0 || range.m_nRight != 0 || range.m_nBottom != 0;
}

void ResetCounters(cStageState& s) {
    s.m_vecStageVar.assign(kStageVarCount, 0);
    s.m_bRangeChara = AnyMargin(LoadedStage.m_Remove[0]) ? 1 : 0;
    s.m_bRangeBlockChara = AnyMargin(LoadedStage.m_Remove[1]) ? 1 : 0;
    s.m_bRangeItem = AnyMargin(LoadedStage.m_Remove[2]) ? 1 : 0;
    // Nothing of the attempt before may reach into this one.
    s.m_Wait = PauseRequest{};
    s.m_bLifeCheck = 0;
    s.m_bInShotPass = 0;
    s.m_vecShotPass = ShotPassTable(LoadedStage.m_nSubSteps, LoadedStage.m_nContactLevel);
    s.m_nEndRequest = EndRequest::None;
    s.m_nBanner = s.m_nBanner2 = 0;
    s.m_bNoTimeLimit = LoadedStage.m_bTimeLimit ? 0 : 1;
    s.m_nTime = LoadedStage.m_bTimeLimit ? LoadedStage.m_nTimeLimit : kNoTimeLimit;
    s.m_nFrames = s.m_nClearTime = 0;
    s.m_vecAreaFlag.assign(kAreaFlagCount, 0);
    s.m_nSubStepNo = s.m_nSubStepTotal = 0;
}

void ResetProgress() {
    StoryData.m_nStageScore = 0;
    if (Replaying() || (TestPlay && DirectStart)) {
        StoryData.m_nScore = StoryData.m_nTimeLeftTotal = StoryData.m_nClearTimeTotal = 0;
        StoryData.m_nHpTotal = StoryData.m_nSpTotal = 0;
    }
    StoryData.BeginStage();
}

void ResetInput() {
    for (cKeyState& keys : KeyStates) {
        keys.ClearHistory();
        keys.ResetRuns();
        keys.ClearDirection();
        keys.ClearButtons();
    }
    Run(ResetHooks().resetCursorStack);
    EveryNth(0, 0);
    for (cStageLayer& layer : LoadedStage.m_vLayers) layer.m_dAutoPosX = layer.m_dAutoPosY = 0.0;
    // A palette fade of the attempt before ends here.
    if (lpDDCon && DDSetting.nBpp == 8) {
        std::copy(std::begin(Palette), std::end(Palette), PaletteWork);
        std::copy(std::begin(PaletteWork), std::end(PaletteWork), DDPaletteColors);
    }
}

// Runs a character's start triggers; false when it is gone afterwards.
bool StartCharaTriggers(cStageChara& chara) {
    StartFlowsByTrigger(chara, kStageStartTrigger, nullptr, 0);
    if (chara.m_bVanish) return false;
    if (chara.m_nLife <= 0) {
        Run(ResetHooks().killCharaAndEnd, chara);
        return false;
    }
    return true;
}

void RunStartTriggers(cStageState& s) {
    const bool existingOnly = !SwitchOn(Switch::StartTriggers);
    if (existingOnly) Run(ResetHooks().updatePresence);
    StartFlowsByTrigger(PlayerList[0], kStageStartTrigger, nullptr, 0);
    for (auto it = CharaList.begin(); it != CharaList.end();) {
        if ((existingOnly && !it->m_bExists) || StartCharaTriggers(*it)) {
            ++it;
        } else {
            it = EraseStageChara(s, CharaList, it);
        }
    }
    Run(ResetHooks().updatePresence);
}

void Build(cStageState& s, int full, int restartMusic) {
    EmptyLists(s);
    if (Game.PlayType <= kPlayTypeStoryLast) {
        StoryData.m_nNextPart = 0;
        StoryData.m_strNextStage.clear();
    }
    TakeBackStageData(full);
    SeedAttempt(s);
    const int heroIndex = LoadedStage.FindHero();
    if (LoadedStage.m_bCarryStatus && heroIndex >= 0)
        StoryData.ApplyKeptStatus(0, LoadedStage.m_vPlacedCharas[heroIndex]);
    if (StageMusicRequested(restartMusic, StoryData.m_nBgm, LoadedStage.m_nBgm, LoadedStage.m_bBgmContinue)) {
        PlayStageBgm(LoadedStage.m_nBgm, LoadedStage.m_bBgmKeep);
    }
    Game.LastBgmId = 0;
    s.m_nNextCharaId = s.m_nNextItemId = s.m_nNextShotId = 0;
    LoadedStage.SetHitCheckLevel(LoadedStage.m_nHitCheckLevel);
    SetUpScroll(s);
    BuildBlockMap(LoadedStage);
    PlaceHero(s);
    PlaceCamera(s);
    SpawnPlacedObjects(s);
    s.m_lstEffect.clear();
    ClearPictures(s);
    Run(ResetHooks().clearPresentation);
    ResetCounters(s);
    ResetProgress();
    ResetInput();
    Game.FrameRate = LoadedStage.m_nFps;
    PlayerList[0].LinkToHero(nullptr);
    for (cStageChara& chara : CharaList) chara.LinkToHero(nullptr);
    RunStartTriggers(s);
    DDSetVirBackBuffer(0);
}

}  // namespace

StageResetHooks& ResetHooks() {
    static StageResetHooks hooks;
    return hooks;
}

bool StageMusicRequested(int restartMusic, int playing, int stageMusic, int keepMusic) {
    if (restartMusic) return !(keepMusic && stageMusic != 0 && playing == stageMusic);
    return playing != stageMusic;
}

void ResetStage(cStageState& stage, int full, int restartMusic) {
    try {
        Build(stage, full, restartMusic);
    } catch (const std::bad_alloc&) {
        ErrorBoxF("メモリ不足により、ステージの初期設定に失敗しました！");
        FatalClose();
    }
}
