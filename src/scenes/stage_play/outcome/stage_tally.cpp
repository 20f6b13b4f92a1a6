// The end tally: the stage's values join the game's totals, extra lives
// are shown one by one, and the result's ranking places are found.
#include <algorithm>
#include <climits>

#include "foundation/abort.h"
#include "gamedata/flows/flow_cmd.h"
#include "gamedata/global_data.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "scenes/stage_play/stage_play_scene.h"
#include "scenes/stage_play/stage_resources.h"
#include "shell/app_state.h"
#include "shell/loop/game.h"
#include "shell/requests/sound_requests.h"
#include "stage/commands/stage_commands.h"
#include "stage/objects/player.h"

namespace {

constexpr int kTallySound = 14;
constexpr int kExtraLifeSound = 15;
constexpr int kMaxLives = 99;
constexpr int kExtraLifeWait = 4;
constexpr int kExtraLifeFrames = 30;

// The extra lives a total passing from `before` to `after` earns: one per
// multiple of the step crossed upwards, none for a loss.
long long ExtraLivesEarned(long long before, long long after, int step) {
    return std::max(0LL, after / step - before / step);
}

// Totals grow over a whole game and from values code may set freely: they
// stop at the int range instead of wrapping.
void AddTo(int& total, long long value) {
    total =
        static_cast<int>(std::clamp(total + value, static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX)));
}

// The icon above the hero while the game holds for 30 frames.
void ShowExtraLife(cStageState& stage) {
    MessageRequest icon;
    icon.nKind = MessageKind::ExtraLifeIcon;
    icon.nPlace = MessagePlace::AboveHero;
    icon.bAnchored = 1;
    icon.nTimeKind = MessageTime::Frames;
    icon.nRemain = kExtraLifeFrames;
    icon.bCountFrozen = 1;
    icon.nOwnerId = PlayerList[0].m_nId;
    const cMessageSink::Key held = stage.AddHeldMessage(icon);
    InitRequest(stage.m_Wait, kExtraLifeWait, 0, kExtraLifeFrames, 0);
    RunNestedWait(stage);
    stage.RemoveHeldMessage(held);
}

}  // namespace

int cSceneStage::IsLastStage(int number) {
    std::string name;
    return StageFileName(name, number, 1) ? 0 : 1;
}

void cSceneStage::AddStageTotals() {
    cStorySave& progress = StoryData;
    const cPlayer& hero = PlayerList[0];
    const int before = progress.m_nScore;
    AddTo(progress.m_nScore, progress.m_nStageScore);
    if (!m_bNoTimeLimit) AddTo(progress.m_nTimeLeftTotal, m_nTime);
    AddTo(progress.m_nClearTimeTotal, m_nClearTime);
    AddTo(progress.m_nHpTotal, hero.m_nLife);
    AddTo(progress.m_nSpTotal, hero.m_nSP);

    const int step = SystemData.m_nExtraLifeScore;
    if (progress.m_nLives == kInfiniteLives || !SystemData.m_bExtraLife || step == 0) return;
    // Lives stop at 99, so a huge score step shows only the lives that fit
    // rather than a display per multiple.
    const long long fits = std::max(0, kMaxLives - progress.m_nLives);
    const long long shown = std::min(ExtraLivesEarned(before, progress.m_nScore, step), fits);
    for (long long i = 0; i < shown; ++i) {
        ++progress.m_nLives;
        PlaySystemSound(kExtraLifeSound);
        ShowExtraLife(*this);
        if (m_bQuit) {
            PostMessageA(MainWindowHandle.load(), WM_CLOSE, 0, 0);
            return;
        }
        while (AppActive.load() == 0 && !m_bQuit && !AbortFlag.load()) Sleep(1);
    }
}

void cSceneStage::EndStageTally() {
    PlaySystemSound(kTallySound);
    AddStageTotals();
    m_bRankDone = 0;
    m_bRankEligible = 0;
    m_vecRankSlot.assign(kRankingTableCount, -1);
    if (!DirectStart && !(Game.RankingsOn && IsLastStage(StoryData.m_nNextPart))) return;
    const cStorySave& progress = StoryData;
    m_vecRankScore = cVector<int>{progress.m_nScore, progress.m_nTimeLeftTotal, progress.m_nClearTimeTotal,
                                  progress.m_nHpTotal, progress.m_nSpTotal};
    if (!TestPlay) FindSlots(LoadedStage.m_vnRankingOn);
}
