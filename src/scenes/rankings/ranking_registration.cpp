#include "scenes/rankings/ranking_registration.h"

#include "draw/device.h"
#include "foundation/abort.h"
#include "foundation/report.h"
#include "gamedata/project/global_data.h"
#include "gamedata/story/story_rules.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "scenes/menu/menu_sounds.h"
#include "scenes/rankings/ranking_drawing.h"
#include "scenes/rankings/ranking_set.h"
#include "shell/app_requests.h"
#include "shell/app_state.h"
#include "shell/game.h"
#include "shell/game_loop.h"
#include "shell/key_state.h"
#include "shell/main_window.h"
#include "shell/worker_threads.h"

namespace {

constexpr int kTableX = 184, kTableY = 64;
// Buttons 1 and 4 read as one press each.
constexpr int kDisplayButtons = 9;
constexpr unsigned kButton1 = 1, kButton4 = 8;

bool TypesName(int mode) { return mode == 0 || mode == 2; }

}  // namespace

void cRankResult::FindSlots(const cVector<std::int32_t>& stageRanks) {
    m_bRankEligible = 0;
    for (int i = 0; i < m_vecRankSlot.Count(); ++i) {
        m_vecRankSlot[i] = -1;
        if (i >= stageRanks.Count() || stageRanks[i] == 0 || !RankingGenreEnabled(Game.GameKind, i)) continue;
        m_vecRankSlot[i] = RankingSet.m_vTables[i].FindSlot(m_vecRankScore[i]);
        if (m_vecRankSlot[i] != -1) m_bRankEligible = 1;
    }
}

bool cRankResult::OffersRegistration() const {
    if (!Game.RankingsOn || m_bRankDone) return false;
    for (int slot : m_vecRankSlot) {
        if (slot != -1) return true;
    }
    return false;
}

bool RegisterRanking(cRankResult& result, std::string& registrationName, const std::function<void()>& drawBehind) {
    if (!Game.RankingsOn || !result.m_bRankEligible || result.m_bRankDone) return true;
    std::string name = OptionData.m_strRankingName;
    if (TypesName(OptionData.m_nRankingMode)) {
        registrationName = StoryData.m_strRankingName;
        SendAppRequest(kWmNameEntry, 0, 0, NameEntryDone);
        StoryData.m_strRankingName = registrationName;
        name = registrationName;
    }
    MenuSound(16);
    for (int i = 0; i < result.m_vecRankSlot.Count(); ++i) {
        if (result.m_vecRankSlot[i] != -1) RankingSet.m_vTables[i].Insert(name, result.m_vecRankScore[i]);
    }
    const bool saved = SaveRankingFile(RankingSet, Game.GameKind, StoryData.m_strStage, StoryData.m_nLinkA,
                                       StoryData.m_nLinkB, StoryData.m_nLinkC);
    if (!saved) {
        // The entry stands in the table now; the player must know it will
        // be gone next time.
        LogPrintf("ランキングを保存できませんでした (%s)", StoryData.m_strStage.c_str());
        ErrorBoxF("ランキングを保存できませんでした！");
    }
    result.m_bRankDone = 1;
    RankingDisplay display{&result, drawBehind};
    if (thRanking.Start(ShowRankingLoop, &display)) {
        thRanking.Handshake();
        thRanking.Wait();
    }
    return saved;
}

bool RankingDisplayFrame(const cRankResult& result, bool confirm, bool nextTable,
                         const std::function<void()>& drawBehind) {
    if (confirm) {
        MenuSound(1);
        return true;
    }
    if (nextTable && SystemData.CountEnabled(Game.GameKind) >= 2) {
        MenuSound(6);
        StepEnabledIndex(StoryData, Game.GameKind, 1);
    }
    int shown = StoryData.m_nRankingGenre;
    if (shown < 0 || shown >= kRankTables) shown = 0;
    if (drawBehind) drawBehind();
    DrawRankingTable(RankingSet, &BackBuffer, kTableX, kTableY, shown, result.m_vecRankSlot[shown]);
    return false;
}

unsigned ShowRankingLoop(void* argument) {
    const auto& display = *static_cast<const RankingDisplay*>(argument);
    // The stored index may name a value this game kind does not rank.
    StepEnabledIndex(StoryData, Game.GameKind, 0);
    for (;;) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) return 1;
        }
        if (AbortFlag.load() != 0) return 1;
        if (!AppActive.load() || FrameLimitReached()) {
            Sleep(1);
            continue;
        }
        Game.WaitFrame();
        if (!Game.RestoreSurfaces()) FatalClose();
        Game.PollInput(KeyStates);
        cKeyState& keys = KeyStates[0];
        keys.LatchButtons(kDisplayButtons);
        keys.ApplyRepeat();
        if (RankingDisplayFrame(*display.result, keys.m_wButtons & kButton1, keys.m_wButtons & kButton4,
                                display.drawBehind)) {
            return 1;
        }
        Game.Present();
    }
}
