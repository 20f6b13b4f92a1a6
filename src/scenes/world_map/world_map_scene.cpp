#include "scenes/world_map/world_map_scene.h"

#include <algorithm>
#include <string>

#include "draw/blit.h"
#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "draw/palette.h"
#include "draw/text/font.h"
#include "foundation/abort.h"
#include "foundation/report.h"
#include "foundation/strings.h"
#include "gamedata/global_data.h"
#include "gamedata/stage_file/stage_loader.h"
#include "gamedata/story/story_rules.h"
#include "scenes/menu/cursor_moves.h"
#include "scenes/menu/menu_pictures.h"
#include "scenes/menu/menu_sounds.h"
#include "scenes/menu/menu_texts.h"
#include "scenes/menu/scene_switches.h"
#include "scenes/rankings/ranking_drawing.h"
#include "scenes/rankings/ranking_set.h"
#include "scenes/rankings/ranking_texts.h"
#include "shell/input/key_state.h"
#include "shell/loop/game.h"

namespace {

constexpr int kCell = 32;
constexpr int kHeroX = 288, kHeroY = 224;
constexpr int kHeroColumn = 9, kHeroRow = 7;
constexpr int kViewColumns = 20, kViewRows = 15;
constexpr int kChipsPerRow = 5;
constexpr int kPanelX = 367, kPanelY = 64;
constexpr int kPromptY = 260, kPromptCentre = 304;
constexpr int kPromptTexts = 10;
constexpr int kScoreText = 2;
constexpr int kMapSlot = 1;
constexpr int kStagePoint = 0, kBlockingPoint = 2;
constexpr int kBackDepth = 0;

// The progress's world-map values (rows 25 to 28 of its record): the flag
// of a stage that came back without a clear, the hero's facing, and the
// cell it stood on before its last step.
int& ReturnFlag() { return StoryData.m_nMapValue1; }
int& ProgressFacing() { return StoryData.m_nMapValue2; }
int& PreviousColumn() { return StoryData.m_nMapValue3; }
int& PreviousRow() { return StoryData.m_nMapValue4; }

// The origin the map surface was last drawn for.
int g_drawnX = -1, g_drawnY = -1;
// The hero's two animation frames, 40 frames each.
int g_heroFrame = 0;

CursorState& Hero() { return CursorStack.Top(); }

bool StoryRankings() { return SystemData.RankingSettings[kGameStory].m_bEnabled != 0; }

bool ChipBlocks(int column, int row) {
    const int chip = WorldMap.CellAt(column, row);
    return chip >= 0 && chip < WorldMap.m_vChip.Count() && WorldMap.m_vChip[chip].m_bBlocked != 0;
}

void DrawBox(int centreX, int y, const std::string& text) {
    const int w = 16 * CountChars(text);
    Fonts[1].DrawTextBoxF(&BackBuffer, centreX - w / 2, y, w, 16, "%s", text.c_str());
}

}  // namespace

int WorldCellIndex(int column, int row) {
    column = std::clamp(column, 0, std::max(WorldMap.m_nWidth - 1, 0));
    if (row < 0) return column;
    return column + (std::min(row, WorldMap.m_nHeight - 1) << WorldMap.m_nPitchShift);
}

cSceneWorldMap::cSceneWorldMap() : cMenuScene(kSceneWorldMap, 15) {}

void cSceneWorldMap::RunState(int state) {
    using Step = void (cSceneWorldMap::*)();
    static constexpr Step kStates[] = {&cSceneWorldMap::FadeIn, &cSceneWorldMap::Walk, &cSceneWorldMap::Prompt,
                                       &cSceneWorldMap::FadeOut};
    RunStateOf(*this, kStates, state);
}

const cStageLink* cSceneWorldMap::ActiveLink(const cWorldPoint* point) {
    return point ? point->ActiveLink(StoryData) : nullptr;
}

bool cSceneWorldMap::IsCleared(const cStageLink* link) { return link && link->IsCleared(StoryData); }

bool cSceneWorldMap::IsPassable(const cStageLink* link) {
    return link && (link->m_bAlwaysOpen != 0 || IsCleared(link));
}

void cSceneWorldMap::FindPoint() {
    m_pPoint = WorldMap.PointAt(Hero().column, Hero().row);
    m_pLink = ActiveLink(m_pPoint);
}

void cSceneWorldMap::CentreView() {
    m_nViewX = Hero().column - kHeroColumn;
    m_nViewY = Hero().row - kHeroRow;
    Hero().x = kHeroX;
    Hero().y = kHeroY;
    if (m_nViewX != g_drawnX || m_nViewY != g_drawnY) DrawMapSurface();
}

void cSceneWorldMap::Init() {
    Game.RequestBgm(SystemData.SceneBgmIds[kMapSlot], SystemData.SceneBgmKeep[kMapSlot], kMapSlot);
    if (!LoadPictures({kPicWorldBack, kPicWorldMapChip, kPicWorldEvent, kPicAccessory, kPicWindow, kPicScreenWork}))
        return;
    CursorStack.Reset();
    StoryData.RecalcTotal();
    Hero() = CursorState{StoryData.m_nMapX, StoryData.m_nMapY, kHeroX, kHeroY};
    m_nViewX = Hero().column - kHeroColumn;
    m_nViewY = Hero().row - kHeroRow;
    m_nFacing = ProgressFacing();
    FindPoint();
    m_Saved = Hero();
    if (!m_Panel.Create(272, 352, 1)) return;
    DrawRankingPanel();
    if (m_pLink && m_pLink->m_nKind == kStagePoint) {
        EnterPoint();
        m_Entered = Hero();
    }
    if (StoryData.m_bAutoSave && Game.PreviousScene == kSceneStage) {
        const int slot = StoryData.m_nSlot;
        if (slot < 0 || slot >= kSaveSlotCount || !StoryData.SaveSlot(slot)) {
            // The player counts on the auto-save: a failed one must not pass
            // in silence.
            LogPrintf("オートセーブに失敗しました (%d)", slot + 1);
            ErrorBoxF("オートセーブに失敗しました！");
        }
    }
    DrawMapSurface();
    m_nSubStep = 0;
}

void cSceneWorldMap::DrawRankingPanel() {
    DDSURFACEDATA* panel = m_Panel.Get();
    DDFillSurface(panel, 0);
    int shown = StoryData.m_nRankingGenre;
    if (shown < 0 || shown >= kRankTables) shown = 0;
    DrawRankingTable(RankingSet, panel, 0, 0, shown, -1);
}

void cSceneWorldMap::DrawMapSurface() {
    g_drawnX = m_nViewX;
    g_drawnY = m_nViewY;
    DDSURFACEDATA* map = &SurfaceArray[kPicScreenWork];
    DDFillSurface(map, static_cast<DWORD>(WorldMap.m_nBackColor));
    if (WorldMap.m_bBackPicture) {
        // The picture's corner stays on map cell (0, 0).
        const int sx = m_nViewX * kCell, sy = m_nViewY * kCell;
        DDBlt(map, std::max(-sx, 0), std::max(-sy, 0), 640, 480, &SurfaceArray[kPicWorldBack], std::max(sx, 0),
              std::max(sy, 0), kBackDepth);
    }
    for (int r = 0; r < kViewRows; ++r) {
        const int row = m_nViewY + r;
        if (row < 0 || row >= WorldMap.m_nHeight) continue;
        for (int c = 0; c < kViewColumns; ++c) {
            const int column = m_nViewX + c;
            if (column < 0 || column >= WorldMap.m_nWidth) continue;
            const int chip = WorldMap.CellAt(column, row);
            if (chip < 0 || chip >= WorldMap.m_vChip.Count()) continue;
            const int p = WorldMap.m_vChip[chip].m_nPicture;
            DDBlt(map, kCell * c, kCell * r, kCell, kCell, &SurfaceArray[kPicWorldMapChip], (p % kChipsPerRow) * kCell,
                  (p / kChipsPerRow) * kCell, 1);
        }
    }
    for (const cWorldPoint& point : WorldMap.m_vPoint) {
        const int c = point.m_nX - m_nViewX, r = point.m_nY - m_nViewY;
        if (c < 0 || r < 0 || c >= kViewColumns || r >= kViewRows) continue;
        const cStageLink* link = ActiveLink(&point);
        if (!link) continue;
        DDBlt(map, kCell * c, kCell * r, kCell, kCell, &SurfaceArray[kPicWorldEvent], IsCleared(link) ? kCell : 0,
              kCell * link->m_nPointIcon, 1);
    }
}

void cSceneWorldMap::DrawScreen(bool pointInfo) {
    DDSURFACEDATA* map = &SurfaceArray[kPicScreenWork];
    if (map->bLost) DrawMapSurface();
    DDBlt(&BackBuffer, 0, 0, 640, 480, map, 0, 0, 0);
    static constexpr int kHeroSource[4][2] = {{0, 64}, {64, 64}, {64, 96}, {0, 96}};
    g_heroFrame = g_heroFrame % 80 + 1;
    const int facing = std::clamp(m_nFacing, 0, 3);
    DrawPicture(kPicAccessory, kHeroX, kHeroY, kHeroSource[facing][0] + (g_heroFrame > 40 ? kCell : 0),
                kHeroSource[facing][1], kCell, kCell);
    if (MapShowsLives()) {
        const int n = StoryData.m_nLives;
        const int k = n == kInfiniteLives ? 1 : DigitCount(n);
        const int b = 605 - 16 * k;
        Fonts[1].DrawWindow(&BackBuffer, b, 17, 16 * (k + 1), 20);
        DrawPicture(kPicAccessory, b, 19, 0, 48, 16, 16);
        if (n == kInfiniteLives) Fonts[1].DrawText(&BackBuffer, b + 16, 19, "\x81\x87");
        else Fonts[1].DrawTextF(&BackBuffer, b + 16, 19, "%d", n);
    }
    if (!pointInfo || !m_pLink || m_pLink->m_nKind != kStagePoint) return;
    if (StoryRankings() && StoryData.m_bRankingShown) {
        if (m_Panel.Lost()) DrawRankingPanel();
        m_Panel.Show(kPanelX, kPanelY);
    }
    const bool scoreLine = MapShowsBestScore() && m_nStageScore > 0;
    if (!m_pLink->m_strTitle.empty()) DrawBox(kPromptCentre, scoreLine ? 184 : 204, m_pLink->m_strTitle);
    if (scoreLine) {
        DrawBox(kPromptCentre, 204, StrPrintf("%s%d", SystemData.SystemTexts[kScoreText].c_str(), m_nStageScore));
    }
}

void cSceneWorldMap::MoveHero(std::uint16_t keys) {
    CursorState& hero = Hero();
    if (keys & (KeyBit::Left | KeyBit::Right | KeyBit::Up | KeyBit::Down)) {
        PreviousColumn() = hero.column;
        PreviousRow() = hero.row;
        m_Saved = hero;
    }
    if (keys & KeyBit::Left) {
        m_nFacing = kFacingLeft;
        hero.column = std::max(hero.column - 1, 0);
    } else if (keys & KeyBit::Right) {
        m_nFacing = kFacingRight;
        hero.column = std::min(hero.column + 1, WorldMap.m_nWidth - 1);
    } else if (keys & KeyBit::Up) {
        m_nFacing = kFacingUp;
        hero.row = std::max(hero.row - 1, 0);
    } else if (keys & KeyBit::Down) {
        m_nFacing = kFacingDown;
        hero.row = std::min(hero.row + 1, WorldMap.m_nHeight - 1);
    }
    const cStageLink* link = ActiveLink(WorldMap.PointAt(hero.column, hero.row));
    const bool refused = link ? link->m_nKind == kBlockingPoint : ChipBlocks(hero.column, hero.row);
    if (refused) {
        hero.column = m_Saved.column;
        hero.row = m_Saved.row;
    } else {
        ProgressFacing() = m_nFacing;
    }
    CentreView();
}

void cSceneWorldMap::EnterPoint() {
    StoryData.SetStageFile(m_pLink->m_strStage, m_pLink->m_nLinkA, m_pLink->m_nLinkB, m_pLink->m_nLinkC);
    m_nStageScore = StoryData.StageScore(StoryData.m_strStageKey);
    if (!Game.RankingsOn) return;
    LoadRankingFile(RankingSet, Game.GameKind, StoryData.m_strStage, StoryData.m_nLinkA, StoryData.m_nLinkB,
                    StoryData.m_nLinkC);
    StepEnabledIndex(StoryData, Game.GameKind, 0);
    DrawRankingPanel();
}

void cSceneWorldMap::SetUpStage() {
    StoryData.m_nAfterClear = m_pLink->m_nAfterClear;
    StoryData.SetStageFile(LoadedStage.m_strPath, m_pLink->m_nLinkA, m_pLink->m_nLinkB, m_pLink->m_nLinkC);
    StoryData.m_nStageNo = m_pLink->m_nClearFlag;
    StoryData.m_nPart = 1;
    if (LivesAreInfinite(kGameStory)) StoryData.m_nStartLives = kInfiniteLives;
    else if (StoryCarriesLives()) StoryData.m_nStartLives = StoryData.m_nLives + 1;
    else StoryData.m_nStartLives = StartLivesOf(kGameStory);
}

bool cSceneWorldMap::LoadLinkStage() {
    if (LoadStageThreaded(m_pLink->m_strStage, 1, &PlayStage, &HeroDef)) return true;
    ErrorBoxF("ステージファイル %s が読み込めません！", m_pLink->m_strStage.c_str());
    return false;
}

void cSceneWorldMap::WorkRankingPanel() {
    if (Button(3)) {
        if (StoryRankings()) {
            MenuSound(6);
            StoryData.m_bRankingShown = !StoryData.m_bRankingShown;
            DrawRankingPanel();
        } else if (StoryData.m_bRankingShown) {
            StoryData.m_bRankingShown = 0;
            DrawRankingPanel();
        }
    } else if (Button(4) && StoryRankings()) {
        if (SystemData.CountEnabled(Game.GameKind) >= 2) {
            MenuSound(6);
            StepEnabledIndex(StoryData, Game.GameKind, 1);
        }
        DrawRankingPanel();
    }
}

void cSceneWorldMap::GoToPrompt() {
    StoryData.m_nMapX = Hero().column;
    StoryData.m_nMapY = Hero().row;
    CursorStack.Push(0);
    m_nSubStep = 0;
    m_nState = kStatePrompt;
}

void cSceneWorldMap::Walk() {
    const std::uint16_t keys = Keys();
    MoveHero(keys);
    PlayCursorSound(keys, 3, 0);
    FindPoint();
    if (m_pLink && m_pLink->m_nKind == kStagePoint) {
        if (Hero().column != m_Entered.column || Hero().row != m_Entered.row) {
            EnterPoint();
            m_Entered = Hero();
        }
        if (!IsPassable(m_pLink)) {
            // An uncleared stage point cannot be stood on without the question.
            GoToPrompt();
            return;
        }
        if (Button(1)) {
            if (!IsCleared(m_pLink) || m_pLink->m_bReenter) {
                GoToPrompt();
                return;
            }
        } else {
            WorkRankingPanel();
        }
    }
    if (Button(2)) {
        MenuSound(4);
        StoryData.m_nMapX = Hero().column;
        StoryData.m_nMapY = Hero().row;
        m_nSubStep = 0;
        Leave(kSceneMenu2, kStateFadeOut);
        return;
    }
    DrawScreen(true);
}

void cSceneWorldMap::Prompt() {
    if (m_nSubStep == 0) {
        MenuSound(1);
        m_bStageLoaded = LoadLinkStage();
        CursorStack.Top().row = 1;
        m_nSubStep = 1;
    }
    const int x = SystemData.MenuTextLeft(kPromptCentre, kPromptTexts, 2, 1);
    const std::uint16_t keys = Keys();
    MoveGridCursor(keys, x, kPromptY, 0, 16, 1, 2);
    PlayCursorSound(keys, 2, 0);
    if (Button(1)) {
        MenuSound(1);
        if (CursorStack.Top().row == 0 && m_bStageLoaded) {
            ProgressFacing() = m_nFacing;
            SetUpStage();
            m_nSubStep = 0;
            Leave(kSceneStage, kStateFadeOut);
            return;
        }
        ClosePrompt();
    } else if (Button(2)) {
        MenuSound(2);
        ClosePrompt();
    } else {
        WorkRankingPanel();
        DrawScreen(true);
        DrawMenuTexts(SystemData, &BackBuffer, x, kPromptY, kPromptTexts, 2, 1);
        const CursorState& c = CursorStack.Top();
        DrawPicture(kPicAccessory, c.x, c.y, kSmallCursorX, kSmallCursorY, kSmallCursorSize, kSmallCursorSize);
    }
}

void cSceneWorldMap::ClosePrompt() {
    CursorStack.Pop(1);
    if (!IsPassable(m_pLink)) {
        // Declining an uncleared stage steps back off its point.
        Hero().column = m_Saved.column;
        Hero().row = m_Saved.row;
        CentreView();
        FindPoint();
    }
    m_nSubStep = 0;
    m_nState = kStateWalk;
}

void cSceneWorldMap::FadeIn() {
    if (PaletteMode()) DrawRankingPanel();
    DrawScreen(ReturnFlag() == 0);
    if (!StepFadeIn()) return;
    if (m_pLink && m_pLink->m_nKind == kStagePoint) {
        if (ReturnFlag() != 0) {
            ReturnFlag() = 0;
            if (!IsCleared(m_pLink)) {
                Hero().column = PreviousColumn();
                Hero().row = PreviousRow();
                CentreView();
                DrawMapSurface();
                FindPoint();
            }
        } else if (Game.PreviousScene != kSceneMenu2 && !IsPassable(m_pLink)) {
            if (!LoadLinkStage()) {
                FatalClose();
                return;
            }
            SetUpStage();
            PreviousColumn() = Hero().column;
            PreviousRow() = Hero().row;
            m_nSubStep = 0;
            Leave(kSceneStage, kStateFadeOut);
            return;
        }
    }
    m_nState = kStateWalk;
}

void cSceneWorldMap::FadeOut() {
    DrawScreen(true);
    if (StepFadeOut()) EndFadeOut();
}
