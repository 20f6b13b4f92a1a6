#pragma once
// The challenge's stage select: a scrolling list of up to ten of the
// challenge stages ("data\stg4\cNN-1.stg4"), with the cleared ones flagged
// and their best scores, the ranking of the stage under the cursor on
// request, and the chosen stage started.
#include <string>

#include "scenes/menu/menu_scene.h"
#include "scenes/menu/prepared_surface.h"

class cSceneStageSelect : public cMenuScene {
public:
    enum : int { kStateFadeIn = 0, kStateList, kStateFadeOut };

    cSceneStageSelect();
    void Init() override;
    void FadeIn() override;
    void FadeOut() override;

    // Stage count (all of the project's when it says so, else the opened
    // ones) and the rows visible from the list top.
    void UpdateCounts();
    // Challenge stage n (from 1) becomes the progress's stage, with its
    // ranking loaded.
    void SelectStage(int n);

    int ListTop() const { return m_nListTop; }
    int StageCount() const { return m_nStageCount; }
    int VisibleRows() const { return m_nRows; }

private:
    void RunState(int state) override;
    void List();
    void StartStage();
    void WorkRankingPanel();
    void BuildSurface();
    void DrawList(DDSURFACEDATA* surface);

    int m_nListTop = 0;
    int m_nStageCount = 0;
    int m_nRows = 0;
    cPreparedSurface m_Surface;
};

// The first part file of challenge stage n.
std::string ChallengeStageFile(int n);
