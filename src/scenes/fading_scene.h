#pragma once
// A scene's frame: fade in, run its own states, fade out, then hand over to
// the requested mode.
#include "shell/mode.h"

class cFadingScene : public cMode {
public:
    explicit cFadingScene(int mode) : m_nMode(mode) {}

    void Run() override;
    void Init() override;
    void FadeIn() override;
    void FadeOut() override;

    int Mode() const { return m_nMode; }

    // States in table order.
    enum : int { kStateFadeIn = 0, kStateRun = 1, kStateFadeOut = 2 };

protected:
    // One frame of the scene's own work; the base leaves the scene when
    // another mode is requested.
    virtual void RunState();

private:
    int m_nMode;
    // Degrees of the quarter sine wave of the screen fade (0 to 90).
    double m_dFadeAngle = 0.0;
};
