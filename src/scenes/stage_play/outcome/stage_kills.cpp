// The life check and the kill rules: who dies, who leaves the list at once
// and who stays for a death sequence, and when a death ends the stage.
#include "gamedata/global_data.h"
#include "scenes/stage_play/stage_play_scene.h"
#include "shell/requests/sound_requests.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_chara.h"
#include "stage/objects/stage_spawning.h"

namespace {

constexpr int kMissSound = 8;
constexpr int kDefeatSound = 9;

namespace KillResult {
enum : int { Died = 0, StageEnded = 1, HeroKind = 2 };
}

bool KeepsDeadCharas() { return SystemData.m_bKeepDeadCharas != 0; }

}  // namespace

void cSceneStage::EndStage() {
    EndStageTally();
    m_nState = kStateResult;
}

void cSceneStage::Miss() {
    PlaySystemSound(kMissSound);
    if (PlayerList[0].Die() == 1) EndStage();
}

int cSceneStage::KillChara(cChara& chara) {
    if (chara.m_nCharaKind == 0) return KillResult::HeroKind;
    if (chara.m_bDead) return KillResult::Died;
    return chara.Die();
}

int cSceneStage::KillCharaAndEnd(cChara& chara, cList<cStageChara>&) {
    const int result = KillChara(chara);
    if (result == KillResult::StageEnded) EndStage();
    if (result == KillResult::HeroKind) Miss();
    return result;
}

int cSceneStage::CheckLives(const cStageChara* walked, bool* walkedGone) {
    cPlayer& hero = PlayerList[0];
    if (hero.m_nLife <= 0) {
        // A hero already dead runs its death sequence; it does not die twice.
        if (!hero.m_bDead) Miss();
        return 1;
    }
    int stop = 0;
    // Erases at once, except the caller's own node, which it erases itself.
    auto erase = [&](cList<cStageChara>::iterator at) {
        if (&*at != walked) return EraseStageChara(*this, CharaList, at);
        if (walkedGone) *walkedGone = true;
        return std::next(at);
    };
    for (auto it = CharaList.begin(); it != CharaList.end() && !stop;) {
        cStageChara& chara = *it;
        if (chara.m_bVanish) {
            it = erase(it);
            continue;
        }
        // A kept dead character waits for its death sequence; killing it
        // again would only repeat its sound.
        if (chara.m_nLife > 0 || chara.m_bDead) {
            ++it;
            continue;
        }
        const int result = KillCharaAndEnd(chara, CharaList);
        stop = result != 0;
        if (!KeepsDeadCharas() || result == KillResult::StageEnded) {
            it = erase(it);
            continue;
        }
        PlaySystemSound(kDefeatSound);
        ++it;
    }
    return stop;
}

cSceneStage::KillOutcome cSceneStage::KillAfterFlow(cStageChara& chara) {
    const int result = KillCharaAndEnd(chara, CharaList);
    if (!KeepsDeadCharas()) return {true, result != 0};
    if (result == KillResult::StageEnded) return {true, true};
    PlaySystemSound(kDefeatSound);
    return {false, result != 0};
}

cSceneStage::KillOutcome cSceneStage::KillAfterContact(cStageChara& chara) {
    PlaySystemSound(kDefeatSound);
    const int result = KillCharaAndEnd(chara, CharaList);
    if (result == KillResult::StageEnded) return {true, true};
    if (result != 0) return {false, true};
    // Without kept dead characters a defeated one is gone in the sub-step
    // of its death, as the life check removes it.
    return {!KeepsDeadCharas(), false};
}
