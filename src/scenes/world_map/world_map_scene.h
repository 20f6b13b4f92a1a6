#pragma once
// The world-map scene, the hub of the story: the hero walks the map cell by
// cell with the view centred on it; at a stage point it shows the stage's
// title, best score and (on request) its ranking, and starts the stage after
// a yes/no prompt. Button 2 opens the world-map menu.
#include "gamedata/story/world_map.h"
#include "scenes/menu/cursor_stack.h"
#include "scenes/menu/menu_scene.h"
#include "scenes/menu/prepared_surface.h"

// The cell index of a column and row: the column clamped to the map, the
// column alone for a negative row, the row clamped to the map's last.
int WorldCellIndex(int column, int row);

class cSceneWorldMap : public cMenuScene {
public:
    enum : int { kStateFadeIn = 0, kStateWalk, kStatePrompt, kStateFadeOut };
    enum : int { kFacingDown = 0, kFacingUp, kFacingLeft, kFacingRight };

    cSceneWorldMap();
    void Init() override;
    void FadeIn() override;
    void FadeOut() override;

    // The first link of the point that the progress makes active, or null.
    static const cStageLink* ActiveLink(const cWorldPoint* point);
    static bool IsCleared(const cStageLink* link);
    static bool IsPassable(const cStageLink* link);

    void EnterPoint();
    void SetUpStage();
    void MoveHero(std::uint16_t keys);

    int ViewColumn() const { return m_nViewX; }
    int ViewRow() const { return m_nViewY; }
    int Facing() const { return m_nFacing; }
    const cStageLink* Link() const { return m_pLink; }

private:
    void RunState(int state) override;
    void Walk();
    void Prompt();
    void ClosePrompt();
    void GoToPrompt();
    void WorkRankingPanel();
    void FindPoint();
    void CentreView();
    void DrawMapSurface();
    void DrawRankingPanel();
    void DrawScreen(bool pointInfo);
    bool LoadLinkStage();

    int m_nViewX = 0;
    int m_nViewY = 0;
    int m_nFacing = 0;
    cWorldPoint* m_pPoint = nullptr;
    const cStageLink* m_pLink = nullptr;
    CursorState m_Saved;
    CursorState m_Entered{-1, -1, 0, 0};
    int m_nStageScore = 0;
    bool m_bStageLoaded = false;
    cPreparedSurface m_Panel;
};
