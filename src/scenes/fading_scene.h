#pragma once
// A scene's frame: fade in, run its own states, fade out, then hand over to
// the requested scene.
#include "shell/loop/scene.h"

class cFadingScene : public cScene {
public:
    explicit cFadingScene(int scene) : m_nScene(scene) {}

    void Run() override;
    void Init() override;
    void FadeIn() override;
    void FadeOut() override;

    int Kind() const { return m_nScene; }

    // States in table order.
    enum : int { kStateFadeIn = 0, kStateRun = 1, kStateFadeOut = 2 };

protected:
    // One frame of the scene's own work; the base leaves the scene when
    // another scene is requested.
    virtual void RunState();

private:
    int m_nScene;
    // Degrees of the quarter sine wave of the screen fade (0 to 90).
    double m_dFadeAngle = 0.0;
};
