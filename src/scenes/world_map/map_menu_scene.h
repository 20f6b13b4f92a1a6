#pragma once
// The world-map menu: on a black screen, save the story to one of the 99
// slots, switch auto-save, go back to the map, or go back to the title after
// a confirmation; it can show the total score.
#include <vector>

#include "scenes/menu/menu_scene.h"

class cSceneMenu2 : public cMenuScene {
public:
    enum : int { kStateFadeIn = 0, kStateMenu, kStateSave, kStateAutoSave, kStateToMap, kStateToTitle, kStateFadeOut };

    cSceneMenu2();
    void Init() override;
    void FadeIn() override;
    void FadeOut() override;
    void DrawMenu();

    int ListTop() const { return m_nListTop; }

private:
    void RunState(int state) override;
    void Menu();
    void Save();
    void ChooseSlot();
    void ConfirmSave();
    void AutoSave();
    void ToMap();
    void ToTitle();
    void BackToMenu();
    void DrawCursor();
    // The cursor of a two-line choice of system texts centred at y; the
    // choice's left edge.
    int MoveChoiceCursor(int firstText, int y);
    void DrawChoice(int firstText, int y);

    std::vector<int> m_vEnabled;
    int m_nListTop = 0;
    int m_nListRows = 0;
};
