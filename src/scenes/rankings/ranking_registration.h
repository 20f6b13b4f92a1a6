#pragma once
// A stage result's way into the rankings: where its five values would rank,
// the registration by key or automatically with a typed or a fixed name, the
// saved file, and the table shown until the player confirms it.
#include <cstdint>
#include <functional>
#include <string>

#include "foundation/checked_containers.h"

// The ranking part of a stage result, held by the stage scene.
struct cRankResult {
    cVector<int> m_vecRankSlot = cVector<int>(5, -1);  // -1: does not rank
    cVector<int> m_vecRankScore = cVector<int>(5, 0);
    int m_bRankEligible = 0;
    int m_bRankDone = 0;

    // Fills the slots of the values that both the game kind and the stage
    // rank (stageRanks: the stage's five switches) from the tables of
    // RankingSet; any slot sets the eligible flag.
    void FindSlots(const cVector<std::int32_t>& stageRanks);
    // Whether the result screen offers the registration by key: only where
    // RegisterRanking would register (never with the rankings off, as on a
    // direct start that returns to the title).
    bool OffersRegistration() const;
};

// Once per result, with the rankings on and the result eligible: the name
// (the options' fixed one in modes 1 and 3; in modes 0 and 2 typed in the
// name dialog into registrationName, the stage scene's, and kept as the
// progress's last name), the entries, the file, then the display loop on
// the ranking thread, which draws `drawBehind` (the frozen stage) under the
// table each frame. false when the file could not be written (reported).
bool RegisterRanking(cRankResult& result, std::string& registrationName,
                     const std::function<void()>& drawBehind = nullptr);

// What the display loop shows: the result's tables over what drawBehind
// draws (nothing when empty).
struct RankingDisplay {
    const cRankResult* result = nullptr;
    std::function<void()> drawBehind;
};
// The display after a registration, on thRanking (argument: a
// RankingDisplay): the shown table with its new entry; button 4 turns to
// the next ranked value, button 1 ends it.
unsigned ShowRankingLoop(void* display);
// One frame of it with the buttons of that frame; true when it ends (the
// frame then draws nothing).
bool RankingDisplayFrame(const cRankResult& result, bool confirm, bool nextTable,
                         const std::function<void()>& drawBehind = nullptr);
