#pragma once
// How a stage goes on and how it ends: the pause key, the time limit and
// the clear time, the life check and the kills, the end tally with its
// extra lives and ranking places, and what follows a result. The stage
// scene owns one and calls it from its play frame and its result states.
#include <functional>

#include "foundation/checked_containers.h"
#include "scenes/rankings/ranking_registration.h"

class cChara;
class cStageChara;
class cStageState;

// What becomes of a stage character the play frame's walk has just killed.
struct KillOutcome {
    bool bErase = false;     // the walk erases it and goes on with the next
    bool bEndFrame = false;  // the frame stops here
    bool operator==(const KillOutcome&) const = default;
};

class cStageOutcome {
public:
    explicit cStageOutcome(cStageState& stage) : m_Stage(stage) {}

    // 1 when the Space key asks for the pause menu (where the project lets
    // it); the state and sub-step given are where the menu returns to.
    int CheckPauseKey(int state, int subStep);
    // Once per play frame: every 60th call moves the time by delta within
    // 0 .. 999; 1 when it has just run out.
    int CountDownTime(int delta);
    // Once per play frame: the clear time in hundredths, up to 99:59.99.
    void CountClearTime();

    // Removes the characters whose removal was asked for and kills those
    // whose life ran out; 1 when the play frame must stop. `walked` is the
    // character the caller's walk stands on: when it must go, it is left
    // in the list and *walkedGone set, for the walk to erase it.
    int CheckLives(const cStageChara* walked = nullptr, bool* walkedGone = nullptr);
    // 0 the character died (or was dead), 1 the stage has ended meanwhile,
    // 2 it is of the hero's kind and nothing was done.
    int KillChara(cChara& chara);
    // The kill with its consequences: an ended stage is tallied and shows
    // its result; a character of the hero's kind makes the hero miss.
    int KillCharaAndEnd(cChara& chara);
    // The kills of the play frame's walk: after a flow result, and after a
    // contact (block contact, fall, crush).
    KillOutcome KillAfterFlow(cStageChara& chara);
    KillOutcome KillAfterContact(cStageChara& chara);
    // The hero's miss; a miss that ends the stage at once is tallied.
    void Miss();

    // Whenever a stage ends: the totals, extra lives, and the ranking
    // places of the result.
    void EndStageTally();
    void AddStageTotals();
    // The mode that follows the result: 4 the stage scene again (the next
    // stage of a numbered series, or the same stage), 0 title, 1 world
    // map, 3 stage select.
    int NextStage();

    // The ranking part of the result, read by the result states.
    cRankResult m_Rank;
    // The scene's change to its result state.
    std::function<void()> m_fnEnterResult;

private:
    void EndStage();
    void ShowExtraLife();
    int ContinueSeries();
    int NextStoryStage();
    int NextChallengeStage();
    int NextFreeStage();

    cStageState& m_Stage;
};

// 1 when no stage file of that number follows the current one.
int IsLastStage(int number);
