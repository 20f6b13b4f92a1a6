#include "scenes/fading_scene.h"

#include <algorithm>

#include "foundation/abort.h"
#include "shell/loop/game.h"

namespace {
constexpr double kFadeEnd = 90.0;
}

void cFadingScene::Run() {
    if (AbortFlag.load() != 0) return;
    switch (m_nState) {
        case -1: Init(); break;
        case kStateFadeIn: FadeIn(); break;
        case kStateRun: RunState(); break;
        case kStateFadeOut: FadeOut(); break;
        default: break;
    }
}

void cFadingScene::Init() {
    m_nState = kStateFadeIn;
    m_nSubStep = 0;
    m_dFadeAngle = 0.0;
}

// A fade steps its angle towards the end each frame and reports completion
// on the frame after the angle got there, so it lasts 90 / step + 1 frames
// (10 at the usual step of 10 degrees) and the end picture is shown once.
void cFadingScene::FadeIn() {
    if (Game.FadeLength <= 0 || m_dFadeAngle >= kFadeEnd) {
        m_dFadeAngle = kFadeEnd;
        m_nState = kStateRun;
        return;
    }
    m_dFadeAngle = std::min(kFadeEnd, m_dFadeAngle + static_cast<double>(Game.FadeLength));
}

void cFadingScene::RunState() {
    if (Game.RequestedScene != m_nScene) m_nState = kStateFadeOut;
}

void cFadingScene::FadeOut() {
    if (Game.FadeLength > 0 && m_dFadeAngle > 0.0) {
        m_dFadeAngle = std::max(0.0, m_dFadeAngle - static_cast<double>(Game.FadeLength));
        return;
    }
    m_dFadeAngle = 0.0;
    Game.CurrentScene = Game.RequestedScene;
    Game.PreviousScene = m_nScene;
}
