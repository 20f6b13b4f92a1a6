// One frame of live play: input, timers, then every object's sub-steps in
// a fixed order (block characters, the hero, ordinary characters, shots,
// range removal, contacts), then the draw. A step that ends the attempt or
// the frame ends it at once: nothing after it runs and nothing is drawn.
#include <climits>

#include "gamedata/project/compat_switches.h"
#include "gamedata/project/global_data.h"
#include "platform/window.h"
#include "scenes/stage_play/key_log.h"
#include "scenes/stage_play/mode_stage.h"
#include "scenes/stage_play/replay_requests.h"
#include "scenes/stage_play/rules/block_chara_contacts.h"
#include "scenes/stage_play/rules/item_touch.h"
#include "scenes/stage_play/rules/object_contacts.h"
#include "scenes/stage_play/rules/presence.h"
#include "scenes/stage_play/stage_reset.h"
#include "scenes/stage_play/sub_step_start.h"
#include "shell/app_state.h"
#include "shell/key_state.h"
#include "shell/sound_requests.h"
#include "stage/movement/ground_effects.h"
#include "stage/movement/tile_contacts.h"
#include "stage/movement/view_clamps.h"
#include "stage/objects/player.h"
#include "stage/objects/shot_update.h"
#include "stage/objects/stage_chara.h"
#include "stage/objects/stage_spawning.h"

namespace {

constexpr int kPlayTypeReplay = 4;
constexpr int kAlwaysTrigger = 0;
// Results of the movement and the tile rules.
constexpr int kLeaves = 4;
constexpr int kMoveKills = 7;
constexpr int kMoveLeaves = 8;
constexpr int kKilled = 2;
// Range rules of characters, block characters and items.
constexpr int kRangeCharas = 0, kRangeBlockCharas = 1, kRangeItems = 2;

bool Alive(const cChara& c) { return !c.m_bDead; }

bool Takes(const cStageChara& c, bool blockCharas) {
    return c.IsBlockChara() == blockCharas && c.m_bExists && !c.m_bDead && c.m_bAwake;
}

bool Squeezed(const cChara& c) {
    if (SwitchOn(Switch::TouchPush)) {
        return (c.m_bTouchLeft && c.m_bTouchRight) || (c.m_bTouchTop && c.m_bTouchBottom);
    }
    return c.IsSqueezedX() || c.IsSqueezedY();
}

}  // namespace

// The input of this frame: the player's keys, recorded for a replay, or
// the replay's keys. false when the replay ended (it starts over).
bool cModeStage::ReadFrameInput() {
    cKeyState& keys = KeyStates[0];
    if (Game.PlayType == kPlayTypeReplay) {
        keys.ClearDirection();
        keys.ClearButtons();
        if (KeyLog.Play(keys)) {
            StoryData.RestoreStageStart(1, Game.GameKind, DirectStart != 0);
            ResetStage(*this, 1, 1);
            m_nState = kStateStartBanner;
            return false;
        }
        keys.m_nNumpad = NumpadDirection(&keys.m_wDirection);
    } else {
        if (keys.m_wButtons == 0) {
            m_bButtonLatch = 0;
        } else if (m_bButtonLatch) {
            keys.m_wButtons = 0;
        }
    }
    keys.RecordHistory();
    keys.UpdateRuns();
    if (Game.PlayType != kPlayTypeReplay && SystemData.m_bReplay) KeyLog.Record(keys);
    return true;
}

void cModeStage::PlayFrame() {
    if (m_bQuit) {
        PostMessageA(MainWindowHandle.load(), WM_CLOSE, 0, 0);
        return;
    }
    if (CheckPauseKey()) {
        SetState(kStatePauseMenu, 0);
        return;
    }
    if (RequestSaveReplay()) return;
    ++m_nPlayFrame;
    if (!ReadFrameInput()) return;
    CountClearTime();
    cPlayer& hero = PlayerList[0];
    if (CountDownTime(-1) && Alive(hero)) {
        Miss();
        return;
    }
    if (Alive(hero)) hero.ResetFlowOnceFlags();
    for (cStageChara& chara : CharaList) {
        if (Alive(chara)) chara.ResetFlowOnceFlags();
    }
    for (cStageChara& chara : CharaList) chara.m_bPinScreenX = chara.m_bPinScreenY = 0;
    hero.m_bPinScreenX = hero.m_bPinScreenY = 0;
    for (int k = 1; k <= LoadedStage.m_nSubSteps; ++k) {
        if (!RunSubStep(k)) return;
    }
    Draw(1, 0, 1, 1);
}

bool cModeStage::EndWithClear() {
    EndStage();
    return false;
}

bool cModeStage::MissHero() {
    Miss();
    return false;
}

// A result of 1 clears the stage, 2 misses; true when the frame goes on.
bool cModeStage::HeroRuleGoesOn(int result) {
    if (result == 1) return EndWithClear();
    if (result == kKilled) return MissHero();
    return true;
}

void cModeStage::CountDownLifeTimes() {
    for (auto it = CharaList.begin(); it != CharaList.end();) {
        if (Alive(*it) && it->m_nLifeTime != INT_MAX && --it->m_nLifeTime < 0) {
            it = EraseStageChara(*this, CharaList, it);
        } else {
            ++it;
        }
    }
    for (auto it = ItemList.begin(); it != ItemList.end();) {
        if (it->m_nLifeTime != INT_MAX && --it->m_nLifeTime < 0) {
            it = ItemList.erase(it);
        } else {
            ++it;
        }
    }
}

void StartCharaSubStep(cStageChara& chara) {
    chara.CountDownInvincibility();
    chara.ClearContacts();
    chara.SavePosition();
    if (!SwitchOn(Switch::NoRectRefresh)) chara.UpdateScreenRect();
}

void cModeStage::SaveSubStepStart() {
    for (cStageChara& chara : CharaList) StartCharaSubStep(chara);
    cPlayer& hero = PlayerList[0];
    hero.CountDownInvincibility();
    hero.ClearContacts();
    hero.SavePosition();
    hero.SaveDirection();
    hero.SavePose();
}

// The kill of a character by its flows; false when the frame ends.
bool cModeStage::KillAfterFlow(cList<cStageChara>::iterator& it) { return ApplyKill(KillAfterFlow(*it), it); }

bool cModeStage::ApplyKill(const KillOutcome& kill, cList<cStageChara>::iterator& it) {
    it = kill.bErase ? EraseStageChara(*this, CharaList, it) : std::next(it);
    return !kill.bEndFrame;
}

// The kill of a character by a contact; false when the frame ends.
bool cModeStage::KillAfterContact(cList<cStageChara>::iterator& it) { return ApplyKill(KillAfterContact(*it), it); }

// Moves a character through the map; its result: 0 goes on, a kill, or a
// leave (kLeaves).
int cModeStage::MoveChara(cStageChara& chara, bool ordinary) {
    if (chara.MoveX() == kLeaves) return kLeaves;
    if (ResolveTilesX(chara) == kKilled) return kKilled;
    chara.ApplyGravity();
    const int moved = chara.MoveY();
    if (moved == kMoveKills) return kKilled;
    if (moved == kMoveLeaves) return kLeaves;
    if (ResolveTilesY(chara) == kKilled) return kKilled;
    if (!ordinary) return 0;
    if (ResolveBlockCharaContacts(chara, CharaList) == kKilled) return kKilled;
    // An ordinary character is not killed by the both-sides rules' reports.
    ResolveTilesXBoth(chara);
    ResolveTilesYBoth(chara);
    return Squeezed(chara) ? kKilled : 0;
}

// One pass over the block characters (blockCharas) or the ordinary ones.
bool cModeStage::StepCharas(bool blockCharas) {
    for (auto it = CharaList.begin(); it != CharaList.end();) {
        cStageChara& chara = *it;
        if (!Takes(chara, blockCharas)) {
            ++it;
            continue;
        }
        chara.FireTrigger(kAlwaysTrigger);
        if (chara.StepCharaFlows(0) != 0) {
            if (!blockCharas && chara.m_bVanish) {
                it = EraseStageChara(*this, CharaList, it);
                continue;
            }
            if (!KillAfterFlow(it)) return false;
            continue;
        }
        bool walkedGone = false;
        if (m_bLifeCheck && CheckLives(&chara, &walkedGone)) return false;
        if (walkedGone) {
            it = EraseStageChara(*this, CharaList, it);
            continue;
        }
        if (!blockCharas && chara.m_bRiding) CarryRider(chara, CharaList);
        const int result = MoveChara(chara, !blockCharas);
        if (result == kKilled) {
            if (!KillAfterContact(it)) return false;
            continue;
        }
        if (result == kLeaves) {
            it = EraseStageChara(*this, CharaList, it);
            continue;
        }
        chara.CountDownImpactX();
        chara.CountDownImpactY();
        ++it;
    }
    return true;
}

// The hero's sub-step; false when the frame ends.
bool cModeStage::StepHero() {
    cPlayer& hero = PlayerList[0];
    hero.FireTrigger(kAlwaysTrigger);
    if (hero.StepCharaFlows(0) != 0) return MissHero();
    if (m_nEndRequest == EndRequest::StageClear) return EndWithClear();
    if (m_nEndRequest == EndRequest::Miss) return MissHero();
    if (m_bLifeCheck && CheckLives()) return false;
    if (!HeroRuleGoesOn(ApplyGroundEffect(hero))) return false;
    if (hero.m_bRiding) CarryRider(hero, CharaList);
    hero.MoveX();
    ClampHeroToViewX(hero);
    if (ResolveTilesX(hero) == kKilled) return MissHero();
    ClampHeroToViewX(hero);
    hero.ApplyGravity();
    if (hero.MoveY() == kMoveKills) return MissHero();
    if (ClampHeroToViewY(hero) == kKilled) return MissHero();
    if (ResolveTilesY(hero) == kKilled) return MissHero();
    if (ClampHeroToViewY(hero) == kKilled) return MissHero();
    if ((hero.m_bTouchLeft && hero.m_bTouchRight) || (hero.m_bTouchTop && hero.m_bTouchBottom)) {
        if (!hero.RestoreChangePos()) {
            hero.RestorePosition();
            return MissHero();
        }
    }
    if (ResolveBlockCharaContacts(hero, CharaList) == kKilled && Alive(hero) && !hero.RestoreChangePos()) {
        return MissHero();
    }
    if ((hero.m_bTouchLeft || hero.m_bTouchRight) && ResolveTilesXBoth(hero) == kKilled && Alive(hero)) {
        // A restored change of graphic ends the frame where it stands.
        return hero.RestoreChangePos() ? false : MissHero();
    }
    if ((hero.m_bTouchTop || hero.m_bTouchBottom) && ResolveTilesYBoth(hero) == kKilled && Alive(hero) &&
        !hero.RestoreChangePos()) {
        return MissHero();
    }
    if (Squeezed(hero) && !hero.RestoreChangePos()) {
        hero.RestorePosition();
        return MissHero();
    }
    hero.CountDownImpactX();
    hero.CountDownImpactY();
    return true;
}

void cModeStage::RemoveOutOfRange() {
    if (m_bRangeChara || m_bRangeBlockChara) {
        for (auto it = CharaList.begin(); it != CharaList.end();) {
            const bool block = it->IsBlockChara();
            const bool on = block ? m_bRangeBlockChara : m_bRangeChara;
            const int rule = block ? kRangeBlockCharas : kRangeCharas;
            if (on && Alive(*it) && it->m_bExists && it->IsOutOfRange(LoadedStage.m_Remove[rule])) {
                it = EraseStageChara(*this, CharaList, it);
            } else {
                ++it;
            }
        }
    }
    if (!m_bRangeItem) return;
    for (auto it = ItemList.begin(); it != ItemList.end();) {
        it = it->IsOutOfRange(LoadedStage.m_Remove[kRangeItems]) ? ItemList.erase(it) : std::next(it);
    }
}

bool cModeStage::RunSubStep(int k) {
    m_nSubStepNo = k;
    ++m_nSubStepTotal;
    UpdatePresence(*this);
    cPlayer& hero = PlayerList[0];
    if (Alive(hero)) CountDownLifeTimes();
    SaveSubStepStart();
    m_ScrollX.Advance();
    m_ScrollY.Advance();
    if (Alive(hero) && !StepCharas(true)) return false;
    if (Alive(hero) && !StepHero()) return false;
    if (Alive(hero) && !StepCharas(false)) return false;
    StepShots(*this, k == 1);
    if (k == 1 && Alive(hero)) RemoveOutOfRange();
    if (!Alive(hero)) return true;
    if (!HeroRuleGoesOn(TouchItemBlock(hero))) return false;
    if (!HeroRuleGoesOn(ResolveObjectContacts(*this))) return false;
    if (Alive(hero) && !HeroRuleGoesOn(TouchItems(hero))) return false;
    return true;
}
