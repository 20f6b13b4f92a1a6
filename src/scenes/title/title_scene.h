#pragma once
// The title scene: the title picture with the project's title commands. The
// command chosen fixes the play type and the game kind that every later
// scene reads: a new or a saved story (world map), the challenge (stage
// select), free play of a stage file, a replay, the options, or quitting.
#include <string>
#include <vector>

#include "scenes/menu/menu_scene.h"
#include "scenes/menu/prepared_surface.h"

class cSceneTitle : public cMenuScene {
public:
    enum : int { kStateFadeIn = 0, kStateMenu, kStateNewStory, kStateContinue, kStateFadeOut };
    // Title commands by list index.
    enum : int { kCmdNew = 0, kCmdContinue, kCmdChallenge, kCmdFree, kCmdReplay, kCmdOptions, kCmdQuit };

    cSceneTitle();
    void Init() override;
    void FadeIn() override;
    void FadeOut() override;

    // The list indices of the rows.
    const std::vector<int>& Commands() const { return m_vEnabled; }
    // Where the menu is drawn (the cursor column is its left 32 pixels).
    static int MenuX();
    static int MenuY();

private:
    void RunState(int state) override;
    void MainMenu();
    void SlotList();
    void Choose(int command);
    void ChooseSlot(int slot);
    void BuildMenuSurface();
    void DrawTitleScreen();

    std::vector<int> m_vEnabled;
    int m_nListTop = 0;
    int m_nListRows = 0;
    cPreparedSurface m_Menu;
};

// Progress of a new story: a reset progress on the map's start cell with
// the story's lives.
void StartNewStory();
// Prepares free play of one stage file (direct: the start-up's direct play);
// 0 when the file could not be loaded.
int PlayFreeStageFile(const std::string& path, int direct);
// Selecting game kind k also switches the rankings to that kind's setting.
void SelectGameKind(int kind);
