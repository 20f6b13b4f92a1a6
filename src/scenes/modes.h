#pragma once
// The six scene classes, by mode number.
#include "scenes/fading_scene.h"
#include "shell/game.h"

class cModeTitle : public cFadingScene {
public:
    cModeTitle() : cFadingScene(kModeTitle) {}
};

class cModeWorldMap : public cFadingScene {
public:
    cModeWorldMap() : cFadingScene(kModeWorldMap) {}
};

class cModeMenu2 : public cFadingScene {
public:
    cModeMenu2() : cFadingScene(kModeMenu2) {}
};

class cModeStageSelect : public cFadingScene {
public:
    cModeStageSelect() : cFadingScene(kModeStageSelect) {}
};

class cModeStage : public cFadingScene {
public:
    cModeStage() : cFadingScene(kModeStage) {}
    // Set by the close handler while the pause loop runs.
    void RequestQuit() override { m_nQuit = 1; }
    int m_nQuit = 0;
};

class cModeOption : public cFadingScene {
public:
    cModeOption() : cFadingScene(kModeOption) {}
};

// Registers the six constructors with the game object.
void RegisterScenes();
