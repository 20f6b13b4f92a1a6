// What follows a stage's result: the next stage of a numbered series when
// there is one, else the bookkeeping of the cleared stage and the scene of
// the game kind.
#include <algorithm>

#include "foundation/report.h"
#include "gamedata/project/global_data.h"
#include "gamedata/project/player_files.h"
#include "gamedata/stage_file/stage_loader.h"
#include "gamedata/story/save_slots.h"
#include "gamedata/story/story_rules.h"
#include "scenes/menu/cursor_stack.h"
#include "scenes/stage_play/key_log.h"
#include "scenes/stage_play/mode_stage.h"
#include "scenes/stage_play/stage_resources.h"
#include "shell/app_state.h"
#include "shell/game.h"
#include "stage/objects/player.h"

namespace {

namespace PlayType {
enum : int { NewStory = 0, Story = 1, Challenge = 2, Free = 3, Replay = 4 };
}

namespace AfterClear {
enum : int { NextRound = 1, Title = 2 };
}

// The heroes' status goes into the progress for the next stage, as far as
// the project's carry-over switches allow.
void KeepHeroStatus(const cStageState& stage) {
    int index = 0;
    for (const cPlayer& hero : PlayerList) {
        const cCharaEffectRun& effect = hero.m_EffectRun;
        StoryData.SaveKeptStatus(index++, hero.m_Def, hero.m_nLife, hero.m_nSP, effect.nEffect, effect.nMode,
                                 effect.bLoop, stage.m_nTime, StoryData.m_nLives, StoryData.m_nBgm);
    }
}

// A progress list entry by the stage's index; an index the list does not
// hold names no entry (a damaged slot), and nothing is recorded.
template <typename T>
T* EntryAt(cVector<T>& list, int index) {
    return index >= 0 && index < list.Count() ? &list[index] : nullptr;
}

// The next stage of a numbered series, loaded; 0 when the progress asks for
// none or its file cannot be loaded.
int ContinueSeries() {
    cStorySave& progress = StoryData;
    std::string name;
    if (!StageFileName(name, progress.m_nNextPart, 0)) return 0;
    if (!LoadStageThreaded(name, 1, &PlayStage, &HeroDef)) return 0;
    progress.m_nPart = progress.m_nNextPart;
    KeyLog.Clear();
    KeyLog2.Clear();
    return 1;
}

// The player counts on the auto-save: a failed one must not pass in
// silence.
void AutoSave(cStorySave& progress) {
    const int slot = progress.m_nSlot;
    if (slot < kSaveSlotCount && progress.SaveSlot(slot)) return;
    LogPrintf("オートセーブに失敗しました (%d)", slot + 1);
    ErrorBoxF("オートセーブに失敗しました！");
}

int NextStoryStage(const cStageState& stage) {
    cStorySave& progress = StoryData;
    if (ContinueSeries()) {
        if (stage.m_bAutoSaveOnClear && progress.m_bAutoSave && progress.m_nSlot >= 0) AutoSave(progress);
        return kModeStage;
    }
    if (int* cleared = EntryAt(progress.m_vMapPoint, progress.m_nStageNo)) *cleared = 1;
    progress.AddClearedStage(progress.m_strStage, progress.m_strStageKey, progress.m_nLinkA, progress.m_nLinkB,
                             progress.m_nLinkC, progress.m_nScore);
    switch (progress.m_nAfterClear) {
        case AfterClear::NextRound: progress.ResetStageCounters(); return kModeWorldMap;
        case AfterClear::Title: CursorStack.Top().row = Game.PlayType; return kModeTitle;
        default: return kModeWorldMap;
    }
}

int NextChallengeStage() {
    cStorySave& progress = StoryData;
    if (ContinueSeries()) return kModeStage;
    const int current = progress.m_nStageNo;
    if (cChallengeRecord* record = EntryAt(progress.m_vChallenge, current - 1)) {
        record->m_bCleared = 1;
        if (progress.m_nScore > record->m_nBest) {
            progress.m_nClearedScore += progress.m_nScore - record->m_nBest;
            record->m_nBest = progress.m_nScore;
        }
    }
    if (progress.m_nChallengeOpened <= current) {
        progress.m_nChallengeOpened = std::min(current + 1, ChallengeStageCount());
    }
    if (!progress.SaveFile(PathTable[kPathChallengeSave])) {
        LogPrintf("%s : セーブできませんでした", PathTable[kPathChallengeSave]);
        ErrorBoxF("セーブできませんでした！");
    }
    return kModeStageSelect;
}

int NextFreeStage() {
    cStorySave& progress = StoryData;
    if (progress.m_bMultiPart && !DirectStart) return ContinueSeries() ? kModeStage : kModeTitle;
    // The same stage again, from its own start.
    progress.m_nStageValue1 = 0;
    return kModeStage;
}

}  // namespace

int cModeStage::NextStage() {
    if (LoadedStage.m_bEndKeep) KeepHeroStatus(*this);
    switch (Game.PlayType) {
        case PlayType::NewStory:
        case PlayType::Story: return NextStoryStage(*this);
        case PlayType::Challenge: return NextChallengeStage();
        case PlayType::Free: return NextFreeStage();
        case PlayType::Replay: StoryData.RestoreStageStart(1, Game.GameKind, DirectStart != 0); return kModeStage;
        default: return kModeStageSelect;
    }
}
