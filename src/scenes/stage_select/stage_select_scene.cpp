#include "scenes/stage_select/stage_select_scene.h"

#include <algorithm>

#include "draw/blit.h"
#include "draw/device/surface_table.h"
#include "draw/text/font.h"
#include "foundation/report.h"
#include "foundation/strings.h"
#include "gamedata/global_data.h"
#include "gamedata/project/player_files.h"
#include "gamedata/stage_file/stage_loader.h"
#include "gamedata/story/story_rules.h"
#include "scenes/menu/cursor_moves.h"
#include "scenes/menu/cursor_stack.h"
#include "scenes/menu/menu_pictures.h"
#include "scenes/menu/menu_sounds.h"
#include "scenes/rankings/ranking_drawing.h"
#include "scenes/rankings/ranking_set.h"
#include "shell/input/key_state.h"
#include "shell/loop/game.h"

namespace {

constexpr int kListX = 32, kListY = 160, kRow = 32, kRowsShown = 10;
constexpr int kChallengeCommand = 2;
constexpr int kWorldText = 0, kHighScoreText = 3, kTotalText = 4;
constexpr int kClearSignX = 96, kClearSignY = 0;
constexpr int kSelectSlot = 2;

bool ChallengeRankings() { return SystemData.RankingSettings[kGameChallenge].m_bEnabled != 0; }

void DrawCentred(Font& font, DDSURFACEDATA* s, int y, const std::string& text) {
    font.DrawText(s, 320 - font.m_nPitch * CountChars(text) / 2, y, text.c_str());
}

}  // namespace

std::string ChallengeStageFile(int n) {
    return StrPrintf("%s%02d-1.%s", PathTable[kPathChallengeStages], n, ExtTable[kExtStage]);
}

cSceneStageSelect::cSceneStageSelect() : cMenuScene(kSceneStageSelect, 15) {}

void cSceneStageSelect::RunState(int state) {
    using Step = void (cSceneStageSelect::*)();
    static constexpr Step kStates[] = {&cSceneStageSelect::FadeIn, &cSceneStageSelect::List,
                                       &cSceneStageSelect::FadeOut};
    RunStateOf(*this, kStates, state);
}

void cSceneStageSelect::UpdateCounts() {
    m_nStageCount = SystemData.m_bAllChallenges ? ChallengeStageCount() : StoryData.m_nChallengeOpened;
    m_nRows = std::min(m_nStageCount - m_nListTop, kRowsShown);
}

void cSceneStageSelect::SelectStage(int n) {
    StoryData.SetStageFile(ChallengeStageFile(n), 0, 0, 0);
    if (Game.RankingsOn) LoadRankingFile(RankingSet, Game.GameKind, StoryData.m_strStage, 0, 0, 0);
}

void cSceneStageSelect::Init() {
    Game.RequestBgm(SystemData.SceneBgmIds[kSelectSlot], SystemData.SceneBgmKeep[kSelectSlot], kSelectSlot);
    if (!LoadPictures({kPicAccessory, kPicWindow})) return;
    CursorStack.Reset();
    CursorStack.Top().row = Game.SelectCursor;
    m_nListTop = Game.SelectPage;
    SelectStage(CursorStack.Top().row + 1);
    if (!m_Surface.Create(640, 480, 0)) return;
    BuildSurface();
    m_nSubStep = 0;
}

void cSceneStageSelect::BuildSurface() { DrawList(m_Surface.Get()); }

void cSceneStageSelect::DrawList(DDSURFACEDATA* surface) {
    Font& large = Fonts[2];
    Font& medium = Fonts[1];
    large.DrawWindow(surface, 1, 1, 638, 478);
    DrawCentred(large, surface, 32, SystemData.TitleMenu[kChallengeCommand].m_strName);
    const int total = StoryData.m_nClearedScore;
    if (SystemData.m_bSelectTotalScore && total > 0) {
        DrawCentred(medium, surface, 88, StrPrintf("%s%d", SystemData.SystemTexts[kTotalText].c_str(), total));
    }
    const bool panel = ChallengeRankings() && StoryData.m_bRankingShown;
    if (!panel && SystemData.m_bSelectHighScore) {
        large.DrawTextF(surface, 32, 128, "         %s", SystemData.SystemTexts[kHighScoreText].c_str());
    }
    UpdateCounts();
    const std::string& world = SystemData.SystemTexts[kWorldText];
    const int c = CountChars(world);
    for (int i = 0; i < m_nRows; ++i) {
        const int n = m_nListTop + i + 1;
        const int y = kListY + kRow * i;
        large.DrawTextF(surface, 64, y, "%s%d", world.c_str(), n);
        if (n - 1 >= StoryData.m_vChallenge.Count()) continue;
        const cChallengeRecord& record = StoryData.m_vChallenge[n - 1];
        if (record.m_bCleared) {
            DDBlt(surface, 32 * (c + 4), y, kRow, kRow, &SurfaceArray[kPicAccessory], kClearSignX, kClearSignY, 1);
        }
        if (SystemData.m_bSelectHighScore) large.DrawTextF(surface, 32 * c + 192, y, "%d", record.m_nBest);
    }
    if (panel) {
        int shown = StoryData.m_nRankingGenre;
        if (shown < 0 || shown >= kRankTables) shown = 0;
        DrawRankingTable(RankingSet, surface, 292, 108, shown, -1);
    }
}

void cSceneStageSelect::FadeIn() {
    if (PaletteMode() || m_Surface.Lost()) BuildSurface();
    m_Surface.Show(0, 0);
    if (StepFadeIn()) m_nState = kStateList;
}

void cSceneStageSelect::WorkRankingPanel() {
    if (Button(3)) {
        if (ChallengeRankings()) {
            MenuSound(6);
            StoryData.m_bRankingShown = !StoryData.m_bRankingShown;
        } else {
            StoryData.m_bRankingShown = 0;
        }
        BuildSurface();
    } else if (Button(4) && ChallengeRankings()) {
        if (SystemData.CountEnabled(Game.GameKind) >= 2) {
            MenuSound(6);
            StepEnabledIndex(StoryData, Game.GameKind, 1);
        }
        BuildSurface();
    }
}

void cSceneStageSelect::StartStage() {
    const int row = CursorStack.Top().row;
    const std::string name = ChallengeStageFile(row + 1);
    if (!LoadStageThreaded(name, 1, &PlayStage, &HeroDef)) {
        MenuSound(3);
        ErrorBoxF("ステージファイル %s が読み込めません！", name.c_str());
        return;
    }
    MenuSound(1);
    StoryData.SetStageFile(LoadedStage.m_strPath, 0, 0, 0);
    StoryData.m_nStageNo = row + 1;
    StoryData.m_nPart = 1;
    if (LivesAreInfinite(kGameChallenge)) {
        StoryData.m_nStartLives = StoryData.m_nLives = kInfiniteLives;
    } else {
        StoryData.m_nStartLives = StartLivesOf(kGameChallenge);
        StoryData.m_nLives = StoryData.m_nStartLives - 1;
    }
    // The challenge goes on through the stage's further part files.
    StoryData.m_bMultiPart = 1;
    Game.SelectCursor = row;
    Game.SelectPage = m_nListTop;
    Leave(kSceneStage, kStateFadeOut);
}

void cSceneStageSelect::List() {
    UpdateCounts();
    const std::uint16_t keys = Keys();
    MoveListCursor(keys, 1, m_nListTop, kListY, kRow, kListX, m_nRows, m_nStageCount, 1);
    PlayCursorSound(keys, 3, 0);
    if (keys & (KeyBit::Left | KeyBit::Right | KeyBit::Up | KeyBit::Down)) {
        SelectStage(CursorStack.Top().row + 1);
        BuildSurface();
    }
    if (Button(1)) {
        StartStage();
        return;
    }
    if (Button(2)) {
        MenuSound(2);
        Leave(kSceneTitle, kStateFadeOut);
        return;
    }
    WorkRankingPanel();
    if (m_Surface.Lost()) BuildSurface();
    m_Surface.Show(0, 0);
    const CursorState& c = CursorStack.Top();
    DrawPicture(kPicAccessory, kListX, kListY + kRow * (c.row - m_nListTop), kBigCursorX, kBigCursorY, kBigCursorSize,
                kBigCursorSize);
}

void cSceneStageSelect::FadeOut() {
    if (StepFadeOut()) EndFadeOut();
}
